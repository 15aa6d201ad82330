// Moving a chosen picture to the question's picture name.
#include "authoring/picture_attach.h"

#include "storage/cp1251.h"
#include "storage/error.h"
#include "storage/text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tavel::authoring {
namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

QString pictureTargetName(const QString& chosenPath, const QString& systemNumber)
{
    const QString lower = cp1251::toLower(chosenPath);
    const QString number = trimmed(systemNumber);
    if (lower.contains(QStringLiteral(".gif")))
        return number + QStringLiteral(".gif");
    if (lower.contains(QStringLiteral(".jpg")))
        return number + QStringLiteral(".jpg");
    return {};
}

Attached attachPicture(const QString& chosenPath, const QString& target, bool replace)
{
    const QFileInfo chosen(chosenPath);
    const auto failed = [&](const QString& why) {
        return Error(QStringLiteral("Рисунок %1 не удалось поместить в %2: %3")
                         .arg(native(chosenPath), native(target), why));
    };
    if (!chosen.isFile())
        throw failed(QStringLiteral("такого файла нет."));
    if (QFileInfo(target).exists() && !replace)
        throw failed(QStringLiteral("файл с этим именем уже есть."));

    // The former picture steps aside under a temporary name and comes back
    // if the new one cannot take its place.
    const QString aside = target + QStringLiteral(".old");
    const bool hadTarget = QFileInfo::exists(target);
    if (hadTarget) {
        QFile::remove(aside);
        if (!QFile::rename(target, aside))
            throw failed(QStringLiteral("прежний рисунок с этим именем не удалось заменить."));
    }
    const bool movable = QFileInfo(chosen.absolutePath()).isWritable();
    QFile source(chosenPath);
    const bool done = movable ? source.rename(target) : source.copy(target);
    if (!done) {
        const QString why = source.errorString();
        if (hadTarget)
            QFile::rename(aside, target);
        throw failed(why);
    }
    if (hadTarget)
        QFile::remove(aside);
    return movable ? Attached::Moved : Attached::Copied;
}

} // namespace tavel::authoring
