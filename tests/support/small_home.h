// A small installation folder for tests, built with the storage functions:
// a catalogue of three subjects (История in Istoriy with three topics,
// Математика in Matem with two, Физика whose folder Fizika does not exist),
// the default users, the default settings, a code table, an empty colour
// file and a contents page with two group headings.
#pragma once

#include "storage/colours.h"
#include "storage/records.h"
#include "storage/settings.h"
#include "storage/shared_files.h"
#include "storage/text_file.h"
#include "support/temp_home.h"

#include <QDate>
#include <QDir>

namespace tavel::test {

// Writes a subject folder: one Tema.dat record per topic name, an Exam.dat
// with `counts` (TotalCount per topic, as text) and `counts[i]` question
// records of topic i in Wopros.dat.
inline void writeSubject(const TempHome& t, const QString& folder, const QString& subjectCode,
                         const QStringList& topicNames, const QStringList& counts)
{
    QDir().mkpath(t.path(folder));
    std::vector<TopicRecord> topics;
    std::vector<PackageRecord> package;
    std::vector<QuestionRecord> questions;
    for (int i = 0; i < topicNames.size(); ++i) {
        const QString code = QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0'));
        topics.push_back({subjectCode, code, topicNames[i]});
        const QString count = i < counts.size() ? counts[i] : QStringLiteral("0");
        package.push_back({subjectCode, code, topicNames[i], count, QStringLiteral("1")});
        for (int q = 1; q <= count.toInt(); ++q)
            questions.push_back({subjectCode, code, QStringLiteral("01"), QString::number(q),
                                 QStringLiteral("Вопрос %1").arg(q), {}, QStringLiteral("1"), {}});
    }
    writeRecords(t.path(folder + QStringLiteral("/Tema.dat")), topics);
    writeRecords(t.path(folder + QStringLiteral("/Exam.dat")), package);
    writeRecords(t.path(folder + QStringLiteral("/Wopros.dat")), questions);
}

inline QStringList smallContentsLines()
{
    return {QStringLiteral("5"), QStringLiteral("5"),
            QString(), QStringLiteral("Гуманитарные"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
            QStringLiteral("1"), QStringLiteral("История"), QStringLiteral("3"), QStringLiteral("12"), QStringLiteral("40"),
            QString(), QStringLiteral("Точные"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
            QStringLiteral("2"), QStringLiteral("Математика"), QStringLiteral("2"), QStringLiteral("9"), QStringLiteral("30"),
            QStringLiteral("3"), QStringLiteral("Физика"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("2")};
}

inline void writeSmallHome(const TempHome& t)
{
    const InstallFolder& home = t.home();
    writeRecords(home.path(paths::catalogue, true),
                 std::vector<SubjectRecord>{{1, QStringLiteral("История"), QStringLiteral("Istoriy"), 3, 12, 40},
                                            {2, QStringLiteral("  Математика "), QStringLiteral("Matem"), 2, 9, 30},
                                            {3, QStringLiteral("Физика"), QStringLiteral("Fizika"), 0, 1, 2}});
    ensureUsers(home, QDate(2024, 9, 1));
    ensureSettingsFile(home);
    ensureColourFile(home);
    writeTextLines(home.path(paths::codeTable, true), {QStringLiteral("АБВ"), QStringLiteral("abv")});
    writeTextLines(home.path(paths::contents, true), smallContentsLines());
    writeSubject(t, QStringLiteral("Istoriy"), QStringLiteral("01"),
                 {QStringLiteral("Древняя Русь"), QStringLiteral("Смута"), QStringLiteral("Петровская эпоха")},
                 {QStringLiteral("5"), QStringLiteral("4"), QStringLiteral("3")});
    writeSubject(t, QStringLiteral("Matem"), QStringLiteral("02"),
                 {QStringLiteral("Дроби"), QStringLiteral("Уравнения")}, {QStringLiteral("6"), QStringLiteral("3")});
}

} // namespace tavel::test
