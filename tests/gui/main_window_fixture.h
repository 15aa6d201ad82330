// The windows of the program on a small installation folder, created in their
// order as the program creates them, with every box answered by a script.
#pragma once

#include "app/windows/all_windows.h"
#include "platform/windows/message_box.h"
#include "session/app_state.h"
#include "session/windows/main_window.h"
#include "support/small_home.h"

#include <QAbstractItemView>
#include <QDialog>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace tavel::test {

using dialogs::testing::BoxKind;

class MainWindowTest : public ::testing::Test {
protected:
    TempHome t;
    AppState state;
    dialogs::testing::Script script;
    std::unique_ptr<app::AllWindows> windows;

    MainWindowTest() { writeSmallHome(t); }

    // Creates the windows (the start-up steps run) and shows the main window.
    void start()
    {
        state.home = t.home();
        windows = std::make_unique<app::AllWindows>(state);
        form()->show();
        form()->resize(1280, 800); // the offscreen screen is smaller than a school's
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form()));
        QApplication::processEvents();
    }

    TForm1* form() const { return windows->form1(); }

    template <class T>
    T* find(const char* name) const
    {
        T* found = form()->findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
        return found;
    }

    QAction* entry(const char* name) const { return find<QAction>(name); }

    void click(const char* button) const { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }

    // Types the password into the start screen and presses "Войти в программу".
    void enter(const QString& password) const
    {
        QLineEdit* parol = find<QLineEdit>("Parol");
        parol->clear();
        QTest::keyClicks(parol, password);
        click("ZastPogasit1");
    }

    // Chooses an item of a drop-down list with the mouse.
    static void choose(QComboBox* combo, int index)
    {
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        const QRect item = view->visualRect(view->model()->index(index, 0));
        const QPoint at(std::min(item.center().x(), view->viewport()->width() / 2), item.center().y());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QApplication::processEvents();
    }

    // The boxes of this kind whose caption or text contains `part`.
    int shown(BoxKind kind, const QString& part = {}) const
    {
        int n = 0;
        for (const auto& box : script.shown())
            n += box.kind == kind && (box.caption.contains(part) || box.text.contains(part));
        return n;
    }
};

} // namespace tavel::test
