// The results window "Итого": figures, teacher adjustments, clipboard copy.
#include "session/windows/results_window.h"

#include "session/windows/controls.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace tavel {
namespace {

QLineEdit* bigBox(QWidget* parent, const QString& name, const QString& hint, int points, int width)
{
    auto* box = controls::valueBox(parent, name, hint);
    box->setFont(controls::boldFont(box, points));
    box->setAlignment(Qt::AlignCenter);
    if (width > 0)
        box->setFixedWidth(width);
    return box;
}

} // namespace

QString TFinish::caption()
{
    return QStringLiteral("Итого. Покажите это преподавателю и сфотографируйте для себя.");
}

QColor TFinish::examColour()
{
    return QColor(80, 239, 96);
}

QColor TFinish::trainingColour()
{
    return QColor(255, 128, 128);
}

TFinish::TFinish(QWidget* parent) : QDialog(parent)
{
    using namespace controls;
    setObjectName(QStringLiteral("TFinish"));
    setWindowTitle(caption());

    INN_New = bigBox(this, QStringLiteral("INN_New"), QStringLiteral("Фамилия Имя Отчество № группы"), 14, 0);
    INN_New->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Edit1 = bigBox(this, QStringLiteral("Edit1"), QStringLiteral("Предмет"), 12, 0);
    Edit1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    NamePaketa = bigBox(this, QStringLiteral("NamePaketa"), QStringLiteral("Пакет тестов"), 10, 0);
    NamePaketa->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    RichEdit1 = named(new QTextEdit(this), QStringLiteral("RichEdit1"), QStringLiteral("Тема"));
    RichEdit1->setReadOnly(true);
    RichEdit1->setFont(boldFont(RichEdit1, 11));
    RichEdit1->setFixedHeight(48);
    DatTim = named(new QLabel(this), QStringLiteral("DatTim"), QStringLiteral("Дата и время"));
    DatTim->setFont(boldFont(DatTim, 12));
    ExamTren = named(new QLabel(this), QStringLiteral("ExamTren"), QStringLiteral("Режим"));
    ExamTren->setFont(boldFont(ExamTren, 16));

    WopBall = group(this, QStringLiteral("WopBall"), QStringLiteral("    Вопросы    Баллы"));
    WopBall->setFont(boldFont(WopBall, 11));
    KWopr = bigBox(WopBall, QStringLiteral("KWopr"), QStringLiteral("Вопросов в тесте"), 20, 90);
    WseBal = bigBox(WopBall, QStringLiteral("WseBal"), QStringLiteral("Баллов в тесте"), 20, 90);
    WerWop = bigBox(WopBall, QStringLiteral("WerWop"), QStringLiteral("Правильных ответов"), 20, 90);
    WerBal = bigBox(WopBall, QStringLiteral("WerBal"), QStringLiteral("Набрано баллов"), 20, 90);
    auto* figures = new QGridLayout(WopBall);
    figures->addWidget(label(WopBall, QStringLiteral("Всего")), 0, 0);
    figures->addWidget(KWopr, 0, 1);
    figures->addWidget(WseBal, 0, 2);
    figures->addWidget(label(WopBall, QStringLiteral("Верно")), 1, 0);
    figures->addWidget(WerWop, 1, 1);
    figures->addWidget(WerBal, 1, 2);

    Ocenka = bigBox(this, QStringLiteral("Ocenka"),
                    QStringLiteral("Итоговая оценка по количеству набранных баллов 5-ти балльная система"), 40, 120);
    Gauge1 = named(new QProgressBar(this), QStringLiteral("Gauge1"), QStringLiteral("Набрано баллов в %"));
    Gauge1->setRange(0, 100);
    Gauge1->setFont(boldFont(Gauge1, 12));
    Gauge1->setMinimumHeight(28);
    NWopr = bigBox(this, QStringLiteral("NWopr"), QStringLiteral("Отвечено вопросов"), 14, 70);

    GroupBox3 = group(this, QStringLiteral("GroupBox3"), QStringLiteral("Правила выставления оценок"));
    TriProc = bigBox(GroupBox3, QStringLiteral("TriProc"), QStringLiteral("Процент для оценки 3"), 11, 50);
    ChetProc = bigBox(GroupBox3, QStringLiteral("ChetProc"), QStringLiteral("Процент для оценки 4"), 11, 50);
    PaytProc = bigBox(GroupBox3, QStringLiteral("PaytProc"), QStringLiteral("Процент для оценки 5"), 11, 50);
    auto* rules = new QGridLayout(GroupBox3);
    int r = 0;
    for (auto [box, text] : {std::pair{TriProc, QStringLiteral(" >=         3 ")},
                             std::pair{ChetProc, QStringLiteral(" >=         4 ")},
                             std::pair{PaytProc, QStringLiteral(" >=         5 ")}}) {
        rules->addWidget(box, r, 0);
        rules->addWidget(label(GroupBox3, text), r, 1);
        ++r;
    }
    for (QLineEdit* box : {TriProc, PaytProc})
        box->installEventFilter(this);

    auto* minutes = group(this, QStringLiteral("WremaGB"), QStringLiteral("Время минуты"));
    TimerTema1 = bigBox(minutes, QStringLiteral("TimerTema1"), QStringLiteral("Минут затрачено на тему"), 12, 70);
    LimitTime = bigBox(minutes, QStringLiteral("LimitTime"), QStringLiteral("Осталось минут"), 12, 70);
    auto* minutesLayout = new QGridLayout(minutes);
    minutesLayout->addWidget(label(minutes, QStringLiteral("Прошло")), 0, 0);
    minutesLayout->addWidget(TimerTema1, 0, 1);
    minutesLayout->addWidget(label(minutes, QStringLiteral("Осталось ")), 1, 0);
    minutesLayout->addWidget(LimitTime, 1, 1);

    auto* range = group(this, QStringLiteral("ParamGB"), QStringLiteral("Вопросы с .. по, минут"));
    PervNomVopr = bigBox(range, QStringLiteral("PervNomVopr"), QStringLiteral("Первый вопрос"), 11, 56);
    PoslNomVopr = bigBox(range, QStringLiteral("PoslNomVopr"), QStringLiteral("Последний вопрос"), 11, 56);
    MaxTime = bigBox(range, QStringLiteral("MaxTime"), QStringLiteral("Отведено минут для всего теста"), 11, 56);
    auto* rangeLayout = new QGridLayout(range);
    rangeLayout->addWidget(label(range, QStringLiteral("с")), 0, 0);
    rangeLayout->addWidget(PervNomVopr, 0, 1);
    rangeLayout->addWidget(label(range, QStringLiteral("по")), 1, 0);
    rangeLayout->addWidget(PoslNomVopr, 1, 1);
    rangeLayout->addWidget(label(range, QStringLiteral("минут")), 2, 0);
    rangeLayout->addWidget(MaxTime, 2, 1);

    Label7 = named(new QLabel(QStringLiteral("*"), this), QStringLiteral("Label7"),
                   QStringLiteral("Преподаватель добавил балл"));
    Label7->setFont(boldFont(Label7, 24));
    Label7->hide();
    BitBtn1 = button(this, QStringLiteral("BitBtn1"), QStringLiteral("В буфер обмена"),
                     QStringLiteral("Изображение всей формы в буфер обмена записать"));
    BitBtn1->setFont(boldFont(BitBtn1, 10));
    connect(BitBtn1, &QPushButton::clicked, this, &TFinish::BitBtn1Click);

    auto* head = new QHBoxLayout;
    head->addWidget(ExamTren);
    head->addStretch(1);
    head->addWidget(DatTim);

    auto* grade = new QGridLayout;
    grade->addWidget(WopBall, 0, 0, 2, 1);
    auto* ocenkaBox = new QHBoxLayout;
    ocenkaBox->addWidget(Ocenka);
    ocenkaBox->addWidget(Label7);
    grade->addLayout(ocenkaBox, 0, 1);
    auto* answered = new QHBoxLayout;
    answered->addWidget(label(this, QStringLiteral("Отвечено вопросов")));
    answered->addWidget(NWopr);
    grade->addLayout(answered, 1, 1);
    grade->addWidget(label(this, QStringLiteral("Набрано баллов в %")), 2, 0, 1, 2);
    grade->addWidget(Gauge1, 3, 0, 1, 2);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(GroupBox3);
    bottom->addWidget(minutes);
    bottom->addWidget(range);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(INN_New);
    layout->addWidget(Edit1);
    layout->addWidget(NamePaketa);
    layout->addWidget(RichEdit1);
    layout->addLayout(grade);
    layout->addLayout(bottom);
    layout->addWidget(BitBtn1, 0, Qt::AlignRight);
    resize(640, 560);
    showFigures();
}

QString TFinish::dateTimeText(const QDateTime& now)
{
    // Russian dates and times whatever the system's locale: the results are
    // read by a Russian teacher ("08.12.2026  09:05").
    const QLocale locale(QLocale::Russian, QLocale::Russia);
    return QStringLiteral(" ") + locale.toString(now.date(), QLocale::ShortFormat) + QStringLiteral("  ")
           + locale.toString(now.time(), QLocale::LongFormat).left(5);
}

void TFinish::fill(const Copy& copy)
{
    figures_ = copy.figures;
    figures_.adjusted = false;
    thresholds_ = copy.thresholds;
    MaxTime->setText(copy.maxTime);
    PervNomVopr->setText(copy.firstOrdinal);
    PoslNomVopr->setText(copy.lastOrdinal);
    LimitTime->setText(copy.limitTime);
    INN_New->setText(copy.student);
    TimerTema1->setText(copy.minutesUsed);
    TimerTema1->setReadOnly(true);
    TimerTema1->setFocusPolicy(Qt::NoFocus);
    TriProc->setText(QString::number(thresholds_.three));
    ChetProc->setText(QString::number(thresholds_.four));
    PaytProc->setText(QString::number(thresholds_.five));
    showFigures();
}

void TFinish::FormShow(bool exam, const QDateTime& now, const QString& subject)
{
    exam_ = exam;
    ExamTren->setText(exam ? QStringLiteral(" Экзамен ") : QStringLiteral(" Тренировка "));
    DatTim->setText(dateTimeText(now));
    Edit1->setText(subject);
    NamePaketa->setVisible(!NamePaketa->text().isEmpty()); // a package exam names its package
    update();
}

void TFinish::setAnswered(int count)
{
    NWopr->setText(QString::number(count));
}

void TFinish::setTopicName(const QString& name)
{
    RichEdit1->setPlainText(name);
}

void TFinish::showFigures()
{
    KWopr->setText(QString::number(figures_.kWopr));
    WerWop->setText(QString::number(figures_.werWop));
    WseBal->setText(QString::number(figures_.wseBal));
    WerBal->setText(QString::number(figures_.werBal));
    // Without points available there is no grade: a dash, not the " 0" of Start.
    Ocenka->setText(figures_.wseBal > 0 ? figures_.ocenka : QStringLiteral(" ") + kNoGrade);
    Gauge1->setValue(std::clamp(figures_.gauge, 0, 100));
    // Without points available there is no percentage to show.
    Gauge1->setFormat(figures_.wseBal > 0 ? QStringLiteral("%p %") : QStringLiteral("—"));
    Label7->setVisible(figures_.adjusted);
}

void TFinish::TriProcDblClick()
{
    figures_ = addTeacherPoint(figures_, thresholds_);
    showFigures();
}

void TFinish::PaytProcDblClick()
{
    TimerTema1->setReadOnly(false);
    TimerTema1->setFocusPolicy(Qt::StrongFocus);
    TimerTema1->setFocus();
}

void TFinish::BitBtn1Click()
{
    BitBtn1->hide();
    const QPixmap picture = grab();
    BitBtn1->show();
    QApplication::clipboard()->setPixmap(picture);
}

bool TFinish::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == TriProc) {
            TriProcDblClick();
            return true;
        }
        if (watched == PaytProc) {
            PaytProcDblClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFinish::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor from = exam_ ? examColour() : trainingColour();
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, Qt::white);
    painter.fillRect(rect(), gradient);
}

} // namespace tavel
