// Reading the code table Baza\Win_Dos.qkv and translating with it.
#include "storage/code_table.h"

#include "storage/error.h"
#include "storage/text_file.h"

#include <QDir>
#include <QFileInfo>

namespace tavel {

QChar CodeTable::translate(QChar c) const
{
    const qsizetype at = source.indexOf(c);
    // A position beyond a shorter line 1 has nothing to translate into.
    return at >= 0 && at < target.size() ? target[at] : c;
}

QString CodeTable::translate(const QString& text) const
{
    QString out = text;
    for (QChar& c : out)
        c = translate(c);
    return out;
}

CodeTable readCodeTable(const QString& path)
{
    if (!QFileInfo(path).isFile())
        throw Error(QStringLiteral("Нет файла %1").arg(QDir::toNativeSeparators(path)));
    const QStringList lines = readTextLines(path);
    if (lines.size() < 2)
        throw Error(QStringLiteral("Файл %1: нужно две строки, в файле %2")
                        .arg(QDir::toNativeSeparators(path))
                        .arg(lines.size()));
    return {lines[0], lines[1]};
}

} // namespace tavel
