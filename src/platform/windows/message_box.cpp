// Message boxes, input boxes, the colour dialog and modal windows, with the
// scripted answers that window tests use.
#include "platform/windows/message_box.h"

#include "storage/error.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <utility>

namespace tavel::dialogs {
namespace {

using testing::BoxKind;
using testing::Script;
using testing::ShownBox;

Script*& activeScript()
{
    static Script* script = nullptr;
    return script;
}

std::function<void(const ShownBox&)>& unscriptedHandler()
{
    static std::function<void(const ShownBox&)> handler;
    return handler;
}

// True when `box` is answered without being shown: by the active script, or
// (with no answer) after the unscripted handler was told of it.
bool answeredWithoutShowing(const ShownBox& box, std::optional<Script::Answer>& answer)
{
    if (Script* script = Script::active()) {
        answer = script->take(box);
        return true;
    }
    if (const auto& handler = unscriptedHandler()) {
        handler(box);
        answer.reset();
        return true;
    }
    return false;
}

void showMessage(QWidget* parent, QMessageBox::Icon icon, BoxKind kind, const QString& caption,
                 const QString& text)
{
    std::optional<Script::Answer> answer;
    if (answeredWithoutShowing({kind, caption, text}, answer))
        return;
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

QString applicationTitle()
{
    const QString name = QApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Tavel") : name;
}

void information(QWidget* parent, const QString& caption, const QString& text)
{
    showMessage(parent, QMessageBox::Information, BoxKind::Information, caption, text);
}

void warning(QWidget* parent, const QString& caption, const QString& text)
{
    showMessage(parent, QMessageBox::Warning, BoxKind::Warning, caption, text);
}

void error(QWidget* parent, const QString& message)
{
    showMessage(parent, QMessageBox::Critical, BoxKind::Error, applicationTitle(), message);
}

bool askYesNo(QWidget* parent, const QString& caption, const QString& text)
{
    std::optional<Script::Answer> answer;
    if (answeredWithoutShowing({BoxKind::Question, caption, text}, answer))
        return answer && answer->kind == Script::Answer::Yes;
    return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

std::optional<QString> input(QWidget* parent, const QString& caption, const QString& prompt,
                             const QString& defaultText)
{
    std::optional<Script::Answer> answer;
    if (answeredWithoutShowing({BoxKind::Input, caption, prompt}, answer)) {
        if (!answer || answer->kind == Script::Answer::Cancel || answer->kind == Script::Answer::No)
            return std::nullopt;
        if (answer->kind == Script::Answer::Text)
            return answer->text;
        return defaultText;
    }
    bool ok = false;
    const QString text = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial)
{
    const QString caption = QStringLiteral("Цвет");
    std::optional<Script::Answer> answer;
    if (answeredWithoutShowing({BoxKind::Colour, caption, initial.name()}, answer)) {
        if (answer && answer->kind == Script::Answer::Colour)
            return answer->colour;
        return std::nullopt;
    }
    const QColor colour = QColorDialog::getColor(initial, parent, caption);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

std::optional<QString> openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                    const QString& filter)
{
    std::optional<Script::Answer> answer;
    if (answeredWithoutShowing({BoxKind::OpenFile, caption, folder}, answer)) {
        if (answer && answer->kind == Script::Answer::FileName)
            return answer->text;
        return std::nullopt;
    }
    const QString path = QFileDialog::getOpenFileName(parent, caption, folder, filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                    const QString& filter, QString* selectedFilter)
{
    std::optional<Script::Answer> answer;
    if (answeredWithoutShowing({BoxKind::SaveFile, caption, suggested}, answer)) {
        if (answer && answer->kind == Script::Answer::FileName)
            return answer->text;
        return std::nullopt;
    }
    const QString path = QFileDialog::getSaveFileName(parent, caption, suggested, filter, selectedFilter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

int execModal(QDialog* dialog)
{
    Script* script = Script::active();
    if (!script) {
        if (const auto& handler = unscriptedHandler()) {
            handler({BoxKind::Modal, dialog->windowTitle(), dialog->objectName()});
            return QDialog::Rejected;
        }
        return dialog->exec();
    }
    auto driver = script->takeDriver({BoxKind::Modal, dialog->windowTitle(), dialog->objectName()});
    QPointer<QDialog> guard(dialog);
    QTimer::singleShot(0, dialog, [guard, driver = std::move(driver)] {
        if (guard && driver)
            driver(*guard);
        if (guard && guard->isVisible())
            guard->reject();
    });
    return dialog->exec();
}

bool guarded(QWidget* parent, const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const Error& e) {
        error(parent, e.message());
    } catch (const std::exception& e) {
        error(parent, QString::fromUtf8(e.what()));
    }
    return false;
}

namespace testing {

std::function<void(const ShownBox&)> setUnscriptedHandler(std::function<void(const ShownBox&)> handler)
{
    return std::exchange(unscriptedHandler(), std::move(handler));
}

Script::Script()
{
    activeScript() = this;
}

Script::~Script()
{
    if (activeScript() == this)
        activeScript() = nullptr;
}

Script* Script::active()
{
    return activeScript();
}

void Script::answerOk() { answers_.push_back({Answer::Ok, {}, {}}); }
void Script::answerCancel() { answers_.push_back({Answer::Cancel, {}, {}}); }
void Script::answerYes() { answers_.push_back({Answer::Yes, {}, {}}); }
void Script::answerNo() { answers_.push_back({Answer::No, {}, {}}); }
void Script::answerText(const QString& text) { answers_.push_back({Answer::Text, text, {}}); }
void Script::answerColour(const QColor& colour) { answers_.push_back({Answer::Colour, {}, colour}); }
void Script::answerFileName(const QString& path) { answers_.push_back({Answer::FileName, path, {}}); }

void Script::drive(std::function<void(QDialog&)> driver)
{
    drivers_.push_back(std::move(driver));
}

std::optional<ShownBox> Script::last() const
{
    if (shown_.empty())
        return std::nullopt;
    return shown_.back();
}

int Script::count(BoxKind kind) const
{
    int n = 0;
    for (const ShownBox& box : shown_)
        n += box.kind == kind;
    return n;
}

std::optional<Script::Answer> Script::take(const ShownBox& box)
{
    shown_.push_back(box);
    if (answers_.empty())
        return std::nullopt;
    Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::function<void(QDialog&)> Script::takeDriver(const ShownBox& box)
{
    shown_.push_back(box);
    if (drivers_.empty())
        return {};
    auto driver = std::move(drivers_.front());
    drivers_.pop_front();
    return driver;
}

} // namespace testing
} // namespace tavel::dialogs
