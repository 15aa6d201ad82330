// Whole topics of the shipped demo folder answered on the real windows, from
// Start to the results window: typed answers and tick boxes, matching and
// ranking in their windows, and the questions that open pictures and
// explanation files.
#include "main_window_fixture.h"

#include "session/windows/answer_rows.h"
#include "session/windows/correct_answer_window.h"
#include "session/windows/explanation_window.h"
#include "session/windows/klass_window.h"
#include "session/windows/picture_windows.h"
#include "session/windows/question_area.h"
#include "session/windows/rang_window.h"
#include "session/windows/results_window.h"
#include "session/windows/score_panel.h"
#include "session/windows/subject_panel.h"
#include "session/windows/test_run.h"
#include "session/windows/test_settings_panel.h"
#include "support/grab.h"

#include <QCheckBox>
#include <QDirIterator>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>

namespace tavel::test {
namespace {

class DemoRunTest : public MainWindowTest {
protected:
    DemoRunTest()
    {
        // The demo installation folder in place of the small one.
        QDir(t.root()).removeRecursively();
        const QString demo = QStringLiteral(TAVEL_DEMO_DIR);
        QDirIterator it(demo, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString target = t.root() + u'/' + QDir(demo).relativeFilePath(file);
            QDir().mkpath(QFileInfo(target).absolutePath());
            EXPECT_TRUE(QFile::copy(file, target)) << file.toStdString();
        }
    }

    TestRun& run() const { return form()->testRun(); }
    QuestionArea& area() const { return *form()->questionArea; }
    ScorePanel& score() const { return *form()->scorePanel; }
    AnswerRows& rows() const { return *form()->answerRows(); }
    WindowSet& set() const { return windows->set(); }

    // Enters as the administrator and starts topic `topic` of subject
    // `subject` in file order, within the range given (0: the whole topic).
    void startTopic(int subject, int topic, int first = 0, int last = 0)
    {
        start();
        enter(QStringLiteral("731946"));
        choose(find<QComboBox>("PredmetName"), subject);
        choose(find<QComboBox>("WiborTema"), topic);
        state.shuffle = false;
        if (first > 0) {
            form()->testSettings->PervNomVopr->setValue(first);
            form()->testSettings->PoslNomVopr->setValue(last);
        }
        QTest::mouseClick(form()->subjectPanel->Pusk, Qt::LeftButton);
    }

    void ready() { QTest::mouseClick(area().Itog1, Qt::LeftButton); }
    // Types the answer key by key (Cyrillic letters too) and presses "Готов".
    void type(const QString& answer)
    {
        for (const QChar c : answer)
            QTest::sendKeyEvent(QTest::Click, area().OdinOt, Qt::Key_unknown, QString(c), Qt::NoModifier);
        ready();
    }
    void tick(int row) { QTest::mouseClick(rows().tickBox(row), Qt::LeftButton, {}, QPoint(6, 10)); }
    // "Дальше" of the correct-answer window the next time it is shown.
    void pressDalsheWhenShown(int& count)
    {
        script.drive([&count](QDialog& d) {
            EXPECT_EQ(d.objectName(), QStringLiteral("TDalsheOkno"));
            ++count;
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("dxfColorButton1")), Qt::LeftButton);
        });
    }

    // KWopr WerWop WseBal WerBal.
    QString figures() const
    {
        return QStringList{score().KWopr->text(), score().WerWop->text(), score().WseBal->text(),
                           score().WerBal->text()}
            .join(u' ');
    }
    QString question() const { return area().WoprosRE->toPlainText(); }
};

// Picks entry `entry` of a term list with the keyboard.
void chooseTerm(TKlass& klass, int row, int entry)
{
    QComboBox* terms = klass.termList(row);
    terms->setFocus();
    QTest::keyClick(terms, Qt::Key_Home);
    for (int i = 0; i < entry; ++i)
        QTest::keyClick(terms, Qt::Key_Down);
    ASSERT_EQ(terms->currentIndex(), entry);
}

TEST_F(DemoRunTest, TypedAnswersAndTickBoxesFromStartToTheResults)
{
    // "Московское государство (XIV–XVII века)": six typed answers, four tick-box
    // questions; 23 points in all.
    startTopic(0, 1);
    EXPECT_EQ(figures(), QStringLiteral("10 0 23 0"));
    EXPECT_TRUE(question().startsWith(QStringLiteral("В каком году произошла Куликовская битва?")));
    // Its picture, and the note about the windows.
    EXPECT_TRUE(set().jpgPokaz.get()->isVisible());
    EXPECT_TRUE(set().jpgPokaz.get()->filePath().endsWith(QStringLiteral("1_2_1_1.jpg")));
    EXPECT_TRUE(area().PictureNote->isVisible());
    EXPECT_EQ(area().PictureNote->text(), QStringLiteral("Размеры и расположение окон подстройте под себя"));
    EXPECT_EQ(area().PictureNote->size(), QSize(177, 37));
    const QRect questionBox(area().WoprosRE->mapTo(&area(), QPoint(0, 0)), area().WoprosRE->size());
    EXPECT_FALSE(area().PictureNote->geometry().intersects(questionBox)); // the question stays readable
    grabIfAsked(*form(), QStringLiteral("demo-picture-question"));

    type(QStringLiteral(" 1380 "));
    EXPECT_EQ(figures(), QStringLiteral("10 1 23 2"));
    EXPECT_FALSE(set().jpgPokaz.get()->isVisible());
    EXPECT_FALSE(area().PictureNote->isVisible());

    type(QStringLiteral("  иван  ")); // stored "Иван"
    EXPECT_EQ(figures(), QStringLiteral("10 2 23 4"));
    EXPECT_EQ(score().Ocenka->text(), QStringLiteral(" 2"));       // 17 %
    EXPECT_EQ(score().DesNew->text(), QStringLiteral("2  Слабо")); // 1.74 → 2
    EXPECT_EQ(score().Gauge1->value(), 17);

    type(QStringLiteral("1480 г")); // the bare year is stored
    EXPECT_EQ(figures(), QStringLiteral("10 2 23 4"));
    type(QStringLiteral("1497"));
    type(QStringLiteral("Местничество"));
    EXPECT_EQ(figures(), QStringLiteral("10 4 23 10"));
    type(QStringLiteral("Фёдор"));
    EXPECT_EQ(figures(), QStringLiteral("10 4 23 10"));
    EXPECT_EQ(score().NWopr->text(), QStringLiteral("7"));

    // Tick boxes: the one right commander.
    EXPECT_EQ(area().TipOtweta->text(), QStringLiteral("Птички поставить"));
    tick(2);
    ready();
    EXPECT_EQ(figures(), QStringLiteral("10 5 23 11"));

    // One of two right: 1 more available, 11 + 3 × 1 ÷ 2 = 12.5 → 12 (halves to even).
    int dalshe = 0;
    tick(1);
    pressDalsheWhenShown(dalshe);
    ready();
    EXPECT_EQ(dalshe, 1);
    EXPECT_EQ(figures(), QStringLiteral("10 5 24 12"));

    // Both right ones and a wrong one: nothing scored.
    tick(1);
    tick(2);
    tick(4);
    pressDalsheWhenShown(dalshe);
    ready();
    EXPECT_EQ(dalshe, 2);
    EXPECT_EQ(figures(), QStringLiteral("10 5 25 12"));

    // The last question, right: the topic closes and the results open.
    bool finished = false;
    script.drive([&](QDialog& d) {
        auto& finish = static_cast<TFinish&>(d);
        EXPECT_EQ(finish.KWopr->text(), QStringLiteral("10"));
        EXPECT_EQ(finish.WerWop->text(), QStringLiteral("6"));
        EXPECT_EQ(finish.WseBal->text(), QStringLiteral("25"));
        EXPECT_EQ(finish.WerBal->text(), QStringLiteral("14"));
        EXPECT_EQ(finish.Ocenka->text(), QStringLiteral(" 3")); // 56 %
        EXPECT_EQ(finish.Gauge1->value(), 56);
        EXPECT_EQ(finish.NWopr->text(), QStringLiteral("10"));
        EXPECT_EQ(finish.Edit1->text(), QStringLiteral("История"));
        EXPECT_EQ(finish.RichEdit1->toPlainText(), QStringLiteral("Московское государство (XIV–XVII века)"));
        EXPECT_EQ(finish.ExamTren->text(), QStringLiteral(" Тренировка "));
        EXPECT_EQ(finish.INN_New->text(), QStringLiteral("Иванов И.И. гр.17_П"));
        EXPECT_EQ(finish.TimerTema1->text(), QStringLiteral("000"));
        EXPECT_EQ(finish.LimitTime->text(), QStringLiteral("10"));
        EXPECT_EQ(finish.PoslNomVopr->text(), QStringLiteral("10"));
        grabIfAsked(d, QStringLiteral("demo-finish"));
        finished = true;
    });
    tick(3);
    ready();
    EXPECT_TRUE(finished);
    EXPECT_EQ(figures(), QStringLiteral("10 6 25 14"));
    EXPECT_EQ(score().DesNew->text(), QStringLiteral("6  Хорошо")); // 5.6 → 6
    EXPECT_EQ(score().SlDesBal->currentText(), QStringLiteral("6  Хорошо"));
    EXPECT_EQ(score().Gauge1->value(), 56);
    EXPECT_EQ(question(), TestRun::topicClosedText());
    EXPECT_EQ(form()->subjectPanel->Pusk->text(), QStringLiteral("Старт"));
    EXPECT_FALSE(area().Itog1->isEnabled());
    EXPECT_TRUE(score().nPrnProtokol->isEnabled());
    EXPECT_FALSE(run().Timer1->isActive());
    EXPECT_FALSE(run().Timer2->isActive());
    EXPECT_EQ(score().Gauge2->value(), 0);
    EXPECT_FALSE(run().elapsedTime().isEmpty());
    QStringList marks;
    for (const QuestionRow& row : run().unansweredList().rows)
        marks << row.mark;
    EXPECT_EQ(marks.join(QString()), QStringLiteral("ппуппупууп"));
    EXPECT_EQ(shown(BoxKind::Error), 0);
}

TEST_F(DemoRunTest, MatchingAndRankingAreAnsweredInTheirWindows)
{
    // "Древняя Русь (IX–XIII века)": three typed answers, two tick-box
    // questions, two matching questions and a ranking; 24 points at Start.
    startTopic(0, 0);
    EXPECT_EQ(figures(), QStringLiteral("8 0 24 0"));
    type(QStringLiteral("862"));
    type(QStringLiteral("988"));
    type(QStringLiteral("Игорь"));
    tick(1);
    tick(3);
    ready();
    tick(2);
    ready();
    EXPECT_EQ(figures(), QStringLiteral("8 5 25 13"));

    // Matching with four items: one by the hint button, three by hand.
    TKlass* klass = set().klass.get();
    ASSERT_TRUE(klass->isVisible());
    EXPECT_EQ(area().TipOtweta->text(), QStringLiteral("Соответствие"));
    EXPECT_EQ(klass->WoprKl->toPlainText(), question());
    QTest::mouseClick(klass->OtvWstavin, Qt::LeftButton);
    EXPECT_EQ(score().Podskazano->text(), QStringLiteral("1"));
    chooseTerm(*klass, 2, 4);
    chooseTerm(*klass, 3, 1);
    chooseTerm(*klass, 4, 2);
    grabIfAsked(*klass, QStringLiteral("demo-klass"));
    QTest::mouseClick(klass->Zakrit, Qt::LeftButton);
    // All four right: the 4 items and the question's 4 Points.
    EXPECT_EQ(figures(), QStringLiteral("8 6 29 21"));
    EXPECT_EQ(score().NWopr->text(), QStringLiteral("7"));

    // The next matching question in the same window: five items, three
    // right. Not counted right: 3 items and 3/5 of its 3 Points (25.8 → 26).
    ASSERT_TRUE(klass->isVisible());
    EXPECT_TRUE(klass->row(5)->isVisible());
    EXPECT_EQ(klass->Nabrano->text(), QStringLiteral("0"));
    chooseTerm(*klass, 1, 3);
    chooseTerm(*klass, 2, 1);
    chooseTerm(*klass, 3, 2);
    chooseTerm(*klass, 4, 1);
    QTest::mouseClick(klass->Zakrit, Qt::LeftButton);
    EXPECT_EQ(figures(), QStringLiteral("8 6 34 26"));

    // Ranking: the boxes moved with the keyboard into the right order.
    TRangForm* rang = set().rangForm.get();
    ASSERT_TRUE(rang->isVisible());
    EXPECT_EQ(area().TipOtweta->text(), QStringLiteral("Ранжирование"));
    EXPECT_EQ(area().KPraw->text(), QStringLiteral("5"));
    const int boxWithPosition[] = {0, 3, 5, 1, 4, 2}; // stored AnswerNo 3, 5, 1, 4, 2
    for (int slot = 1; slot <= 5; ++slot) {
        const int box = boxWithPosition[slot];
        while (rang->slotOfBox(box) > slot)
            QTest::keyClick(rang->box(box), Qt::Key_Up, Qt::ControlModifier);
    }
    EXPECT_EQ(rang->kolSovpad(), 5);
    grabIfAsked(*rang, QStringLiteral("demo-rang"));
    bool finished = false;
    script.drive([&](QDialog& d) {
        auto& finish = static_cast<TFinish&>(d);
        EXPECT_EQ(finish.WerWop->text(), QStringLiteral("7"));
        EXPECT_EQ(finish.WseBal->text(), QStringLiteral("39"));
        EXPECT_EQ(finish.WerBal->text(), QStringLiteral("36")); // 5 items and 5 Points
        EXPECT_EQ(finish.Ocenka->text(), QStringLiteral(" 5")); // 92 %
        EXPECT_EQ(finish.NWopr->text(), QStringLiteral("8"));
        finished = true;
    });
    QTest::mouseClick(rang->Zakrit, Qt::LeftButton);
    EXPECT_TRUE(finished);
    EXPECT_FALSE(rang->isVisible());
    EXPECT_EQ(figures(), QStringLiteral("8 7 39 36"));
    EXPECT_EQ(question(), TestRun::topicClosedText());
}

TEST_F(DemoRunTest, AnswerFormOfTheExplanationWindowFillsTheTypedAnswer)
{
    // Question 1_3_1_9 refers to File#reforma1861.txt#: the answer is the
    // numbers of the terms in letter order.
    startTopic(0, 2, 9, 9);
    TTeksti* teksti = set().teksti.get();
    ASSERT_TRUE(teksti->isVisible());
    EXPECT_TRUE(teksti->filePath().endsWith(QStringLiteral("reforma1861.txt")));
    EXPECT_TRUE(question().trimmed().endsWith(QStringLiteral("подряд.")));
    EXPECT_FALSE(question().contains(QStringLiteral("File#")));
    EXPECT_EQ(area().TipOtweta->text(), QStringLiteral("Точный ответ"));
    const int right[] = {2, 3, 1};
    for (int column = 0; column < 3; ++column) {
        const QRect cell = teksti->BukCif->visualItemRect(teksti->BukCif->item(1, column));
        QTest::mouseClick(teksti->BukCif->viewport(), Qt::LeftButton, {}, cell.center());
        // The term picked from the open list with the mouse.
        teksti->SpisTerm->showPopup();
        QAbstractItemView* list = teksti->SpisTerm->view();
        const QRect item = list->visualRect(teksti->SpisTerm->model()->index(right[column] - 1, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    }
    QTest::mouseClick(teksti->Zakrit, Qt::LeftButton);
    EXPECT_FALSE(teksti->isVisible());
    EXPECT_EQ(area().OdinOt->text(), QStringLiteral("231"));
    ready();
    EXPECT_EQ(figures(), QStringLiteral("1 1 4 4"));
}

TEST_F(DemoRunTest, PicturesAndRichTextOpenBesideTheirQuestions)
{
    // Matem 3_3_2_2: a GIF picture by its number and File#pifagor.rtf#.
    startTopic(2, 2, 2, 2);
    EXPECT_TRUE(set().gifPokaz.get()->isVisible());
    EXPECT_TRUE(set().gifPokaz.get()->filePath().endsWith(QStringLiteral("3_3_2_2.gif")));
    EXPECT_TRUE(set().teksti.get()->isVisible());
    EXPECT_TRUE(set().teksti.get()->filePath().endsWith(QStringLiteral("pifagor.rtf")));
    EXPECT_FALSE(set().teksti.get()->Poyasnen->toPlainText().isEmpty());
    EXPECT_TRUE(area().PictureNote->isVisible());
    grabIfAsked(*form(), QStringLiteral("demo-gif-question"));
    type(QStringLiteral("5"));
    EXPECT_EQ(figures(), QStringLiteral("1 1 2 2"));
    // The presenter closes them before the next question (here: after the last).
    EXPECT_FALSE(set().gifPokaz.get()->isVisible());
    EXPECT_FALSE(set().teksti.get()->isVisible());
}

TEST_F(DemoRunTest, AnimatedPictureOfAnInformaticsQuestion)
{
    startTopic(1, 2, 2, 2);
    ASSERT_TRUE(set().gifPokaz.get()->isVisible());
    EXPECT_TRUE(set().gifPokaz.get()->filePath().endsWith(QStringLiteral("2_3_2_2.gif")));
    EXPECT_GT(set().gifPokaz.get()->frameCount(), 1);
    EXPECT_FALSE(set().jpgPokaz.get()->isVisible());
    EXPECT_FALSE(set().teksti.get()->isVisible());
}

} // namespace
} // namespace tavel::test
