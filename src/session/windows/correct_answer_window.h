// The correct-answer window `TDalsheOkno` ("Надо так"): a small aqua dialog
// with the one button "Дальше" (`dxfColorButton1`, hint "Следующий вопрос").
// The checker shows it modally after a partly right tick-box answer in hint
// mode, while the main window shows the right variants; "Дальше" closes it
// and the checker goes on. The topic's time limit may close it too.
#pragma once

#include <QDialog>

class QPushButton;

namespace tavel {

class TDalsheOkno : public QDialog {
    Q_OBJECT
public:
    static QString caption(); // "Надо так"

    explicit TDalsheOkno(QWidget* parent = nullptr);

    QPushButton* dxfColorButton1;

    void dxfColorButton1Click();
};

} // namespace tavel
