// The test hooks of the file dialogs, and the unscripted-dialog guard that
// keeps a window test from waiting for a person.
#include "platform/windows/message_box.h"

#include <QDialog>
#include <gtest/gtest.h>

using namespace tavel::dialogs;
namespace scripted = tavel::dialogs::testing;
using scripted::BoxKind;

TEST(FileDialogs, ScriptedNamesAreReturnedInOrderAndAnEmptyQueueCancels)
{
    scripted::Script script;
    script.answerFileName(QStringLiteral("/tmp/a.odt"));
    script.answerFileName(QStringLiteral("/tmp/b.csv"));
    QString filter = QStringLiteral("PDF (*.pdf)");
    EXPECT_EQ(saveFileName(nullptr, QStringLiteral("Сохранить как"), QStringLiteral("/home/x/list.odt"),
                           QStringLiteral("ODT (*.odt);;PDF (*.pdf)"), &filter),
              QStringLiteral("/tmp/a.odt"));
    EXPECT_EQ(filter, QStringLiteral("PDF (*.pdf)"));
    EXPECT_EQ(openFileName(nullptr, QStringLiteral("Открыть"), QStringLiteral("/home/x"), {}),
              QStringLiteral("/tmp/b.csv"));
    EXPECT_EQ(saveFileName(nullptr, QStringLiteral("Сохранить как"), {}, {}), std::nullopt);

    ASSERT_EQ(script.shown().size(), 3u);
    EXPECT_EQ(script.shown()[0].kind, BoxKind::SaveFile);
    EXPECT_EQ(script.shown()[0].text, QStringLiteral("/home/x/list.odt"));
    EXPECT_EQ(script.shown()[1].kind, BoxKind::OpenFile);
    // A yes answer is no file name.
    script.answerYes();
    EXPECT_EQ(openFileName(nullptr, QStringLiteral("Открыть"), {}, {}), std::nullopt);
}

TEST(FileDialogs, UnscriptedBoxesAreReportedAndAnsweredWithoutShowing)
{
    std::vector<scripted::ShownBox> met;
    auto previous = scripted::setUnscriptedHandler([&met](const scripted::ShownBox& box) { met.push_back(box); });
    const auto saved = saveFileName(nullptr, QStringLiteral("Сохранить как"), QStringLiteral("/tmp"), {});
    const bool yes = askYesNo(nullptr, QStringLiteral("Вопрос"), QStringLiteral("Сохранить?"));
    QDialog dialog;
    dialog.setObjectName(QStringLiteral("Okno"));
    const int result = execModal(&dialog);
    scripted::setUnscriptedHandler(std::move(previous));

    EXPECT_EQ(saved, std::nullopt);
    EXPECT_FALSE(yes);
    EXPECT_EQ(result, QDialog::Rejected);
    ASSERT_EQ(met.size(), 3u);
    EXPECT_EQ(met[0].kind, BoxKind::SaveFile);
    EXPECT_EQ(met[1].kind, BoxKind::Question);
    EXPECT_EQ(met[2].kind, BoxKind::Modal);
    EXPECT_EQ(met[2].text, QStringLiteral("Okno"));
}
