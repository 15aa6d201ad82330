// The editor window TZagruzka opened from the main menu as the administrator
// opens it, and the helpers its tests find and drive its controls with.
#pragma once

#include "main_window_fixture.h"

#include "authoring/windows/zagruzka.h"

#include <QTableView>
#include <functional>

namespace tavel::test {

class EditorWindowFixture : public MainWindowTest {
protected:
    // Types `word` into the administrator prompt and presses Enter.
    static void answerPrompt(QDialog& prompt, const QString& word)
    {
        auto* box = prompt.findChild<QLineEdit*>(QStringLiteral("NomZamka"));
        QTest::keyClicks(box, word);
        QTest::keyClick(box, Qt::Key_Return);
    }

    // Signs in as the administrator and opens the editor, which `driver`
    // then works in.
    void openEditor(std::function<void(TZagruzka&)> driver)
    {
        start();
        enter(QStringLiteral("731946"));
        script.drive([](QDialog& prompt) { answerPrompt(prompt, QStringLiteral("Vintor")); });
        script.drive([driver](QDialog& window) { driver(static_cast<TZagruzka&>(window)); });
        entry("N2")->trigger();
    }

    static void clickIn(QWidget& window, const char* name)
    {
        auto* b = window.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_TRUE(b) << name;
        ASSERT_TRUE(b->isEnabled()) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }

    // The text of a line edit, "<none>" when there is no such box.
    static QString text(QWidget& window, const char* name)
    {
        auto* box = window.findChild<QLineEdit*>(QString::fromLatin1(name));
        return box ? box->text() : QStringLiteral("<none>");
    }
};

} // namespace tavel::test
