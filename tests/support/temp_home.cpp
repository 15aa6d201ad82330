// Temporary installation folders for tests.
#include "support/temp_home.h"

#include "storage/cp1251.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace tavel::test {

TempHome::TempHome() : home_(dir_.path())
{
    if (!dir_.isValid())
        throw std::runtime_error("cannot create a temporary folder");
}

QString TempHome::path(const QString& relative) const
{
    return QDir(root()).filePath(relative);
}

void TempHome::write(const QString& relative, const QByteArray& bytes) const
{
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file");
}

QByteArray TempHome::read(const QString& relative) const
{
    QFile file(path(relative));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool TempHome::exists(const QString& relative) const
{
    return QFileInfo::exists(path(relative));
}

QByteArray cp(const QString& text)
{
    return cp1251::encode(text);
}

} // namespace tavel::test
