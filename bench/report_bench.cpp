// tavel-report-bench: the printout of the unanswered questions of a
// 1 000-question topic (an explanation text and a picture for every tenth
// question, four variants each), measured beside a baseline that sets the
// same total text into a QTextDocument in one call. bench/run turns the two
// times into the ratio it prints.
#include "reports/document.h"
#include "reports/unanswered_printout.h"
#include "storage/cp1251.h"
#include "storage/install_folder.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextDocument>
#include <benchmark/benchmark.h>

namespace {

using namespace tavel;

constexpr int kQuestions = 1000;

struct Topic {
    QTemporaryDir dir;
    InstallFolder home;
    UnansweredList list;
    QString wholeText; // the printout's text, for the baseline
};
Topic* g_topic = nullptr;

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

void makeTopic()
{
    g_topic = new Topic;
    Topic& t = *g_topic;
    t.home = InstallFolder(t.dir.path());
    const QString foto = t.dir.filePath(QStringLiteral("Predmet/Foto"));
    QDir().mkpath(foto);
    QFile gif(QStringLiteral(TAVEL_DEMO_DIR "/Matem/Foto/3_3_2_2.gif"));
    if (!gif.open(QIODevice::ReadOnly))
        qFatal("the demo picture is missing");
    const QByteArray picture = gif.readAll();
    const QString explanation = QStringLiteral("Пояснение к вопросу: отмена крепостного права в 1861 году, её "
                                               "причины, ход реформы и последствия для крестьян и помещиков.\r\n")
                                    .repeated(4);
    t.list.subjectName = QStringLiteral("История");
    t.list.folderName = QStringLiteral("Predmet");
    t.list.topicName = QStringLiteral("Большая тема");
    for (int q = 1; q <= kQuestions; ++q) {
        QuestionRow row;
        row.subjectCode = QStringLiteral("1");
        row.topicCode = QStringLiteral("2");
        row.testCode = QStringLiteral("1");
        row.questionNo = QString::number(q);
        row.questionText = QStringLiteral("Вопрос номер %1: в каком году было отменено крепостное право в России?").arg(q);
        if (q % 10 == 0) {
            row.questionText += QStringLiteral("File#e%1.txt#").arg(q);
            writeFile(foto + QStringLiteral("/e%1.txt").arg(q), cp1251::encode(explanation));
            writeFile(foto + QStringLiteral("/1_2_1_%1.gif").arg(q), picture);
        }
        t.list.rows.push_back(row);
        for (int a = 1; a <= 4; ++a)
            t.list.answers.push_back({row.subjectCode, row.topicCode, row.testCode, row.questionNo, QString::number(a),
                                      a == 1 ? QStringLiteral("+") : QStringLiteral("-"),
                                      QStringLiteral("Вариант ответа %1 к вопросу %2").arg(a).arg(q)});
    }
    Document doc;
    printUnanswered(doc, t.list, t.home);
    t.wholeText = doc.text().toPlainText();
}

void BM_UnansweredPrint(benchmark::State& state)
{
    for (auto _ : state) {
        Document doc;
        const QStringList problems = printUnanswered(doc, g_topic->list, g_topic->home);
        if (!problems.isEmpty())
            state.SkipWithError("the printout missed files");
        benchmark::DoNotOptimize(doc.end());
    }
}
BENCHMARK(BM_UnansweredPrint)->Unit(benchmark::kMillisecond);

void BM_SetWholeText(benchmark::State& state)
{
    for (auto _ : state) {
        QTextDocument doc;
        doc.setPlainText(g_topic->wholeText);
        benchmark::DoNotOptimize(doc.characterCount());
    }
}
BENCHMARK(BM_SetWholeText)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    makeTopic();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete g_topic;
    return 0;
}
