// The keyword dictionary file.
#include "sets/dictionary.h"

#include "storage/error.h"
#include "storage/text.h"
#include "storage/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>

namespace tavel {

QString defaultKeyword()
{
    return QStringLiteral("ключевые слова");
}

QString dictionaryPath(const QString& subjectFolder)
{
    return QDir(subjectFolder).filePath(QStringLiteral("Slovar.txt"));
}

void ensureDictionary(const QString& path)
{
    if (!QFileInfo::exists(path))
        writeTextLines(path, {defaultKeyword()});
}

QStringList readDictionary(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Не удалось прочитать словарь %1: %2")
                        .arg(QDir::toNativeSeparators(path), file.errorString()));
    const QByteArray bytes = file.readAll();
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
    if (!ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8.decode(bytes);
        if (!utf8.hasError()) {
            QStringList lines = text.split(u'\n');
            for (QString& line : lines)
                if (line.endsWith(u'\r'))
                    line.chop(1);
            if (!lines.isEmpty() && lines.last().isEmpty())
                lines.removeLast();
            if (!lines.isEmpty() && lines.first().startsWith(QChar(0xFEFF)))
                lines.first().remove(0, 1);
            return lines;
        }
    }
    return readTextLines(path);
}

void writeDictionary(const QString& path, const QStringList& lines)
{
    writeTextLines(path, lines);
}

QStringList keywordItems(const QStringList& lines)
{
    QStringList items;
    for (const QString& line : lines) {
        const QString word = trimmed(line);
        if (!word.isEmpty())
            items << word;
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return items;
}

} // namespace tavel
