// Every message box, Yes/No question, input box, colour dialog and file
// dialog (open, save) of the program, the general error dialog, and the
// showing of modal windows go through here, so that window tests can answer
// them without a person.
//
// Test hooks: while a dialogs::testing::Script lives, no box is shown. Each
// box is written to the script's log (kind, caption, text) and answered from
// the script's queue, in order; when the queue is empty a message box is
// answered OK, a Yes/No question No, an input box, a colour dialog and a file
// dialog Cancel. A file dialog takes the next answerFileName (a path).
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
//     script.answerFileName(dir.filePath("list.pdf"));  // the next file dialog
//     ... drive the window ...
//     EXPECT_EQ(script.last()->caption, ...);
//
// A test program can also make every box met without a Script an error
// (setUnscriptedHandler): the box is not shown, the handler is told and the
// box is answered as above, so a window test that forgot to script a dialog
// fails at once instead of waiting for a person.
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

// The open dialog: the chosen file's path; nothing on Cancel. `filter` is in
// QFileDialog's form ("Документы (*.odt);;Все файлы (*)").
std::optional<QString> openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                    const QString& filter);
// The save dialog, starting at `suggested` (a folder or a path); it asks
// before a file is replaced. The chosen path; nothing on Cancel. When
// `selectedFilter` is given it holds the filter chosen (in: the one to start
// with); a scripted answer leaves it as it was.
std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                    const QString& filter, QString* selectedFilter = nullptr);

// Shows `dialog` modally and returns QDialog::exec's result.
int execModal(QDialog* dialog);

// Runs `action`; a tavel::Error or any other std::exception it throws is shown
// in the general error dialog. True when the action ran through.
bool guarded(QWidget* parent, const std::function<void()>& action);

namespace testing {

enum class BoxKind { Information, Warning, Error, Question, Input, Colour, Modal, OpenFile, SaveFile };

struct ShownBox {
    BoxKind kind;
    QString caption; // a modal window: its title
    QString text;    // an input box: its prompt; a modal window: its objectName;
                     // a file dialog: its starting folder or path
};

// Called for every box shown while no Script is active; the box is then not
// shown but answered as an empty Script would. Empty: boxes are shown.
// Returns the handler it replaces.
std::function<void(const ShownBox&)> setUnscriptedHandler(std::function<void(const ShownBox&)> handler);

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
    // The path the next file dialog returns.
    void answerFileName(const QString& path);
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
        enum Kind { Ok, Cancel, Yes, No, Text, Colour, FileName } kind;
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
