// tavel-present-bench: showing one question of a running test on the real
// main window, as the presenter does it after "Готов" (TestRun::DalsheClick:
// the rows cleared, the variants gathered from the topic's answers, the rows
// and OtwTek filled, the counters, the kind's controls), followed by the
// first paint of the question area. The windows are those of the program,
// created on a copy of the demo folder and entered as the administrator.
//
// Two main windows live side by side: a fresh one that only ever shows a
// 30-variant question, and one that shows a 1 000-variant question before
// its 30-variant one. bench/run turns the times into the ratios it prints.
#include "app/windows/all_windows.h"
#include "session/app_state.h"
#include "session/test_start.h"
#include "session/windows/answer_rows.h"
#include "session/windows/main_window.h"
#include "session/windows/question_area.h"
#include "session/windows/start_screen.h"
#include "session/windows/test_run.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace tavel;

// A tick-box question of topic "001" with `variants` variants, every third
// one right, the texts as long as a teacher writes them.
void addQuestion(StartData& data, int number, int variants)
{
    QuestionRow q;
    q.subjectCode = QStringLiteral("01");
    q.topicCode = QStringLiteral("001");
    q.testCode = QStringLiteral("01");
    q.questionNo = QString::number(number);
    q.questionText = QStringLiteral("Отметьте верные утверждения о реформах середины XIX века (вопрос %1)").arg(number);
    q.key = QStringLiteral("0");
    q.points = QStringLiteral("2");
    data.questions.push_back(q);
    for (int v = 1; v <= variants; ++v)
        data.answers.push_back({q.subjectCode, q.topicCode, q.testCode, q.questionNo, QString::number(v),
                                v % 3 == 0 ? QStringLiteral("+") : QString(),
                                QStringLiteral("Утверждение %1: крестьяне получили личную свободу и надел земли "
                                               "за выкуп")
                                    .arg(v)});
    data.totalPoints += 2;
}

// The program's windows on their own copy of the demo folder, past the start
// screen, with a test of the given questions (variant counts, in order).
class Window {
public:
    explicit Window(std::initializer_list<int> questions)
    {
        const QString demo = QStringLiteral(TAVEL_DEMO_DIR);
        QDirIterator it(demo, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString target = dir_.path() + u'/' + QDir(demo).relativeFilePath(file);
            QDir().mkpath(QFileInfo(target).absolutePath());
            if (!QFile::copy(file, target))
                qFatal("cannot copy %s", qPrintable(file));
        }
        state_.home = InstallFolder(dir_.path());
        windows_ = std::make_unique<app::AllWindows>(state_);
        TForm1& form = *windows_->form1();
        form.show();
        form.resize(1280, 800);
        QApplication::processEvents();
        form.Zastavka->Parol->setText(QStringLiteral("731946"));
        form.Zastavka->ZastPogasit1->click();
        QApplication::processEvents();

        int number = 1;
        for (int variants : questions)
            addQuestion(data_, number++, variants);
        data_.limitTime = 60;
        data_.title = QStringLiteral("Реформы");
    }

    TForm1& form() const { return *windows_->form1(); }
    TestRun& run() const { return form().testRun(); }

    // Makes the window the active one, as the student's is, and starts the
    // test afresh (a new answer history, so that it does not grow from one
    // repetition to the next); this shows the first question.
    void begin()
    {
        form().activateWindow();
        QApplication::processEvents();
        if (QApplication::activeWindow() != &form())
            qFatal("the main window did not become active");
        run().begin(data_);
        paint();
    }

    // Shows question `number` (from 1) as "Готов" does after the previous one.
    void present(int number)
    {
        run().session().currentRow = number - 1;
        run().DalsheClick();
        paint();
    }

    // Scrolls the answer rows page by page to the last one, as a student
    // reading every variant does (every row gets made).
    void readThrough()
    {
        QScrollBar* scroll = form().questionArea->OtwetiOtm->verticalScrollBar();
        while (scroll->value() < scroll->maximum()) {
            scroll->setValue(scroll->value() + scroll->pageStep());
            paint();
        }
    }

private:
    // What the window does before the student sees the question: the pending
    // layout requests, then the question area painted.
    void paint() const
    {
        QCoreApplication::sendPostedEvents();
        form().questionArea->repaint();
    }

    QTemporaryDir dir_;
    AppState state_;
    std::unique_ptr<app::AllWindows> windows_;
    StartData data_;
};

Window* g_fresh = nullptr; // one 30-variant question
Window* g_big = nullptr;   // a 1 000-variant question, then a 30-variant one

void BM_Present30(benchmark::State& state)
{
    g_fresh->begin();
    for (auto _ : state)
        g_fresh->present(1);
}
BENCHMARK(BM_Present30)->Unit(benchmark::kMillisecond);

void BM_Present1000(benchmark::State& state)
{
    g_big->begin();
    for (auto _ : state)
        g_big->present(1);
}
BENCHMARK(BM_Present1000)->Unit(benchmark::kMillisecond);

// The 30-variant question on the window that has shown the 1 000-variant
// one, scrolled through to its last row.
void BM_Present30AfterBig(benchmark::State& state)
{
    g_big->begin();
    g_big->readThrough();
    for (auto _ : state)
        g_big->present(2);
}
BENCHMARK(BM_Present30AfterBig)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    g_fresh = new Window({30});
    g_big = new Window({1000, 30});
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete g_big;
    delete g_fresh;
    return 0;
}
