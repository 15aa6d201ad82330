// Atomic saves from outside: a full disk, a save killed at random points by a
// child process, and the leftovers of an interrupted save.
#include "storage/atomic_save.h"
#include "storage/error.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tavel;
using tavel::test::errorOf;
using tavel::test::TempHome;

namespace {

bool writeProc(const char* path, const QByteArray& text)
{
    const int fd = ::open(path, O_WRONLY);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, text.constData(), size_t(text.size())) == text.size();
    ::close(fd);
    return ok;
}

// In a child process of its own (user and mount namespaces), mounts a 64 KB
// file system on `folder` and runs `body`; returns what the child wrote to
// its pipe, or "SKIP" when the system allows no such namespace.
QByteArray onATinyDisk(const QString& folder, const std::function<QByteArray(const QString&)>& body)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return "SKIP";
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        QByteArray out = "SKIP";
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0 && writeProc("/proc/self/setgroups", "deny")
            && writeProc("/proc/self/uid_map", "0 " + QByteArray::number(uid) + " 1")
            && writeProc("/proc/self/gid_map", "0 " + QByteArray::number(gid) + " 1")
            && ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=64k") == 0) {
            try {
                out = body(folder);
            } catch (const std::exception& e) {
                out = QByteArray("exception: ") + e.what();
            }
        }
        (void)!::write(pipeFds[1], out.constData(), size_t(out.size()));
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    QByteArray got;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        got.append(buffer, n);
    ::close(pipeFds[0]);
    ::waitpid(child, nullptr, 0);
    return got;
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

TEST(AtomicSave, AFullDiskNamesTheReasonAndKeepsTheFormerFile)
{
    TempHome t;
    QDir().mkpath(t.path("disk"));
    const QByteArray result = onATinyDisk(t.path("disk"), [](const QString& folder) -> QByteArray {
        const QString path = folder + QStringLiteral("/Wopros.dat");
        saveAtomically(path, QByteArray(1000, 'a'));
        const QString whole = errorOf([&] { saveAtomically(path, QByteArray(200 * 1024, 'b')); });
        // Streamed in records, more than a block: the disk fills while they
        // are written, and the write that meets it is refused.
        bool refused = false;
        const QString streamed = errorOf([&] {
            saveAtomically(path, [&](QIODevice& device) {
                for (int i = 0; i < 10000; ++i)
                    if (device.write(QByteArray(170, 'c')) != 170)
                        return !(refused = true);
                return true;
            });
        });
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const bool kept = file.readAll() == QByteArray(1000, 'a');
        return whole.toUtf8() + "|" + streamed.toUtf8() + (refused ? "|refused" : "|") +
               (kept ? "|kept|" : "|LOST|") + entries(folder).join(u' ').toUtf8();
    });
    if (result == "SKIP")
        GTEST_SKIP() << "no user namespace to mount a small file system in";
    const QStringList parts = QString::fromUtf8(result).split(u'|');
    ASSERT_EQ(parts.size(), 5) << result.toStdString();
    for (const QString& message : {parts[0], parts[1]}) {
        EXPECT_TRUE(message.contains(QStringLiteral("Wopros.dat"))) << result.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("на диске нет места"))) << result.toStdString();
    }
    EXPECT_EQ(parts[2], QStringLiteral("refused"));
    EXPECT_EQ(parts[3], QStringLiteral("kept"));
    EXPECT_EQ(parts[4], QStringLiteral("Wopros.dat"));
}

TEST(AtomicSave, AKilledSaveLeavesTheOldOrTheNewFileByteForByte)
{
    TempHome t;
    const QString path = t.path("Otwet.dat");
    const QByteArray older(300 * 1024, 'o');
    const QByteArray newer(280 * 1024, 'n');
    QRandomGenerator random(7);
    for (int round = 0; round < 40; ++round) {
        saveAtomically(path, older);
        const pid_t child = ::fork();
        if (child == 0) {
            try {
                for (;;) { // a work file is replaced as whole, only not flushed
                    saveWorkFile(path, newer);
                    saveAtomically(path, older);
                }
            } catch (...) {
                ::_exit(1);
            }
        }
        ::usleep(useconds_t(random.bounded(20000)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const QByteArray now = t.read("Otwet.dat");
        ASSERT_TRUE(now == older || now == newer) << "round " << round << ": " << now.size() << " bytes";
    }
    // Whatever temporary files the kills left, the next save removes them.
    saveAtomically(path, newer);
    EXPECT_EQ(entries(t.root()), QStringList{QStringLiteral("Otwet.dat")});
}

TEST(AtomicSave, LeftoversOfAnInterruptedSaveGoAtTheNextSaveOrOpeningNothingElse)
{
    TempHome t;
    for (const char* name : {"Tema.dat.tavel-save-AbCdEf", "Tema.dat.backup", "Tema.dat.tavel-save-toolong1",
                             "Wopros.dat.tavel-save-XyZabc", "Wopros.dat", "notes.txt"})
        t.write(QStringLiteral("S/") + QLatin1String(name), "x");
    saveAtomically(t.path("S/Tema.dat"), QByteArray("new"));
    EXPECT_FALSE(t.exists("S/Tema.dat.tavel-save-AbCdEf"));
    EXPECT_TRUE(t.exists("S/Wopros.dat.tavel-save-XyZabc")); // another file's: left for its own save
    EXPECT_EQ(removeInterruptedSavesIn(t.path("S")), 1);
    EXPECT_EQ(entries(t.path("S")),
              (QStringList{"Tema.dat", "Tema.dat.backup", "Tema.dat.tavel-save-toolong1", "Wopros.dat", "notes.txt"}));
    EXPECT_EQ(t.read("S/Tema.dat"), QByteArray("new"));
}

TEST(AtomicSave, AReadOnlyFileIsNotReplacedThroughItsFolder)
{
    // The rename needs only the folder's permission: a base the teacher made
    // read-only was replaced all the same, and kept its read-only mode.
    TempHome t;
    t.write("S/Wopros.dat", "old");
    const QString path = t.path("S/Wopros.dat");
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QString message = errorOf([&] { saveAtomically(path, QByteArray("new")); });
    EXPECT_TRUE(message.contains(QStringLiteral("Wopros.dat: файл только для чтения"))) << message.toStdString();
    EXPECT_EQ(t.read("S/Wopros.dat"), QByteArray("old"));
    EXPECT_EQ(entries(t.path("S")), QStringList{QStringLiteral("Wopros.dat")});

    // A link to a writable file is saved through: the link stays, its target
    // gets the contents and keeps its permissions.
    t.write("S/Tema.dat", "old");
    const QString target = t.path("S/Tema.dat");
    ASSERT_TRUE(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ASSERT_TRUE(QFile::link(target, t.path("S/link.dat")));
    saveAtomically(t.path("S/link.dat"), QByteArray("new"));
    EXPECT_TRUE(QFileInfo(t.path("S/link.dat")).isSymLink());
    EXPECT_EQ(t.read("S/Tema.dat"), QByteArray("new"));
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}
