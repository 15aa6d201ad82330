// The picture windows: an animated GIF plays its frames and loops as its file
// says, a still GIF and a JPEG open at their size in the bottom-right corner,
// large pictures stay on the work area, damaged files are reported.
#include "session/windows/picture_windows.h"

#include "platform/windows/message_box.h"
#include "support/temp_home.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>

#include <cstdio>
#include <gif_lib.h>
#include <jpeglib.h>
#include <gtest/gtest.h>

#include <vector>

using namespace tavel;
using tavel::dialogs::testing::BoxKind;
using tavel::dialogs::testing::Script;
using tavel::test::TempHome;

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);

int appendOutput(GifFileType* gif, const GifByteType* data, int length)
{
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

// A GIF of `size` whose frames each fill the picture with one colour of
// `colours`, each shown `delayCs` hundredths of a second. `loopCount` < 0
// writes no repeat count.
QByteArray solidGif(QSize size, const std::vector<QRgb>& colours, int delayCs, int loopCount)
{
    QByteArray out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, appendOutput, &error);
    EGifSetGifVersion(gif, true);
    std::vector<GifColorType> entries;
    for (QRgb c : colours)
        entries.push_back({GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))});
    while (entries.size() < 4)
        entries.push_back({0, 0, 0});
    ColorMapObject* map = GifMakeMapObject(int(entries.size()), entries.data());
    EGifPutScreenDesc(gif, size.width(), size.height(), 8, 0, map);
    GifFreeMapObject(map);
    if (loopCount >= 0) {
        EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE);
        EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0");
        const unsigned char parameters[3] = {1, static_cast<unsigned char>(loopCount), 0};
        EGifPutExtensionBlock(gif, 3, parameters);
        EGifPutExtensionTrailer(gif);
    }
    for (size_t i = 0; i < colours.size(); ++i) {
        GraphicsControlBlock gcb{DISPOSE_DO_NOT, false, delayCs, NO_TRANSPARENT_COLOR};
        GifByteType extension[4];
        EGifGCBToExtension(&gcb, extension);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension);
        EGifPutImageDesc(gif, 0, 0, size.width(), size.height(), false, nullptr);
        std::vector<GifPixelType> line(size_t(size.width()), GifPixelType(i));
        for (int y = 0; y < size.height(); ++y)
            EGifPutLine(gif, line.data(), size.width());
    }
    EGifCloseFile(gif, &error);
    return out;
}

// A grey JPEG of `size` with a white left half.
QByteArray greyJpeg(QSize size)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long length = 0;
    jpeg_mem_dest(&info, &buffer, &length);
    info.image_width = JDIMENSION(size.width());
    info.image_height = JDIMENSION(size.height());
    info.input_components = 1;
    info.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(size_t(size.width()));
    for (int x = 0; x < size.width(); ++x)
        row[size_t(x)] = x < size.width() / 2 ? 255 : 128;
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(length));
    std::free(buffer);
    return bytes;
}

QRgb shownColour(const PictureWindow& window)
{
    const QImage& image = window.Image1->image();
    return image.pixel(image.width() / 2, image.height() / 2);
}

struct Fixture {
    TempHome home;
    QString write(const QString& name, const QByteArray& bytes)
    {
        home.write(QStringLiteral("Matem/Foto/") + name, bytes);
        return home.path(QStringLiteral("Matem/Foto/") + name);
    }
};

const QRect kWorkArea(0, 0, 1024, 768);

} // namespace

TEST(GifWindow, AnimationStartsAtFrameZeroAndLoopsForever)
{
    Fixture f;
    TGifPokaz window;
    EXPECT_EQ(window.objectName(), QStringLiteral("TGifPokaz"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Можно сдвинуть и изменить размер мышкой"));
    ASSERT_TRUE(window.showPicture(f.write(QStringLiteral("3_1_1_1.gif"), solidGif({40, 30}, {kRed, kGreen, kBlue}, 10, 0)),
                                   kWorkArea));
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(window.frameCount(), 3);
    EXPECT_EQ(window.currentFrame(), 0);
    EXPECT_EQ(shownColour(window), kRed);
    EXPECT_TRUE(window.isPlaying());

    window.advanceFrame();
    EXPECT_EQ(window.currentFrame(), 1);
    EXPECT_EQ(shownColour(window), kGreen);
    window.advanceFrame();
    window.advanceFrame();
    EXPECT_EQ(window.currentFrame(), 0);
    EXPECT_EQ(shownColour(window), kRed);
    EXPECT_TRUE(window.isPlaying());

    // Hidden, it waits; shown again, it goes on.
    window.close();
    EXPECT_FALSE(window.isPlaying());
    window.show();
    EXPECT_TRUE(window.isPlaying());
}

TEST(GifWindow, TheTimerMovesTheFrames)
{
    Fixture f;
    TGifPokaz window;
    ASSERT_TRUE(window.showPicture(f.write(QStringLiteral("a.gif"), solidGif({8, 8}, {kRed, kGreen}, 2, 0)), kWorkArea));
    const QDeadlineTimer deadline(10000);
    while (window.currentFrame() == 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(window.currentFrame(), 1);
}

TEST(GifWindow, RepeatCountAndSingleShowingEndOnTheLastFrame)
{
    Fixture f;
    TGifPokaz window;
    // One repeat after the first showing: 0 1 2 0 1 2, then it stays.
    ASSERT_TRUE(window.showPicture(f.write(QStringLiteral("twice.gif"), solidGif({8, 8}, {kRed, kGreen, kBlue}, 5, 1)),
                                   kWorkArea));
    std::vector<int> seen{window.currentFrame()};
    for (int i = 0; i < 7; ++i) {
        window.advanceFrame();
        seen.push_back(window.currentFrame());
    }
    EXPECT_EQ(seen, std::vector<int>({0, 1, 2, 0, 1, 2, 2, 2}));
    EXPECT_FALSE(window.isPlaying());

    // No repeat count: shown once.
    ASSERT_TRUE(window.showPicture(f.write(QStringLiteral("once.gif"), solidGif({8, 8}, {kRed, kGreen}, 5, -1)),
                                   kWorkArea));
    EXPECT_EQ(window.currentFrame(), 0);
    window.advanceFrame();
    window.advanceFrame();
    EXPECT_EQ(window.currentFrame(), 1);
    EXPECT_FALSE(window.isPlaying());
}

TEST(GifWindow, StillPictureOpensAtItsSizeInTheBottomRightCorner)
{
    Fixture f;
    TGifPokaz window;
    ASSERT_TRUE(window.showPicture(QStringLiteral("  ") + f.write(QStringLiteral("still.gif"), solidGif({120, 90}, {kBlue}, 0, -1))
                                       + QStringLiteral(" "),
                                   QRect(0, 20, 1024, 748)));
    EXPECT_EQ(window.frameCount(), 1);
    EXPECT_FALSE(window.isPlaying());
    EXPECT_EQ(window.size(), QSize(120, 90));
    EXPECT_EQ(window.pos(), QPoint(1024 - 120 - 10, 20 + 748 - 90 - 40));
    EXPECT_EQ(window.Image1->pictureRect(), QRect(0, 0, 120, 90));
    window.advanceFrame();
    EXPECT_EQ(window.currentFrame(), 0);
}

TEST(JpegWindow, ShowsThePictureAtItsSize)
{
    Fixture f;
    TJPGPokaz window;
    EXPECT_EQ(window.objectName(), QStringLiteral("TJPGPokaz"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Можно изменить размер и положение"));
    ASSERT_TRUE(window.showPicture(f.write(QStringLiteral("3_3_2_2.jpg"), greyJpeg({64, 48})), kWorkArea));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.size(), QSize(64, 48));
    EXPECT_EQ(window.pos(), QPoint(1024 - 64 - 10, 768 - 48 - 40));
    EXPECT_EQ(qRed(window.Image1->image().pixel(5, 20)), 255);
    EXPECT_NEAR(qRed(window.Image1->image().pixel(60, 20)), 128, 6);

    // Resized by the user: the picture keeps its proportions.
    window.resize(200, 48);
    EXPECT_EQ(window.Image1->pictureRect(), QRect(68, 0, 64, 48));
}

TEST(JpegWindow, PictureTallerThanTheWorkAreaIsPlacedAtTopForty)
{
    Fixture f;
    TJPGPokaz window;
    ASSERT_TRUE(window.showPicture(f.write(QStringLiteral("tall.jpg"), greyJpeg({100, 700})), kWorkArea));
    EXPECT_EQ(window.pos(), QPoint(1024 - 100 - 10, 40));
    EXPECT_EQ(window.size(), QSize(100, 700 - 80));
    EXPECT_EQ(window.Image1->pictureRect().height(), 620);

    // Larger than the whole work area: the window stays on it.
    ASSERT_TRUE(window.showPicture(f.write(QStringLiteral("huge.jpg"), greyJpeg({1600, 1200})), kWorkArea));
    EXPECT_EQ(window.pos(), QPoint(0, 40));
    EXPECT_EQ(window.size(), QSize(1024 - 10, 768 - 40 - 35));
}

TEST(PictureWindows, DamagedFilesAreReportedAndTheWindowStaysClosed)
{
    Fixture f;
    Script script;
    TJPGPokaz jpeg;
    TGifPokaz gif;
    const QByteArray good = greyJpeg({64, 48});
    const struct {
        PictureWindow* window;
        QString name;
        QByteArray bytes;
    } cases[] = {
        {&jpeg, QStringLiteral("cut.jpg"), good.left(good.size() / 2)},
        {&jpeg, QStringLiteral("text.jpg"), QByteArrayLiteral("not a picture at all")},
        {&gif, QStringLiteral("bad.gif"), QByteArrayLiteral("GIF89a\x10\x00\x10\x00\xff\x00")},
        {&gif, QStringLiteral("empty.gif"), QByteArray()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        script.clearLog();
        const QString path = f.write(c.name, c.bytes);
        EXPECT_FALSE(c.window->showPicture(path, kWorkArea));
        EXPECT_FALSE(c.window->isVisible());
        ASSERT_EQ(script.count(BoxKind::Error), 1);
        EXPECT_TRUE(script.last()->text.contains(QDir::toNativeSeparators(path)));
    }

    // A missing file too, and a window open with a good picture closes.
    ASSERT_TRUE(jpeg.showPicture(f.write(QStringLiteral("good.jpg"), good), kWorkArea));
    script.clearLog();
    EXPECT_FALSE(jpeg.showPicture(f.home.path(QStringLiteral("Matem/Foto/netu.jpg")), kWorkArea));
    EXPECT_FALSE(jpeg.isVisible());
    EXPECT_EQ(script.count(BoxKind::Error), 1);
}

TEST(PictureWindows, AnimationCutOffAfterGoodFramesShowsThemWithANote)
{
    Fixture f;
    Script script;
    TGifPokaz window;
    const QByteArray whole = solidGif({16, 16}, {kRed, kGreen, kBlue}, 5, 0);
    const QString path = f.write(QStringLiteral("cut.gif"), whole.left(whole.size() - 20));
    ASSERT_TRUE(window.showPicture(path, kWorkArea));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.frameCount(), 2);
    ASSERT_EQ(script.count(BoxKind::Warning), 1);
    EXPECT_TRUE(script.last()->text.contains(QDir::toNativeSeparators(path)));
}

TEST(PictureWindows, GifNamedJpgStillShows)
{
    Fixture f;
    TJPGPokaz window;
    ASSERT_TRUE(window.showPicture(f.write(QStringLiteral("odd.jpg"), solidGif({10, 10}, {kGreen}, 0, -1)), kWorkArea));
    EXPECT_EQ(shownColour(window), kGreen);
}

TEST(PictureWindows, DemoPicturesShow)
{
    const QDir demo(QStringLiteral(TAVEL_DEMO_DIR));
    TGifPokaz gif;
    ASSERT_TRUE(gif.showPicture(demo.filePath(QStringLiteral("Matem/Foto/3_3_2_2.gif")), kWorkArea));
    EXPECT_EQ(gif.frameCount(), 1);
    ASSERT_TRUE(gif.showPicture(demo.filePath(QStringLiteral("Inform/Foto/2_3_2_2.gif")), kWorkArea));
    EXPECT_GT(gif.frameCount(), 5);
    EXPECT_TRUE(gif.picture().loopsForever());
    EXPECT_TRUE(gif.picture().damage.isEmpty());
    TJPGPokaz jpeg;
    ASSERT_TRUE(jpeg.showPicture(demo.filePath(QStringLiteral("Istoriy/Foto/1_2_1_1.jpg")), kWorkArea));
    EXPECT_EQ(jpeg.size(), jpeg.picture().size());
}
