// The shared files of the installation folder that are created with their
// default contents when missing (catalogue, users), the loading of both, and
// the files of a subject folder (created empty; the default package built from
// the topic file).
#pragma once

#include "storage/install_folder.h"
#include "storage/records.h"

#include <QDate>
#include <optional>
#include <vector>

namespace tavel {

// Windows-style names of the shared files, resolved through InstallFolder.
namespace paths {
inline constexpr auto catalogue = u"Baza\\Papka.dat";
inline constexpr auto users = u"Baza\\Dostup.dat";
inline constexpr auto settings = u"Baza\\NoKor.qkv";
inline constexpr auto colours = u"baza\\CwetFona.qkv";
inline constexpr auto codeTable = u"Baza\\Win_Dos.qkv";
inline constexpr auto contents = u"Baza/Oglavlenie.txt";
inline constexpr auto ege = u"EGE.dat";
} // namespace paths

// The catalogue written when Baza\Papka.dat is missing: one subject, История.
SubjectRecord defaultSubject();
// The four users written when Baza\Dostup.dat is missing, dated `today`.
std::vector<UserRecord> defaultUsers(QDate today);

// Creates Baza\Papka.dat with the default subject when it is missing.
// Returns true when it created the file.
bool ensureCatalogue(const InstallFolder& home);
// Creates Baza\Dostup.dat with the default users when it is missing.
bool ensureUsers(const InstallFolder& home, QDate today);

// The first subject whose trimmed name equals the trimmed `name`.
std::optional<SubjectRecord> findSubject(const std::vector<SubjectRecord>& catalogue, const QString& name);

// At most ten users, in file order.
constexpr int kMaxUsers = 10;
std::vector<UserRecord> loadUsers(const QString& path);

// The record files of a subject folder.
namespace subject_files {
inline constexpr auto topics = u"Tema.dat";
inline constexpr auto questions = u"Wopros.dat";
inline constexpr auto answers = u"Otwet.dat";
inline constexpr auto sections = u"Predmet.dat";
inline constexpr auto package = u"Exam.dat";
inline constexpr auto temp = u"Temp.dat";
} // namespace subject_files

// The real path of a file of a subject folder (case-insensitive match).
QString subjectFile(const QString& subjectFolder, QStringView fileName);

// Opening a subject: Tema.dat, Exam.dat (built from Tema.dat when missing),
// Otwet.dat, Wopros.dat and Predmet.dat each created empty when missing, in
// that order. Throws Error when a file cannot be created.
void ensureSubjectFiles(const QString& subjectFolder);

// The default package: one record per topic of Tema.dat, in order, with
// TotalCount "5" and WantedCount "1".
std::vector<PackageRecord> defaultPackage(const std::vector<TopicRecord>& topics);
// Writes Exam.dat from Tema.dat when Exam.dat is missing. Returns true when it did.
bool ensureDefaultPackage(const QString& subjectFolder);

} // namespace tavel
