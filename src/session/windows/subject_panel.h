// The top strip of the main window: the subject list `PredmetName`, the topic
// group `WTema` (topic list `WiborTema`, question count `KolWoprTema`), the
// Start button `Pusk` and the student's name `INN_New`.
//
// `PredmetName`, `WiborTema` and `KolWoprTema` are drop-down lists with a text
// of their own (a prompt, or a value not in the list): editable combo boxes
// whose text cannot be typed over; a click on the text opens the list.
#pragma once

#include "session/windows/face_button.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLineEdit;

namespace tavel {

class SubjectPanel : public QWidget {
    Q_OBJECT
public:
    // The prompts shown while nothing is chosen.
    static QString subjectPrompt();
    static QString topicPrompt();

    explicit SubjectPanel(QWidget* parent);

    QComboBox* PredmetName;
    QGroupBox* WTema;
    QComboBox* WiborTema;
    QComboBox* KolWoprTema;
    FaceButton* Pusk;
    QLineEdit* INN_New;

    // Pusk's two faces: green "Старт" with yellow text (idle) and red "Стоп"
    // with white text (a test runs).
    void showStartFace();
    void showStopFace();

    // A test runs: Pusk shows "Стоп", subject and topic cannot be changed.
    void lockForTest();
    // The test is over: Pusk shows "Старт", subject and topic free again.
    void unlockAfterTest();
    // The topic list shows its prompt (no topic chosen).
    void showTopicPrompt();
    // The topic list shows `name` (a running test's topic).
    void showTopic(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace tavel
