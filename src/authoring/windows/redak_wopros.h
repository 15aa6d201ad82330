// The question edit window `TRedakWopros` ("Редактирование вопроса"): one
// question of the editor's question grid with its answers as a form, the
// question text `Wopros` (at most 210 characters), its points `Ball`, and one
// line per answer (number, mark, text of at most 150 characters) in the
// scroll box `OtwetiOtm`. `BitBtn1` copies the form back into the editor's
// grids; nothing is written to disk until the author saves there.
//
// The editor fills Ball, KodWopr, Wopros and the caption, and TemaRed when a
// topic or question is clicked, then shows the window modally. Showing reads
// the editor's NoOtw and KOtwWopr to find the answer rows. The first 30
// answer lines are built with the window; more are made when a question has
// more answers, so that every answer is shown and none is lost. A question
// text referring to a text or GIF file of the Foto folder shows that file in
// the explanations or the GIF picture window beside the form.
#pragma once

#include <QDialog>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTextEdit;
class QWidget;

namespace tavel {

struct WindowSet;

class TRedakWopros : public QDialog {
    Q_OBJECT
public:
    static constexpr int kQuestionLength = 210;
    static constexpr int kAnswerLength = 150;
    static constexpr int kBuiltLines = 30;

    explicit TRedakWopros(WindowSet& windows, QWidget* parent = nullptr);

    QLabel* Label2;
    QLineEdit* Ball;
    QPushButton* BitBtn1;
    QLabel* Label3;
    QLineEdit* TemaRed;
    QLabel* Label1;
    QLineEdit* KodWopr;
    QTextEdit* Wopros;
    QScrollArea* OtwetiOtm;

    // One answer line: objectNames "OtwNomer<i>", "OtwKod<i>", "OtwTekst<i>"
    // for line i from 1.
    struct AnswerLine {
        QLineEdit* number;
        QLineEdit* mark;
        QTextEdit* text;
    };
    const std::vector<AnswerLine>& lines() const { return lines_; }
    // How many lines the last showing filled.
    int shownLines() const { return shown_; }

    void FormCreate();
    void FormShow();
    void BitBtn1Click();
    void FormClose();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void addLine();
    void clearLines();

    WindowSet& windows_;
    QWidget* linesArea_;
    std::vector<AnswerLine> lines_;
    int firstAnswer_ = 0; // the answer row of line 1, from 0
    int shown_ = 0;
    int questionRow_ = -1;
};

} // namespace tavel
