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

void showMessage(QWidget* parent, QMessageBox::Icon icon, BoxKind kind, const QString& caption,
                 const QString& text)
{
    if (Script* script = Script::active()) {
        script->take({kind, caption, text});
        return;
    }
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
    if (Script* script = Script::active()) {
        const auto answer = script->take({BoxKind::Question, caption, text});
        return answer && answer->kind == Script::Answer::Yes;
    }
    return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

std::optional<QString> input(QWidget* parent, const QString& caption, const QString& prompt,
                             const QString& defaultText)
{
    if (Script* script = Script::active()) {
        const auto answer = script->take({BoxKind::Input, caption, prompt});
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
    if (Script* script = Script::active()) {
        const auto answer = script->take({BoxKind::Colour, caption, initial.name()});
        if (answer && answer->kind == Script::Answer::Colour)
            return answer->colour;
        return std::nullopt;
    }
    const QColor colour = QColorDialog::getColor(initial, parent, caption);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

std::optional<QString> openFile(QWidget* parent, const QString& title, const QString& folder, const QString& filter)
{
    if (Script* script = Script::active()) {
        const auto answer = script->take({BoxKind::OpenFile, title, folder});
        if (answer && answer->kind == Script::Answer::Text)
            return answer->text;
        return std::nullopt;
    }
    const QString chosen = QFileDialog::getOpenFileName(parent, title, folder, filter);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

int execModal(QDialog* dialog)
{
    Script* script = Script::active();
    if (!script)
        return dialog->exec();
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
