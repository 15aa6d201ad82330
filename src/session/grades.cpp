// Grades, grade words and the results window's figures.
#include "session/grades.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace tavel {

std::optional<double> percentage(int scored, int available)
{
    if (available <= 0)
        return std::nullopt;
    return double(scored) * 100.0 / double(available);
}

std::optional<int> grade(int scored, int available, const GradeThresholds& t)
{
    const std::optional<double> p = percentage(scored, available);
    if (!p)
        return std::nullopt;
    if (t.three > *p)
        return 2;
    if (t.four > *p)
        return 3;
    if (t.five > *p)
        return 4;
    return 5;
}

QString balliOcenka(int scored, int available, const GradeThresholds& t)
{
    const std::optional<int> g = grade(scored, available, t);
    return g ? QString::number(*g) : kNoGrade;
}

QString gradeWord(int grade)
{
    switch (grade) {
    case 2: return QStringLiteral("Неудовлетворительно");
    case 3: return QStringLiteral("Удовлетворительно");
    case 4: return QStringLiteral("Хорошо");
    case 5: return QStringLiteral("Отлично");
    default: return {};
    }
}

QString tenPointWord(int step)
{
    static const QStringList kWords = {
        QStringLiteral("0  Неудовлетворительно"), QStringLiteral("1  Очень слабо"),
        QStringLiteral("2  Слабо"),               QStringLiteral("3  Посредственно"),
        QStringLiteral("4  Удовлетворительно"),   QStringLiteral("5  Почти хорошо"),
        QStringLiteral("6  Хорошо"),              QStringLiteral("7  Очень хорошо"),
        QStringLiteral("8  Почти отлично"),       QStringLiteral("9  Отлично"),
        QStringLiteral("10 Превосходно"),
    };
    return step >= 0 && step < kWords.size() ? kWords[step] : QString();
}

std::optional<int> tenPointStep(int scored, int available)
{
    if (available <= 0)
        return std::nullopt;
    const double x = std::nearbyint(double(scored) * 10.0 / double(available));
    // Far outside the scale the value is only known to be out of range.
    return int(std::clamp(x, -1.0, 11.0));
}

GradeDisplay wi4Ocenka(int werBal, int wseBal, const GradeThresholds& t, const GradeDisplay& previous)
{
    GradeDisplay d = previous;
    const std::optional<int> g = grade(werBal, wseBal, t);
    d.ocenka = QStringLiteral(" ") + (g ? QString::number(*g) : kNoGrade);
    d.patSlovo = g ? gradeWord(*g) : QString();
    const std::optional<int> step = tenPointStep(werBal, wseBal);
    if (step && *step >= 0 && *step <= 10)
        d.tenPoint = tenPointWord(*step);
    return d;
}

int finishGauge(int scored, int available)
{
    const std::optional<double> p = percentage(scored, available);
    return p ? int(std::clamp(std::nearbyint(*p), 0.0, 100.0)) : 0;
}

FinishFigures addTeacherPoint(FinishFigures f, const GradeThresholds& t)
{
    f.adjusted = true;
    ++f.werBal;
    ++f.werWop;
    f.ocenka = QStringLiteral(" ") + balliOcenka(f.werBal, f.wseBal, t);
    f.gauge = finishGauge(f.werBal, f.wseBal);
    return f;
}

} // namespace tavel
