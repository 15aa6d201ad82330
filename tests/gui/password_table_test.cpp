// The password table: the users shown, saved, and a bad row that leaves the
// user file whole.
#include "main_window_fixture.h"

#include "session/windows/password_table.h"
#include "storage/shared_files.h"

#include <QHeaderView>
#include <QTableWidget>

using namespace tavel;
using namespace tavel::test;

namespace {

QTableWidget* grid(QDialog& table)
{
    return table.findChild<QTableWidget*>(QStringLiteral("TabDost"));
}

void setCell(QDialog& table, int row, int column, const QString& text)
{
    QTableWidget* g = grid(table);
    if (!g->item(row, column))
        g->setItem(row, column, new QTableWidgetItem);
    g->item(row, column)->setText(text);
}

void press(QDialog& table, const char* button)
{
    QTest::mouseClick(table.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
}

} // namespace

class PasswordTableTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        start();
        enter(QStringLiteral("731946"));
    }
    // Opens the table from the menu and runs `steps` in it.
    void open(std::function<void(QDialog&)> steps)
    {
        script.drive(std::move(steps));
        entry("Paroli")->trigger();
    }
};

TEST_F(PasswordTableTest, ShowsTheUsersWithTitlesAndDates)
{
    open([](QDialog& table) {
        QTableWidget* g = grid(table);
        ASSERT_TRUE(g);
        EXPECT_EQ(g->rowCount(), 10);
        EXPECT_EQ(g->horizontalHeaderItem(0)->text(), QStringLiteral("Код"));
        EXPECT_EQ(g->horizontalHeaderItem(4)->text(), QStringLiteral("Доступ"));
        EXPECT_EQ(g->toolTip(), QStringLiteral("Первый код и доступ не менять!!!"));
        EXPECT_EQ(g->item(0, 2)->text(), QStringLiteral("Администратор"));
        EXPECT_EQ(g->item(0, 1)->text(), QStringLiteral("01.09.2024"));
        EXPECT_EQ(g->item(3, 3)->text(), QStringLiteral("607159"));
        EXPECT_FALSE(g->item(4, 0));
        press(table, "Zakrit");
    });
    EXPECT_EQ(script.count(BoxKind::Modal), 1);
    EXPECT_EQ(script.count(BoxKind::Warning), 0);
}

TEST_F(PasswordTableTest, SaveRewritesTheUserFileForTheNextStart)
{
    open([](QDialog& table) {
        setCell(table, 1, 0, QString()); // user 02 removed
        for (int c = 0; c < 5; ++c)
            setCell(table, 5, c, QStringList{QStringLiteral("06"), QStringLiteral("02.01.2025"),
                                             QStringLiteral("Учитель"), QStringLiteral("555555"),
                                             QStringLiteral("Z")}[c]);
        press(table, "ZapDostup");
        press(table, "Zakrit");
    });
    EXPECT_EQ(shown(BoxKind::Warning, QStringLiteral("Изменения вступят после этого")), 1);
    EXPECT_EQ(script.last()->text, QStringLiteral("Перезапустите программу!!!"));
    const auto users = loadUsers(t.path("Baza/Dostup.dat"));
    ASSERT_EQ(users.size(), 4u);
    EXPECT_EQ(users[1].userCode, QStringLiteral("03"));
    EXPECT_EQ(users[3].fullName, QStringLiteral("Учитель"));
    // The users in memory change only at the next start.
    EXPECT_EQ(state.users.size(), 4u);
    EXPECT_EQ(state.users[1].userCode, QStringLiteral("02"));
}

TEST_F(PasswordTableTest, BadDateOrEmptyPasswordKeepsTheFormerFile)
{
    const QByteArray before = t.read("Baza/Dostup.dat");
    open([](QDialog& table) {
        setCell(table, 0, 2, QStringLiteral("Новое имя"));
        setCell(table, 2, 1, QStringLiteral("31.13.2024"));
        press(table, "ZapDostup");
        setCell(table, 2, 1, QStringLiteral("01.12.2024"));
        setCell(table, 3, 3, QString());
        press(table, "ZapDostup");
        press(table, "Zakrit");
    });
    EXPECT_EQ(shown(BoxKind::Error, QStringLiteral("строка 3")), 1);
    EXPECT_EQ(shown(BoxKind::Error, QStringLiteral("строка 4")), 1);
    EXPECT_EQ(shown(BoxKind::Warning), 0);
    EXPECT_EQ(t.read("Baza/Dostup.dat"), before);
}

TEST_F(PasswordTableTest, CloseButtonWritesNothingAndTheFileIsReadAgainAtTheNextShowing)
{
    const QByteArray before = t.read("Baza/Dostup.dat");
    open([](QDialog& table) {
        setCell(table, 0, 2, QStringLiteral("Забыто"));
        press(table, "Zakrit");
    });
    EXPECT_EQ(t.read("Baza/Dostup.dat"), before);
    open([](QDialog& table) {
        EXPECT_EQ(grid(table)->item(0, 2)->text(), QStringLiteral("Администратор"));
        press(table, "Zakrit");
    });
}
