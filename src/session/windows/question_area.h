// The work area of the main window, where a question is answered: the
// question group `WoprosGB` (question text `WoprosRE`, buttons `Itog1`
// "Готов", `Otlogit`, `Fifti`, font buttons `BolBuk`/`MalBuk`), the kind
// group `TipOt` (`TipOtweta`, `KPraw`, `TekBal`), the answer rows
// `OtwetiOtm`, the exact-answer group `OdinTo4` (`OdinOt` and the input
// rules), the matching group `Soot` (`SootTab`, `WidimSoot`, `Ispravit`),
// and what stays hidden until asked for: the current answers `OtwTek`, the
// system number `NomerWoprosa`, the buttons `Dalshe`, `Kl`, `RangPok`,
// `OdinProt`, `PlusSim1`, the inserted-files list `RichEdit1` and the
// picture note.
#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTextEdit;

namespace tavel {

class AnswerRows;

class QuestionArea : public QWidget {
    Q_OBJECT
public:
    explicit QuestionArea(QWidget* parent);

    QGroupBox* WoprosGB;
    QTextEdit* WoprosRE;
    QPushButton* Itog1;
    QPushButton* Otlogit;
    QPushButton* Fifti;
    QPushButton* BolBuk;
    QPushButton* MalBuk;

    QGroupBox* TipOt;
    QLineEdit* TipOtweta;
    QLineEdit* KPraw;
    QLineEdit* TekBal;

    AnswerRows* OtwetiOtm;

    QGroupBox* OdinTo4;
    QLineEdit* OdinOt;
    QPlainTextEdit* InputRules; // "Правила ввода ответов"

    // The three tables are made when first asked for: nobody sees them
    // before a test starts, and start-up need not pay for them.
    QGroupBox* Soot;
    QTableWidget* SootTab();
    QTableWidget* WidimSoot();
    QPushButton* Ispravit;

    QTableWidget* OtwTek(); // columns "Predm", "Tema", "Test", "Wopr", "Otwe", "Kod_P", "Nazwan"
    QLineEdit* NomerWoprosa;
    QPushButton* Dalshe;
    QPushButton* Kl;
    QPushButton* RangPok;
    QPushButton* OdinProt;
    QPushButton* PlusSim1;
    QTextEdit* RichEdit1;
    QLabel* PictureNote; // "Размеры и расположение окон подстройте под себя"

    // Font size of the question text, in points.
    int questionPointSize() const;
    void setQuestionPointSize(int points);

private:
    void makeMatchingGrids();

    QTableWidget* sootTab_ = nullptr;
    QTableWidget* widimSoot_ = nullptr;
    QTableWidget* otwTek_ = nullptr;
};

} // namespace tavel
