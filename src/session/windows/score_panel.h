// The score of the running test on the main window: the group `WopBall`
// (questions, points, grade, percent, minutes, question number), the
// postponed questions (`PovtNev`, `Powtorit1`), the gauge of questions left
// `Gauge2`, the history button `nPrnProtokol`, and the grade boxes that stay
// hidden until asked for (`GroupBox4` with `PatSlovo`, `DesBalWkl` with
// `DesNew`, the word list `SlDesBal`, `Podskazano`, `KOtw`).
// Counters are decimal text in read-only boxes.
#pragma once

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace tavel {

struct GradeDisplay;
struct SessionCounters;

class ScorePanel : public QWidget {
    Q_OBJECT
public:
    explicit ScorePanel(QWidget* parent);

    QGroupBox* WopBall;
    QLineEdit* KWopr;      // questions to be asked
    QLineEdit* WerWop;     // answered correctly
    QLineEdit* WseBal;     // points of the test
    QLineEdit* WerBal;     // points earned
    QLineEdit* Ocenka;     // grade, " " and a digit
    QProgressBar* Gauge1;  // points in percent
    QLineEdit* TimerTema1; // minutes used
    QLineEdit* LimitTime;  // minutes left (editable)
    QLineEdit* NWopr;      // number of the question asked
    QProgressBar* Gauge2;  // questions left

    QGroupBox* OtlogenoGB; // "Отложено"
    QLineEdit* PovtNev;
    QPushButton* Powtorit1;

    QPushButton* nPrnProtokol; // "Полный": answer history and protocol

    QGroupBox* GroupBox4; // five-point grade word, hidden
    QLineEdit* PatSlovo;
    QGroupBox* DesBalWkl; // ten-point grade, hidden at start
    QLineEdit* DesNew;
    QComboBox* SlDesBal;  // the ten-point words, never shown
    QLineEdit* Podskazano; // hints used, hidden
    QLineEdit* KOtw;       // variants of the current question, hidden

    // Shows the counters and the grade of a test (TestRun::showCounters is
    // the one caller): the counter boxes, Ocenka, the grade words and the
    // percentage gauge Gauge1.
    void showScore(const SessionCounters& counters, const GradeDisplay& grade);

Q_SIGNALS:
    void scoreDoubleClicked(); // double click on WopBall

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace tavel
