#include "ui/pages/ModePictures.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

using dravinor::ui::modeCommentPicture;

namespace {

int inkedPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += QColor(image.pixel(x, y)).lightness() < 200 ? 1 : 0;
    return count;
}

}  // namespace

TEST(ModePicture, ThreeDistinctDrawnCharts)
{
    QImage images[3];
    for (int mode = 1; mode <= 3; ++mode) {
        const QPixmap picture = modeCommentPicture(mode);
        ASSERT_FALSE(picture.isNull()) << mode;
        EXPECT_EQ(picture.size(), QSize(140, 70)) << mode;
        images[mode - 1] = picture.toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(QColor(images[mode - 1].pixel(0, 0)), QColor(Qt::white)) << mode;
        // Axes, curves and labels, yet mostly background.
        const int inked = inkedPixels(images[mode - 1]);
        EXPECT_GT(inked, 300) << mode;
        EXPECT_LT(inked, 140 * 70 / 3) << mode;
    }
    EXPECT_NE(images[0], images[1]);
    EXPECT_NE(images[0], images[2]);
    EXPECT_NE(images[1], images[2]);
}

TEST(ModePicture, SharperPixelsKeepTheLogicalSize)
{
    const QPixmap sharp = modeCommentPicture(2, 2.0);
    EXPECT_EQ(sharp.size(), QSize(280, 140));
    EXPECT_EQ(sharp.deviceIndependentSize(), QSizeF(140, 70));
}

TEST(ModePicture, NoPictureOutsideTheThreeModes)
{
    EXPECT_TRUE(modeCommentPicture(0).isNull());
    EXPECT_TRUE(modeCommentPicture(4).isNull());
}
