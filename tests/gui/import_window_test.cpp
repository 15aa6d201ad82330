// The import group of the editor window: a reader button asks for the file
// and fills IzTXT, "2  Декодер" fills the grids above it; failed reads and
// refused decodings change nothing.
#include "editor_fixture.h"

#include "storage/records.h"

#include <QLabel>
#include <QProgressBar>
#include <QTableView>

using namespace tavel;
using namespace tavel::test;

namespace {

class ImportWindowTest : public EditorWindowFixture {
protected:
    static QString cell(QWidget& window, const char* grid, int row, int column)
    {
        auto* view = window.findChild<QTableView*>(QString::fromLatin1(grid));
        return view->model()->index(row, column).data().toString();
    }

    static int rows(QWidget& window, const char* grid)
    {
        return window.findChild<QTableView*>(QString::fromLatin1(grid))->model()->rowCount();
    }

    QString file(const QString& name, const QByteArray& bytes)
    {
        t.write(name, bytes);
        return t.path(name);
    }

    const QByteArray digitFile = QStringLiteral("Новая тема\n1. Сколько?\n+а) два\nб) три\n").toUtf8();
};

TEST_F(ImportWindowTest, ReadingAFileAndDecodingAddsATopicWithItsQuestions)
{
    const QString path = file(QStringLiteral("q.txt"), digitFile);
    openEditor([&](TZagruzka& w) {
        script.answerFileName(path);
        clickIn(w, "ZagTXT");
        EXPECT_EQ(script.last()->caption, QStringLiteral("Импорт из txt списка"));
        EXPECT_EQ(rows(w, "IzTXT"), 5); // title, question, two answers, the empty row
        EXPECT_EQ(cell(w, "IzTXT", 2, 5), QStringLiteral("+"));
        EXPECT_TRUE(w.findChild<QLabel*>(QStringLiteral("IzTXTFile"))->text().contains(QStringLiteral("UTF-8")));

        // The subject holds 12 questions: the import becomes topic 4.
        clickIn(w, "Dekodir");
        EXPECT_EQ(text(w, "KolTem"), QStringLiteral("4"));
        EXPECT_EQ(cell(w, "TemaTabl", 3, 1), QStringLiteral("4"));
        EXPECT_EQ(cell(w, "TemaTabl", 3, 2), QStringLiteral("Новая тема"));
        EXPECT_EQ(text(w, "KolWop"), QStringLiteral("13"));
        EXPECT_EQ(cell(w, "WopTabl", 12, 4), QStringLiteral("Сколько?"));
        EXPECT_EQ(cell(w, "OtwTabl", rows(w, "OtwTabl") - 2, 6), QStringLiteral("два"));
        EXPECT_EQ(w.findChild<QProgressBar*>(QStringLiteral("Gauge1"))->value(), 0);
    });
    EXPECT_EQ(shown(BoxKind::Error), 0);
}

TEST_F(ImportWindowTest, FailedReadsAndRefusedDecodingsChangeNothing)
{
    const QString good = file(QStringLiteral("q.txt"), digitFile);
    const QString binary = file(QStringLiteral("bin.txt"), QByteArray("a\n\0b", 4));
    openEditor([&](TZagruzka& w) {
        script.answerFileName(good);
        clickIn(w, "ZagTXT");
        ASSERT_EQ(rows(w, "IzTXT"), 5);

        script.answerFileName(binary);
        clickIn(w, "wVopros");
        EXPECT_TRUE(script.last()->text.contains(QStringLiteral("bin.txt"))) << script.last()->text.toStdString();
        clickIn(w, "IzGener"); // the dialog cancelled
        EXPECT_EQ(rows(w, "IzTXT"), 5);
        EXPECT_EQ(cell(w, "IzTXT", 1, 6), QStringLiteral("1. Сколько?"));

        // The EGE reader empties its work file even when cancelled.
        t.write(QStringLiteral("EGE.dat"), QByteArray(217, 'x'));
        clickIn(w, "EGE");
        EXPECT_TRUE(t.read(QStringLiteral("EGE.dat")).isEmpty());

        // An inserted topic row "?" in append mode: refused, naming the row.
        auto* topics = w.findChild<QTableView*>(QStringLiteral("TemaTabl"));
        topics->setCurrentIndex(topics->model()->index(0, 0));
        clickIn(w, "TemaPlus");
        ASSERT_EQ(rows(w, "TemaTabl"), 4);
        const int questions = rows(w, "WopTabl");
        clickIn(w, "Dekodir");
        EXPECT_EQ(script.last()->kind, BoxKind::Error);
        EXPECT_TRUE(script.last()->text.contains(QStringLiteral("Строка 1 таблицы тем"))) << script.last()->text.toStdString();
        EXPECT_EQ(rows(w, "TemaTabl"), 4);
        EXPECT_EQ(rows(w, "WopTabl"), questions);
    });
}

} // namespace
