// The trainer side of the main window on a running topic: hints and their
// count, postponing and replay, the mode list, the exam form, and whole
// topics taken in training form and in exam form.
#include "trainer_fixture.h"

#include "platform/random.h"
#include "platform/windows/hint.h"
#include "session/grades.h"
#include "session/windows/explanation_window.h"
#include "session/windows/main_menu.h"
#include "session/windows/results_window.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>

using namespace tavel;
using namespace tavel::test;

namespace {

const QString kPlus = QStringLiteral("+");

Question tickQuestion(int n, std::vector<Variant> variants, const QString& points = QStringLiteral("1"))
{
    return {QStringLiteral("Вопрос %1").arg(n), std::move(variants), points};
}

} // namespace

TEST_F(TrainerTest, PostponingQuestionsTwoAndFourOfFiveReplaysThemLast)
{
    startTopic(typedQuestions(5));
    answer(QStringLiteral("ответ 1"));
    press(area().Otlogit);
    EXPECT_EQ(shownQuestion(), QStringLiteral("3"));
    EXPECT_EQ(score().NWopr->text(), QStringLiteral("3")); // the postponed one counts as asked
    EXPECT_EQ(score().PovtNev->text(), QStringLiteral("1"));
    answer(QStringLiteral("ответ 3"));
    press(area().Otlogit);
    EXPECT_EQ(shownQuestion(), QStringLiteral("5"));
    EXPECT_FALSE(score().Powtorit1->isEnabled());
    answer(QStringLiteral("ответ 5"));

    EXPECT_TRUE(topicClosed());
    EXPECT_EQ(score().PovtNev->text(), QStringLiteral("2"));
    EXPECT_TRUE(score().Powtorit1->isEnabled());
    EXPECT_FALSE(area().Itog1->isEnabled());
    EXPECT_FALSE(area().Otlogit->isEnabled());
    EXPECT_EQ(score().WerWop->text(), QStringLiteral("3"));
    EXPECT_EQ(shown(BoxKind::Modal, QStringLiteral("TFinish")), 1);

    press(score().Powtorit1);
    EXPECT_EQ(shownQuestion(), QStringLiteral("2"));
    EXPECT_EQ(score().NWopr->text(), QStringLiteral("4"));
    EXPECT_EQ(score().PovtNev->text(), QStringLiteral("0"));
    EXPECT_FALSE(score().Powtorit1->isEnabled());
    EXPECT_TRUE(area().Itog1->isEnabled());
    EXPECT_TRUE(area().Otlogit->isEnabled());
    EXPECT_TRUE(run().Timer2->isActive());
    EXPECT_EQ(run().session().answeredCount, 3); // the replay itself judged nothing
    answer(QStringLiteral("ответ 2"));
    EXPECT_EQ(shownQuestion(), QStringLiteral("4"));
    EXPECT_EQ(score().NWopr->text(), QStringLiteral("5"));
    answer(QStringLiteral("ответ 4"));

    EXPECT_TRUE(topicClosed());
    EXPECT_EQ(score().WerWop->text(), QStringLiteral("5"));
    EXPECT_EQ(run().session().answeredCount, 5);
    EXPECT_FALSE(score().Powtorit1->isEnabled());
    EXPECT_EQ(shown(BoxKind::Modal, QStringLiteral("TFinish")), 2);
}

TEST_F(TrainerTest, PostponedLastQuestionKeepsItsCountdownWhichClosesTheTopic)
{
    startTopic(typedQuestions(2));
    answer(QStringLiteral("ответ 1"));
    area().OdinOt->setText(QStringLiteral("ответ 2"));
    press(area().Otlogit);
    EXPECT_FALSE(area().Itog1->isEnabled());
    EXPECT_FALSE(area().Otlogit->isEnabled());
    EXPECT_TRUE(score().Powtorit1->isEnabled());
    EXPECT_TRUE(run().Timer2->isActive());
    EXPECT_EQ(panel().Pusk->text(), QStringLiteral("Стоп"));
    EXPECT_EQ(score().NWopr->text(), QStringLiteral("2"));

    // At 0 the topic closes; the postponed answer is not judged.
    run().session().countdown.left = 1;
    timers().Timer2Timer();
    EXPECT_TRUE(topicClosed());
    EXPECT_EQ(panel().Pusk->text(), QStringLiteral("Старт"));
    EXPECT_EQ(score().WerWop->text(), QStringLiteral("1"));
    EXPECT_EQ(run().session().answeredCount, 1);
    EXPECT_TRUE(score().Powtorit1->isEnabled());
    EXPECT_FALSE(run().Timer2->isActive());
    EXPECT_EQ(shown(BoxKind::Modal, QStringLiteral("TFinish")), 1);

    press(score().Powtorit1);
    EXPECT_EQ(shownQuestion(), QStringLiteral("2"));
    EXPECT_EQ(score().NWopr->text(), QStringLiteral("2"));
    answer(QStringLiteral("ответ 2"));
    EXPECT_TRUE(topicClosed());
    EXPECT_EQ(score().WerWop->text(), QStringLiteral("2"));
    EXPECT_EQ(shown(BoxKind::Modal, QStringLiteral("TFinish")), 2);
}

TEST_F(TrainerTest, HintsOnTickBoxesHideTheWrongVariantsOneByOne)
{
    startTopic({tickQuestion(1, {{kPlus, QStringLiteral("а")}, {QString(), QStringLiteral("б")},
                                 {kPlus, QStringLiteral("в")}, {QString(), QStringLiteral("г")}}),
                tickQuestion(2, {{kPlus, QStringLiteral("а")}, {kPlus, QStringLiteral("б")}})});
    ASSERT_TRUE(area().Fifti->isEnabled());
    press(area().Fifti);
    EXPECT_TRUE(rows().textLine(2)->isHidden());
    EXPECT_FALSE(rows().textLine(4)->isHidden());
    EXPECT_FALSE(rows().tickBox(2)->isHidden()); // its tick box stays
    press(area().Fifti);
    EXPECT_TRUE(rows().textLine(4)->isHidden());
    EXPECT_EQ(score().Podskazano->text(), QStringLiteral("2"));
    press(area().Fifti);
    EXPECT_EQ(score().Podskazano->text(), QStringLiteral("2"));
    EXPECT_FALSE(rows().textLine(1)->isHidden());
    EXPECT_FALSE(rows().textLine(3)->isHidden());

    // Every variant right: nothing to hide, nothing counted.
    tick(1);
    tick(3);
    ready();
    ASSERT_EQ(shownQuestion(), QStringLiteral("2"));
    EXPECT_FALSE(rows().textLine(1)->isHidden()); // the next question shows all its texts
    press(area().Fifti);
    EXPECT_EQ(score().Podskazano->text(), QStringLiteral("2"));
    EXPECT_FALSE(rows().textLine(1)->isHidden());
    EXPECT_FALSE(rows().textLine(2)->isHidden());
}

TEST_F(TrainerTest, HintOnAnExactAnswerTypesItAndCountsTwoThenNothing)
{
    startTopic(typedQuestions(2));
    press(area().Fifti);
    EXPECT_EQ(area().OdinOt->text(), QStringLiteral("ответ 1"));
    EXPECT_EQ(score().Podskazano->text(), QStringLiteral("2"));
    press(area().Fifti);
    EXPECT_EQ(score().Podskazano->text(), QStringLiteral("2"));
    ready();
    EXPECT_EQ(score().WerWop->text(), QStringLiteral("1"));

    // The explanation window's answer hint: one hint for the typed answer.
    TTeksti* teksti = windows->set().teksti.get();
    ASSERT_TRUE(teksti);
    area().OdinOt->setText(QStringLiteral("отв"));
    teksti->TekstPlusSim1Click();
    EXPECT_EQ(area().OdinOt->text(), QStringLiteral("ответ 2"));
    EXPECT_EQ(score().Podskazano->text(), QStringLiteral("3"));
    teksti->TekstPlusSim1Click();
    EXPECT_EQ(score().Podskazano->text(), QStringLiteral("3"));
}

TEST_F(TrainerTest, HintOnMatchingCountsUpToTheWrongVariants)
{
    startTopic({tickQuestion(1, {{kPlus, QStringLiteral("Москва")}, {kPlus, QStringLiteral("Киев")},
                                 {QStringLiteral("-"), QStringLiteral("город")}, {QStringLiteral("-"), QStringLiteral("река")},
                                 {QStringLiteral("-"), QStringLiteral("гора")}})});
    ASSERT_EQ(area().TipOtweta->text(), QStringLiteral("Соответствие"));
    for (int press = 0; press < 4; ++press)
        trainer().FiftiClick();
    EXPECT_EQ(score().Podskazano->text(), QStringLiteral("3"));
    EXPECT_TRUE(area().OtwetiOtm->isHidden()); // nothing visible changed
}

TEST_F(TrainerTest, HintsAndPostponingDoNothingWithoutAQuestion)
{
    startTopic(typedQuestions(1));
    answer(QStringLiteral("ответ 1"));
    ASSERT_TRUE(topicClosed());
    trainer().FiftiClick();
    trainer().PlusSim1Click();
    trainer().OtlogitClick();
    trainer().Powtorit1Click();
    EXPECT_EQ(score().Podskazano->text(), QStringLiteral("0"));
    EXPECT_EQ(score().PovtNev->text(), QStringLiteral("0"));
    EXPECT_TRUE(area().OdinOt->text().isEmpty());
    EXPECT_EQ(shown(BoxKind::Modal, QStringLiteral("TFinish")), 1);
}

TEST_F(TrainerTest, ModeChangeResetsTheCountersAndSwitchesTheHintControls)
{
    startTopic(typedQuestions(1));
    press(area().Fifti);
    ready();
    ASSERT_EQ(score().WerWop->text(), QStringLiteral("1"));
    ASSERT_TRUE(settings().Regim->isEnabled());

    QListWidget* modes = settings().Regim;
    TTeksti* teksti = windows->set().teksti.get();
    modes->item(TestSettingsPanel::kHintsItem)->setCheckState(Qt::Unchecked);
    for (QLineEdit* box : {score().NWopr, score().WerWop, score().KWopr, score().WerBal, score().WseBal, area().TekBal})
        EXPECT_EQ(box->text(), QStringLiteral("0")) << box->objectName().toStdString();
    EXPECT_EQ(score().Podskazano->text(), QStringLiteral("2")); // not a mode counter
    EXPECT_EQ(run().session().counters.werBal, 0);
    EXPECT_EQ(state.hintMode, kHintsOff);
    EXPECT_FALSE(area().Fifti->isEnabled());
    EXPECT_TRUE(area().KPraw->isHidden());
    EXPECT_TRUE(teksti->TekstPlusSim1->isHidden());

    modes->item(TestSettingsPanel::kHintsItem)->setCheckState(Qt::Checked);
    EXPECT_EQ(state.hintMode, kHintsOn);
    EXPECT_TRUE(area().Fifti->isEnabled());
    EXPECT_FALSE(area().KPraw->isHidden());
    EXPECT_FALSE(teksti->TekstPlusSim1->isHidden());
    modes->item(TestSettingsPanel::kInOrderItem)->setCheckState(Qt::Unchecked);
    EXPECT_TRUE(state.shuffle);
}

TEST_F(TrainerTest, ExamFormOnAndOff)
{
    start();
    enter(QStringLiteral("731946"));
    QCheckBox* exam = settings().Protokol_Wkl;
    QLineEdit* name = panel().INN_New;
    TTeksti* teksti = windows->set().teksti.get();
    MainMenu& menu = form()->menu();
    const QColor nameColour = name->palette().color(QPalette::Base);
    settings().Regim->item(TestSettingsPanel::kInOrderItem)->setCheckState(Qt::Checked);
    score().WerWop->setText(QStringLiteral("3"));
    score().WerBal->setText(QStringLiteral("7"));
    score().Ocenka->setText(QStringLiteral(" 4"));
    score().PatSlovo->setText(QStringLiteral("Хорошо"));
    score().DesNew->setText(QStringLiteral(" Хорошо"));
    score().Gauge1->setValue(60);

    ASSERT_TRUE(exam->isEnabled());
    exam->click();
    EXPECT_EQ(exam->text(), QStringLiteral("Выключить"));
    EXPECT_EQ(name->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_TRUE(name->text().isEmpty());
    EXPECT_EQ(form()->focusWidget(), name);
    EXPECT_FALSE(score().nPrnProtokol->isEnabled());
    EXPECT_FALSE(settings().isTicked(TestSettingsPanel::kHintsItem));
    EXPECT_FALSE(settings().isTicked(TestSettingsPanel::kInOrderItem));
    EXPECT_EQ(state.hintMode, kHintsOff);
    EXPECT_TRUE(state.shuffle);
    EXPECT_FALSE(settings().RegimGB->isEnabled());
    EXPECT_TRUE(area().Fifti->isHidden());
    EXPECT_TRUE(area().KPraw->isHidden());
    EXPECT_TRUE(area().PlusSim1->isHidden());
    EXPECT_TRUE(teksti->TekstPlusSim1->isHidden());
    EXPECT_FALSE(menu.PrTekWopr->isVisible());
    EXPECT_FALSE(menu.PeTekTemi->isEnabled());
    EXPECT_EQ(score().WerWop->text(), QStringLiteral("0"));
    EXPECT_EQ(score().WerBal->text(), QStringLiteral("0"));
    EXPECT_EQ(score().Ocenka->text(), QStringLiteral(" 0"));
    EXPECT_TRUE(score().PatSlovo->text().isEmpty());
    EXPECT_TRUE(score().DesNew->text().isEmpty());
    EXPECT_EQ(score().Gauge1->value(), 0);

    exam->click();
    EXPECT_EQ(exam->text(), QStringLiteral("Включить"));
    EXPECT_EQ(name->palette().color(QPalette::Base), nameColour);
    EXPECT_TRUE(settings().isTicked(TestSettingsPanel::kHintsItem));
    EXPECT_FALSE(settings().isTicked(TestSettingsPanel::kInOrderItem));
    EXPECT_EQ(state.hintMode, kHintsOn);
    EXPECT_TRUE(state.shuffle);
    EXPECT_TRUE(settings().RegimGB->isEnabled());
    EXPECT_FALSE(area().Fifti->isHidden());
    EXPECT_TRUE(area().Fifti->isEnabled());
    EXPECT_FALSE(area().KPraw->isHidden());
    EXPECT_TRUE(area().PlusSim1->isHidden());
    EXPECT_FALSE(teksti->TekstPlusSim1->isHidden());
    EXPECT_TRUE(menu.PrTekWopr->isVisible());
    EXPECT_FALSE(isMarkedNotYetAvailable(menu.PeTekTemi)); // built; shown again at a topic's end
}

TEST_F(TrainerTest, WholeTopicInTrainingFormWithHintsAndPostponing)
{
    startTopic({tickQuestion(1,
                             {{kPlus, QStringLiteral("а")}, {QString(), QStringLiteral("б")},
                              {QString(), QStringLiteral("в")}, {kPlus, QStringLiteral("г")}},
                             QStringLiteral("2")),
                typed(2), typed(3),
                tickQuestion(4, {{kPlus, QStringLiteral("да")}, {QString(), QStringLiteral("нет")}})});
    ASSERT_EQ(score().WseBal->text(), QStringLiteral("5"));

    // 1: two hints take the wrong variants away; both right ones ticked.
    press(area().Fifti);
    press(area().Fifti);
    tick(1);
    tick(4);
    ready();
    // 2: postponed.
    ASSERT_EQ(shownQuestion(), QStringLiteral("2"));
    press(area().Otlogit);
    // 3: the hint types the answer in.
    ASSERT_EQ(shownQuestion(), QStringLiteral("3"));
    press(area().Fifti);
    ready();
    // 4: the wrong variant ticked; "Надо так" shows the right one.
    ASSERT_EQ(shownQuestion(), QStringLiteral("4"));
    bool rightOneShown = false;
    script.drive([&](QDialog& rightAnswer) {
        rightOneShown = rightAnswer.objectName() == QStringLiteral("TDalsheOkno") && rows().tickBox(1)->isChecked();
    });
    tick(2);
    ready();
    EXPECT_TRUE(rightOneShown);
    EXPECT_TRUE(topicClosed());
    ASSERT_TRUE(score().Powtorit1->isEnabled());

    // The postponed question at the end.
    QString mode;
    script.drive([&](QDialog& finish) { mode = finish.findChild<QLabel*>(QStringLiteral("ExamTren"))->text(); });
    press(score().Powtorit1);
    ASSERT_EQ(shownQuestion(), QStringLiteral("2"));
    answer(QStringLiteral("  Ответ 2 "));
    EXPECT_TRUE(topicClosed());
    EXPECT_EQ(mode, QStringLiteral(" Тренировка "));
    EXPECT_EQ(score().KWopr->text(), QStringLiteral("4"));
    EXPECT_EQ(score().WerWop->text(), QStringLiteral("3"));
    EXPECT_EQ(score().WseBal->text(), QStringLiteral("6")); // 5 + (2 − 1) for the first question
    EXPECT_EQ(score().WerBal->text(), QStringLiteral("5")); // 2 + 1, 1, 0, 1
    EXPECT_EQ(score().Podskazano->text(), QStringLiteral("4"));
    EXPECT_EQ(score().PovtNev->text(), QStringLiteral("0"));
    EXPECT_EQ(run().session().answeredCount, 4);
    EXPECT_EQ(shown(BoxKind::Modal, QStringLiteral("TFinish")), 2);
    EXPECT_EQ(shown(BoxKind::Error), 0);
}

TEST_F(TrainerTest, WholeTopicInExamForm)
{
    openTopic({tickQuestion(1, {{kPlus, QStringLiteral("да")}, {QString(), QStringLiteral("нет")}}), typed(2),
               typed(3), typed(4)},
              true);
    settings().Protokol_Wkl->click();
    panel().INN_New->setText(QStringLiteral("Петров П.П. гр.9"));
    seedRandom(20240901);
    pressStart();
    EXPECT_TRUE(area().Fifti->isHidden());
    EXPECT_FALSE(area().Fifti->isEnabled());
    EXPECT_TRUE(area().KPraw->isHidden());
    EXPECT_FALSE(settings().Protokol_Wkl->isEnabled()); // locked while the test runs

    QString mode, student;
    script.drive([&](QDialog& finish) {
        mode = finish.findChild<QLabel*>(QStringLiteral("ExamTren"))->text();
        student = finish.findChild<QLineEdit*>(QStringLiteral("INN_New"))->text();
    });
    QStringList order;
    while (!topicClosed() && order.size() < 4) {
        const QString n = shownQuestion();
        order << n;
        if (n == QStringLiteral("1")) {
            tick(2); // wrong, and in exam form no right answer is shown
            ready();
        } else {
            answer(n == QStringLiteral("3") ? QStringLiteral("не знаю") : QStringLiteral("ответ ") + n);
        }
    }
    EXPECT_TRUE(topicClosed());
    order.sort();
    EXPECT_EQ(order.join(u' '), QStringLiteral("1 2 3 4"));
    EXPECT_EQ(shown(BoxKind::Modal, QStringLiteral("TDalsheOkno")), 0);
    EXPECT_EQ(mode, QStringLiteral(" Экзамен "));
    EXPECT_EQ(student, QStringLiteral("Петров П.П. гр.9"));
    EXPECT_EQ(score().WerWop->text(), QStringLiteral("2"));
    EXPECT_EQ(score().WerBal->text(), QStringLiteral("2"));
    EXPECT_EQ(score().Podskazano->text(), QStringLiteral("0"));
    EXPECT_TRUE(settings().Protokol_Wkl->isChecked());
    EXPECT_TRUE(settings().Protokol_Wkl->isEnabled());
}

// Mended fault: after the exam form went on and off, the next mode change
// showed the former ten-point word beside " 0" (and the protocols printed it).
TEST_F(TrainerTest, TheExamFormClearsTheTenPointWordForGood)
{
    startTopic(typedQuestions(1));
    answer(QStringLiteral("ответ 1"));
    ASSERT_EQ(score().DesNew->text(), tenPointWord(10));
    settings().Protokol_Wkl->click();
    settings().Protokol_Wkl->click();
    settings().Regim->item(TestSettingsPanel::kInOrderItem)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(score().Ocenka->text(), QStringLiteral(" 0"));
    EXPECT_TRUE(score().DesNew->text().isEmpty());
    EXPECT_TRUE(score().SlDesBal->currentText().isEmpty());
}

// Mended fault: the second click of a double click on "Отложить" postponed
// the next question too, before it was seen.
TEST_F(TrainerTest, ADoubleClickPostponesOneQuestion)
{
    startTopic(typedQuestions(3));
    QTest::mouseClick(area().Otlogit, Qt::LeftButton);
    QTest::mouseDClick(area().Otlogit, Qt::LeftButton);
    QTest::mouseRelease(area().Otlogit, Qt::LeftButton);
    EXPECT_EQ(shownQuestion(), QStringLiteral("2"));
    EXPECT_EQ(score().PovtNev->text(), QStringLiteral("1"));
}
