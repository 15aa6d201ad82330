// Entering the program from the start screen and checking the password
// again: the user whose password matches becomes the current user and the
// access letter sets the rights of the main window; an unknown password or a
// closed access ends the program (the main window closes).
#pragma once

#include <QObject>

#include <QString>

namespace tavel {

class TForm1;

class EntryHandlers {
public:
    explicit EntryHandlers(TForm1& form);

    // "Войти в программу": the check with the text of Parol; then the start
    // screen is hidden and the answer area shown with all rows cleared.
    // False when the program was ended instead.
    bool ZastPogasit1Click();
    // Leaves the start screen if it is still shown (Start and two menu
    // entries do this first). False when the program was ended.
    bool leaveStartScreen();
    // Menu "Пользователь      ": the password asked in an input box, then the
    // same check. Cancel keeps the current user.
    void PolzowatelClick();

    // The check of `entered`: sets the current user and the rights, or warns
    // and closes the main window. False when the program was ended.
    bool check(const QString& entered);
    // Enables or disables what the current user's access letter decides.
    void applyRights();

private:
    QObject context_; // the connections of this group end with it
    TForm1& form_;
};

} // namespace tavel
