// The settings window `TNastroika` ("Настройки программы"): the values of
// Baza\NoKor.qkv for the next start. The user name `LabeledEditFima`, the
// main window's colour (`BitBtn4`, applied at once), the office version
// `VerOff`; in the group `TimeProc`, locked until `BitBtn3` gets the
// administrator word, the display times `BazWrWopr` and `DeltaOtw`, the grade
// thresholds `TriProc`, `ChetProc`, `PaytProc` and the question limit
// `MaxWopr`. `BitBtn1` prints the window; `SaveNastr` rewrites the file.
//
// The file is read when the window is created, and those values become the
// program's current ones again; a line that cannot be read is reported when
// the window is shown (the boxes after it keep their default texts).
#pragma once

#include "authoring/settings_values.h"

#include <QDialog>
#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavel {

struct AppState;
class TForm1;

class TNastroika : public QDialog {
    Q_OBJECT
public:
    TNastroika(AppState& state, TForm1* form1);

    QLabel* Label11;
    QLineEdit* LabeledEditFima;
    QPushButton* BitBtn4;
    QGroupBox* MSOffice;
    QLineEdit* VerOff;
    QGroupBox* TimeProc;
    QLineEdit* BazWrWopr;
    QLineEdit* DeltaOtw;
    QGroupBox* Ocenki;
    QLineEdit* TriProc;
    QLineEdit* ChetProc;
    QLineEdit* PaytProc;
    QLineEdit* MaxWopr;
    QPushButton* BitBtn3;
    QPushButton* BitBtn1;
    QPushButton* SaveNastr;

    void FormCreate();
    void FormShow();
    void BitBtn4Click();
    void BitBtn1Click();
    void BitBtn3Click();
    void SaveNastrClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* numberBox(int number) const;
    void paintTextArea(const QColor& colour);

    AppState& state_;
    TForm1* form1_;
    QString reserved_;   // line 1, written back as read
    QString colourRead_; // line 3 as read, written back when there is no main window
    std::optional<QString> readError_;
};

} // namespace tavel
