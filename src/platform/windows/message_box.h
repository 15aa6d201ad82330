// Every message box, Yes/No question, input box and colour dialog of the
// program, the general error dialog, and the showing of modal windows go
// through here, so that window tests can answer them without a person.
//
// Test hooks: while a dialogs::testing::Script lives, no box is shown. Each
// box is written to the script's log (kind, caption, text) and answered from
// the script's queue, in order; when the queue is empty a message box is
// answered OK, a Yes/No question No, an input box and a colour dialog Cancel.
// A modal window (execModal) is run for real, and the next driver queued with
// Script::drive is called inside its event loop with the window: the driver
// types and clicks through the window's controls (QTest) like a person would.
// A window still open when its driver returns, or run without a driver, is
// rejected, so a test never hangs on a modal window.
//
//     dialogs::testing::Script script;
//     script.answerText(QStringLiteral("731946"));     // the next input box
//     script.drive([](QDialog& prompt) {                // the next modal window
//         auto* edit = prompt.findChild<QLineEdit*>(QStringLiteral("NomZamka"));
//         QTest::keyClicks(edit, QStringLiteral("Vintor"));
//         QTest::keyClick(edit, Qt::Key_Return);
//     });
//     ... drive the window ...
//     EXPECT_EQ(script.last()->caption, ...);
#pragma once

#include <QColor>
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

class QDialog;
class QWidget;

namespace tavel::dialogs {

// The caption of the general error dialog: the application's title.
QString applicationTitle();

void information(QWidget* parent, const QString& caption, const QString& text);
void warning(QWidget* parent, const QString& caption, const QString& text);
// The general error dialog: an operation failed; `message` says why.
void error(QWidget* parent, const QString& message);
// A Yes/No question; true for Yes.
bool askYesNo(QWidget* parent, const QString& caption, const QString& text);
// An input box with a caption, a prompt and a default text; the text as typed
// on OK, nothing on Cancel.
std::optional<QString> input(QWidget* parent, const QString& caption, const QString& prompt,
                             const QString& defaultText);
// The colour dialog; nothing on Cancel.
std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial);

// The open-file dialog: `title`, the initial `folder` and a Qt name filter
// ("Рисунки (*.gif *.jpg)"). The chosen file's path; nothing on Cancel.
// Scripted: answered by answerText (the path); the log holds the title and,
// as text, the folder.
std::optional<QString> openFile(QWidget* parent, const QString& title, const QString& folder,
                                const QString& filter);

// Shows `dialog` modally and returns QDialog::exec's result.
int execModal(QDialog* dialog);

// Runs `action`; a tavel::Error or any other std::exception it throws is shown
// in the general error dialog. True when the action ran through.
bool guarded(QWidget* parent, const std::function<void()>& action);

namespace testing {

enum class BoxKind { Information, Warning, Error, Question, Input, Colour, Modal, OpenFile };

struct ShownBox {
    BoxKind kind;
    QString caption; // a modal window: its title
    QString text;    // an input box: its prompt; a modal window: its objectName
};

class Script {
public:
    Script();
    ~Script();
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    // Answers for the next boxes, in order.
    void answerOk();
    void answerCancel();
    void answerYes();
    void answerNo();
    void answerText(const QString& text);
    void answerColour(const QColor& colour);
    // The driver of the next modal window.
    void drive(std::function<void(QDialog&)> driver);

    const std::vector<ShownBox>& shown() const { return shown_; }
    std::optional<ShownBox> last() const;
    int count(BoxKind kind) const;
    void clearLog() { shown_.clear(); }
    // Answers and drivers queued but not used yet.
    int pending() const { return int(answers_.size() + drivers_.size()); }

    // For the box functions above.
    struct Answer {
        enum Kind { Ok, Cancel, Yes, No, Text, Colour } kind;
        QString text;
        QColor colour;
    };
    static Script* active();
    std::optional<Answer> take(const ShownBox& box);
    std::function<void(QDialog&)> takeDriver(const ShownBox& box);

private:
    std::vector<ShownBox> shown_;
    std::deque<Answer> answers_;
    std::deque<std::function<void(QDialog&)>> drivers_;
};

} // namespace testing
} // namespace tavel::dialogs
