// The score panel of the main window.
#include "session/windows/score_panel.h"

#include "session/checking.h"
#include "session/grades.h"
#include "session/session_state.h"
#include "session/windows/controls.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavel {

ScorePanel::ScorePanel(QWidget* parent) : QWidget(parent)
{
    using namespace controls;
    setObjectName(QStringLiteral("ScorePanel"));

    WopBall = group(this, QStringLiteral("WopBall"), QStringLiteral("Вопросы    Баллы  Оценка Процент"),
                    QStringLiteral("Двойной щелчёк - увеличить"));
    KWopr = valueBox(WopBall, QStringLiteral("KWopr"), QStringLiteral("Вопросов в тесте"), QStringLiteral("0"));
    WerWop = valueBox(WopBall, QStringLiteral("WerWop"), QStringLiteral("Правильных ответов"), QStringLiteral("0"));
    WseBal = valueBox(WopBall, QStringLiteral("WseBal"), QStringLiteral("Баллов в тесте"), QStringLiteral("0"));
    WerBal = valueBox(WopBall, QStringLiteral("WerBal"), QStringLiteral("Набрано баллов"), QStringLiteral("0"));
    Ocenka = valueBox(WopBall, QStringLiteral("Ocenka"),
                      QStringLiteral("Итоговая оценка по количеству набранных баллов 5-ти балльная система"));
    Ocenka->setFont(boldFont(Ocenka, 20));
    Ocenka->setFixedWidth(64);
    Gauge1 = named(new QProgressBar(WopBall), QStringLiteral("Gauge1"), QStringLiteral("Набрано баллов в %"));
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
    Gauge1->setFormat(QStringLiteral("%p %"));
    NWopr = valueBox(WopBall, QStringLiteral("NWopr"), QStringLiteral("Номер вопроса"), QStringLiteral("0"));
    TimerTema1 = valueBox(WopBall, QStringLiteral("TimerTema1"), QStringLiteral("Минут затрачено на тему"),
                          QStringLiteral("000"));
    LimitTime = named(new QLineEdit(WopBall), QStringLiteral("LimitTime"), QStringLiteral("Осталось минут"));
    LimitTime->setAlignment(Qt::AlignCenter);
    for (QLineEdit* box : {KWopr, WerWop, WseBal, WerBal, NWopr, TimerTema1, LimitTime})
        box->setFont(boldFont(box, 10));

    auto* grid = new QGridLayout(WopBall);
    grid->addWidget(label(WopBall, QStringLiteral("всего")), 0, 0);
    grid->addWidget(KWopr, 0, 1);
    grid->addWidget(WseBal, 0, 2);
    grid->addWidget(Ocenka, 0, 3, 2, 1);
    grid->addWidget(label(WopBall, QStringLiteral("верно")), 1, 0);
    grid->addWidget(WerWop, 1, 1);
    grid->addWidget(WerBal, 1, 2);
    grid->addWidget(Gauge1, 2, 0, 1, 4);
    auto* minutes = new QHBoxLayout;
    minutes->addWidget(label(WopBall, QStringLiteral("№ вопроса")));
    minutes->addWidget(NWopr);
    minutes->addWidget(label(WopBall, QStringLiteral("минут")));
    minutes->addWidget(TimerTema1);
    minutes->addWidget(label(WopBall, QStringLiteral("осталось")));
    minutes->addWidget(LimitTime);
    grid->addLayout(minutes, 3, 0, 1, 4);
    WopBall->installEventFilter(this);

    Gauge2 = named(new QProgressBar(this), QStringLiteral("Gauge2"), QStringLiteral("Осталось вопросов"));
    Gauge2->setRange(0, 1);
    Gauge2->setValue(0);
    Gauge2->setFormat(QStringLiteral("Осталось вопросов: %v"));
    Gauge2->setMaximumHeight(16);

    OtlogenoGB = group(this, QStringLiteral("OtlogenoGB"), QStringLiteral("Отложено"),
                       QStringLiteral("Проиграть отложенные вопросы"));
    PovtNev = valueBox(OtlogenoGB, QStringLiteral("PovtNev"), QStringLiteral("Вопросов для повторения"),
                       QStringLiteral("0"));
    PovtNev->setFixedWidth(50);
    Powtorit1 = button(OtlogenoGB, QStringLiteral("Powtorit1"), QStringLiteral("Повторить"),
                       QStringLiteral("Повторить"));
    Powtorit1->setEnabled(false);
    nPrnProtokol = button(OtlogenoGB, QStringLiteral("nPrnProtokol"), QStringLiteral("Полный"),
                          QStringLiteral("История ответов и протокол"));
    nPrnProtokol->setEnabled(false);
    auto* postponed = new QHBoxLayout(OtlogenoGB);
    postponed->addWidget(PovtNev);
    postponed->addWidget(Powtorit1);
    postponed->addWidget(nPrnProtokol);

    GroupBox4 = group(this, QStringLiteral("GroupBox4"), QStringLiteral("     Оценка  5-ти  балльная "));
    PatSlovo = valueBox(GroupBox4, QStringLiteral("PatSlovo"), {});
    (new QVBoxLayout(GroupBox4))->addWidget(PatSlovo);
    GroupBox4->hide();

    DesBalWkl = group(this, QStringLiteral("DesBalWkl"), QStringLiteral("Оценка  10-ти  балльная "));
    DesNew = valueBox(DesBalWkl, QStringLiteral("DesNew"), {});
    DesNew->setFont(boldFont(DesNew, 10));
    (new QVBoxLayout(DesBalWkl))->addWidget(DesNew);
    DesBalWkl->hide();

    SlDesBal = named(new QComboBox(this), QStringLiteral("SlDesBal"));
    makeEditable(SlDesBal);
    for (int step = 0; step <= 10; ++step)
        SlDesBal->addItem(tenPointWord(step));
    SlDesBal->setEditText({});
    SlDesBal->hide();
    Podskazano = valueBox(this, QStringLiteral("Podskazano"), QStringLiteral("Использовано подсказок"),
                          QStringLiteral("0"));
    Podskazano->hide();
    KOtw = valueBox(this, QStringLiteral("KOtw"), {}, {});
    KOtw->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(WopBall);
    layout->addWidget(Gauge2);
    layout->addWidget(OtlogenoGB);
    layout->addWidget(GroupBox4);
    layout->addWidget(DesBalWkl);
}

void ScorePanel::showScore(const SessionCounters& c, const GradeDisplay& grade)
{
    KWopr->setText(counterText(c.kWopr));
    NWopr->setText(counterText(c.nWopr));
    WerWop->setText(counterText(c.werWop));
    WseBal->setText(counterText(c.wseBal));
    WerBal->setText(counterText(c.werBal));
    Podskazano->setText(counterText(c.podskazano));
    PovtNev->setText(counterText(c.povtNev));
    KOtw->setText(counterText(c.kOtw));
    Ocenka->setText(grade.ocenka);
    PatSlovo->setText(grade.patSlovo);
    SlDesBal->setEditText(grade.tenPoint);
    DesNew->setText(grade.tenPoint);
    Gauge1->setRange(0, 100);
    Gauge1->setValue(percentGauge(c.werBal, c.wseBal));
}

bool ScorePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == WopBall && event->type() == QEvent::MouseButtonDblClick)
        Q_EMIT scoreDoubleClicked();
    return QWidget::eventFilter(watched, event);
}

} // namespace tavel
