// The one-copy lock of an installation folder.
#include "platform/single_copy.h"

#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <gtest/gtest.h>

using namespace tavel;
using tavel::test::TempHome;

TEST(SingleCopy, SecondCopyOnTheSameFolderIsRefusedUntilTheFirstEnds)
{
    TempHome t;
    auto first = std::make_unique<SingleCopy>(t.root());
    ASSERT_TRUE(first->tryLock());
    SingleCopy second(t.root());
    EXPECT_FALSE(second.tryLock());
    first.reset();
    EXPECT_TRUE(second.tryLock());
}

TEST(SingleCopy, AnotherFolderIsNotBlocked)
{
    TempHome a;
    TempHome b;
    SingleCopy first(a.root());
    SingleCopy second(b.root());
    EXPECT_TRUE(first.tryLock());
    EXPECT_TRUE(second.tryLock());
}

TEST(SingleCopy, LockLeftByADeadCopyIsTakenOver)
{
    TempHome t;
    // What a copy killed on this machine leaves behind: a lock naming a
    // process that no longer runs.
    t.write(SingleCopy::lockFileName(), "999999999\ntavel\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    SingleCopy copy(t.root());
    EXPECT_TRUE(copy.tryLock());
}
