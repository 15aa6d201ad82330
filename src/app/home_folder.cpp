// The command line and the preparation of the installation folder.
#include "app/home_folder.h"

#include "storage/error.h"

#include <QCommandLineParser>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#ifndef TAVEL_DEMO_SOURCE_DIR
#define TAVEL_DEMO_SOURCE_DIR ""
#endif

namespace tavel::app {

CommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Тавел: экзаменатор и тренажёр"));
    const QCommandLineOption home(QStringLiteral("home"), QStringLiteral("Папка установки (вместо ~/Tavel)."),
                                  QStringLiteral("DIR"));
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("Начальное число случайных чисел (для повторяемых запусков)."),
                                  QStringLiteral("N"));
    parser.addOption(home);
    parser.addOption(seed);
    CommandLine result;
    if (!parser.parse(arguments)) {
        result.error = parser.errorText();
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.error = QStringLiteral("Лишние аргументы: %1").arg(parser.positionalArguments().join(QLatin1Char(' ')));
        return result;
    }
    if (parser.isSet(home)) {
        result.home = parser.value(home);
        if (result.home.isEmpty())
            result.error = QStringLiteral("--home: не указана папка");
    }
    if (parser.isSet(seed)) {
        bool ok = false;
        const quint64 value = parser.value(seed).toULongLong(&ok);
        if (ok)
            result.seed = value;
        else
            result.error = QStringLiteral("--seed: «%1» — не целое неотрицательное число").arg(parser.value(seed));
    }
    return result;
}

HomeChoice chooseHome(const QString& optionHome, const QString& environmentHome, const QString& userHome)
{
    if (!optionHome.isEmpty())
        return {QDir::cleanPath(QDir(optionHome).absolutePath()), true};
    if (!environmentHome.isEmpty())
        return {QDir::cleanPath(QDir(environmentHome).absolutePath()), true};
    return {QDir(userHome).filePath(QStringLiteral("Tavel")), false};
}

QStringList demoFolderCandidates(const QString& applicationDir)
{
    QStringList candidates{QDir::cleanPath(applicationDir + QStringLiteral("/../share/tavel/demo"))};
    const QString source = QStringLiteral(TAVEL_DEMO_SOURCE_DIR);
    if (!source.isEmpty())
        candidates << source;
    return candidates;
}

void copyFolder(const QString& from, const QString& to)
{
    if (!QDir().mkpath(to))
        throw Error(QStringLiteral("Не удалось создать папку %1").arg(QDir::toNativeSeparators(to)));
    const QDir source(from);
    QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = QDir(to).filePath(source.relativeFilePath(path));
        if (it.fileInfo().isDir()) {
            if (!QDir().mkpath(target))
                throw Error(QStringLiteral("Не удалось создать папку %1").arg(QDir::toNativeSeparators(target)));
        } else if (!QFile::copy(path, target)) {
            throw Error(QStringLiteral("Не удалось скопировать %1 в %2")
                            .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(target)));
        } else {
            QFile(target).setPermissions(QFile(target).permissions() | QFileDevice::WriteOwner);
        }
    }
}

void prepareHome(const HomeChoice& home, const QStringList& demoCandidates)
{
    if (QFileInfo(home.path).isDir())
        return;
    if (home.named || QFileInfo::exists(home.path))
        throw Error(QStringLiteral("Нет папки установки %1").arg(QDir::toNativeSeparators(home.path)));
    for (const QString& demo : demoCandidates) {
        if (QFileInfo(demo).isDir() && !QDir(demo).isEmpty()) {
            copyFolder(demo, home.path);
            return;
        }
    }
    if (!QDir().mkpath(home.path))
        throw Error(QStringLiteral("Не удалось создать папку установки %1").arg(QDir::toNativeSeparators(home.path)));
}

} // namespace tavel::app
