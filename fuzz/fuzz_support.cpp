// Shared helpers of the fuzz targets.
#include "fuzz_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace tavel::fuzz {
namespace {

void dropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

void setUp()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    qInstallMessageHandler(dropMessage);
}

void ensureGuiApplication()
{
    // Never destroyed: at exit libFuzzer's own exit would run its destructor
    // after Qt's statics are gone.
    static QGuiApplication* app = nullptr;
    if (app)
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    app = new QGuiApplication(argc, argv);
}

const QString& scratchFolder()
{
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/tavel-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/tavel-fuzz-XXXXXX"));
    static const QString path = dir.path();
    return path;
}

QString scratchFile(const QString& relative, QByteArrayView bytes)
{
    const QString path = scratchFolder() + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes.data(), bytes.size()) != bytes.size())
        broken("the scratch file could not be written");
    return path;
}

QString inputFile(const QString& relative, const uint8_t* data, size_t size)
{
    setUp();
    return scratchFile(relative, QByteArrayView(data, qsizetype(size)));
}

void broken(const char* rule)
{
    std::fprintf(stderr, "fuzz: broken rule: %s\n", rule);
    std::abort();
}

uint8_t Input::byte()
{
    return at_ < size_ ? static_cast<uint8_t>(data_[at_++]) : 0;
}

QByteArray Input::bytes(size_t count)
{
    const size_t n = std::min(count, size_ - std::min(at_, size_));
    QByteArray out(data_ + at_, qsizetype(n));
    at_ += n;
    return out;
}

} // namespace tavel::fuzz
