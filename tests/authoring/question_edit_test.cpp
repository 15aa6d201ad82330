// The question edit window's logic (the attachment of a question text, the
// answer rows it shows) and attaching a picture to a question.
#include "authoring/picture_attach.h"
#include "authoring/question_edit.h"
#include "support/temp_home.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace tavel;
using namespace tavel::authoring;
using namespace tavel::test;

namespace {

TEST(QuestionEdit, AttachmentOfAQuestionText)
{
    const struct {
        const char* text;
        Attachment kind;
        const char* file;
    } cases[] = {
        {"Прочтите File#plan.txt# и ответьте", Attachment::Text, "plan.txt"},
        {"File#map.gif#", Attachment::Gif, "map.gif"},
        {"File#MAP.GIF#", Attachment::Gif, "MAP.GIF"},
        {"File#a.txt.gif#", Attachment::Gif, "a.txt.gif"}, // the picture test comes last and wins
        {"File#photo.jpg#", Attachment::None, ""},
        {"File#PLAN.TXT#", Attachment::None, ""},
        {"File#../plan.txt#", Attachment::None, ""},       // would leave the Foto folder
        {"File#averyveryverylongname.txt#", Attachment::None, ""}, // no "#" within 20 characters
        {"Без ссылки", Attachment::None, ""},
    };
    for (const auto& c : cases) {
        const AttachmentRef ref = attachmentOf(QString::fromUtf8(c.text));
        EXPECT_EQ(ref.kind, c.kind) << c.text;
        EXPECT_EQ(ref.fileName, QString::fromUtf8(c.file)) << c.text;
    }
}

TEST(QuestionEdit, AnswerRowsFromTheEditorsBoxes)
{
    const struct {
        const char* noOtw;
        const char* kOtwWopr;
        int gridRows;
        bool ok;
        int first;
        int count;
    } cases[] = {
        {"3", "2", 10, true, 2, 2},
        {" 3 ", "40", 45, true, 2, 40}, // more than the 30 lines built
        {"9", "5", 10, true, 8, 2},     // cut to the rows the grid has
        {"", "0", 10, true, 0, 0},      // a question without answers
        {"", "", 10, false, 0, 0},      // no question clicked yet
        {"x", "2", 10, false, 0, 0},
    };
    for (const auto& c : cases) {
        const AnswerSpan span = answerSpan(QString::fromUtf8(c.noOtw), QString::fromUtf8(c.kOtwWopr), c.gridRows);
        EXPECT_EQ(span.ok, c.ok) << c.noOtw << "/" << c.kOtwWopr;
        EXPECT_EQ(span.first, c.first) << c.noOtw << "/" << c.kOtwWopr;
        EXPECT_EQ(span.count, c.count) << c.noOtw << "/" << c.kOtwWopr;
    }
}

TEST(PictureAttach, TargetNameFromTheChosenFile)
{
    EXPECT_EQ(pictureTargetName(QStringLiteral("/x/Рис.GIF"), QStringLiteral(" 01_001_1_2 ")), QStringLiteral("01_001_1_2.gif"));
    EXPECT_EQ(pictureTargetName(QStringLiteral("/x/foto.Jpg"), QStringLiteral("01_001_1_2")), QStringLiteral("01_001_1_2.jpg"));
    EXPECT_EQ(pictureTargetName(QStringLiteral("/x/a.jpg.gif"), QStringLiteral("01_001_1_2")), QStringLiteral("01_001_1_2.gif"));
    EXPECT_EQ(pictureTargetName(QStringLiteral("/x/a.gif.jpg"), QStringLiteral("01_001_1_2")), QStringLiteral("01_001_1_2.gif"));
    EXPECT_EQ(pictureTargetName(QStringLiteral("/x/a.png"), QStringLiteral("01_001_1_2")), QString());
}

TEST(PictureAttach, MovesThePictureAndNeverOverwritesUnasked)
{
    TempHome t;
    t.write(QStringLiteral("Foto/new.gif"), "NEW");
    t.write(QStringLiteral("Foto/01_001_1_2.gif"), "OLD");
    const QString chosen = t.path(QStringLiteral("Foto/new.gif"));
    const QString target = t.path(QStringLiteral("Foto/01_001_1_2.gif"));

    const QString refused = errorOf([&] { attachPicture(chosen, target, false); });
    EXPECT_TRUE(refused.contains(QStringLiteral("уже есть"))) << refused.toStdString();
    EXPECT_EQ(t.read(QStringLiteral("Foto/01_001_1_2.gif")), "OLD");
    EXPECT_EQ(t.read(QStringLiteral("Foto/new.gif")), "NEW");

    EXPECT_EQ(attachPicture(chosen, target, true), Attached::Moved);
    EXPECT_EQ(t.read(QStringLiteral("Foto/01_001_1_2.gif")), "NEW");
    EXPECT_FALSE(t.exists(QStringLiteral("Foto/new.gif")));
    EXPECT_FALSE(t.exists(QStringLiteral("Foto/01_001_1_2.gif.old")));

    const QString missing = errorOf([&] { attachPicture(chosen, target, true); });
    EXPECT_TRUE(missing.contains(QStringLiteral("такого файла нет"))) << missing.toStdString();
    EXPECT_EQ(t.read(QStringLiteral("Foto/01_001_1_2.gif")), "NEW");
}

} // namespace
