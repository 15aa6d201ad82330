// The classification window: rows of items with their term lists, the score,
// the hint and "Готов".
#include "session/windows/klass_window.h"

#include "session/presentation.h"
#include "session/windows/controls.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace tavel {
namespace {

// Row geometry inside the scroll area, in pixels.
constexpr int kRowTop = 6;
constexpr int kRowLeft = 4;
constexpr int kRowWidth = 986;
constexpr int kRowHeight = 82;
constexpr int kAreaWidth = kRowLeft + kRowWidth + 4;
// The panel above the rows: the question and the buttons. The window's
// 115 pixels beyond its rows hold this panel, the margins and the frame of
// the scroll area.
constexpr int kPanelHeight = 92;
constexpr int kMargin = 4;
constexpr int kMinFontSize = 7; // down only while the item boxes are larger

const QColor kOddRow(166, 202, 240);
const QColor kEvenRow(204, 204, 206);
const QColor kLightYellow(255, 255, 193);

// The background of a row (its children keep their own colours).
void paintRow(QWidget* row, const QColor& colour)
{
    QPalette p = row->palette();
    p.setColor(QPalette::Window, colour);
    row->setPalette(p);
    row->setAutoFillBackground(true);
}

// The background of a control: its face, its box and its list.
void paintControl(QWidget* widget, const QColor& colour)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, colour);
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Button, colour);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

void setFontOf(QWidget* widget, int pointSize, bool bold)
{
    QFont f = widget->font();
    f.setPointSize(pointSize);
    f.setBold(bold);
    widget->setFont(f);
}

} // namespace

QString TKlass::caption()
{
    return QStringLiteral("Соответствие или Классификация. В строках со знаком ? выберите подходящие термины");
}

TKlass::TKlass(QWidget* parent) : QWidget(parent, Qt::Window)
{
    using namespace controls;
    setObjectName(QStringLiteral("TKlass"));
    setWindowTitle(caption());

    WoprKl = named(new QTextEdit(this), QStringLiteral("WoprKl"));
    WoprKl->setReadOnly(true);
    WoprKl->setFocusPolicy(Qt::ClickFocus);
    setFontOf(WoprKl, fontSize_, bold_);

    auto* nabranoLabel = new QLabel(QStringLiteral("Набрано"), this);
    Nabrano = named(new QLineEdit(QStringLiteral("0"), this), QStringLiteral("Nabrano"));
    Nabrano->setReadOnly(true);
    Nabrano->setFocusPolicy(Qt::NoFocus);
    Nabrano->setAlignment(Qt::AlignCenter);
    Nabrano->setFont(boldFont(Nabrano, 10));
    Nabrano->setFixedWidth(64);
    nabranoLabel->setBuddy(Nabrano);

    OtvWstavin = button(this, QStringLiteral("OtvWstavin"), QStringLiteral("Подсказать"),
                        QStringLiteral("Один правильный ответ добавить"));
    Gotovo = button(this, QStringLiteral("Gotovo"), QStringLiteral("Ok"), QStringLiteral("Вычислить баллы за вопрос"));
    Zakrit = button(this, QStringLiteral("Zakrit"), QStringLiteral("Готов"), QStringLiteral("Отвечено.Закрыть это окно"));
    Zakrit->setFont(boldFont(Zakrit, Zakrit->font().pointSize()));
    BitBtn1 = button(this, QStringLiteral("BitBtn1"), QStringLiteral("B"), QStringLiteral("Шрифт жирный/обычный"));
    BitBtn1->setFont(boldFont(BitBtn1, BitBtn1->font().pointSize()));
    BitBtn1->setFixedWidth(30);

    const QString spinHint = QStringLiteral("Увеличить / Уменьшить шрифт");
    const SpinArrows arrows = spinArrows(this, spinHint);
    SpinButton1 = arrows.box;
    SpinButton1Up = arrows.up;
    SpinButton1Down = arrows.down;

    // The panel: the question on the left, the score and the buttons on the right.
    auto* panel = new QWidget(this);
    panel->setFixedHeight(kPanelHeight);
    auto* buttons = new QGridLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setHorizontalSpacing(6);
    buttons->setVerticalSpacing(4);
    buttons->addWidget(nabranoLabel, 0, 0, Qt::AlignBottom | Qt::AlignHCenter);
    buttons->addWidget(Nabrano, 1, 0);
    buttons->addWidget(OtvWstavin, 0, 1);
    buttons->addWidget(Gotovo, 1, 1);
    buttons->addWidget(SpinButton1, 0, 2, Qt::AlignCenter);
    buttons->addWidget(BitBtn1, 1, 2, Qt::AlignCenter);
    buttons->addWidget(Zakrit, 2, 0, 1, 3);
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(8);
    panelLayout->addWidget(WoprKl, 1);
    panelLayout->addLayout(buttons);

    New = named(new QScrollArea(this), QStringLiteral("New"));
    area_ = new QWidget(New);
    area_->setObjectName(QStringLiteral("NewArea"));
    New->setWidget(area_);
    New->setWidgetResizable(false);
    ensureRows(kInitialRows);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->setSpacing(kMargin);
    layout->addWidget(panel);
    layout->addWidget(New, 1);

    connect(Gotovo, &QPushButton::clicked, this, &TKlass::GotovoClick);
    connect(OtvWstavin, &QPushButton::clicked, this, &TKlass::OtvWstavinClick);
    connect(Zakrit, &QPushButton::clicked, this, &TKlass::ZakritClick);
    connect(SpinButton1Up, &QToolButton::clicked, this, &TKlass::SpinButton1UpClick);
    connect(SpinButton1Down, &QToolButton::clicked, this, &TKlass::SpinButton1DownClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TKlass::BitBtn1Click);

    const int width = kAreaWidth + 2 * kMargin + New->verticalScrollBar()->sizeHint().width() + 2 * New->frameWidth();
    resize(width, windowHeight(2, 10000));
}

void TKlass::ensureRows(int count)
{
    using namespace controls;
    while (rowsMade() < count) {
        const int i = rowsMade() + 1;
        Row r;
        r.box = named(new QGroupBox(area_), QStringLiteral("Row%1").arg(i));
        r.box->setGeometry(kRowLeft, kRowTop + kRowStep * (i - 1), kRowWidth, kRowHeight);
        paintRow(r.box, i % 2 == 1 ? kOddRow : kEvenRow);

        r.item = named(new QTextEdit(r.box), QStringLiteral("Item%1").arg(i));
        r.item->setGeometry(20, 4, 955, 45);
        r.item->setReadOnly(true);
        r.item->setFocusPolicy(Qt::ClickFocus);
        r.item->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        r.item->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

        r.mark = new QLabel(QStringLiteral("?"), r.box);
        r.mark->setObjectName(QStringLiteral("Mark%1").arg(i));
        r.mark->setAlignment(Qt::AlignCenter);
        r.mark->setGeometry(6, 55, 12, 20);
        r.mark->setFont(boldFont(r.mark, 10));
        paintControl(r.mark, kLightYellow);

        r.terms = named(new QComboBox(r.box), QStringLiteral("Terms%1").arg(i));
        r.terms->setGeometry(20, 51, 960, 28);
        paintControl(r.terms, kLightYellow);
        connect(r.terms, &QComboBox::currentIndexChanged, this, [this, i](int entry) {
            if (i <= answer_.rowCount())
                answer_.select(i, entry < 0 ? 0 : entry);
        });

        // A row made later takes the fonts the rows have now.
        setFontOf(r.item, fontSize_, bold_);
        setFontOf(r.terms, fontSize_, bold_);
        r.box->hide();
        rows_.push_back(r);
    }
    area_->resize(kAreaWidth, kRowTop + kRowStep * std::max(count, 1));
}

int TKlass::windowHeight(int rightCount, int available)
{
    return std::min(rightCount * kRowStep + kFrameHeight, available);
}

void TKlass::showQuestion(const Presentation& p, bool hintMode)
{
    answer_ = Classification::fromPresentation(p);
    WoprKl->setPlainText(p.shownText);
    hintMode_ = hintMode;
    FormShow();
    show();
    controls::fitOnScreen(this); // as many rows as the screen holds; the rest scroll
    raise();
    activateWindow();
}

void TKlass::FormShow()
{
    // The question text was put into WoprKl by showQuestion.
    setNabrano(0);
    OtvWstavin->setVisible(hintMode_);
    Gotovo->setVisible(hintMode_);

    const int n = answer_.rowCount();
    ensureRows(n);
    const QStringList entries = answer_.entries();
    for (int i = 1; i <= rowsMade(); ++i) {
        Row& r = rows_[size_t(i - 1)];
        r.box->hide();
        const QSignalBlocker block(r.terms);
        r.terms->clear();
        if (i > n) {
            r.terms->addItem(kUndetermined);
            r.item->clear();
            continue;
        }
        r.terms->addItems(entries);
        r.terms->setCurrentIndex(0);
        r.item->setPlainText(answer_.itemText(i));
        r.box->show();
    }
    area_->resize(kAreaWidth, kRowTop + kRowStep * std::max(n, 1));
    New->verticalScrollBar()->setValue(0);

    // The rows as designed, within the screen: the scroll area takes the rest.
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    int available = 10000;
    if (screen) {
        QMargins frame;
        if (const QWindow* w = windowHandle())
            frame = w->frameMargins();
        available = screen->availableGeometry().height() - frame.top() - frame.bottom();
    }
    resize(width(), windowHeight(n, available));
    if (n > 0)
        rows_[0].terms->setFocus();
}

void TKlass::setNabrano(int value)
{
    nabrano_ = value;
    Nabrano->setText(QString::number(value));
}

void TKlass::GotovoClick()
{
    setNabrano(answer_.score());
}

void TKlass::OtvWstavinClick()
{
    const int row = answer_.hint();
    if (row != 0) {
        QComboBox* terms = rows_[size_t(row - 1)].terms;
        const QSignalBlocker block(terms);
        terms->setCurrentIndex(answer_.selected(row));
        New->ensureWidgetVisible(rows_[size_t(row - 1)].box);
        Q_EMIT hintUsed();
    }
    GotovoClick();
}

void TKlass::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (isVisible())
        ZakritClick();
}

void TKlass::ZakritClick()
{
    hide();
    GotovoClick();
    Q_EMIT ready(nabrano_, rightCount());
}

void TKlass::applyFonts()
{
    for (Row& r : rows_) {
        setFontOf(r.item, fontSize_, bold_);
        setFontOf(r.terms, fontSize_, bold_);
    }
}

void TKlass::SpinButton1UpClick()
{
    setFontOf(WoprKl, WoprKl->font().pointSize() + 2, WoprKl->font().bold());
    fontSize_ += 2;
    applyFonts();
}

void TKlass::SpinButton1DownClick()
{
    if (fontSize_ <= kMinFontSize)
        return;
    setFontOf(WoprKl, std::max(1, WoprKl->font().pointSize() - 2), WoprKl->font().bold());
    fontSize_ -= 2;
    applyFonts();
}

void TKlass::BitBtn1Click()
{
    bold_ = !bold_; // regular when the first item box is bold, else bold
    setFontOf(WoprKl, WoprKl->font().pointSize(), bold_);
    applyFonts();
}

} // namespace tavel
