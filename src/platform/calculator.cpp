// Finding and starting a desktop calculator.
#include "platform/calculator.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace tavel {
namespace {
StartProgramHook& hook()
{
    static StartProgramHook h;
    return h;
}
} // namespace

QStringList calculatorNames()
{
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),     QStringLiteral("galculator"),
            QStringLiteral("mate-calc"),        QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")};
}

QString findCalculator(const QStringList& names, const QString& searchPath)
{
    const QStringList folders = searchPath.isEmpty()
        ? QStringList()
        : searchPath.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& name : names) {
        const QString found = QStandardPaths::findExecutable(name, folders);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

bool startCalculator()
{
    const QString program = findCalculator();
    if (program.isEmpty())
        return false;
    if (hook())
        return hook()(program);
    return QProcess::startDetached(program, {});
}

void setStartProgramHook(StartProgramHook h)
{
    hook() = std::move(h);
}

} // namespace tavel
