// The results window `TFinish` ("Итого. Покажите это преподавателю и
// сфотографируйте для себя."): the figures of the test in large form for the
// teacher, over a gradient that tells the exam form (green) from training
// (red), with a button that puts the window's picture on the clipboard.
//
// The window holds a copy of the main window's figures made when it opens
// (fill); the teacher's adjustments change only that copy:
//   double click on TriProc  one more right answer and one more point, the
//                            grade and the gauge recomputed, the mark "*";
//   double click on PaytProc the minutes used (TimerTema1) become editable.
// Points available of 0 give no percentage: Ocenka shows " —" and the gauge
// reads "—".
#pragma once

#include "session/grades.h"

#include <QDialog>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTextEdit;

namespace tavel {

class TFinish : public QDialog {
    Q_OBJECT
public:
    static QString caption();
    // The first colours of the background gradient.
    static QColor examColour();     // RGB 80, 239, 96
    static QColor trainingColour(); // RGB 255, 128, 128

    explicit TFinish(QWidget* parent = nullptr);

    QLineEdit* INN_New;     // student
    QLineEdit* Edit1;       // subject
    QLineEdit* NamePaketa;  // package name (package exam)
    QLabel* DatTim;         // date and time
    QLabel* ExamTren;       // " Экзамен " or " Тренировка "
    QGroupBox* WopBall;     // "    Вопросы    Баллы"
    QLineEdit* KWopr;
    QLineEdit* WerWop;
    QLineEdit* WseBal;
    QLineEdit* WerBal;
    QLineEdit* Ocenka;
    QProgressBar* Gauge1;   // "Набрано баллов в %"
    QLineEdit* NWopr;       // "Отвечено вопросов"
    QGroupBox* GroupBox3;   // "Правила выставления оценок"
    QLineEdit* TriProc;
    QLineEdit* ChetProc;
    QLineEdit* PaytProc;
    QLineEdit* TimerTema1;  // "Прошло"
    QLineEdit* LimitTime;   // "Осталось "
    QLineEdit* PervNomVopr;
    QLineEdit* PoslNomVopr;
    QLineEdit* MaxTime;
    QLabel* Label7;         // "*", shown after a teacher's adjustment
    QPushButton* BitBtn1;   // "В буфер обмена"
    QTextEdit* RichEdit1;   // the topic name

    // What the main window copies in when the window opens.
    struct Copy {
        FinishFigures figures; // KWopr, WerWop, WseBal, WerBal, Ocenka, gauge
        GradeThresholds thresholds;
        QString student;
        QString maxTime;
        QString firstOrdinal;
        QString lastOrdinal;
        QString limitTime;
        QString minutesUsed;
    };
    void fill(const Copy& copy);
    // The rest of the opening: the mode (gradient and ExamTren), DatTim from
    // `now`, the subject into Edit1.
    void FormShow(bool exam, const QDateTime& now, const QString& subject);

    // The answered counter (NWopr), counted by the checker, reset by Start.
    void setAnswered(int count);
    void setTopicName(const QString& name);

    const FinishFigures& figures() const { return figures_; }
    bool exam() const { return exam_; }

    void TriProcDblClick();
    void PaytProcDblClick();
    void BitBtn1Click();

    // DatTim: " " + the short date + "  " + the first five characters of the
    // long time format.
    static QString dateTimeText(const QDateTime& now);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void showFigures();

    FinishFigures figures_;
    GradeThresholds thresholds_;
    bool exam_ = false;
};

} // namespace tavel
