// The main menu of the main window.
#include "session/windows/main_menu.h"

#include "platform/windows/hint.h"
#include "session/entry_check.h"
#include "session/windows/controls.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace tavel {
namespace {

QMenu* topMenu(QMenuBar* bar, const QString& name, const QString& title)
{
    auto* menu = bar->addMenu(title);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name + QStringLiteral("Action"));
    menu->setFont(controls::boldFont(menu, 10));
    menu->setToolTipsVisible(true);
    return menu;
}

QAction* entry(QWidget* menu, const QString& name, const QString& caption)
{
    auto* action = new QAction(caption, menu);
    action->setObjectName(name);
    menu->addAction(action);
    markNotYetAvailable(action);
    return action;
}

} // namespace

MainMenu::MainMenu(QMenuBar* bar) : bar_(bar)
{
    bar->setObjectName(QStringLiteral("MainMenu1"));
    bar->setFont(controls::boldFont(bar, 10));

    N7 = topMenu(bar, QStringLiteral("N7"), QStringLiteral("Экзамен  "));
    N28 = entry(N7, QStringLiteral("N28"), QStringLiteral("Пакет тестов  для экзамена выбрать"));
    N1 = entry(N7, QStringLiteral("N1"), QStringLiteral("По ключевым словам Пуск"));
    N27 = entry(N7, QStringLiteral("N27"), QStringLiteral("Изменить набор вопросов по предмету"));
    N6 = entry(N7, QStringLiteral("N6"), QStringLiteral("Словарь ключевых слов по предмету"));

    N17 = entry(bar, QStringLiteral("N17"), QStringLiteral("Неотвеченные вопросы       "));
    Polzowatel = entry(bar, QStringLiteral("Polzowatel"), QStringLiteral("Пользователь      "));

    N13 = topMenu(bar, QStringLiteral("N13"), QStringLiteral("Помощь  "));
    N11 = entry(N13, QStringLiteral("N11"), QStringLiteral("Конспекты"));
    N18 = entry(N13, QStringLiteral("N18"), QStringLiteral("Описание программы"));
    N101 = entry(N13, QStringLiteral("N101"), QStringLiteral("10 балльную оценку Вкл / Выкл"));
    N4 = entry(N13, QStringLiteral("N4"), QStringLiteral("Печать оглавления"));

    N3 = topMenu(bar, QStringLiteral("N3"), QStringLiteral("Сервис   "));
    Kalkulator = entry(N3, QStringLiteral("Kalkulator"), QStringLiteral("Калькулятор Windows"));
    N3->addSeparator();
    CwetForm1 = entry(N3, QStringLiteral("CwetForm1"), QStringLiteral("Цвет фона главного окна"));
    CwetOtwet = entry(N3, QStringLiteral("CwetOtwet"), QStringLiteral("Цвет фона окна ответов"));
    N3->addSeparator();
    N30 = entry(N3, QStringLiteral("N30"), QStringLiteral("Список предметов"));
    N2 = entry(N3, QStringLiteral("N2"), QStringLiteral("Импорт тестов и рисунков. Редактор."));
    Paroli = entry(N3, QStringLiteral("Paroli"), QStringLiteral("Пароли"));
    Nastroika = entry(N3, QStringLiteral("Nastroika"), QStringLiteral("Настройки программы"));
    N3->addSeparator();
    N5 = entry(N3, QStringLiteral("N5"), QStringLiteral("Включить таблицу ответов"));
    N16 = entry(N3, QStringLiteral("N16"), QStringLiteral("Включить системный номер"));
    N3->addSeparator();
    N15 = entry(N3, QStringLiteral("N15"), QStringLiteral("Печать копии экрана прямо на принтер"));
    PrTekWopr = entry(N3, QStringLiteral("PrTekWopr"), QStringLiteral("Печать текущего вопроса"));
    PeTekTemi = entry(N3, QStringLiteral("PeTekTemi"), QStringLiteral("Печать текущей темы"));
    TemaBezPlus = entry(N3, QStringLiteral("TemaBezPlus"), QStringLiteral("Итог и неотвеченные"));
}

void MainMenu::provide(QObject* context, QAction* action, std::function<void()> handler)
{
    markAvailable(action);
    QObject::connect(action, &QAction::triggered, context, [handler = std::move(handler)] { handler(); });
    if (action == N27)
        action->setEnabled(packageRight_);
}

void MainMenu::applyRights(const Rights& rights)
{
    N3->menuAction()->setEnabled(rights.serviceMenu);
    packageRight_ = rights.packageMaintenance;
    if (!isMarkedNotYetAvailable(N27))
        N27->setEnabled(rights.packageMaintenance);
}

std::vector<QAction*> MainMenu::entries() const
{
    return {N28, N1,         N27,       N6,  N17,    N11, N18, N101, N4,        Kalkulator, CwetForm1, CwetOtwet,
            N30, N2,         Paroli,    Nastroika, N5, N16, N15, PrTekWopr, PeTekTemi, TemaBezPlus, Polzowatel};
}

} // namespace tavel
