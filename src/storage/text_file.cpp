// Windows-1251 text files.
#include "storage/text_file.h"

#include "storage/atomic_save.h"
#include "storage/cp1251.h"
#include "storage/error.h"

#include <QDir>
#include <QFile>

namespace tavel {

QStringList readTextLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Не удалось открыть файл %1: %2")
                        .arg(QDir::toNativeSeparators(path), file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(QStringLiteral("Ошибка чтения файла %1: %2")
                        .arg(QDir::toNativeSeparators(path), file.errorString()));
    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        qsizetype stop = end;
        if (stop > start && bytes[stop - 1] == '\r')
            --stop;
        lines.push_back(cp1251::decode(QByteArrayView(bytes).sliced(start, stop - start)));
        start = next;
    }
    return lines;
}

void writeTextLines(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += cp1251::encode(line);
        bytes += "\r\n";
    }
    saveAtomically(path, bytes);
}

} // namespace tavel
