// The explanation window `TTeksti` ("Пояснения к вопросу"): the text or
// rich-text file a question refers to, and, for a text that carries the
// letter markers (А), (Б), … and a "Список терминов" list, an answer form in
// which the student picks a term number for every letter.
//
// The window does not know the main window. It is created once, placed below
// the main window by FormCreate, and driven through:
//
//   showExplanation(path)  clear, load the file, set up the answer form, show;
//   setHintButtonVisible   the hint mode ("Wkl" shows TekstPlusSim1);
//   answerChosen(code)     "Готов": the main window puts `code` into OdinOt
//                          and the window closes;
//   hintRequested()        "Вставить правильные ответы": the main window runs
//                          its exact-answer hint and calls fillHint(OdinOt).
//
// The file's path is kept in a member: "Восстановить текст" and "Напечатать
// из редактора" reopen exactly the file shown, however long its path.
#pragma once

#include <QString>
#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRect;
class QTableWidget;
class QTextEdit;
class QToolButton;

namespace tavel {

class TTeksti : public QWidget {
    Q_OBJECT
public:
    static QString caption();         // "Пояснения к вопросу"
    static QString fileCaptionStart(); // "Пояснения к вопросу из файла: "
    static QString groupTitle();       // the title of UprProp

    explicit TTeksti(QWidget* parent = nullptr);

    QTextEdit* Poyasnen;
    QGroupBox* UprProp;
    QTableWidget* BukCif;   // row 0 the markers, row 1 the chosen term numbers
    QLineEdit* WibrBuk;     // the selected marker
    QComboBox* SpisTerm;    // the terms of the list, in file order
    QLineEdit* NWB;         // hidden: the selected column, decimal
    QLabel* noteLabel;      // "Терминов может быть больше, чем нужно."
    QPushButton* TekstPlusSim1;
    QPushButton* Wosstan;
    QPushButton* Zakrit;
    QPushButton* BitBtn1;
    QWidget* SpinButton1;   // the two font arrows below
    QToolButton* SpinButton1Up;
    QToolButton* SpinButton1Down;

    // Clears the text, loads `path` (.txt as Windows-1251, rich text by its
    // signature), sets up the answer form and shows the window. A file that
    // cannot be read is reported in the general error dialog naming it, and
    // the window stays closed. `fotoFolder` is the subject's Foto folder,
    // the only place from which "Напечатать из редактора" hands the file to
    // its program; empty means the folder the file lies in.
    void showExplanation(const QString& path, const QString& fotoFolder = {});

    // The answer-hint button is shown only in hint mode.
    void setHintButtonVisible(bool visible);

    // The second half of the answer hint: the first letter-count characters
    // of the exact answer, one per column, into row 1 of BukCif.
    void fillHint(const QString& odinOtText);

    // The file shown (as given to showExplanation), and the letter count of
    // the last showing.
    const QString& filePath() const { return path_; }
    int letterCount() const { return letterCount_; }
    // Row 1 of BukCif, one entry per column.
    QStringList chosenNumbers() const;

    // Placement below the main window: the design height is kept when the
    // main window leaves less room, otherwise the window fills the work area
    // below the main window, across its whole width.
    void FormCreate(int mainWindowHeight, const QRect& workArea);
    // Sets up the answer form for the text now in Poyasnen.
    void FormShow();

    void BukCifMouseDown(int row, int column);
    void SpisTermChange(int termIndex);
    void TekstPlusSim1Click();
    void WosstanClick();
    void ZakritClick();
    void BitBtn1Click();
    void SpinButton1UpClick();
    void SpinButton1DownClick();

Q_SIGNALS:
    void answerChosen(const QString& code);
    void hintRequested();

private:
    bool loadText();
    void stepFont(bool up);
    void shiftRunSizes(int delta);
    void selectColumn(int column);

    QString path_;
    QString fotoFolder_;
    int letterCount_ = 0;
    QStringList terms_;
    int fontSize_;        // the text's font size, points
    int designFontSize_;  // the size the window was made with
};

} // namespace tavel
