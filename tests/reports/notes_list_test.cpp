// The reference notes listing: subfolders and their files relative to the
// notes folder, sorted; long names kept whole for opening; entries that are
// gone or are programs refused; the saved list replaced each time.
#include "reports/notes_list.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <gtest/gtest.h>

using namespace tavel;
using tavel::test::TempHome;

namespace {

QStringList shownNames(const NotesListing& listing)
{
    QStringList out;
    for (const NotesEntry& e : listing.entries)
        out << e.shown;
    return out;
}

} // namespace

TEST(NotesList, SubfoldersAndTheirFilesAreListedRelativeAndSorted)
{
    TempHome t;
    const QString longName = QString(70, u'д') + QStringLiteral(".txt");
    t.write("Istoriy/konspekt/Лекция 2.txt", "2");
    t.write("Istoriy/konspekt/лекция 1.txt", "1");
    t.write("Istoriy/konspekt/Архив/Старое.odt", "o");
    t.write("Istoriy/konspekt/Архив/Глубже/" + longName, "x");
    t.write("Istoriy/konspekt/.скрытый", "h");
    const QString folder = notesFolder(t.path("Istoriy"));
    EXPECT_EQ(folder, t.path("Istoriy/konspekt")); // found in any case
    const NotesListing listing = listNotes(folder);
    ASSERT_TRUE(listing.folderExists);
    EXPECT_EQ(listing.folderShown, QDir::toNativeSeparators(t.path("Istoriy/konspekt/")));
    EXPECT_EQ(shownNames(listing), (QStringList{".скрытый", "Архив/", "Архив/Глубже/", "Архив/Глубже/" + longName,
                                               "Архив/Старое.odt", "лекция 1.txt", "Лекция 2.txt"}));
    EXPECT_TRUE(listing.entries[1].folder);
    EXPECT_FALSE(listing.entries[4].folder);
    // A name past 60 characters is shown and kept whole, so it still opens.
    EXPECT_EQ(listing.entries[3].fullPath, t.path("Istoriy/konspekt/Архив/Глубже/" + longName));
    EXPECT_TRUE(refuseToOpenNote(listing.entries[3]).isEmpty());
}

TEST(NotesList, MissingAndEmptyFolders)
{
    TempHome t;
    const NotesListing missing = listNotes(notesFolder(t.path("Matem")));
    EXPECT_FALSE(missing.folderExists);
    EXPECT_TRUE(missing.entries.empty());
    QDir().mkpath(t.path("Matem/Konspekt"));
    const NotesListing empty = listNotes(notesFolder(t.path("Matem")));
    EXPECT_TRUE(empty.folderExists);
    EXPECT_TRUE(empty.entries.empty());
}

TEST(NotesList, VanishedEntriesAndProgramsAreNotOpened)
{
    TempHome t;
    t.write("S/Konspekt/note.txt", "text");
    t.write("S/Konspekt/setup.sh", "#!/bin/sh\necho hi\n");
    t.write("S/Konspekt/run.me", "#!/bin/sh\n");
    const NotesListing listing = listNotes(notesFolder(t.path("S")));
    ASSERT_EQ(listing.entries.size(), 3u);
    EXPECT_TRUE(refuseToOpenNote(listing.entries[0]).isEmpty());              // note.txt
    EXPECT_TRUE(refuseToOpenNote(listing.entries[1]).contains("программа")); // run.me
    EXPECT_TRUE(refuseToOpenNote(listing.entries[2]).contains("«setup.sh»"));
    QFile::remove(listing.entries[0].fullPath);
    EXPECT_TRUE(refuseToOpenNote(listing.entries[0]).contains(QStringLiteral("«note.txt» больше нет")));
}

TEST(NotesList, TheSavedListIsReplacedEachTime)
{
    TempHome t;
    saveNotesList(t.path("111.txt"), {QStringLiteral("Архив/"), QStringLiteral("Архив/Лекция.txt")});
    EXPECT_EQ(t.read("111.txt"), QStringLiteral("Архив/\nАрхив/Лекция.txt\n").toUtf8());
    saveNotesList(t.path("111.txt"), {QStringLiteral("Нет папки с конспектами")});
    EXPECT_EQ(t.read("111.txt"), QStringLiteral("Нет папки с конспектами\n").toUtf8());
}

TEST(NotesList, ANameInAnotherEncodingIsListedAndCanBeOpened)
{
    TempHome t;
    t.write("S/Konspekt/plain.txt", "p");
    // "Лекция.txt" in Windows-1251 bytes, as copied from a Windows disk.
    const QByteArray name = QFile::encodeName(t.path("S/Konspekt/")) + "\xCB\xE5\xEA\xF6\xE8\xFF.txt";
    FILE* raw = std::fopen(name.constData(), "w");
    ASSERT_TRUE(raw);
    std::fputs("written on Windows", raw);
    std::fclose(raw);
    const NotesListing listing = listNotes(notesFolder(t.path("S")));
    ASSERT_EQ(listing.entries.size(), 2u);
    const NotesEntry& odd = listing.entries[1]; // after "plain.txt"
    EXPECT_EQ(odd.shown, QStringLiteral("Лекция.txt"));
    EXPECT_EQ(odd.nativePath, name);
    EXPECT_TRUE(refuseToOpenNote(odd).isEmpty()) << refuseToOpenNote(odd).toStdString();
    QFile opened(openablePath(odd));
    ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
    EXPECT_EQ(opened.readAll(), QByteArray("written on Windows"));
    EXPECT_TRUE(openablePath(listing.entries[0]).endsWith(QStringLiteral("S/Konspekt/plain.txt")));
    std::remove(name.constData()); // the temporary folder's own cleanup cannot spell it
}
