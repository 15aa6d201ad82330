// The ranking window: variant boxes moved between slots by mouse or keyboard,
// the hint cells, "Снова" and "Готов".
#include "session/windows/rang_window.h"

#include "session/presentation.h"
#include "session/windows/controls.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
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

constexpr int kRightPad = 8;     // room right of the boxes inside the scroll box
constexpr int kMinBoxWidth = 240;
constexpr int kMinFontSize = 7;  // down only while the boxes are larger
constexpr int kQuestionHeight = 76;
const char* const kTag = "tag";  // the variant number of a box

const QColor kLime(0, 255, 0);
const QColor kFocused(255, 255, 193); // the box that the keyboard moves

void setBase(QWidget* widget, const QColor& colour)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::Base, colour);
    widget->setPalette(p);
}

void addPoints(QWidget* widget, int delta)
{
    QFont f = widget->font();
    f.setPointSize(std::max(1, f.pointSize() + delta));
    widget->setFont(f);
}

} // namespace

QString TRangForm::caption()
{
    return QStringLiteral("Ранжирование. Расположите ответы в нужном порядке.");
}

QString TRangForm::dragLabel()
{
    return QStringLiteral("Щёлкните мышью нужное окно ответа и переместите его вверх или вниз на нужное место");
}

QString TRangForm::keyboardLabel()
{
    return QStringLiteral("Без мыши: Tab — к следующему окну ответа, Ctrl+↑ или Ctrl+↓ — переместить его вверх или вниз");
}

TRangForm::TRangForm(QWidget* parent) : QWidget(parent, Qt::Window)
{
    using namespace controls;
    setObjectName(QStringLiteral("TRangForm"));
    setWindowTitle(caption());

    WoprosRE = named(new QTextEdit(this), QStringLiteral("WoprosRE"));
    WoprosRE->setReadOnly(true);
    WoprosRE->setFocusPolicy(Qt::ClickFocus);
    WoprosRE->setFixedHeight(kQuestionHeight);
    WoprosRE->setFont(boldFont(WoprosRE, 10));

    auto* mouseNote = new QLabel(dragLabel(), this);
    mouseNote->setObjectName(QStringLiteral("Label1"));
    mouseNote->setWordWrap(true);
    auto* keyNote = new QLabel(keyboardLabel(), this);
    keyNote->setObjectName(QStringLiteral("Label2"));
    keyNote->setWordWrap(true);

    Kol_Sovpad = named(new QLineEdit(QStringLiteral("0"), this), QStringLiteral("Kol_Sovpad"));
    Kol_Sovpad->setReadOnly(true);
    Kol_Sovpad->hide();

    Podskazat1 = button(this, QStringLiteral("Podskazat1"), QStringLiteral("Подсказать"),
                        QStringLiteral("Убрать 1 ошибочный ответ"));
    Snova = button(this, QStringLiteral("Snova"), QStringLiteral("Снова"), QStringLiteral("Снова"));
    Zakrit = button(this, QStringLiteral("Zakrit"), QStringLiteral("Готов"), QStringLiteral("Отвечено.Закрыть это окно"));
    Zakrit->setFont(boldFont(Zakrit, Zakrit->font().pointSize()));
    Zakrit->setMinimumWidth(110);

    const QString spinHint = QStringLiteral("Размер шрифта");
    const SpinArrows arrows = spinArrows(this, spinHint);
    SpinButton1 = arrows.box;
    SpinButton1Up = arrows.up;
    SpinButton1Down = arrows.down;

    OtwetiOtm = named(new QScrollArea(this), QStringLiteral("OtwetiOtm"));
    OtwetiOtm->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    OtwetiOtm->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_ = new QWidget(OtwetiOtm);
    area_->setObjectName(QStringLiteral("OtwetiOtmArea"));
    OtwetiOtm->setWidget(area_);
    OtwetiOtm->setWidgetResizable(false);
    ensureSlots(kInitialSlots);

    // The notes on the left, the buttons on the right, between the question
    // and the answers.
    auto* notes = new QVBoxLayout;
    notes->setSpacing(2);
    notes->addWidget(mouseNote);
    notes->addWidget(keyNote);
    auto* bar = new QHBoxLayout;
    bar->setSpacing(6);
    bar->addLayout(notes, 1);
    bar->addWidget(Podskazat1);
    bar->addWidget(Snova);
    SpinButton1->setFixedSize(SpinButton1->sizeHint());
    bar->addWidget(SpinButton1, 0, Qt::AlignVCenter);
    bar->addSpacing(6);
    bar->addWidget(Zakrit);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(WoprosRE);
    layout->addLayout(bar);
    layout->addWidget(OtwetiOtm, 1);

    connect(Podskazat1, &QPushButton::clicked, this, &TRangForm::Podskazat1Click);
    connect(Snova, &QPushButton::clicked, this, &TRangForm::SnovaClick);
    connect(Zakrit, &QPushButton::clicked, this, &TRangForm::ZakritClick);
    connect(SpinButton1Up, &QToolButton::clicked, this, &TRangForm::SpinButton1UpClick);
    connect(SpinButton1Down, &QToolButton::clicked, this, &TRangForm::SpinButton1DownClick);

    const int width = Ranking::kSlotLeft + Ranking::kBoxWidth + kRightPad + 12 +
                      OtwetiOtm->verticalScrollBar()->sizeHint().width() + 2 * OtwetiOtm->frameWidth();
    resize(width, 560);
}

void TRangForm::ensureSlots(int count)
{
    using namespace controls;
    while (int(slots_.size()) < count) {
        const int s = int(slots_.size()) + 1;
        const int top = Ranking::slotTop(s);
        Slot slot;
        slot.position = new QLabel(QString::number(s), area_);
        slot.position->setObjectName(QStringLiteral("Pos%1").arg(s));
        slot.position->setGeometry(4, top + 1, 25, 13);
        slot.position->setFont(boldFont(slot.position, 8));

        slot.correct = named(new QLineEdit(area_), QStringLiteral("Nomer%1").arg(s));
        slot.correct->setGeometry(2, top + 14, 20, 20);
        slot.correct->setReadOnly(true);
        slot.correct->setFocusPolicy(Qt::NoFocus);
        slot.correct->setAlignment(Qt::AlignCenter);
        slot.correct->setTextMargins(0, 0, 0, 0);
        slot.correct->setFont(boldFont(slot.correct, 8));
        slot.correct->setCursor(Qt::PointingHandCursor);
        setBase(slot.correct, kLime);

        slot.slotOf = named(new QLineEdit(area_), QStringLiteral("SlotOf%1").arg(s));
        slot.slotOf->setGeometry(27, top + 10, 25, 20);
        slot.slotOf->setReadOnly(true);

        // Variant box s, made after the cells so that it lies above them.
        slot.box = named(new QTextEdit(area_), QStringLiteral("RichEdit%1").arg(s), keyboardLabel());
        slot.box->setProperty(kTag, s);
        slot.box->setGeometry(Ranking::kSlotLeft, top, Ranking::kBoxWidth, Ranking::kBoxHeight);
        slot.box->setPlainText(QString::number(s) + QStringLiteral(" Окно Правильный номер"));
        slot.box->setReadOnly(true);
        slot.box->setTabChangesFocus(true);
        slot.box->setFocusPolicy(Qt::StrongFocus);
        slot.box->setTextInteractionFlags(Qt::NoTextInteraction);
        slot.box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        slot.box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded); // a long variant stays readable
        slot.box->setFont(boldFont(slot.box, fontSize_));
        slot.box->viewport()->setCursor(Qt::SizeAllCursor);
        slot.box->installEventFilter(this);
        slot.box->viewport()->installEventFilter(this);

        for (QWidget* w : {static_cast<QWidget*>(slot.position), static_cast<QWidget*>(slot.correct),
                           static_cast<QWidget*>(slot.slotOf), static_cast<QWidget*>(slot.box)})
            w->hide();
        slots_.push_back(slot);
    }
}

QWidget* TRangForm::box(int i) const
{
    return slots_[size_t(i - 1)].box;
}

QLineEdit* TRangForm::correctCell(int s) const
{
    return slots_[size_t(s - 1)].correct;
}

void TRangForm::showQuestion(const Presentation& p, bool hintMode)
{
    ranking_ = Ranking::fromPresentation(p);
    shownRows_.clear();
    for (const RankingRow& row : p.rankingRows)
        shownRows_.push_back(row.shown);
    ensureSlots(ranking_.count());
    for (int i = 1; i <= ranking_.count(); ++i)
        slots_[size_t(i - 1)].box->setPlainText(p.rankingRows[size_t(i - 1)].text);
    WoprosRE->setPlainText(p.shownText);
    Podskazat1->setVisible(hintMode);
    FormShow();
    show();
    controls::fitOnScreen(this);
    raise();
    activateWindow();
    fitBoxWidth();
}

void TRangForm::FormShow()
{
    const int n = ranking_.count();
    for (int s = 1; s <= int(slots_.size()); ++s) {
        Slot& slot = slots_[size_t(s - 1)];
        const bool used = s <= n;
        slot.position->setVisible(used);
        slot.box->setVisible(used && shownRows_[size_t(s - 1)]);
        slot.correct->hide();
        slot.slotOf->hide();
    }
    area_->resize(area_->width(), Ranking::slotTop(std::max(n, 1)) + Ranking::kBoxHeight + 6);
    placeBoxes();
    OtwetiOtm->verticalScrollBar()->setValue(0);

    // Tall enough for every slot, within the screen.
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    int available = 10000;
    if (screen) {
        QMargins frame;
        if (const QWindow* w = windowHandle())
            frame = w->frameMargins();
        available = screen->availableGeometry().height() - frame.top() - frame.bottom();
    }
    layout()->activate();
    const int wanted = height() - OtwetiOtm->height() + area_->height() + 2 * OtwetiOtm->frameWidth();
    resize(width(), std::min(wanted, available));
    // The keyboard starts at the top box.
    for (int s = 1; s <= n; ++s) {
        QTextEdit* top = slots_[size_t(ranking_.boxInSlot(s) - 1)].box;
        if (top->isVisibleTo(this)) {
            top->setFocus();
            break;
        }
    }
}

void TRangForm::placeBoxes()
{
    const int n = ranking_.count();
    for (int i = 1; i <= n; ++i) {
        Slot& slot = slots_[size_t(i - 1)];
        slot.box->move(ranking_.boxRect(i).topLeft());
        slot.slotOf->setText(QString::number(ranking_.slotOfBox(i)));
        slot.correct->setText(ranking_.correctCell(i));
        slot.correct->setVisible(ranking_.revealed(i));
    }
    Kol_Sovpad->setText(QString::number(ranking_.score()));
    // Tab goes down the slots.
    QWidget* previous = nullptr;
    for (int s = 1; s <= n; ++s) {
        QWidget* current = slots_[size_t(ranking_.boxInSlot(s) - 1)].box;
        if (!current->isVisibleTo(this))
            continue;
        if (previous)
            setTabOrder(previous, current);
        previous = current;
    }
}

void TRangForm::fitBoxWidth()
{
    const int inside = OtwetiOtm->width() - 2 * OtwetiOtm->frameWidth() -
                       OtwetiOtm->verticalScrollBar()->sizeHint().width();
    const int width = std::clamp(inside - Ranking::kSlotLeft - kRightPad, kMinBoxWidth, int(Ranking::kBoxWidth));
    ranking_.setBoxWidth(width);
    for (Slot& slot : slots_)
        slot.box->resize(width, Ranking::kBoxHeight);
    area_->resize(Ranking::kSlotLeft + width + kRightPad, area_->height());
}

void TRangForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitBoxWidth();
}

int TRangForm::boxNumber(const QObject* watched) const
{
    for (size_t i = 0; i < slots_.size(); ++i)
        if (watched == slots_[i].box || watched == slots_[i].box->viewport())
            return int(i) + 1;
    return 0;
}

QPoint TRangForm::areaPoint(QPointF globalPosition) const
{
    return area_->mapFromGlobal(globalPosition).toPoint();
}

bool TRangForm::eventFilter(QObject* watched, QEvent* event)
{
    const int number = boxNumber(watched);
    if (number == 0 || number > ranking_.count())
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton) {
            slots_[size_t(number - 1)].box->setFocus(Qt::MouseFocusReason);
            RichEdit1MouseDown(number, areaPoint(e->globalPosition()));
        }
        return true;
    }
    case QEvent::MouseMove:
        if (ranking_.dragging())
            RichEdit1MouseMove(areaPoint(static_cast<QMouseEvent*>(event)->globalPosition()));
        return true;
    case QEvent::MouseButtonRelease:
        if (ranking_.dragging() && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            RichEdit1MouseUp(areaPoint(static_cast<QMouseEvent*>(event)->globalPosition()));
        return true;
    case QEvent::KeyPress: {
        auto* e = static_cast<QKeyEvent*>(event);
        const bool moveKey = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
        if (moveKey && (e->key() == Qt::Key_Up || e->key() == Qt::Key_Down)) {
            keyMove(number, e->key() == Qt::Key_Up ? -1 : +1);
            return true;
        }
        break;
    }
    case QEvent::FocusIn:
        setBase(slots_[size_t(number - 1)].box, kFocused);
        OtwetiOtm->ensureWidgetVisible(slots_[size_t(number - 1)].box, 0, 10);
        break;
    case QEvent::FocusOut:
        setBase(slots_[size_t(number - 1)].box, palette().color(QPalette::Base));
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TRangForm::RichEdit1MouseDown(int box, QPoint position)
{
    ranking_.press(box, position);
    slots_[size_t(box - 1)].box->raise();
}

void TRangForm::RichEdit1MouseMove(QPoint position)
{
    if (!ranking_.dragging())
        return;
    ranking_.move(position);
    const int dragged = ranking_.draggedBox();
    slots_[size_t(dragged - 1)].box->move(ranking_.boxRect(dragged).topLeft());
}

void TRangForm::RichEdit1MouseUp(QPoint position)
{
    ranking_.release(position);
    placeBoxes();
}

bool TRangForm::keyMove(int box, int direction)
{
    if (!ranking_.moveBox(box, direction))
        return false;
    placeBoxes();
    OtwetiOtm->ensureWidgetVisible(slots_[size_t(box - 1)].box, 0, 10);
    return true;
}

void TRangForm::Podskazat1Click()
{
    const int slot = ranking_.hint();
    if (slot == 0)
        return;
    placeBoxes();
    OtwetiOtm->ensureWidgetVisible(slots_[size_t(slot - 1)].correct, 0, 10);
    Q_EMIT hintUsed();
}

void TRangForm::SnovaClick()
{
    ranking_.restart();
    placeBoxes();
}

void TRangForm::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (isVisible())
        ZakritClick();
}

void TRangForm::ZakritClick()
{
    hide();
    Kol_Sovpad->setText(QString::number(ranking_.score()));
    Q_EMIT ready(ranking_.score(), ranking_.count());
}

void TRangForm::SpinButton1UpClick()
{
    addPoints(WoprosRE, 2);
    fontSize_ += 2;
    for (Slot& slot : slots_)
        addPoints(slot.box, 2);
}

void TRangForm::SpinButton1DownClick()
{
    if (fontSize_ <= kMinFontSize)
        return;
    addPoints(WoprosRE, -2);
    fontSize_ -= 2;
    for (Slot& slot : slots_)
        addPoints(slot.box, -2);
}

} // namespace tavel
