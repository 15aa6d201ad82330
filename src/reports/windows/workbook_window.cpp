// The workbook window: cells in a table view, Save as and the hand-over to
// the spreadsheet program.
#include "reports/windows/workbook_window.h"

#include "platform/open_file.h"
#include "platform/windows/message_box.h"
#include "reports/windows/file_names.h"
#include "reports/workbook_writers.h"

#include <QAction>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTableView>
#include <QToolBar>

namespace tavel {
namespace {
const QString kFallbackName = QStringLiteral("Таблица");
}

WorkbookModel::WorkbookModel(std::shared_ptr<const Workbook> book, QObject* parent)
    : QAbstractTableModel(parent), book_(std::move(book))
{
}

int WorkbookModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : book_->rowCount();
}

int WorkbookModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : book_->columnCount();
}

QVariant WorkbookModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    return book_->cell(index.row() + 1, index.column() + 1);
}

QVariant WorkbookModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    return orientation == Qt::Horizontal ? QVariant(columnName(section)) : QVariant(section + 1);
}

QString WorkbookModel::columnName(int column)
{
    QString name;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        name.prepend(QChar(u'A' + (n - 1) % 26));
    return name;
}

WorkbookWindow* WorkbookWindow::showWorkbook(std::shared_ptr<const Workbook> book, QWidget* parent)
{
    auto* window = new WorkbookWindow(std::move(book), parent);
    window->QMainWindow::show();
    window->raise();
    window->activateWindow();
    return window;
}

WorkbookWindow::WorkbookWindow(std::shared_ptr<const Workbook> book, QWidget* parent)
    : QMainWindow(parent, Qt::Window), book_(std::move(book))
{
    setObjectName(QStringLiteral("WorkbookWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(book_->title().isEmpty() ? kFallbackName : book_->title());

    Cells = new QTableView(this);
    Cells->setObjectName(QStringLiteral("Cells"));
    Cells->setModel(new WorkbookModel(book_, Cells));
    Cells->setWordWrap(false);
    Cells->verticalHeader()->setDefaultSectionSize(Cells->fontMetrics().height() + 6);
    const int charWidth = Cells->fontMetrics().horizontalAdvance(u'0');
    for (int c = 0; c < book_->columnCount(); ++c)
        Cells->setColumnWidth(c, int(book_->columnWidth(c + 1) * charWidth) + 8);
    setCentralWidget(Cells);

    QToolBar* bar = addToolBar(QStringLiteral("Таблица"));
    bar->setObjectName(QStringLiteral("WorkbookTools"));
    bar->setMovable(false);
    SaveAs = bar->addAction(QStringLiteral("Сохранить как…"));
    SaveAs->setObjectName(QStringLiteral("SaveAs"));
    SaveAs->setShortcut(QKeySequence::Save);
    SaveAs->setToolTip(QStringLiteral("Сохранить в XLSX или CSV"));
    OpenInSpreadsheet = bar->addAction(QStringLiteral("Открыть в табличном редакторе"));
    OpenInSpreadsheet->setObjectName(QStringLiteral("OpenInSpreadsheet"));
    OpenInSpreadsheet->setToolTip(QStringLiteral("Открыть копию таблицы в программе для файлов XLSX"));
    connect(SaveAs, &QAction::triggered, this, [this] { saveAs(); });
    connect(OpenInSpreadsheet, &QAction::triggered, this, &WorkbookWindow::openInSpreadsheet);

    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                          : QRect(0, 0, 1280, 1024);
    resize(std::min(1000, screen.width()), std::min(700, screen.height() - 60));
}

bool WorkbookWindow::saveAs()
{
    QString filter = workbookWriter(WorkbookFormat::Xlsx)->nameFilter();
    const auto chosen =
        dialogs::saveFileName(this, QStringLiteral("Сохранить таблицу как"),
                              suggestedSavePath(book_->title(), kFallbackName, QStringLiteral("xlsx")),
                              workbookFilters(), &filter);
    if (!chosen)
        return false;
    const QString path = pathWithExtension(*chosen, workbookFormatOfFilter(filter));
    auto writer = workbookWriter(*workbookFormatOf(path));
    if (!writer->write(*book_, path)) {
        dialogs::error(this, writer->errorString());
        return false;
    }
    rememberSaveFolder(path);
    return true;
}

void WorkbookWindow::openInSpreadsheet()
{
    const QString path = temporaryCopyPath(book_->title(), kFallbackName, QStringLiteral("xlsx"));
    auto writer = workbookWriter(WorkbookFormat::Xlsx);
    if (path.isEmpty() || !writer->write(*book_, path)) {
        dialogs::error(this, path.isEmpty() ? QStringLiteral("Не удалось создать временную папку для копии таблицы")
                                            : writer->errorString());
        return;
    }
    if (!openLocalFile(path))
        dialogs::warning(this, QStringLiteral("Табличный редактор не найден"),
                         QStringLiteral("Не найдена программа, которая открывает таблицы XLSX. Сохраните таблицу "
                                        "(«Сохранить как…») и откройте файл на компьютере с табличным редактором."));
}

} // namespace tavel
