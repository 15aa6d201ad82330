// The main menu of the main window, every entry under its name and with its
// caption as the system shows it (menu titles keep their trailing blanks).
//
// Every entry starts as "not available yet" (disabled, saying so in its
// hint); the feature that handles an entry makes it available with
// provide(). The access letter then decides, through applyRights, whether
// the menu "Сервис   " and the entry N27 can be used.
//
//   N7  "Экзамен  "                N28 package exam, N1 keyword set, N27 package
//                                  list (administrator), N6 keyword dictionary
//   N17 "Неотвеченные вопросы       "
//   Polzowatel "Пользователь      " (password re-check)
//   N13 "Помощь  "                 N11 notes, N18 description, N101 ten-point
//                                  grade on/off, N4 contents printout
//   N3  "Сервис   "                Kalkulator, CwetForm1, CwetOtwet, N30 subject
//                                  list, N2 editor, Paroli, Nastroika settings,
//                                  N5 answer table, N16 system number, N15 screen
//                                  print, PrTekWopr, PeTekTemi, TemaBezPlus
#pragma once

#include <QString>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QObject;

namespace tavel {

struct Rights;

class MainMenu {
public:
    explicit MainMenu(QMenuBar* bar);

    QMenu* N7;
    QAction* N28;
    QAction* N1;
    QAction* N27;
    QAction* N6;
    QAction* N17;
    QAction* Polzowatel;
    QMenu* N13;
    QAction* N11;
    QAction* N18;
    QAction* N101;
    QAction* N4;
    QMenu* N3;
    QAction* Kalkulator;
    QAction* CwetForm1;
    QAction* CwetOtwet;
    QAction* N30;
    QAction* N2;
    QAction* Paroli;
    QAction* Nastroika;
    QAction* N5;
    QAction* N16;
    QAction* N15;
    QAction* PrTekWopr;
    QAction* PeTekTemi;
    QAction* TemaBezPlus;

    // Makes the entry available and runs `handler` when it is chosen, as long
    // as `context` lives.
    void provide(QObject* context, QAction* entry, std::function<void()> handler);
    // Enables or disables what the access letter decides.
    void applyRights(const Rights& rights);

    QMenuBar* bar() const { return bar_; }
    std::vector<QAction*> entries() const;

private:
    QMenuBar* bar_;
    bool packageRight_ = false;
};

} // namespace tavel
