// The administrator prompt: the word, the masked box of six characters, and
// a fresh start at every showing.
#include "main_window_fixture.h"

#include "session/windows/sys_admin.h"

using namespace tavel;
using namespace tavel::test;

namespace {

void type(QDialog& prompt, const QString& text, Qt::Key closing)
{
    auto* box = prompt.findChild<QLineEdit*>(QStringLiteral("NomZamka"));
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->text().isEmpty()); // cleared at every showing
    QTest::keyClicks(box, text);
    QTest::keyClick(box, closing);
}

} // namespace

TEST_F(MainWindowTest, AdministratorPromptGrantsOnlyTheWord)
{
    start();
    TSysAdmin* prompt = windows->sysAdmin();
    EXPECT_EQ(prompt->windowTitle(), QStringLiteral("Ты кто?"));
    auto* box = prompt->findChild<QLineEdit*>(QStringLiteral("NomZamka"));
    ASSERT_TRUE(box);
    EXPECT_EQ(box->echoMode(), QLineEdit::Password);
    EXPECT_EQ(box->maxLength(), 6);
    EXPECT_EQ(box->toolTip(), QStringLiteral("Не вводите сюда ничего, не прочитав инструкции!"));

    struct Case {
        QString typed;
        Qt::Key closing;
        bool granted;
    };
    const Case cases[] = {
        {QStringLiteral("Vintor"), Qt::Key_Return, true},
        {QStringLiteral("vintor"), Qt::Key_Return, false},
        {QStringLiteral("Vint"), Qt::Key_Enter, false},
        {QStringLiteral("Vintor"), Qt::Key_Escape, false}, // closed without Enter
        {QStringLiteral("Vintorious"), Qt::Key_Return, true}, // only six characters fit
        {QString(), Qt::Key_Return, false},
    };
    for (const Case& c : cases) {
        script.drive([&](QDialog& d) { type(d, c.typed, c.closing); });
        EXPECT_EQ(prompt->ask(), c.granted) << c.typed.toStdString();
        EXPECT_FALSE(prompt->isVisible());
    }
    // A prompt closed by the test's safety net grants nothing either.
    EXPECT_FALSE(prompt->ask());
    EXPECT_EQ(script.count(BoxKind::Modal), 7);
}
