// The document window: the document in an editor, printing, Save as and the
// hand-over to the office suite.
#include "reports/windows/document_window.h"

#include "platform/open_file.h"
#include "platform/windows/message_box.h"
#include "reports/document_writers.h"
#include "reports/windows/file_names.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QSpinBox>
#include <QTextEdit>
#include <QToolBar>

namespace tavel {
namespace {

const QString kFallbackName = QStringLiteral("Документ");

void setUpPage(QPrinter& printer)
{
    // Printing a document adds margins of 2 cm to what the printer allows.
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                      QPageLayout::Millimeter));
}

QAction* action(QToolBar* bar, const QString& name, const QString& text, const QKeySequence& keys,
                const QString& hint)
{
    QAction* a = bar->addAction(text);
    a->setObjectName(name);
    a->setShortcut(keys);
    a->setToolTip(hint + (keys.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(keys.toString(QKeySequence::NativeText))));
    return a;
}

} // namespace

DocumentWindow* DocumentWindow::showDocument(std::shared_ptr<Document> document, QWidget* parent)
{
    auto* window = new DocumentWindow(std::move(document), parent);
    window->QMainWindow::show();
    window->raise();
    window->activateWindow();
    return window;
}

DocumentWindow::DocumentWindow(std::shared_ptr<Document> document, QWidget* parent)
    : QMainWindow(parent, Qt::Window), document_(std::move(document))
{
    setObjectName(QStringLiteral("DocumentWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(document_->title().isEmpty() ? kFallbackName : document_->title());

    DocumentText = new QTextEdit(this);
    DocumentText->setObjectName(QStringLiteral("DocumentText"));
    document_->text().setUndoRedoEnabled(true);
    DocumentText->setStyleSheet(QStringLiteral("QTextEdit { padding: 12px; }"));
    DocumentText->setDocument(&document_->text());
    // Lines break where they break on the printed page.
    DocumentText->setLineWrapMode(QTextEdit::FixedPixelWidth);
    DocumentText->setLineWrapColumnOrWidth(int(Document::kTextWidthPoints * Document::kUnitsPerPoint));
    setCentralWidget(DocumentText);

    QToolBar* bar = addToolBar(QStringLiteral("Документ"));
    bar->setObjectName(QStringLiteral("DocumentTools"));
    bar->setMovable(false);
    Print = action(bar, QStringLiteral("Print"), QStringLiteral("Печать…"), QKeySequence::Print,
                   QStringLiteral("Напечатать документ"));
    PrintPreview = action(bar, QStringLiteral("PrintPreview"), QStringLiteral("Просмотр"), {},
                          QStringLiteral("Как документ ляжет на страницы"));
    SaveAs = action(bar, QStringLiteral("SaveAs"), QStringLiteral("Сохранить как…"), QKeySequence::Save,
                    QStringLiteral("Сохранить в ODT, PDF или HTML"));
    OpenInOffice = action(bar, QStringLiteral("OpenInOffice"), QStringLiteral("Открыть в офисном пакете"), {},
                          QStringLiteral("Открыть копию документа в программе для документов ODT"));
    bar->addSeparator();
    Bold = action(bar, QStringLiteral("Bold"), QStringLiteral("Ж"), QKeySequence::Bold, QStringLiteral("Полужирный"));
    Italic = action(bar, QStringLiteral("Italic"), QStringLiteral("К"), QKeySequence::Italic, QStringLiteral("Курсив"));
    Underline = action(bar, QStringLiteral("Underline"), QStringLiteral("Ч"), QKeySequence::Underline,
                       QStringLiteral("Подчёркнутый"));
    for (QAction* a : {Bold, Italic, Underline})
        a->setCheckable(true);
    QFont f = Bold->font();
    f.setBold(true);
    Bold->setFont(f);
    f = Italic->font();
    f.setItalic(true);
    Italic->setFont(f);
    f = Underline->font();
    f.setUnderline(true);
    Underline->setFont(f);
    bar->addWidget(new QLabel(QStringLiteral(" Размер "), bar));
    FontSize = new QSpinBox(bar);
    FontSize->setObjectName(QStringLiteral("FontSize"));
    FontSize->setRange(6, 72);
    FontSize->setToolTip(QStringLiteral("Размер шрифта в пунктах"));
    bar->addWidget(FontSize);

    connect(Print, &QAction::triggered, this, &DocumentWindow::printDocument);
    connect(PrintPreview, &QAction::triggered, this, &DocumentWindow::previewDocument);
    connect(SaveAs, &QAction::triggered, this, [this] { saveAs(); });
    connect(OpenInOffice, &QAction::triggered, this, &DocumentWindow::openInOfficeSuite);
    connect(Bold, &QAction::triggered, this, [this](bool on) { DocumentText->setFontWeight(on ? QFont::Bold : QFont::Normal); });
    connect(Italic, &QAction::triggered, this, [this](bool on) { DocumentText->setFontItalic(on); });
    connect(Underline, &QAction::triggered, this, [this](bool on) { DocumentText->setFontUnderline(on); });
    connect(FontSize, &QSpinBox::valueChanged, this, [this](int size) {
        if (DocumentText->hasFocus() || DocumentText->textCursor().hasSelection())
            DocumentText->setFontPointSize(size);
    });
    connect(FontSize, &QSpinBox::editingFinished, DocumentText, qOverload<>(&QWidget::setFocus));
    connect(DocumentText, &QTextEdit::currentCharFormatChanged, this, [this] { showFormat(); });
    showFormat();

    document_->text().setModified(false);
    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                          : QRect(0, 0, 1280, 1024);
    resize(std::min(760, screen.width()), std::min(900, screen.height() - 60));
}

DocumentWindow::~DocumentWindow()
{
    // The editor lets go of the document before the document may go.
    DocumentText->setDocument(nullptr);
}

void DocumentWindow::showFormat()
{
    const QTextCharFormat format = DocumentText->currentCharFormat();
    Bold->setChecked(format.fontWeight() >= QFont::Bold);
    Italic->setChecked(format.fontItalic());
    Underline->setChecked(format.fontUnderline());
    const QSignalBlocker block(FontSize);
    const qreal size = format.fontPointSize();
    FontSize->setValue(size > 0 ? int(size) : document_->basePointSize());
}

bool DocumentWindow::handedOut() const
{
    return handedOut_ && !document_->text().isModified();
}

bool DocumentWindow::havePrinter()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        return true;
    if (dialogs::askYesNo(this, QStringLiteral("Нет принтера"),
                          QStringLiteral("Не найден ни один принтер. Сохранить документ в PDF, чтобы "
                                         "напечатать его на другом компьютере?")))
        saveAs(documentWriter(DocumentFormat::Pdf)->nameFilter());
    return false;
}

void DocumentWindow::printDocument()
{
    if (!havePrinter())
        return;
    QPrinter printer(QPrinter::HighResolution);
    setUpPage(printer);
    printer.setDocName(windowTitle());
    QPrintDialog dialog(&printer, this);
    if (dialogs::execModal(&dialog) != QDialog::Accepted)
        return;
    document_->text().print(&printer);
    handedOut_ = true;
    document_->text().setModified(false);
}

void DocumentWindow::previewDocument()
{
    if (!havePrinter())
        return;
    QPrinter printer(QPrinter::HighResolution);
    setUpPage(printer);
    printer.setDocName(windowTitle());
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("PrintPreviewDialog"));
    bool printed = false;
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, &printed](QPrinter* p) {
        document_->text().print(p);
        printed = p->outputFormat() == QPrinter::NativeFormat;
    });
    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                          : QRect(0, 0, 1280, 1024);
    preview.resize(std::min(900, screen.width()), screen.height() - 60);
    if (dialogs::execModal(&preview) == QDialog::Accepted && printed) {
        handedOut_ = true;
        document_->text().setModified(false);
    }
}

bool DocumentWindow::saveAs(const QString& preferredFilter)
{
    QString filter = preferredFilter.isEmpty() ? documentWriter(DocumentFormat::Odt)->nameFilter() : preferredFilter;
    const DocumentFormat start = documentFormatOfFilter(filter);
    const auto chosen = dialogs::saveFileName(
        this, QStringLiteral("Сохранить документ как"),
        suggestedSavePath(document_->title(), kFallbackName, documentWriter(start)->extension()), documentFilters(),
        &filter);
    if (!chosen)
        return false;
    const QString path = pathWithExtension(*chosen, documentFormatOfFilter(filter));
    auto writer = documentWriter(*documentFormatOf(path));
    if (!writer->write(*document_, path)) {
        dialogs::error(this, writer->errorString());
        return false;
    }
    rememberSaveFolder(path);
    handedOut_ = true;
    document_->text().setModified(false);
    return true;
}

void DocumentWindow::openInOfficeSuite()
{
    const QString path = temporaryCopyPath(document_->title(), kFallbackName, QStringLiteral("odt"));
    auto writer = documentWriter(DocumentFormat::Odt);
    if (path.isEmpty() || !writer->write(*document_, path)) {
        dialogs::error(this, path.isEmpty() ? QStringLiteral("Не удалось создать временную папку для копии документа")
                                            : writer->errorString());
        return;
    }
    if (!openLocalFile(path))
        dialogs::warning(this, QStringLiteral("Офисный пакет не найден"),
                         QStringLiteral("Не найдена программа, которая открывает документы ODT. Сохраните документ "
                                        "(«Сохранить как…») и откройте файл на компьютере с офисным пакетом."));
}

void DocumentWindow::closeEvent(QCloseEvent* event)
{
    if (!handedOut() && !document_->text().isEmpty()) {
        const QString question = handedOut_ ? QStringLiteral("Документ изменён после сохранения. Сохранить его?")
                                            : QStringLiteral("Документ не сохранён и не напечатан. Сохранить его?");
        if (dialogs::askYesNo(this, windowTitle(), question) && !saveAs()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

} // namespace tavel
