// Rules of the question countdown and of the topic's minutes.
#include "session/timers.h"

#include "storage/error.h"
#include "storage/text.h"

#include <QStringList>
#include <algorithm>

namespace tavel {

QString minutesText(int minutes)
{
    const QString v = QString::number(minutes);
    return (v.size() == 1 ? QStringLiteral("00") : QStringLiteral("0")) + v;
}

int readWholeNumber(const QString& text, const QString& boxName)
{
    bool ok = false;
    const int value = trimmed(text).toInt(&ok);
    if (!ok)
        throw Error(QStringLiteral("В поле «%1» должно быть целое число, а там «%2».").arg(boxName, text));
    return value;
}

LimitUpdate limitAfterMinute(int minutesUsed, const QString& limitTime, int lastMinutes)
{
    LimitUpdate update;
    if (minutesUsed == 0)
        return update;
    const int left = trimmed(limitTime).isEmpty() ? lastMinutes
                                                  : readWholeNumber(limitTime, QStringLiteral("Осталось минут"));
    if (left > 0) {
        update.changed = true;
        update.limitTime = QString::number(left - 1);
    }
    return update;
}

bool limitReached(const QString& limitTime)
{
    if (trimmed(limitTime).isEmpty())
        return false;
    return readWholeNumber(limitTime, QStringLiteral("Осталось минут")) == 0;
}

NewSeconds applyNewSeconds(const QString& woprSek, const QString& otwSek, const Countdown& running)
{
    QStringList problems;
    const auto seconds = [&problems](const QString& text, const QString& box, int least) {
        try {
            const int value = readWholeNumber(text, box);
            if (value >= least)
                return value;
            problems << QStringLiteral("В поле «%1» должно быть не меньше %2, а там «%3».")
                            .arg(box, QString::number(least), text);
        } catch (const Error& e) {
            problems << e.message();
        }
        return 0;
    };
    NewSeconds out;
    out.times.questionSeconds = seconds(woprSek, QStringLiteral("Секунд на вопрос"), 1);
    out.times.variantSeconds = seconds(otwSek, QStringLiteral("Секунд за каждый вариант ответа"), 0);
    if (!problems.isEmpty())
        throw Error(problems.join(u'\n'));
    out.countdown.maximum = out.times.questionSeconds;
    out.countdown.left = std::min(running.left, out.times.questionSeconds);
    return out;
}

} // namespace tavel
