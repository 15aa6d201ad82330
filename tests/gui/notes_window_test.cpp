// The reference notes window opened from "Помощь  " → "Конспекты": the
// current subject's notes listed, opened with the desktop's program (never a
// program), the list saved to 111.txt; a subject without notes; the demo's
// notes folder.
#include "main_window_fixture.h"

#include "platform/open_file.h"
#include "reports/notes_list.h"

#include <QListWidget>

using namespace tavel;
using namespace tavel::test;

namespace {

// With TAVEL_GRAB_DIR set, the window is saved there as a PNG to look at.
void grabIfAsked(QWidget& w, const QString& name)
{
    const QString dir = qEnvironmentVariable("TAVEL_GRAB_DIR");
    if (!dir.isEmpty())
        w.grab().save(dir + u'/' + name + QStringLiteral(".png"));
}

QStringList items(QDialog& w)
{
    QStringList out;
    auto* list = w.findChild<QListWidget*>(QStringLiteral("ListBox1"));
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void doubleClick(QDialog& w, int row)
{
    auto* list = w.findChild<QListWidget*>(QStringLiteral("ListBox1"));
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

void press(QDialog& w, const char* button)
{
    QTest::mouseClick(w.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
}

} // namespace

class NotesWindowTest : public MainWindowTest {
protected:
    std::vector<QUrl> opened;

    void SetUp() override
    {
        setOpenUrlHook([this](const QUrl& url) {
            opened.push_back(url);
            return true;
        });
        t.write("Istoriy/Konspekt/Лекция.txt", "текст");
        t.write("Istoriy/Konspekt/Архив/Старое.pdf", "%PDF-1.4");
        t.write("Istoriy/Konspekt/install.sh", "#!/bin/sh\n");
        start();
    }
    void TearDown() override { setOpenUrlHook({}); }

    void open(std::function<void(QDialog&)> steps)
    {
        script.drive(std::move(steps));
        entry("N11")->trigger();
    }
};

TEST_F(NotesWindowTest, ListsTheCurrentSubjectsNotesAndOpensTheChosenOne)
{
    open([this](QDialog& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Справочные материалы по предмету"));
        EXPECT_EQ(w.findChild<QLineEdit*>(QStringLiteral("ImaPredm"))->text(), QStringLiteral("История"));
        EXPECT_EQ(w.findChild<QLineEdit*>(QStringLiteral("NamePapka"))->text(),
                  QDir::toNativeSeparators(t.path("Istoriy/Konspekt/")));
        EXPECT_EQ(items(w), (QStringList{"install.sh", "Архив/", "Архив/Старое.pdf", "Лекция.txt"}));
        grabIfAsked(w, QStringLiteral("TTeoriya"));
        doubleClick(w, 2);
        doubleClick(w, 0); // a script: refused
        w.findChild<QListWidget*>(QStringLiteral("ListBox1"))->setCurrentRow(3);
        press(w, "PokDok");
    });
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].toLocalFile(), t.path("Istoriy/Konspekt/Архив/Старое.pdf"));
    EXPECT_EQ(opened[1].toLocalFile(), t.path("Istoriy/Konspekt/Лекция.txt"));
    EXPECT_EQ(shown(BoxKind::Warning, QStringLiteral("«install.sh» — программа или сценарий")), 1);
}

TEST_F(NotesWindowTest, SaveWritesTheListTo111AndOpensIt)
{
    t.write("111.txt", "old contents that are longer than the list\n");
    open([](QDialog& w) { press(w, "SaveTXT"); });
    EXPECT_EQ(QString::fromUtf8(t.read("111.txt")),
              QStringLiteral("install.sh\nАрхив/\nАрхив/Старое.pdf\nЛекция.txt\n"));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toLocalFile(), t.path("111.txt"));
}

TEST_F(NotesWindowTest, ASubjectWithoutNotesSaysSoAndOpensNothing)
{
    enter(QStringLiteral("731946"));
    choose(find<QComboBox>("PredmetName"), 1); // Математика: no Konspekt folder
    open([](QDialog& w) {
        EXPECT_EQ(w.findChild<QLineEdit*>(QStringLiteral("ImaPredm"))->text(), QStringLiteral("Математика"));
        EXPECT_EQ(items(w), QStringList{"Нет папки с конспектами"});
        doubleClick(w, 0);
        press(w, "PokDok");
    });
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(script.count(BoxKind::Warning) + script.count(BoxKind::Information), 0);
}

TEST(DemoNotes, TheHistoryNotesHoldATextAPdfAndASubfolder)
{
    const NotesListing listing = listNotes(notesFolder(QStringLiteral(TAVEL_DEMO_DIR "/Istoriy")));
    QStringList names;
    for (const NotesEntry& e : listing.entries)
        names << e.shown;
    EXPECT_EQ(names, (QStringList{"Древняя Русь/", "Древняя Русь/Князья Киевской Руси.txt",
                                  "Реформы 1860-1870-х годов.pdf", "Хронология.txt"}));
    QFile pdf(listing.entries[2].fullPath);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}
