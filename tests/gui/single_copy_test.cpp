// A second copy of the program on the same installation folder is refused
// with the system's warning.
#include "app/windows/all_windows.h"
#include "platform/single_copy.h"
#include "platform/windows/message_box.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

using namespace tavel;
using tavel::dialogs::testing::BoxKind;

TEST(SingleCopyWindow, SecondCopyIsWarnedAndEnds)
{
    test::TempHome t;
    dialogs::testing::Script script;
    SingleCopy first(t.root());
    ASSERT_TRUE(app::claimSingleCopy(first));
    EXPECT_EQ(script.shown().size(), 0u);

    SingleCopy second(t.root());
    EXPECT_FALSE(app::claimSingleCopy(second));
    ASSERT_TRUE(script.last());
    EXPECT_EQ(script.last()->kind, BoxKind::Warning);
    EXPECT_EQ(script.last()->caption, QStringLiteral("Попытка запуска ещё 1 копии программы"));
    EXPECT_EQ(script.last()->text, QStringLiteral("Не надо этого делать"));
}
