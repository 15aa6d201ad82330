// The program's style: Fusion's icons, two of them made when first drawn.
#include "app/windows/app_style.h"

#include <QIcon>
#include <QImage>
#include <QStyleFactory>
#include <gtest/gtest.h>
#include <memory>

TEST(AppStyle, DrawsFusionsIconsTheMenuBarArrowsMadeOnlyWhenFirstDrawn)
{
    tavel::app::AppStyle style;
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    for (const QStyle::StandardPixmap which :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton,
          QStyle::SP_DialogOkButton}) {
        const QIcon icon = style.standardIcon(which);
        const QImage expected = fusion->standardIcon(which).pixmap(16).toImage();
        ASSERT_FALSE(expected.isNull()) << which;
        EXPECT_FALSE(icon.isNull()) << which;
        EXPECT_EQ(icon.pixmap(16).toImage(), expected) << which;
        EXPECT_EQ(QIcon(icon).actualSize(QSize(16, 16)), fusion->standardIcon(which).actualSize(QSize(16, 16)));
    }
}
