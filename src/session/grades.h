// Grades from points: the five-point grade by the percentage thresholds, its
// word, the word of the eleven-step ten-point scale, and the figures of the
// results window (with the teacher's one-point adjustment).
//
// Contracts:
// - p = scored × 100 ÷ available in floating point; a percentage equal to a
//   threshold earns the higher grade.
// - Ten-point step x = scored × 10 ÷ available rounded half to even; a step
//   outside 0..10 leaves the previous word in place.
// - Available points of 0 or less give no percentage: no grade (shown "—"),
//   no grade word, the ten-point word unchanged, percentage gauges at 0.
#pragma once

#include <QString>
#include <optional>

namespace tavel {

struct GradeThresholds {
    int three = 50; // T3: lowest percentage for grade 3
    int four = 70;  // T4
    int five = 85;  // T5
};

// The percentage scored, not rounded; nothing when `available` <= 0.
std::optional<double> percentage(int scored, int available);

// The grade 2..5; nothing when `available` <= 0.
std::optional<int> grade(int scored, int available, const GradeThresholds& t);

// BalliOcenka: "2", "3", "4" or "5"; kNoGrade when `available` <= 0.
inline const QString kNoGrade = QStringLiteral("—");
QString balliOcenka(int scored, int available, const GradeThresholds& t);

// "Неудовлетворительно" (2), "Удовлетворительно" (3), "Хорошо" (4),
// "Отлично" (5); empty for anything else.
QString gradeWord(int grade);

// The ten-point word of step 0..10 exactly as listed ("0  Неудовлетворительно",
// ..., "10 Превосходно"); empty outside 0..10.
QString tenPointWord(int step);
// The ten-point step of a score; nothing when `available` <= 0.
std::optional<int> tenPointStep(int scored, int available);

// What the main window shows about the grade.
struct GradeDisplay {
    QString ocenka = QStringLiteral(" 0"); // Ocenka: " " + grade digit
    QString patSlovo;                       // PatSlovo: the grade word
    QString tenPoint = QStringLiteral(" Сейчас посмотрим"); // SlDesBal text and DesNew
};

// Wi4Ocenka: the display after an answer, from the points and the previous
// display (whose ten-point word stays when the step is out of range).
GradeDisplay wi4Ocenka(int werBal, int wseBal, const GradeThresholds& t, const GradeDisplay& previous);

// The results window's figures, copied from the main window when it opens.
struct FinishFigures {
    int kWopr = 0;
    int werWop = 0;
    int wseBal = 0;
    int werBal = 0;
    QString ocenka = QStringLiteral(" 0");
    int gauge = 0;          // percentage gauge
    bool adjusted = false;  // the "*" mark: the teacher added a point
};

// The results window's own gauge: the percentage rounded half to even,
// kept within 0..100; 0 when `available` <= 0.
int finishGauge(int scored, int available);

// Double-click on TriProc: one more right answer and one more point, the grade
// and the gauge recomputed from the window's own figures.
FinishFigures addTeacherPoint(FinishFigures figures, const GradeThresholds& t);

} // namespace tavel
