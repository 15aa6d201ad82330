// A topic test run on the real windows: Start builds the list and locks the
// controls, Stop restores them, the presenter shows each kind with its
// controls and files, the checker scores and closes the topic, and the
// correct-answer and results windows are driven like a person would.
#include "main_window_fixture.h"

#include "platform/open_file.h"
#include "platform/windows/gauge_progress.h"
#include "platform/random.h"
#include "session/windows/answer_rows.h"
#include "session/windows/correct_answer_window.h"
#include "session/windows/explanation_window.h"
#include "session/windows/klass_window.h"
#include "session/windows/main_menu.h"
#include "session/windows/picture_windows.h"
#include "session/windows/question_area.h"
#include "session/windows/rang_window.h"
#include "session/windows/results_window.h"
#include "session/windows/run_timers.h"
#include "session/windows/score_panel.h"
#include "session/windows/start_screen.h"
#include "session/windows/subject_panel.h"
#include "session/windows/test_run.h"
#include "session/windows/test_settings_panel.h"
#include "support/grab.h"

#include <QCheckBox>
#include <QDirIterator>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QThread>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <numeric>

namespace tavel::test {
namespace {

struct Variant {
    QString mark;
    QString number;
    QString text;
};

struct Question {
    QString number;
    QString text;
    QString points;
    std::vector<Variant> variants;
};

// Replaces the questions and answers of История (folder Istoriy, subject
// "01"): topic "001" gets `first`, topic "002" `second`.
void writeQuestions(const TempHome& t, const std::vector<Question>& first, const std::vector<Question>& second = {})
{
    std::vector<QuestionRecord> questions;
    std::vector<AnswerRecord> answers;
    const auto add = [&](const QString& topic, const std::vector<Question>& list) {
        for (const Question& q : list) {
            questions.push_back({QStringLiteral("01"), topic, QStringLiteral("01"), q.number, q.text, {}, q.points, {}});
            for (const Variant& v : q.variants)
                answers.push_back({QStringLiteral("01"), topic, QStringLiteral("01"), q.number, v.number, v.mark,
                                   v.text});
        }
    };
    add(QStringLiteral("001"), first);
    add(QStringLiteral("002"), second);
    writeRecords(t.path(QStringLiteral("Istoriy/Wopros.dat")), questions);
    writeRecords(t.path(QStringLiteral("Istoriy/Otwet.dat")), answers);
}

// Typed-answer questions numbered `from`.. with the answer "ответ N".
std::vector<Question> typedQuestions(int count, int from = 1)
{
    std::vector<Question> list;
    for (int i = from; i < from + count; ++i)
        list.push_back({QString::number(i), QStringLiteral("Вопрос %1").arg(i), QStringLiteral("1"),
                        {{QStringLiteral("Ф"), QStringLiteral("1"), QStringLiteral("ответ %1").arg(i)}}});
    return list;
}

// A source of the draws a test wants, in order.
class Draws : public RandomSource {
public:
    explicit Draws(std::vector<double> values) : values_(std::move(values)) {}
    double next() override { return values_.at(next_++ % values_.size()); }

private:
    std::vector<double> values_;
    size_t next_ = 0;
};

class TestRunTest : public MainWindowTest {
protected:
    ~TestRunTest() override { setRandomSource(nullptr); }

    TestRun& run() const { return form()->testRun(); }
    QuestionArea& area() const { return *form()->questionArea; }
    ScorePanel& score() const { return *form()->scorePanel; }
    SubjectPanel& panel() const { return *form()->subjectPanel; }
    TestSettingsPanel& settings() const { return *form()->testSettings; }
    AnswerRows& rows() const { return *form()->answerRows(); }
    WindowSet& set() const { return windows->set(); }

    // Enters as `password`, chooses subject and topic by their index.
    void choose(int subject, int topic, const QString& password = QStringLiteral("731946"))
    {
        enter(password);
        MainWindowTest::choose(find<QComboBox>("PredmetName"), subject);
        MainWindowTest::choose(find<QComboBox>("WiborTema"), topic);
    }

    void pressStart() { QTest::mouseClick(panel().Pusk, Qt::LeftButton); }
    void ready() { QTest::mouseClick(area().Itog1, Qt::LeftButton); }
    // Types the answer key by key (Cyrillic letters too) and presses "Готов".
    void type(const QString& answer)
    {
        area().OdinOt->clear();
        for (const QChar c : answer)
            QTest::sendKeyEvent(QTest::Click, area().OdinOt, Qt::Key_unknown, QString(c), Qt::NoModifier);
        ready();
    }
    void tick(int row) { QTest::mouseClick(rows().tickBox(row), Qt::LeftButton, {}, QPoint(6, 10)); }

    // The counters as the main window shows them: KWopr WerWop WseBal WerBal.
    QString figures() const
    {
        return QStringList{score().KWopr->text(), score().WerWop->text(), score().WseBal->text(),
                           score().WerBal->text()}
            .join(u' ');
    }
    std::vector<QString> askedNumbers() const
    {
        std::vector<QString> numbers;
        for (const QuestionRow& row : run().session().questions)
            numbers.push_back(row.questionNo);
        return numbers;
    }
    // The question text's number: "Вопрос 4" gives "4".
    QString shownQuestion() const { return area().WoprosRE->toPlainText().section(u' ', -1); }
};

using Numbers = std::vector<QString>;

// The colour Pusk is painted in, beside its caption.
QColor startButtonColour(QPushButton* pusk)
{
    return pusk->grab().toImage().pixelColor(10, pusk->height() / 2);
}

TEST_F(TestRunTest, StartAsksTheRangeLocksTheChoiceAndStopRestoresIt)
{
    writeQuestions(t, typedQuestions(6));
    start();
    choose(0, 0);
    state.shuffle = false;
    settings().PervNomVopr->setValue(3);
    settings().PoslNomVopr->setValue(5);
    settings().MaxTime->setValue(12);
    EXPECT_EQ(startButtonColour(panel().Pusk), QColor(0, 157, 0));
    pressStart();

    EXPECT_EQ(askedNumbers(), Numbers({"3", "4", "5"}));
    EXPECT_EQ(panel().Pusk->text(), QStringLiteral("Стоп"));
    EXPECT_EQ(startButtonColour(panel().Pusk), QColor(Qt::red));
    EXPECT_EQ(figures(), QStringLiteral("3 0 3 0"));
    EXPECT_EQ(score().NWopr->text(), QStringLiteral("1"));
    EXPECT_EQ(shownQuestion(), QStringLiteral("3"));
    EXPECT_EQ(score().LimitTime->text(), QStringLiteral("12"));
    EXPECT_EQ(score().TimerTema1->text(), QStringLiteral("000"));
    EXPECT_EQ(score().Ocenka->text(), QStringLiteral(" 0"));
    EXPECT_EQ(score().DesNew->text(), QStringLiteral(" Сейчас посмотрим"));
    EXPECT_EQ(score().Gauge2->value(), 3);
    EXPECT_TRUE(run().Timer1->isActive());
    EXPECT_TRUE(run().Timer2->isActive());
    EXPECT_EQ(run().Timer1->interval(), 60000);
    EXPECT_EQ(run().Timer2->interval(), 1000);
    EXPECT_TRUE(area().Itog1->isEnabled());
    for (QWidget* locked : {static_cast<QWidget*>(panel().PredmetName), static_cast<QWidget*>(panel().WiborTema),
                            static_cast<QWidget*>(settings().ParamExam), static_cast<QWidget*>(settings().Regim),
                            static_cast<QWidget*>(settings().WremIzm),
                            static_cast<QWidget*>(score().nPrnProtokol)})
        EXPECT_FALSE(locked->isEnabled()) << locked->objectName().toStdString();
    EXPECT_FALSE(form()->menu().N7->menuAction()->isEnabled());
    EXPECT_TRUE(settings().Nastroi->isHidden());
    EXPECT_FALSE(form()->menu().PeTekTemi->isVisible());
    // The unanswered list is a copy of the question list.
    ASSERT_EQ(run().unansweredList().rows.size(), 3u);
    EXPECT_EQ(run().unansweredList().rows[0].mark, QStringLiteral("у"));

    // Stop: the results window, then everything as before.
    int finishShown = 0;
    script.drive([&](QDialog& d) {
        ++finishShown;
        EXPECT_EQ(d.objectName(), QStringLiteral("TFinish"));
    });
    pressStart();
    EXPECT_EQ(finishShown, 1);
    EXPECT_EQ(panel().Pusk->text(), QStringLiteral("Старт"));
    EXPECT_EQ(startButtonColour(panel().Pusk), QColor(0, 157, 0));
    panel().Pusk->setEnabled(false);
    EXPECT_EQ(startButtonColour(panel().Pusk), QColor(150, 190, 150));
    panel().Pusk->setEnabled(true);
    EXPECT_FALSE(run().Timer1->isActive());
    EXPECT_FALSE(run().Timer2->isActive());
    EXPECT_FALSE(area().Itog1->isEnabled());
    EXPECT_EQ(area().WoprosRE->toPlainText(), TestRun::topicClosedText());
    EXPECT_EQ(panel().WiborTema->currentText(), SubjectPanel::topicPrompt());
    for (QWidget* open : {static_cast<QWidget*>(panel().PredmetName), static_cast<QWidget*>(panel().WiborTema),
                          static_cast<QWidget*>(settings().ParamExam), static_cast<QWidget*>(settings().Regim),
                          static_cast<QWidget*>(settings().WremIzm), static_cast<QWidget*>(score().nPrnProtokol)})
        EXPECT_TRUE(open->isEnabled()) << open->objectName().toStdString();
    EXPECT_TRUE(form()->menu().N7->menuAction()->isEnabled());
    EXPECT_FALSE(settings().Nastroi->isHidden());
    EXPECT_FALSE(run().elapsedTime().isEmpty());
}

TEST_F(TestRunTest, StopGivesAUserNoRightsTheyDidNotHave)
{
    writeQuestions(t, typedQuestions(2));
    start();
    choose(0, 0, QStringLiteral("480372")); // access letter W
    ASSERT_FALSE(settings().Regim->isEnabled());
    pressStart();
    pressStart(); // Stop
    EXPECT_EQ(panel().Pusk->text(), QStringLiteral("Старт"));
    EXPECT_TRUE(panel().PredmetName->isEnabled());
    EXPECT_FALSE(settings().Regim->isEnabled());
    EXPECT_FALSE(settings().ParamExam->isEnabled());
    EXPECT_FALSE(settings().WremIzm->isEnabled());
}

TEST_F(TestRunTest, LimitCutsTheShuffledListAndASeedRepeatsTheOrder)
{
    writeQuestions(t, typedQuestions(5));
    start();
    choose(0, 0);
    state.questionLimit = 2;
    // Keys "50", "11", "9", "10", "7" sort as text: 10, 11, 50, 7, 9.
    Draws draws({0.50, 0.11, 0.09, 0.10, 0.07});
    setRandomSource(&draws);
    pressStart();
    EXPECT_EQ(askedNumbers(), Numbers({"4", "2"}));
    EXPECT_EQ(score().KWopr->text(), QStringLiteral("2"));
    EXPECT_EQ(score().WseBal->text(), QStringLiteral("2"));
    EXPECT_EQ(shownQuestion(), QStringLiteral("4"));
    pressStart();

    // The built-in generator with a fixed seed draws the same order again.
    setRandomSource(nullptr);
    state.questionLimit = 500;
    std::vector<Numbers> orders;
    for (int i = 0; i < 2; ++i) {
        MainWindowTest::choose(find<QComboBox>("WiborTema"), 0);
        seedRandom(20240901);
        pressStart();
        orders.push_back(askedNumbers());
        pressStart();
    }
    EXPECT_EQ(orders[0].size(), 5u);
    EXPECT_EQ(orders[0], orders[1]);
}

TEST_F(TestRunTest, StartWithoutATopicAsksWhetherTheMouseIsStuck)
{
    writeQuestions(t, typedQuestions(2));
    start();
    enter(QStringLiteral("731946"));
    MainWindowTest::choose(find<QComboBox>("PredmetName"), 0);
    pressStart();
    ASSERT_TRUE(script.last());
    EXPECT_EQ(script.last()->kind, BoxKind::Warning);
    EXPECT_EQ(script.last()->caption, QStringLiteral("Тема не выбрана"));
    EXPECT_EQ(script.last()->text, QStringLiteral("Мышку заело?"));
    EXPECT_EQ(panel().Pusk->text(), QStringLiteral("Старт"));
    EXPECT_FALSE(run().Timer1->isActive());
    EXPECT_TRUE(panel().PredmetName->isEnabled());
    EXPECT_TRUE(panel().WiborTema->isEnabled());
    EXPECT_TRUE(settings().Regim->isEnabled());
    EXPECT_FALSE(area().Itog1->isEnabled());
    // Nothing was locked.
    EXPECT_TRUE(settings().ParamExam->isEnabled());
    EXPECT_FALSE(settings().Nastroi->isHidden());
}

TEST_F(TestRunTest, EmptyRangeStartsWithNothingAndClosesWithADash)
{
    writeQuestions(t, typedQuestions(3));
    start();
    choose(0, 0);
    settings().PervNomVopr->setValue(10);
    settings().PoslNomVopr->setValue(20);
    pressStart();
    EXPECT_EQ(panel().Pusk->text(), QStringLiteral("Стоп"));
    EXPECT_EQ(figures(), QStringLiteral("0 0 0 0"));
    EXPECT_EQ(score().NWopr->text(), QStringLiteral("0"));
    EXPECT_TRUE(area().OdinTo4->isHidden());
    EXPECT_FALSE(rows().tickBox(1)->isVisible());
    EXPECT_EQ(shown(BoxKind::Error), 0);

    // "Готов" on nothing: the topic closes and the results show no grade.
    TFinish* finish = set().finish.get();
    script.drive([&](QDialog&) {
        EXPECT_EQ(finish->Ocenka->text(), QStringLiteral(" —"));
        EXPECT_EQ(finish->Gauge1->format(), QStringLiteral("—"));
        EXPECT_EQ(finish->WseBal->text(), QStringLiteral("0"));
    });
    ready();
    EXPECT_EQ(script.count(BoxKind::Modal), 1);
    EXPECT_EQ(score().Ocenka->text(), QStringLiteral(" —"));
    EXPECT_EQ(score().Gauge1->value(), 0);
    EXPECT_EQ(panel().Pusk->text(), QStringLiteral("Старт"));
}

// Mended fault: the test ran on the points summed up to the bad value while
// later questions still scored.
TEST_F(TestRunTest, PointsThatAreNoNumberRefuseTheStart)
{
    std::vector<Question> list = typedQuestions(3);
    list[1].points = QStringLiteral("1б");
    writeQuestions(t, list);
    start();
    choose(0, 0);
    state.shuffle = false;
    pressStart();
    EXPECT_EQ(shown(BoxKind::Error), 1);
    EXPECT_TRUE(script.last()->text.contains(QStringLiteral("«1б»")));
    EXPECT_TRUE(script.last()->text.contains(QStringLiteral("01_001_01_2")));
    EXPECT_EQ(panel().Pusk->text(), QStringLiteral("Старт"));
    EXPECT_FALSE(area().Itog1->isEnabled());
    EXPECT_FALSE(run().Timer1->isActive());
    EXPECT_TRUE(settings().ParamExam->isEnabled());
    EXPECT_NE(area().WoprosRE->toPlainText(), QStringLiteral("Вопрос 1"));
}

TEST_F(TestRunTest, UnreadableFilesStartNothing)
{
    writeQuestions(t, typedQuestions(2));
    start();
    choose(0, 0);
    // Wopros.dat turns into a folder: it cannot be read.
    QFile::remove(t.path(QStringLiteral("Istoriy/Wopros.dat")));
    QDir().mkpath(t.path(QStringLiteral("Istoriy/Wopros.dat")));
    pressStart();
    EXPECT_EQ(shown(BoxKind::Error), 1);
    EXPECT_EQ(panel().Pusk->text(), QStringLiteral("Старт"));
    EXPECT_FALSE(area().Itog1->isEnabled());
    EXPECT_TRUE(panel().PredmetName->isEnabled());
    EXPECT_FALSE(run().Timer1->isActive());
    EXPECT_FALSE(run().Timer2->isActive());
}

TEST_F(TestRunTest, EachKindIsPresentedWithItsControls)
{
    writeQuestions(t, {{QStringLiteral("1"), QStringLiteral("Год?"), QStringLiteral("2"),
                        {{QStringLiteral("Ф"), QStringLiteral("1"), QStringLiteral("1380")}}},
                       {QStringLiteral("2"), QStringLiteral("Отметьте"), QStringLiteral("3"),
                        {{QStringLiteral("+"), QStringLiteral("1"), QStringLiteral("да")},
                         {QString(), QStringLiteral("2"), QStringLiteral("нет")},
                         {QStringLiteral("+"), QStringLiteral("3"), QStringLiteral("тоже да")},
                         {QString(), QStringLiteral("4"), QStringLiteral("тоже нет")}}},
                       {QStringLiteral("3"), QStringLiteral("Сопоставьте"), QStringLiteral("2"),
                        {{QStringLiteral("+"), QStringLiteral("2"), QStringLiteral("A")},
                         {QStringLiteral("+"), QStringLiteral("3"), QStringLiteral("B")},
                         {QStringLiteral("-"), QStringLiteral("1"), QStringLiteral("X")},
                         {QStringLiteral("-"), QStringLiteral("2"), QStringLiteral("Y")},
                         {QStringLiteral("-"), QStringLiteral("3"), QStringLiteral("Z")}}},
                       {QStringLiteral("4"), QStringLiteral("Упорядочьте"), QStringLiteral("3"),
                        {{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("второе")},
                         {QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("третье")},
                         {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("первое")}}}});
    start();
    choose(0, 0);
    state.shuffle = false;
    state.questionSeconds = 1500;
    state.variantSeconds = 300;
    pressStart();

    // Exact answer.
    EXPECT_EQ(area().TipOtweta->text(), QStringLiteral("Точный ответ"));
    EXPECT_EQ(area().KPraw->text(), QStringLiteral("1"));
    EXPECT_EQ(area().TekBal->text(), QStringLiteral("2"));
    EXPECT_EQ(form()->TimeWopros->text(), QStringLiteral("1800"));
    EXPECT_EQ(form()->Gauge3->maximum(), 1800);
    EXPECT_EQ(form()->Gauge3->value(), 1800);
    EXPECT_TRUE(area().OdinTo4->isVisible());
    EXPECT_FALSE(area().OtwetiOtm->isVisible());
    EXPECT_EQ(area().NomerWoprosa->text(), QStringLiteral("01_001_01_1"));
    EXPECT_EQ(panel().WiborTema->currentText(), QStringLiteral("Древняя Русь"));
    grabIfAsked(*form(), QStringLiteral("main-exact"));
    type(QStringLiteral("1381"));

    // Tick boxes: a row per variant, the current answers in OtwTek.
    EXPECT_EQ(area().TipOtweta->text(), QStringLiteral("Птички поставить"));
    EXPECT_EQ(area().KPraw->text(), QStringLiteral("2"));
    EXPECT_EQ(form()->TimeWopros->text(), QStringLiteral("2700"));
    EXPECT_EQ(score().KOtw->text(), QStringLiteral("4"));
    EXPECT_TRUE(area().OtwetiOtm->isVisible());
    EXPECT_FALSE(area().OdinTo4->isVisible());
    for (int i = 1; i <= 4; ++i) {
        EXPECT_TRUE(rows().tickBox(i)->isVisible()) << i;
        EXPECT_TRUE(rows().textLine(i)->isVisible()) << i;
    }
    EXPECT_FALSE(rows().tickBox(5)->isVisible());
    EXPECT_EQ(rows().textLine(3)->toPlainText(), QStringLiteral("тоже да"));
    QTableWidget* otwTek = area().OtwTek();
    ASSERT_EQ(otwTek->rowCount(), 4);
    ASSERT_EQ(otwTek->columnCount(), 7);
    EXPECT_EQ(otwTek->horizontalHeaderItem(6)->text(), QStringLiteral("Nazwan"));
    EXPECT_EQ(otwTek->item(2, 5)->text(), QStringLiteral("+"));
    EXPECT_EQ(otwTek->item(2, 6)->text(), QStringLiteral("тоже да"));
    EXPECT_EQ(otwTek->currentRow(), 3);
    tick(1);
    tick(3);
    grabIfAsked(*form(), QStringLiteral("main-ticks"));
    ready();
    // All right: r − 1 = 1 more available, Points + 1 scored.
    EXPECT_EQ(figures(), QStringLiteral("4 1 11 4"));

    // Matching: the classification window; the answer area hidden.
    EXPECT_EQ(area().TipOtweta->text(), QStringLiteral("Соответствие"));
    EXPECT_EQ(area().KPraw->text(), QStringLiteral("2"));
    EXPECT_FALSE(area().OtwetiOtm->isVisible());
    EXPECT_FALSE(area().OdinTo4->isVisible());
    TKlass* klass = set().klass.get();
    ASSERT_TRUE(klass->isVisible());
    EXPECT_TRUE(klass->row(1)->isVisible());
    EXPECT_TRUE(klass->row(2)->isVisible());
    EXPECT_FALSE(klass->row(3)->isVisible());
    EXPECT_EQ(klass->termList(1)->count(), 4);
    grabIfAsked(*form(), QStringLiteral("main-matching"));
    ready(); // "Готов" on the main window closes the window unanswered
    EXPECT_FALSE(klass->isVisible());

    // Ranking: the ranking window with every variant.
    EXPECT_EQ(area().TipOtweta->text(), QStringLiteral("Ранжирование"));
    EXPECT_EQ(area().KPraw->text(), QStringLiteral("3"));
    EXPECT_TRUE(area().OtwetiOtm->isVisible());
    EXPECT_FALSE(rows().tickBox(1)->isVisible());
    TRangForm* rang = set().rangForm.get();
    ASSERT_TRUE(rang->isVisible());
    EXPECT_EQ(rang->count(), 3);
    EXPECT_EQ(rang->WoprosRE->toPlainText(), QStringLiteral("Упорядочьте"));
    grabIfAsked(*form(), QStringLiteral("main-ranking"));
}


TEST_F(TestRunTest, EveryVariantIsShownEvenBeyondTheThirtyRows)
{
    Question many{QStringLiteral("1"), QStringLiteral("Отметьте чётные"), QStringLiteral("5"), {}};
    for (int i = 1; i <= 35; ++i)
        many.variants.push_back({i % 2 == 0 ? QStringLiteral("+") : QString(), QString::number(i),
                                 QStringLiteral("число %1").arg(i)});
    writeQuestions(t, {many});
    start();
    choose(0, 0);
    pressStart();
    ASSERT_GE(rows().rowCount(), 35);
    EXPECT_EQ(area().OtwTek()->rowCount(), 35);
    EXPECT_EQ(area().KPraw->text(), QStringLiteral("17"));
    EXPECT_TRUE(rows().tickBox(35)->isVisibleTo(area().OtwetiOtm));
    EXPECT_EQ(rows().textLine(35)->toPlainText(), QStringLiteral("число 35"));
    EXPECT_EQ(rows().textLine(34)->objectName(), QStringLiteral("OtwText34"));
    for (int i = 2; i <= 34; i += 2) {
        area().OtwetiOtm->ensureWidgetVisible(rows().tickBox(i));
        tick(i);
    }
    script.drive([](QDialog&) {});
    ready();
    // All 17 right: 5 + 16 points of 5 + 16 available.
    EXPECT_EQ(figures(), QStringLiteral("1 1 21 21"));
}

// A question of 1 000 variants: its rows come into view as the student
// scrolls or tabs through them, in variant order; the next question shows
// its own rows only, and only those are judged.
TEST_F(TestRunTest, ALongQuestionLeavesOnlyTheNextQuestionsRows)
{
    const auto question = [](const QString& number, int variants, int rightEvery, const QString& word) {
        Question q{number, QStringLiteral("Отметьте"), QStringLiteral("3"), {}};
        for (int i = 1; i <= variants; ++i)
            q.variants.push_back({i % rightEvery == 0 ? QStringLiteral("+") : QString(), QString::number(i),
                                  word + QStringLiteral(" %1").arg(i)});
        return q;
    };
    writeQuestions(t, {question(QStringLiteral("1"), 1000, 2, QStringLiteral("вариант")),
                       question(QStringLiteral("2"), 30, 3, QStringLiteral("вариант")),
                       question(QStringLiteral("3"), 1000, 2, QStringLiteral("пункт"))});
    start();
    choose(0, 0);
    state.shuffle = false;
    pressStart();
    ASSERT_EQ(rows().rowCount(), 1000);
    EXPECT_EQ(area().OtwTek()->rowCount(), 1000);

    // Tab goes on from row 30 to the rows after it.
    std::vector<int> reached;
    for (int key = 0; key < 200 && reached.size() < 36; ++key) {
        QWidget* focus = form()->focusWidget();
        if (focus->objectName().startsWith(QStringLiteral("OtwCheck")))
            reached.push_back(focus->objectName().mid(8).toInt());
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    std::vector<int> inOrder(36);
    std::iota(inOrder.begin(), inOrder.end(), 1);
    EXPECT_EQ(reached, inOrder);
    QScrollBar* scroll = area().OtwetiOtm->verticalScrollBar();
    EXPECT_GT(scroll->value(), 0); // the focused row was scrolled into view

    // The last rows, scrolled to, hold their variants.
    scroll->setValue(scroll->maximum());
    auto* last = form()->findChild<QTextEdit*>(QStringLiteral("OtwText1000"));
    ASSERT_TRUE(last);
    EXPECT_TRUE(last->isVisible());
    EXPECT_EQ(last->toPlainText(), QStringLiteral("вариант 1000"));
    QApplication::processEvents(); // the scroll bar shows
    EXPECT_TRUE(scroll->isVisible());
    grabIfAsked(*form(), QStringLiteral("main-long-question-end"));
    QCheckBox* wrong = rows().tickBox(999);
    tick(999);
    ASSERT_TRUE(wrong->isChecked());
    ready(); // wrong: no right answer to show

    // 30 rows, none ticked; the row ticked before is out of sight.
    ASSERT_EQ(rows().rowCount(), 30);
    int shown = 0;
    for (const QCheckBox* box : area().OtwetiOtm->widget()->findChildren<QCheckBox*>()) {
        if (!box->isVisibleTo(area().OtwetiOtm))
            continue;
        ++shown;
        EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
    }
    EXPECT_EQ(shown, 30);
    EXPECT_FALSE(wrong->isVisibleTo(area().OtwetiOtm));
    EXPECT_EQ(scroll->value(), 0);
    std::vector<bool> right(30);
    for (int i = 3; i <= 30; i += 3) {
        area().OtwetiOtm->ensureWidgetVisible(rows().tickBox(i));
        tick(i);
        right[size_t(i - 1)] = true;
    }
    EXPECT_EQ(run().givenAnswer().ticked, right);
    ready();
    EXPECT_EQ(score().WerWop->text(), QStringLiteral("1"));

    // The next long question: the rows made before show its variants, unticked.
    ASSERT_EQ(rows().rowCount(), 1000);
    scroll->setValue(scroll->maximum());
    EXPECT_TRUE(wrong->isVisible());
    EXPECT_FALSE(wrong->isChecked());
    EXPECT_EQ(rows().textLine(999)->toPlainText(), QStringLiteral("пункт 999"));
    EXPECT_EQ(run().givenAnswer().ticked, std::vector<bool>(1000));
    script.drive([](QDialog&) {});
    ready();
}

// Records what the running test hands to the answer history.
class RecordedHistory : public AnswerHistory {
public:
    QStringList lines;
    void testStarted(const HistoryStart& s) override
    {
        lines << QStringLiteral("start %1 / %2 / %3 %4")
                     .arg(s.title, s.subject, s.examinee, s.startTime.isValid() ? QStringLiteral("at") : QString());
    }
    void questionShown(int row, const QString& text) override { lines << QStringLiteral("%1. %2").arg(row).arg(text); }
    void answerJudged(const Presentation& q, const GivenAnswer& a, bool right) override
    {
        lines << QStringLiteral("%1 %2 %3").arg(q.kindName(), a.typed, right ? QStringLiteral("+") : QStringLiteral("-"));
    }
};

TEST_F(TestRunTest, PartlyRightTicksShowTheRightAnswerUntilDalshe)
{
    const std::vector<Variant> variants{{QStringLiteral("+"), QStringLiteral("1"), QStringLiteral("первый верный")},
                                        {QString(), QStringLiteral("2"), QStringLiteral("неверный")},
                                        {QStringLiteral("+"), QStringLiteral("3"), QStringLiteral("второй верный")},
                                        {QStringLiteral("+"), QStringLiteral("4"), QStringLiteral("третий верный")},
                                        {QString(), QStringLiteral("5"), QStringLiteral("тоже неверный")}};
    writeQuestions(t, {{QStringLiteral("1"), QStringLiteral("Отметьте"), QStringLiteral("5"), variants},
                       {QStringLiteral("2"), QStringLiteral("Ещё раз"), QStringLiteral("5"), variants},
                       {QStringLiteral("3"), QStringLiteral("Год?"), QStringLiteral("1"),
                        {{QStringLiteral("Ф"), QStringLiteral("1"), QStringLiteral("1380")}}}});
    start();
    choose(0, 0);
    state.shuffle = false;
    RecordedHistory history;
    run().setAnswerHistory(&history);
    pressStart();

    // Two of three right ones: 5 × 2 ÷ 3 = 3.33 scored, 2 more available.
    tick(1);
    tick(3);
    bool shownRight = false;
    script.drive([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Надо так"));
        EXPECT_FALSE(run().Timer2->isActive());
        for (int i : {1, 3, 4}) {
            EXPECT_TRUE(rows().tickBox(i)->isChecked()) << i;
            EXPECT_EQ(rows().textLine(i)->palette().color(QPalette::Base), QColor(206, 255, 206)) << i;
            EXPECT_TRUE(rows().textLine(i)->isEnabled()) << i;
        }
        for (int i : {2, 5}) {
            EXPECT_FALSE(rows().tickBox(i)->isChecked()) << i;
            EXPECT_FALSE(rows().textLine(i)->isEnabled()) << i;
        }
        EXPECT_EQ(figures(), QStringLiteral("3 0 13 3"));
        grabIfAsked(*form(), QStringLiteral("main-correct-answer"));
        grabIfAsked(d, QStringLiteral("dalshe-okno"));
        auto* dalshe = d.findChild<QPushButton*>(QStringLiteral("dxfColorButton1"));
        ASSERT_TRUE(dalshe);
        EXPECT_EQ(dalshe->text(), QStringLiteral("Дальше"));
        EXPECT_EQ(dalshe->toolTip(), QStringLiteral("Следующий вопрос"));
        QTest::mouseClick(dalshe, Qt::LeftButton);
        shownRight = true;
    });
    ready();
    ASSERT_TRUE(shownRight);
    EXPECT_EQ(script.pending(), 0);
    // The next question, its rows as they were made.
    EXPECT_EQ(area().WoprosRE->toPlainText(), QStringLiteral("Ещё раз"));
    EXPECT_TRUE(run().Timer2->isActive());
    for (int i = 1; i <= 5; ++i) {
        EXPECT_TRUE(rows().textLine(i)->isEnabled()) << i;
        EXPECT_NE(rows().textLine(i)->palette().color(QPalette::Base), QColor(206, 255, 206)) << i;
        EXPECT_FALSE(rows().tickBox(i)->isChecked()) << i;
    }

    // The time limit runs out while the right answer is shown: the window
    // closes, the topic stops, and no further question is presented.
    tick(1);
    tick(2);
    int finishShown = 0;
    script.drive([&](QDialog&) {
        script.drive([&](QDialog& finish) {
            ++finishShown;
            EXPECT_EQ(finish.objectName(), QStringLiteral("TFinish"));
        });
        run().closeCorrectAnswer();
        run().PuskClick();
    });
    ready();
    EXPECT_EQ(finishShown, 1);
    EXPECT_EQ(area().WoprosRE->toPlainText(), TestRun::topicClosedText());
    EXPECT_EQ(score().NWopr->text(), QStringLiteral("2"));
    EXPECT_FALSE(run().Timer2->isActive());
    EXPECT_EQ(panel().Pusk->text(), QStringLiteral("Старт"));
    EXPECT_TRUE(rows().textLine(2)->isEnabled());

    EXPECT_EQ(history.lines, QStringList({QStringLiteral("start Древняя Русь / История / Иванов И.И. гр.17_П at"),
                                          QStringLiteral("1. Отметьте"),
                                          QStringLiteral("Птички поставить  -"), QStringLiteral("2. Ещё раз"),
                                          QStringLiteral("Птички поставить  -")}));
    run().setAnswerHistory(nullptr);
}

TEST_F(TestRunTest, OtherReferencedFilesOpenWithTheirProgramOnlyWhenSafe)
{
    writeQuestions(t, {{QStringLiteral("1"), QStringLiteral("Смотрите схему File#schema.pdf#"), QStringLiteral("1"),
                        {{QStringLiteral("Ф"), QStringLiteral("1"), QStringLiteral("1")}}},
                       {QStringLiteral("2"), QStringLiteral("Запустите File#run.sh#"), QStringLiteral("1"),
                        {{QStringLiteral("Ф"), QStringLiteral("1"), QStringLiteral("1")}}}});
    t.write(QStringLiteral("Istoriy/Foto/schema.pdf"), "%PDF-1.4\n");
    t.write(QStringLiteral("Istoriy/Foto/run.sh"), "#!/bin/sh\nrm -rf ~\n");
    QStringList opened;
    setOpenUrlHook([&](const QUrl& url) {
        opened << url.fileName();
        return true;
    });
    start();
    choose(0, 0);
    state.shuffle = false;
    pressStart();
    EXPECT_EQ(opened, QStringList({QStringLiteral("schema.pdf")}));
    EXPECT_EQ(area().WoprosRE->toPlainText(), QStringLiteral("Смотрите схему "));
    EXPECT_EQ(shown(BoxKind::Warning), 0);
    type(QStringLiteral("1"));
    EXPECT_EQ(opened.size(), 1); // the script is not run
    EXPECT_EQ(shown(BoxKind::Warning, QStringLiteral("run.sh")), 1);
    setOpenUrlHook({});
}

TEST_F(TestRunTest, DoubleClickOnTheScoreShowsTheResultsOfTheTestSoFar)
{
    writeQuestions(t, typedQuestions(3));
    start();
    choose(0, 0);
    state.shuffle = false;
    panel().INN_New->setText(QStringLiteral("Сидоров С.С. гр.5"));
    pressStart();
    type(QStringLiteral("ответ 1"));
    bool shownResults = false;
    script.drive([&](QDialog& d) {
        auto& finish = static_cast<TFinish&>(d);
        EXPECT_EQ(finish.KWopr->text(), QStringLiteral("3"));
        EXPECT_EQ(finish.WerWop->text(), QStringLiteral("1"));
        EXPECT_EQ(finish.WseBal->text(), QStringLiteral("3"));
        EXPECT_EQ(finish.WerBal->text(), QStringLiteral("1"));
        EXPECT_EQ(finish.Ocenka->text(), QStringLiteral(" 2")); // 33 %
        EXPECT_EQ(finish.Gauge1->value(), 33);
        EXPECT_EQ(finish.NWopr->text(), QStringLiteral("1"));
        EXPECT_EQ(finish.INN_New->text(), QStringLiteral("Сидоров С.С. гр.5"));
        EXPECT_EQ(finish.Edit1->text(), QStringLiteral("История"));
        EXPECT_EQ(finish.RichEdit1->toPlainText(), QStringLiteral("Древняя Русь"));
        EXPECT_EQ(finish.LimitTime->text(), QStringLiteral("10"));
        shownResults = true;
    });
    QTest::mouseDClick(score().WopBall, Qt::LeftButton);
    EXPECT_TRUE(shownResults);
    // The test goes on with its topic on show.
    EXPECT_EQ(panel().WiborTema->currentText(), QStringLiteral("Древняя Русь"));
    EXPECT_EQ(panel().Pusk->text(), QStringLiteral("Стоп"));
    type(QStringLiteral("ответ 2"));
    EXPECT_EQ(panel().WiborTema->currentText(), QStringLiteral("Древняя Русь"));
    EXPECT_EQ(figures(), QStringLiteral("3 2 3 2"));
}

// Mended fault: activation set Gauge3's maximum to the question time; the
// gauge dropped its value and the next tick judged the question unanswered.
TEST_F(TestRunTest, ActivationLeavesTheCountdownAlone)
{
    writeQuestions(t, typedQuestions(2));
    start();
    choose(0, 0);
    state.shuffle = false;
    pressStart();
    const int seconds = form()->Gauge3->maximum();
    ASSERT_GT(seconds, state.questionSeconds);
    form()->FormActivate(); // back from the matching or picture window
    form()->timers().Timer2Timer();
    EXPECT_EQ(score().NWopr->text(), QStringLiteral("1"));
    EXPECT_EQ(form()->Gauge3->maximum(), seconds);
    EXPECT_EQ(form()->Gauge3->value(), seconds - 1);
}

// Mended fault: after an activation the topic box showed its prompt and the
// results window named no topic.
TEST_F(TestRunTest, ActivationKeepsTheTopicAndTheResultsNameIt)
{
    writeQuestions(t, typedQuestions(2));
    start();
    choose(0, 0);
    form()->FormActivate(); // before Start: the choice stays
    EXPECT_EQ(panel().WiborTema->currentText(), QStringLiteral("Древняя Русь"));
    pressStart();
    form()->FormActivate();
    EXPECT_EQ(panel().WiborTema->currentText(), QStringLiteral("Древняя Русь"));
    QString named;
    script.drive([&](QDialog& d) { named = static_cast<TFinish&>(d).RichEdit1->toPlainText(); });
    pressStart(); // Stop
    EXPECT_EQ(named, QStringLiteral("Древняя Русь"));
}

// Mended fault: the second click of a double click judged the next question
// unseen, or stopped the test just started.
TEST_F(TestRunTest, DoubleClicksCountOnce)
{
    writeQuestions(t, typedQuestions(3));
    start();
    choose(0, 0);
    state.shuffle = false;
    // As the desktop delivers it: a click, then a double click in place of
    // the second press, and its release.
    const auto doubleClick = [](QWidget* w) {
        QTest::mouseClick(w, Qt::LeftButton);
        QTest::mouseDClick(w, Qt::LeftButton);
        QTest::mouseRelease(w, Qt::LeftButton);
    };
    doubleClick(panel().Pusk);
    EXPECT_EQ(panel().Pusk->text(), QStringLiteral("Стоп"));
    doubleClick(area().Itog1);
    EXPECT_EQ(score().NWopr->text(), QStringLiteral("2"));
    EXPECT_EQ(run().session().answeredCount, 1);
}

// Mended fault: closing the matching or ranking window from its title bar
// left the question with no way back to it.
TEST_F(TestRunTest, ClosingAnAnswerWindowIsItsReady)
{
    writeQuestions(t, {{QStringLiteral("1"), QStringLiteral("Сопоставьте"), QStringLiteral("2"),
                        {{QStringLiteral("+"), QStringLiteral("1"), QStringLiteral("A")},
                         {QStringLiteral("-"), QStringLiteral("1"), QStringLiteral("X")}}},
                       {QStringLiteral("2"), QStringLiteral("Упорядочьте"), QStringLiteral("2"),
                        {{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("первое")},
                         {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("второе")}}},
                       typedQuestions(1, 3).front()});
    start();
    choose(0, 0);
    state.shuffle = false;
    pressStart();
    ASSERT_TRUE(set().klass.get()->isVisible());
    set().klass.get()->close();
    EXPECT_EQ(shownQuestion(), QStringLiteral("Упорядочьте"));
    ASSERT_TRUE(set().rangForm.get()->isVisible());
    set().rangForm.get()->close(); // the stored order is right
    EXPECT_EQ(shownQuestion(), QStringLiteral("3"));
    EXPECT_EQ(figures(), QStringLiteral("3 1 8 4")); // 2 + 1 + 2 + 2 + 1 available
}

// Mended fault: closing the main window during a test ended the program and
// the test at once.
TEST_F(TestRunTest, ClosingTheMainWindowDuringATestAsksFirst)
{
    writeQuestions(t, typedQuestions(2));
    start();
    choose(0, 0);
    pressStart();
    script.answerNo();
    form()->close();
    EXPECT_EQ(script.count(BoxKind::Question), 1);
    EXPECT_FALSE(form()->isClosed());
    EXPECT_TRUE(form()->isVisible());
    script.answerYes();
    form()->close();
    EXPECT_TRUE(form()->isClosed());
}

// Mended fault: Tab never left the contents grid, so nobody could enter
// without the mouse; Enter in the typed answer did nothing.
TEST_F(TestRunTest, TheKeyboardEntersAndAnswers)
{
    writeQuestions(t, typedQuestions(2));
    start();
    auto* parol = find<QLineEdit>("Parol");
    find<QTableWidget>("OglTabl")->setFocus();
    for (int i = 0; i < 20 && form()->focusWidget() != parol; ++i)
        QTest::keyClick(form()->focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(form()->focusWidget(), parol);
    parol->clear();
    QTest::keyClicks(parol, QStringLiteral("731946"));
    QTest::keyClick(parol, Qt::Key_Return);
    EXPECT_TRUE(form()->Zastavka->isHidden());

    MainWindowTest::choose(find<QComboBox>("PredmetName"), 0);
    MainWindowTest::choose(find<QComboBox>("WiborTema"), 0);
    state.shuffle = false;
    pressStart();
    area().OdinOt->setText(QStringLiteral("ответ 1"));
    QTest::keyClick(area().OdinOt, Qt::Key_Return);
    EXPECT_EQ(score().WerWop->text(), QStringLiteral("1"));
    EXPECT_EQ(shownQuestion(), QStringLiteral("2"));
}

// Mended fault: the 11-pair matching window was taller than the screen,
// "Надо так" covered "Стоп", and "1500" was clipped in the question time.
TEST_F(TestRunTest, WindowsStayOnTheScreenAndOffTheControls)
{
    std::vector<Variant> pairs;
    for (int i = 1; i <= 11; ++i) {
        pairs.push_back({QStringLiteral("+"), QString::number(i), QStringLiteral("пункт %1").arg(i)});
        pairs.push_back({QStringLiteral("-"), QString::number(i), QStringLiteral("термин %1").arg(i)});
    }
    writeQuestions(t, {{QStringLiteral("1"), QStringLiteral("Сопоставьте"), QStringLiteral("1"), pairs},
                       {QStringLiteral("2"), QStringLiteral("Отметьте"), QStringLiteral("1"),
                        {{QStringLiteral("+"), QStringLiteral("1"), QStringLiteral("да")},
                         {QString(), QStringLiteral("2"), QStringLiteral("нет")}}}});
    start();
    const QRect screen = form()->screen()->availableGeometry();
    form()->setGeometry(screen);
    choose(0, 0);
    state.shuffle = false;
    settings().WoprSek->setText(QStringLiteral("1500"));
    EXPECT_LE(settings().WoprSek->fontMetrics().horizontalAdvance(QStringLiteral("1500")),
              settings().WoprSek->contentsRect().width() - 8);
    pressStart();

    TKlass* klass = set().klass.get();
    ASSERT_TRUE(klass->isVisible());
    const QRect frame = klass->frameGeometry();
    EXPECT_GE(frame.top(), screen.top());
    EXPECT_LE(frame.bottom(), screen.bottom()) << frame.height();
    QTest::mouseClick(klass->Zakrit, Qt::LeftButton);

    // The part of a control that is on show, on the screen.
    const auto global = [](const QWidget* w) {
        const QRect shown = w->visibleRegion().boundingRect();
        return QRect(w->mapToGlobal(shown.topLeft()), shown.size());
    };
    bool shown = false;
    script.drive([&](QDialog& d) {
        shown = true;
        const QRect dalshe = d.frameGeometry();
        EXPECT_TRUE(screen.contains(dalshe));
        for (const QWidget* control :
             {static_cast<const QWidget*>(panel().Pusk), static_cast<const QWidget*>(area().Itog1),
              static_cast<const QWidget*>(rows().textLine(1)), static_cast<const QWidget*>(rows().textLine(2))})
            EXPECT_FALSE(dalshe.intersects(global(control))) << control->objectName().toStdString();
    });
    tick(2);
    ready();
    EXPECT_TRUE(shown);
}

} // namespace
} // namespace tavel::test

// The gauge of long work: the last call shows, the calls before it by time,
// not per call; a count beyond int's range still fits.
TEST(GaugeProgressTest, ShowsByTimeNotPerCallAndEndsFull)
{
    QProgressBar bar;
    int changes = 0;
    QObject::connect(&bar, &QProgressBar::valueChanged, [&changes] { ++changes; });
    tavel::GaugeProgress gauge(&bar);
    for (int done = 1; done <= 10000; ++done)
        gauge(done, 10000);
    EXPECT_EQ(bar.value(), 10000);
    EXPECT_LT(changes, 100); // a call per record would have been 10 000

    tavel::GaugeProgress huge(&bar);
    QThread::msleep(tavel::GaugeProgress::kIntervalMs + 20); // a call between the ends shows by time
    huge(qint64(3) << 32, qint64(4) << 32);
    ASSERT_GT(bar.maximum(), 0);
    EXPECT_NEAR(double(bar.value()) / bar.maximum(), 0.75, 1e-6);
}
