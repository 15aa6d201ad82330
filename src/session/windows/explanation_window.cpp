// The explanation window: the referenced text, the answer form of letters and
// terms, and the buttons around them.
#include "session/windows/explanation_window.h"

#include "platform/open_file.h"
#include "platform/safe_open.h"
#include "platform/windows/message_box.h"
#include "session/explanation.h"
#include "session/windows/controls.h"
#include "storage/error.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

#include <utility>
#include <vector>

namespace tavel {
namespace {

using controls::named;

constexpr int kDesignWidth = 960;
constexpr int kDesignHeight = 380;
constexpr int kDesignFontSize = 12;
constexpr int kCellWidth = 46;
constexpr int kCellHeight = 28;

// The group's title is one long line; on a narrow screen it is cut rather
// than making the window wider than the screen.
class AnswerGroup : public QGroupBox {
public:
    using QGroupBox::QGroupBox;
    QSize minimumSizeHint() const override
    {
        const QSize own = QGroupBox::minimumSizeHint();
        return layout() ? QSize(layout()->minimumSize().width(), own.height()) : own;
    }
};

QTableWidgetItem* cell(const QString& text, bool marker)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (marker) {
        QFont bold = item->font();
        bold.setBold(true);
        item->setFont(bold);
        item->setBackground(QColor(0xE4, 0xE4, 0xE4));
    }
    return item;
}

} // namespace

QString TTeksti::caption()
{
    return QStringLiteral("Пояснения к вопросу");
}

QString TTeksti::fileCaptionStart()
{
    return QStringLiteral("Пояснения к вопросу из файла: ");
}

QString TTeksti::groupTitle()
{
    return QStringLiteral("Выберите клетку под нужной буквой. Туда будет вставлен код ответа.                     "
                          "Для выбранной буквы укажите нужный термин.");
}

TTeksti::TTeksti(QWidget* parent)
    : QWidget(parent, Qt::Window), fontSize_(kDesignFontSize), designFontSize_(kDesignFontSize)
{
    setObjectName(QStringLiteral("TTeksti"));
    setWindowTitle(caption());

    Poyasnen = named(new QTextEdit(this), QStringLiteral("Poyasnen"));
    Poyasnen->setReadOnly(true);
    Poyasnen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Poyasnen->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Poyasnen->document()->setUndoRedoEnabled(false);
    QFont textFont = Poyasnen->font();
    textFont.setPointSize(fontSize_);
    Poyasnen->setFont(textFont);

    UprProp = named(new AnswerGroup(groupTitle(), this), QStringLiteral("UprProp"));

    BukCif = named(new QTableWidget(2, 0, UprProp), QStringLiteral("BukCif"));
    BukCif->horizontalHeader()->hide();
    BukCif->verticalHeader()->hide();
    BukCif->horizontalHeader()->setDefaultSectionSize(kCellWidth);
    BukCif->verticalHeader()->setDefaultSectionSize(kCellHeight);
    BukCif->setEditTriggers(QAbstractItemView::NoEditTriggers);
    BukCif->setSelectionMode(QAbstractItemView::SingleSelection);
    BukCif->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    BukCif->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    BukCif->setFixedHeight(2 * kCellHeight + 2 * BukCif->frameWidth());
    BukCif->setFixedWidth(kCellWidth + 2 * BukCif->frameWidth());
    QFont gridFont = BukCif->font();
    gridFont.setPointSize(11);
    BukCif->setFont(gridFont);

    WibrBuk = named(new QLineEdit(QStringLiteral("(А)"), UprProp), QStringLiteral("WibrBuk"));
    WibrBuk->setReadOnly(true);
    WibrBuk->setAlignment(Qt::AlignCenter);
    WibrBuk->setFixedWidth(56);
    QFont boldFont = WibrBuk->font();
    boldFont.setBold(true);
    boldFont.setPointSize(11);
    WibrBuk->setFont(boldFont);

    SpisTerm = named(new QComboBox(UprProp), QStringLiteral("SpisTerm"));
    SpisTerm->setPlaceholderText(QStringLiteral("Список терминов"));
    SpisTerm->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    SpisTerm->setMinimumContentsLength(18);

    NWB = named(new QLineEdit(QStringLiteral("0"), UprProp), QStringLiteral("NWB"));
    NWB->setReadOnly(true);
    NWB->hide();

    noteLabel = named(new QLabel(QStringLiteral("Терминов может быть больше, чем нужно."), UprProp),
                      QStringLiteral("noteLabel"));

    TekstPlusSim1 = named(new QPushButton(QStringLiteral("Подсказать"), UprProp), QStringLiteral("TekstPlusSim1"),
                          QStringLiteral("Вставить правильные ответы"));
    Wosstan = named(new QPushButton(QStringLiteral("Восстановить"), UprProp), QStringLiteral("Wosstan"),
                    QStringLiteral("Восстановить текст"));
    Zakrit = named(new QPushButton(QStringLiteral("Готов"), UprProp), QStringLiteral("Zakrit"));
    QFont readyFont = Zakrit->font();
    readyFont.setBold(true);
    Zakrit->setFont(readyFont);

    BitBtn1 = named(new QPushButton(QStringLiteral("Печать…"), this), QStringLiteral("BitBtn1"),
                    QStringLiteral("Напечатать из редактора"));
    BitBtn1->setIcon(QIcon::fromTheme(QStringLiteral("document-print")));

    const controls::SpinArrows arrows = controls::spinArrows(this, QStringLiteral("Размер шрифта"), 14);
    SpinButton1 = arrows.box;
    SpinButton1Up = arrows.up;
    SpinButton1Down = arrows.down;

    // The group: the grid on the left; the selected letter, the term list and
    // the note in the middle; the buttons on the right.
    auto* choice = new QHBoxLayout;
    choice->addWidget(WibrBuk);
    choice->addWidget(SpisTerm, 1);
    auto* middle = new QVBoxLayout;
    middle->addLayout(choice);
    middle->addWidget(noteLabel);
    auto* groupLayout = new QHBoxLayout(UprProp);
    groupLayout->addWidget(BukCif, 0, Qt::AlignTop);
    groupLayout->addSpacing(8);
    groupLayout->addLayout(middle, 1);
    groupLayout->addSpacing(8);
    groupLayout->addWidget(TekstPlusSim1, 0, Qt::AlignTop);
    groupLayout->addWidget(Wosstan, 0, Qt::AlignTop);
    groupLayout->addWidget(Zakrit, 0, Qt::AlignTop);
    groupLayout->addWidget(NWB);

    auto* tools = new QHBoxLayout;
    tools->addWidget(BitBtn1);
    tools->addWidget(SpinButton1);
    tools->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(Poyasnen, 1);
    layout->addWidget(UprProp);
    layout->addLayout(tools);
    UprProp->hide();

    connect(BukCif, &QTableWidget::cellPressed, this, &TTeksti::BukCifMouseDown);
    connect(SpisTerm, &QComboBox::activated, this, &TTeksti::SpisTermChange);
    connect(TekstPlusSim1, &QPushButton::clicked, this, &TTeksti::TekstPlusSim1Click);
    connect(Wosstan, &QPushButton::clicked, this, &TTeksti::WosstanClick);
    connect(Zakrit, &QPushButton::clicked, this, &TTeksti::ZakritClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TTeksti::BitBtn1Click);
    connect(SpinButton1Up, &QToolButton::clicked, this, &TTeksti::SpinButton1UpClick);
    connect(SpinButton1Down, &QToolButton::clicked, this, &TTeksti::SpinButton1DownClick);

    resize(kDesignWidth, kDesignHeight);
}

void TTeksti::FormCreate(int mainWindowHeight, const QRect& workArea)
{
    // The arithmetic counts whole windows, frame included; Qt sizes the
    // inside, so the frame (known once the window exists) is taken off.
    QMargins frame;
    if (const QWindow* window = windowHandle())
        frame = window->frameMargins();
    const int outerHeight = height() + frame.top() + frame.bottom();
    const VerticalSpan span = explanationPlacement(workArea.height(), outerHeight, mainWindowHeight);
    move(workArea.left(), workArea.top() + span.top);
    resize(workArea.width() - frame.left() - frame.right(), span.height - frame.top() - frame.bottom());
}

void TTeksti::showExplanation(const QString& path, const QString& fotoFolder)
{
    path_ = path;
    fotoFolder_ = fotoFolder.isEmpty() ? QFileInfo(path).absolutePath() : fotoFolder;
    setWindowTitle(fileCaptionStart() + QDir::toNativeSeparators(path));
    Poyasnen->clear();
    if (!loadText()) {
        hide();
        return;
    }
    FormShow();
    show();
    controls::fitOnScreen(this); // its buttons stay on the screen
    raise();
}

bool TTeksti::loadText()
{
    const bool loaded = dialogs::guarded(this, [this] { loadExplanation(path_, *Poyasnen->document()); });
    if (loaded && fontSize_ != designFontSize_)
        shiftRunSizes(fontSize_ - designFontSize_);
    Poyasnen->moveCursor(QTextCursor::Start);
    return loaded;
}

void TTeksti::FormShow()
{
    const AnswerForm form = answerForm(documentLines(*Poyasnen->document()));
    letterCount_ = form.letterCount;
    UprProp->hide();
    if (letterCount_ == 0)
        return;

    BukCif->clearContents();
    BukCif->setColumnCount(letterCount_);
    for (int column = 0; column < letterCount_; ++column) {
        BukCif->setItem(0, column, cell(form.markers[column], true));
        BukCif->setItem(1, column, cell(QString(), false));
    }
    BukCif->setFixedWidth(letterCount_ * kCellWidth + 2 * BukCif->frameWidth());
    SpisTerm->clear();
    SpisTerm->setCurrentIndex(-1); // shows "Список терминов"
    terms_.clear();
    // A new text starts with its first letter selected, so that a column
    // chosen for a longer text earlier is never written past this grid.
    selectColumn(0);

    if (form.groupShown) {
        terms_ = form.terms;
        SpisTerm->addItems(terms_);
        SpisTerm->setCurrentIndex(-1);
        UprProp->show();
    }
}

void TTeksti::selectColumn(int column)
{
    WibrBuk->setText(BukCif->item(0, column) ? BukCif->item(0, column)->text() : QString());
    NWB->setText(QString::number(column));
    BukCif->setCurrentCell(1, column);
}

void TTeksti::BukCifMouseDown(int /*row*/, int column)
{
    if (column < 0 || column >= BukCif->columnCount())
        return;
    selectColumn(column);
}

void TTeksti::SpisTermChange(int termIndex)
{
    if (termIndex < 0 || termIndex >= terms_.size())
        return;
    const int column = NWB->text().toInt();
    if (column >= 0 && column < BukCif->columnCount())
        BukCif->item(1, column)->setText(termCellValue(termIndex));
    replaceMarker(*Poyasnen->document(), WibrBuk->text(), termName(terms_[termIndex]));
}

QStringList TTeksti::chosenNumbers() const
{
    QStringList cells;
    for (int column = 0; column < BukCif->columnCount(); ++column) {
        const QTableWidgetItem* item = BukCif->item(1, column);
        cells.append(item ? item->text() : QString());
    }
    return cells;
}

void TTeksti::TekstPlusSim1Click()
{
    Q_EMIT hintRequested();
}

void TTeksti::fillHint(const QString& odinOtText)
{
    const QStringList cells = hintCells(odinOtText, letterCount_);
    for (int column = 0; column < cells.size() && column < BukCif->columnCount(); ++column)
        if (QTableWidgetItem* item = BukCif->item(1, column))
            item->setText(cells[column]);
}

void TTeksti::WosstanClick()
{
    Poyasnen->clear();
    loadText();
}

void TTeksti::ZakritClick()
{
    Q_EMIT answerChosen(answerCode(chosenNumbers(), letterCount_));
    close();
}

void TTeksti::BitBtn1Click()
{
    if (path_.isEmpty())
        return;
    const OpenDecision decision = decideFileOpen(fotoFolder_, path_);
    if (!decision) {
        dialogs::warning(this, caption(), decision.reason);
        return;
    }
    if (!openLocalFile(decision.path))
        dialogs::warning(this, caption(),
                         QStringLiteral("Не удалось открыть файл %1 программой для него")
                             .arg(QDir::toNativeSeparators(decision.path)));
}

void TTeksti::setHintButtonVisible(bool visible)
{
    TekstPlusSim1->setVisible(visible);
}

void TTeksti::SpinButton1UpClick()
{
    stepFont(true);
}

void TTeksti::SpinButton1DownClick()
{
    stepFont(false);
}

void TTeksti::stepFont(bool up)
{
    const int size = fontSizeAfterStep(fontSize_, up);
    const int delta = size - fontSize_;
    if (delta == 0)
        return;
    fontSize_ = size;
    QFont font = Poyasnen->font();
    font.setPointSize(fontSize_);
    Poyasnen->setFont(font); // the document's default size: runs without a size of their own
    shiftRunSizes(delta);
}

// Runs of a rich text that carry a size of their own ("\fs") follow the
// font steps as well: each is shifted by `delta` points, never below 1.
void TTeksti::shiftRunSizes(int delta)
{
    QTextDocument* document = Poyasnen->document();
    std::vector<std::pair<QPair<int, int>, qreal>> runs;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const qreal size = fragment.charFormat().fontPointSize();
            if (fragment.isValid() && size > 0)
                runs.push_back({{fragment.position(), fragment.length()}, size});
        }
    QTextCursor cursor(document);
    for (const auto& [range, size] : runs) {
        cursor.setPosition(range.first);
        cursor.setPosition(range.first + range.second, QTextCursor::KeepAnchor);
        QTextCharFormat format;
        format.setFontPointSize(qMax<qreal>(1, size + delta));
        cursor.mergeCharFormat(format);
    }
}

} // namespace tavel
