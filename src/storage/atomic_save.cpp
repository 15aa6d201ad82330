// Atomic file replacement over QSaveFile.
#include "storage/atomic_save.h"

#include "storage/error.h"

#include <QDir>
#include <QSaveFile>

namespace tavel {

void saveAtomically(const QString& path, const std::function<bool(QIODevice&)>& write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(QStringLiteral("Не удалось записать файл %1: %2")
                        .arg(QDir::toNativeSeparators(path), file.errorString()));
    if (!write(file) || file.error() != QFileDevice::NoError) {
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString()
                                                                   : QStringLiteral("запись прервана");
        file.cancelWriting();
        throw Error(QStringLiteral("Не удалось записать файл %1: %2; прежний файл сохранён")
                        .arg(QDir::toNativeSeparators(path), reason));
    }
    if (!file.commit())
        throw Error(QStringLiteral("Не удалось записать файл %1: %2; прежний файл сохранён")
                        .arg(QDir::toNativeSeparators(path), file.errorString()));
}

void saveAtomically(const QString& path, const QByteArray& contents)
{
    saveAtomically(path, [&](QIODevice& device) { return device.write(contents) == contents.size(); });
}

} // namespace tavel
