// Test entry for window tests: a widget application on the offscreen platform.
// A message box, file dialog or modal window met without a script fails the
// test at once (nobody is there to answer it).
#include "platform/windows/message_box.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    tavel::dialogs::testing::setUnscriptedHandler([](const tavel::dialogs::testing::ShownBox& box) {
        ADD_FAILURE() << "a dialog was shown without a script: \"" << box.caption.toStdString() << "\" "
                      << box.text.toStdString();
    });
    return RUN_ALL_TESTS();
}
