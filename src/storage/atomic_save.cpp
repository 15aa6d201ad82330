// Atomic file replacement: a temporary file beside the target, flushed and
// synced, then renamed over it (rename replaces a file in one step).
#include "storage/atomic_save.h"

#include "storage/error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavel {
namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// The reason of a failed system call in words; the usual ones of a save in
// Russian, the rest as the system words them.
QString reasonOf(int error)
{
    switch (error) {
    case 0: return QStringLiteral("неизвестная ошибка");
    case ENOSPC: return QStringLiteral("на диске нет места");
    case EDQUOT: return QStringLiteral("исчерпана дисковая квота");
    case EFBIG: return QStringLiteral("файл слишком велик для диска");
    case EROFS: return QStringLiteral("диск только для чтения");
    case EACCES:
    case EPERM: return QStringLiteral("нет прав на запись");
    case ENOENT: return QStringLiteral("нет такой папки");
    case EIO: return QStringLiteral("ошибка ввода-вывода диска");
    default: return QString::fromLocal8Bit(std::strerror(error));
    }
}

[[noreturn]] void fail(const QString& path, const QString& reason)
{
    throw Error(QStringLiteral("Не удалось записать файл %1: %2; прежний файл сохранён").arg(native(path), reason));
}

// The file a save replaces: the target of a symbolic link, so that the link stays.
QString realTarget(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString target = info.canonicalFilePath();
    return target.isEmpty() ? info.symLinkTarget() : target;
}

// The permissions a new file gets: those of the file replaced, else what the
// process's umask leaves of rw-rw-rw-.
mode_t permissionsFor(const QString& path)
{
    struct stat old;
    if (::stat(QFile::encodeName(path).constData(), &old) == 0)
        return old.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Why the file at `target` may not be replaced, or empty when it may. A
// rename needs only the folder's permission, so a file the teacher made
// read-only would be replaced all the same: it is refused here, as a program
// writing into the file itself would be refused.
QString refusalFor(const QString& target)
{
    struct stat old;
    const QByteArray name = QFile::encodeName(target);
    if (::stat(name.constData(), &old) != 0)
        return QString(); // a new file
    if (S_ISDIR(old.st_mode))
        return QStringLiteral("на этом месте папка");
    // Without any write permission the file is read-only even for the
    // administrator, whom access() would let through.
    if ((old.st_mode & 0222) == 0)
        return QStringLiteral("файл только для чтения");
    if (::access(name.constData(), W_OK) != 0)
        return reasonOf(errno);
    return QString();
}

// Writes all `size` bytes to `fd`. False when the disk refused, with the
// reason's errno in `error` (ENOSPC for a write that took nothing).
bool writeAll(int fd, const char* data, qint64 size, int& error)
{
    qint64 done = 0;
    while (done < size) {
        errno = 0;
        const ssize_t n = ::write(fd, data + done, size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n == 0 ? ENOSPC : errno;
            return false;
        }
        done += n;
    }
    return true;
}

// The device a streamed save writes to: the bytes go to the temporary file
// through one block buffer, so that a save of any size holds one block in
// memory. After the disk refused a write every later write fails too, and
// failure() keeps the first reason.
class FileSink final : public QIODevice {
public:
    explicit FileSink(int fd) : fd_(fd)
    {
        block_.reserve(kBlock);
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    // Writes out what is still in the block; false when the disk refused.
    bool drain()
    {
        if (failed_)
            return false;
        failed_ = !writeAll(fd_, block_.constData(), block_.size(), failure_);
        block_.clear();
        return !failed_;
    }
    bool failed() const { return failed_; }
    int failure() const { return failure_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        if (block_.size() + size > kBlock && !drain())
            return -1;
        if (size >= kBlock) {
            failed_ = !writeAll(fd_, data, size, failure_);
            return failed_ ? -1 : size;
        }
        block_.append(data, size);
        return size;
    }

private:
    static constexpr qsizetype kBlock = 1024 * 1024;
    int fd_;
    bool failed_ = false;
    int failure_ = 0;
    QByteArray block_;
};

// Replaces the file at `path` with what `fill` writes to the descriptor of
// a temporary file beside it; `fill` throws (through fail) when it cannot.
// `flushed`: the new contents, then the rename, reach the disk before the
// call returns.
void replaceFile(const QString& path, const std::function<void(int fd)>& fill, bool flushed = true)
{
    const QString target = realTarget(path);
    if (const QString refusal = refusalFor(target); !refusal.isEmpty())
        fail(path, refusal);
    removeInterruptedSaves(target);

    // The reason of each failure is taken from errno right after the call
    // that failed: the messages of the file classes say "Unknown error" for a
    // full disk met while flushing.
    QTemporaryFile temp(target + QLatin1String(kInterruptedSaveMark) + QStringLiteral("XXXXXX"));
    temp.setAutoRemove(true);
    errno = 0;
    if (!temp.open())
        fail(path, reasonOf(errno));
    const int fd = temp.handle();
    fill(fd);
    if (::fchmod(fd, permissionsFor(target)) != 0 || (flushed && ::fsync(fd) != 0))
        fail(path, reasonOf(errno));
    const QByteArray from = QFile::encodeName(temp.fileName());
    if (::rename(from.constData(), QFile::encodeName(target).constData()) != 0)
        fail(path, reasonOf(errno));
    temp.setAutoRemove(false); // it is the file now
    if (!flushed)
        return;
    // The rename itself reaches the disk with the folder.
    const int folder = ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

bool isLeftoverOf(const QString& entry, const QString& fileName)
{
    static const QRegularExpression tail(QStringLiteral("^[A-Za-z0-9]{6}$"));
    const QString prefix = fileName + QLatin1String(kInterruptedSaveMark);
    return entry.startsWith(prefix) && tail.match(QStringView(entry).sliced(prefix.size())).hasMatch();
}

int removeMatching(const QString& folder, const std::function<bool(const QString&)>& matches)
{
    const QDir dir(folder);
    const QStringList entries =
        dir.entryList({QStringLiteral("*") + QLatin1String(kInterruptedSaveMark) + QStringLiteral("*")},
                      QDir::Files | QDir::Hidden | QDir::System);
    int removed = 0;
    for (const QString& entry : entries)
        if (matches(entry) && QFile::remove(folder + QLatin1Char('/') + entry))
            ++removed;
    return removed;
}

} // namespace

int removeInterruptedSaves(const QString& path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    return removeMatching(info.absolutePath(), [&](const QString& entry) { return isLeftoverOf(entry, name); });
}

int removeInterruptedSavesIn(const QString& folder)
{
    return removeMatching(folder, [](const QString& entry) {
        const qsizetype at = entry.lastIndexOf(QLatin1String(kInterruptedSaveMark));
        return at > 0 && isLeftoverOf(entry, entry.left(at));
    });
}

void saveAtomically(const QString& path, const std::function<bool(QIODevice&)>& write)
{
    replaceFile(path, [&](int fd) {
        FileSink sink(fd);
        if (!write(sink) || !sink.drain())
            fail(path, sink.failed() ? reasonOf(sink.failure()) : QStringLiteral("запись прервана"));
    });
}

void saveAtomically(const QString& path, const QByteArray& contents)
{
    replaceFile(path, [&](int fd) {
        int error = 0;
        if (!writeAll(fd, contents.constData(), contents.size(), error))
            fail(path, reasonOf(error));
    });
}

void saveWorkFile(const QString& path, const QByteArray& contents)
{
    replaceFile(
        path,
        [&](int fd) {
            int error = 0;
            if (!writeAll(fd, contents.constData(), contents.size(), error))
                fail(path, reasonOf(error));
        },
        false);
}

} // namespace tavel
