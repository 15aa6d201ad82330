// The limits of a running test, driven by calling the timers' handlers: the
// topic's minutes down to the stop, the question countdown judging at 0, new
// display times cutting the countdown, and LimitTime typed by hand.
#include "trainer_fixture.h"

#include "session/windows/correct_answer_window.h"
#include "session/windows/klass_window.h"
#include "session/windows/service_commands.h"

using namespace tavel;
using namespace tavel::test;

namespace {

std::vector<Question> tickAndTyped()
{
    return {{QStringLiteral("Вопрос 1"), {{QStringLiteral("+"), QStringLiteral("да")}, {QString(), QStringLiteral("нет")}}},
            typed(2), typed(3)};
}

} // namespace

TEST_F(TrainerTest, TenMinuteLimitCountsDownToTheStop)
{
    openTopic(typedQuestions(3));
    settings().MaxTime->setValue(10);
    pressStart();
    ASSERT_EQ(score().LimitTime->text(), QStringLiteral("10"));
    QStringList used, left;
    for (int minute = 1; minute <= 9; ++minute) {
        timers().Timer1Timer();
        used << score().TimerTema1->text();
        left << score().LimitTime->text();
    }
    EXPECT_EQ(used.join(u' '), QStringLiteral("001 002 003 004 005 006 007 008 009"));
    EXPECT_EQ(left.join(u' '), QStringLiteral("9 8 7 6 5 4 3 2 1"));
    EXPECT_EQ(panel().Pusk->text(), QStringLiteral("Стоп"));
    EXPECT_EQ(script.count(BoxKind::Modal), 0);

    timers().Timer1Timer();
    EXPECT_EQ(score().TimerTema1->text(), QStringLiteral("010"));
    EXPECT_EQ(score().LimitTime->text(), QStringLiteral("0"));
    EXPECT_EQ(panel().Pusk->text(), QStringLiteral("Старт"));
    EXPECT_TRUE(topicClosed());
    EXPECT_FALSE(run().Timer1->isActive());
    EXPECT_FALSE(run().Timer2->isActive());
    EXPECT_EQ(shown(BoxKind::Modal, QStringLiteral("TFinish")), 1);
    EXPECT_EQ(shown(BoxKind::Error), 0);
}

TEST_F(TrainerTest, MinuteHundredShowsOneLeadingZero)
{
    startTopic(typedQuestions(1));
    run().session().counters.timerTema1 = 99;
    score().LimitTime->setText(QStringLiteral("400"));
    timers().Timer1Timer();
    EXPECT_EQ(score().TimerTema1->text(), QStringLiteral("0100"));
    EXPECT_EQ(score().LimitTime->text(), QStringLiteral("399"));
}

TEST_F(TrainerTest, TimeRunningOutClosesTheRightAnswerWindowAndStopsTheTopic)
{
    startTopic(tickAndTyped());
    bool closedByTheLimit = false;
    script.drive([&](QDialog& rightAnswer) {
        EXPECT_EQ(rightAnswer.objectName(), QStringLiteral("TDalsheOkno"));
        EXPECT_FALSE(run().Timer2->isActive()); // stopped while the right answer is shown
        score().LimitTime->setText(QStringLiteral("1"));
        timers().Timer1Timer(); // the minutes count on while the window is open
        closedByTheLimit = !rightAnswer.isVisible();
    });
    ready(); // nothing ticked: wrong, and in hint mode "Надо так" opens
    EXPECT_TRUE(closedByTheLimit);
    EXPECT_EQ(panel().Pusk->text(), QStringLiteral("Старт"));
    EXPECT_TRUE(topicClosed());
    EXPECT_EQ(score().NWopr->text(), QStringLiteral("1")); // no further question was presented
    EXPECT_FALSE(run().Timer2->isActive());
    EXPECT_EQ(shown(BoxKind::Modal, QStringLiteral("TFinish")), 1);
}

TEST_F(TrainerTest, CountdownAtZeroJudgesTheAnswerGivenAndPresentsTheNext)
{
    startTopic(typedQuestions(2));
    QProgressBar* gauge = form()->Gauge3;
    EXPECT_EQ(gauge->value(), gauge->maximum());
    EXPECT_EQ(gauge->maximum(), state.questionSeconds + state.variantSeconds);
    area().OdinOt->setText(QStringLiteral("Ответ 1"));
    run().session().countdown.left = 2;
    timers().Timer2Timer();
    EXPECT_EQ(gauge->value(), 1);
    EXPECT_EQ(score().NWopr->text(), QStringLiteral("1"));

    timers().Timer2Timer();
    EXPECT_EQ(score().WerWop->text(), QStringLiteral("1"));
    EXPECT_EQ(score().NWopr->text(), QStringLiteral("2"));
    EXPECT_EQ(shownQuestion(), QStringLiteral("2"));
    EXPECT_EQ(gauge->value(), gauge->maximum()); // the countdown starts again

    // The last question runs out unanswered: wrong, and the topic closes.
    run().session().countdown.left = 1;
    timers().Timer2Timer();
    EXPECT_TRUE(topicClosed());
    EXPECT_EQ(score().WerWop->text(), QStringLiteral("1"));
    EXPECT_EQ(run().session().answeredCount, 2);
    EXPECT_FALSE(run().Timer2->isActive());
}

TEST_F(TrainerTest, CountdownDoesNotJudgeWhileAModalWindowIsOpen)
{
    startTopic(typedQuestions(2));
    QProgressBar* gauge = form()->Gauge3;
    run().session().countdown.left = 1;
    QDialog box(form());
    box.setModal(true);
    QString during;
    QTimer::singleShot(0, &box, [&] {
        timers().Timer2Timer();
        timers().Timer2Timer();
        during = score().NWopr->text() + u' ' + QString::number(gauge->value());
        box.reject();
    });
    box.exec();
    EXPECT_EQ(during, QStringLiteral("1 0")); // waiting at 0 seconds
    timers().Timer2Timer();
    EXPECT_EQ(score().NWopr->text(), QStringLiteral("2"));
    EXPECT_EQ(run().session().answeredCount, 1);
}

// The display times are locked while Start's run goes on (they are open again
// while postponed questions are replayed): the handler is called directly.
TEST_F(TrainerTest, NewSecondsCutARunningCountdownOnly)
{
    startTopic(typedQuestions(2));
    QProgressBar* gauge = form()->Gauge3;
    run().session().countdown.left = 500;
    settings().WoprSek->setText(QStringLiteral("60"));
    settings().OtwSek->setText(QStringLiteral("5"));
    form()->service().WremaZadatClick();
    EXPECT_EQ(gauge->maximum(), 60);
    EXPECT_EQ(gauge->value(), 60);
    timers().Timer2Timer();
    EXPECT_EQ(gauge->value(), 59);

    // More seconds than are left change nothing for the running question...
    run().session().countdown = Countdown{2700, 500};
    settings().WoprSek->setText(QStringLiteral("2000"));
    form()->service().WremaZadatClick();
    EXPECT_EQ(gauge->value(), 500);
    EXPECT_EQ(gauge->maximum(), 2000);
    // ...and apply from the next one: 2000 + 1 variant × 5.
    answer(QStringLiteral("ответ 1"));
    EXPECT_EQ(gauge->maximum(), 2005);
    EXPECT_EQ(form()->TimeWopros->text(), QStringLiteral("2005"));
    EXPECT_EQ(shown(BoxKind::Error), 0);
}

TEST_F(TrainerTest, SecondsThatAreNotNumbersAreNamedAndLeaveTheCountdownAlone)
{
    startTopic(typedQuestions(2));
    QProgressBar* gauge = form()->Gauge3;
    run().session().countdown.left = 300;
    run().showCountdown();
    const int maximum = gauge->maximum();
    settings().WoprSek->setText(QStringLiteral("шестьдесят"));
    settings().OtwSek->setText(QStringLiteral("-5"));
    form()->service().WremaZadatClick();
    ASSERT_EQ(script.count(BoxKind::Error), 1);
    EXPECT_TRUE(script.last()->text.contains(QStringLiteral("«Секунд на вопрос»")));
    EXPECT_TRUE(script.last()->text.contains(QStringLiteral("«Секунд за каждый вариант ответа»")));
    EXPECT_EQ(gauge->value(), 300);
    EXPECT_EQ(gauge->maximum(), maximum);
    EXPECT_EQ(state.questionSeconds + state.variantSeconds, maximum);
    EXPECT_EQ(panel().Pusk->text(), QStringLiteral("Стоп"));
}

TEST_F(TrainerTest, LimitTimeTypedByHand)
{
    startTopic(typedQuestions(3));
    QLineEdit* limit = score().LimitTime;
    ASSERT_EQ(limit->text(), QStringLiteral("10"));

    // Not a number: one message naming the box, the minutes kept.
    QTest::keyClicks(limit, QStringLiteral("x"));
    ASSERT_EQ(script.count(BoxKind::Error), 1);
    EXPECT_TRUE(script.last()->text.contains(QStringLiteral("«Осталось минут»")));
    EXPECT_TRUE(script.last()->text.contains(QStringLiteral("10x")));
    EXPECT_EQ(limit->text(), QStringLiteral("10"));
    limit->setText(QStringLiteral("-2"));
    EXPECT_EQ(script.count(BoxKind::Error), 2);
    EXPECT_EQ(limit->text(), QStringLiteral("10"));
    EXPECT_EQ(panel().Pusk->text(), QStringLiteral("Стоп"));

    // A number typed in counts down from there.
    limit->selectAll();
    QTest::keyClicks(limit, QStringLiteral("3"));
    timers().Timer1Timer();
    EXPECT_EQ(limit->text(), QStringLiteral("2"));
    EXPECT_EQ(run().session().counters.limitTime, 2);

    // Typing 0 stops the topic.
    limit->selectAll();
    QTest::keyClicks(limit, QStringLiteral("0"));
    EXPECT_EQ(panel().Pusk->text(), QStringLiteral("Старт"));
    EXPECT_TRUE(topicClosed());
    EXPECT_EQ(shown(BoxKind::Modal, QStringLiteral("TFinish")), 1);

    // Without a running test the box means nothing: 0 starts no test.
    limit->setText(QStringLiteral("5"));
    limit->setText(QStringLiteral("0"));
    limit->setText(QStringLiteral("абв"));
    EXPECT_EQ(panel().Pusk->text(), QStringLiteral("Старт"));
    EXPECT_EQ(script.count(BoxKind::Error), 2);
}

// Mended fault: after the matching window closed the keyboard landed in
// LimitTime; one Space emptied it and the next minute stopped the topic.
TEST_F(TrainerTest, TheKeyboardStaysWithTheAnswerAndAStrayKeyStopsNothing)
{
    startTopic({{QStringLiteral("Сопоставьте"),
                 {{QStringLiteral("+"), QStringLiteral("A")}, {QStringLiteral("-"), QStringLiteral("X")}}},
                {QStringLiteral("Отметьте"), {{QStringLiteral("+"), QStringLiteral("да")}, {QString(), QStringLiteral("нет")}}}});
    TKlass* klass = windows->set().klass.get();
    ASSERT_TRUE(klass->isVisible());
    QTest::mouseClick(klass->Zakrit, Qt::LeftButton);
    ASSERT_EQ(shownQuestion(), QStringLiteral("Отметьте"));
    EXPECT_EQ(form()->focusWidget(), rows().tickBox(1));
    EXPECT_FALSE(score().LimitTime->focusPolicy() & Qt::TabFocus);

    // Emptied all the same: the next minute counts from the minutes it held.
    score().LimitTime->clear();
    timers().Timer1Timer();
    EXPECT_EQ(score().LimitTime->text(), QStringLiteral("9"));
    EXPECT_EQ(panel().Pusk->text(), QStringLiteral("Стоп"));
}
