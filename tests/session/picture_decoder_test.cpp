// Picture decoding: GIF frames, timing, disposal and transparency; JPEG colour
// spaces; damaged and truncated files.
#include "session/picture_decoder.h"

#include "storage/error.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <jpeglib.h>

#include <functional>
#include <vector>

using namespace tavel;

namespace {

// ---- GIF writing through giflib's encoder ----

struct GifFrame {
    QRect rect;
    std::vector<GifPixelType> pixels; // rect.width() × rect.height(), row by row
    int delayCs = 0;
    int disposal = DISPOSAL_UNSPECIFIED;
    int transparent = NO_TRANSPARENT_COLOR;
    std::vector<QRgb> localColours; // empty: the global table
    bool interlaced = false;
};

int writeOutput(GifFileType* gif, const GifByteType* data, int length)
{
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

ColorMapObject* colourMap(const std::vector<QRgb>& colours)
{
    std::vector<GifColorType> entries;
    for (QRgb c : colours)
        entries.push_back({GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))});
    return GifMakeMapObject(int(entries.size()), entries.data());
}

QByteArray makeGif(QSize screen, const std::vector<QRgb>& globalColours, const std::vector<GifFrame>& frames,
                   int loopCount = -1)
{
    QByteArray out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, writeOutput, &error);
    EXPECT_NE(gif, nullptr);
    EGifSetGifVersion(gif, true);
    ColorMapObject* global = colourMap(globalColours);
    EXPECT_EQ(EGifPutScreenDesc(gif, screen.width(), screen.height(), 8, 0, global), GIF_OK);
    GifFreeMapObject(global);
    if (loopCount >= 0) {
        EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE);
        EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0");
        const unsigned char parameters[3] = {1, static_cast<unsigned char>(loopCount & 0xFF),
                                             static_cast<unsigned char>(loopCount >> 8)};
        EGifPutExtensionBlock(gif, 3, parameters);
        EGifPutExtensionTrailer(gif);
    }
    for (const GifFrame& frame : frames) {
        GraphicsControlBlock gcb{frame.disposal, false, frame.delayCs, frame.transparent};
        GifByteType extension[4];
        EGifGCBToExtension(&gcb, extension);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension);
        ColorMapObject* local = frame.localColours.empty() ? nullptr : colourMap(frame.localColours);
        EXPECT_EQ(EGifPutImageDesc(gif, frame.rect.x(), frame.rect.y(), frame.rect.width(), frame.rect.height(),
                                   frame.interlaced, local),
                  GIF_OK);
        if (local)
            GifFreeMapObject(local);
        std::vector<int> order;
        if (frame.interlaced) {
            const int start[] = {0, 4, 2, 1};
            const int step[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = start[pass]; y < frame.rect.height(); y += step[pass])
                    order.push_back(y);
        } else {
            for (int y = 0; y < frame.rect.height(); ++y)
                order.push_back(y);
        }
        for (int y : order) {
            std::vector<GifPixelType> line(frame.pixels.begin() + y * frame.rect.width(),
                                           frame.pixels.begin() + (y + 1) * frame.rect.width());
            EXPECT_EQ(EGifPutLine(gif, line.data(), frame.rect.width()), GIF_OK);
        }
    }
    EXPECT_EQ(EGifCloseFile(gif, &error), GIF_OK);
    return out;
}

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kYellow = qRgb(255, 255, 0);

// Four frames on a 4×4 screen, endless loop:
// 1. all red, kept, 10/100 s;
// 2. a green 2×2 square at (1,1) whose last pixel is transparent, then
//    restored to background, delay 0 (shown as 100 ms);
// 3. a blue pixel at (0,0), then restored to what was before it, 25/100 s;
// 4. a yellow pixel at (3,3) from a local colour table, delay 1 (100 ms).
QByteArray animatedGif(int loopCount = 0)
{
    return makeGif(QSize(4, 4), {kRed, kGreen, kBlue, kWhite},
                   {{QRect(0, 0, 4, 4), std::vector<GifPixelType>(16, 0), 10, DISPOSE_DO_NOT},
                    {QRect(1, 1, 2, 2), {1, 1, 1, 3}, 0, DISPOSE_BACKGROUND, 3},
                    {QRect(0, 0, 1, 1), {2}, 25, DISPOSE_PREVIOUS},
                    {QRect(3, 3, 1, 1), {0}, 1, DISPOSE_DO_NOT, NO_TRANSPARENT_COLOR, {kYellow, kWhite}}},
                   loopCount);
}

// ---- JPEG writing through libjpeg's compressor ----

QByteArray makeJpeg(int width, int height, int components, J_COLOR_SPACE space,
                    const std::function<void(int x, int y, JSAMPLE* out)>& pixel, int quality = 95)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, space);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(size_t(width * components));
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < width; ++x)
            pixel(x, int(info.next_scanline), &row[size_t(x * components)]);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

// Four colour quadrants on 32×32: red, green / blue, white.
QRgb quadrant(int x, int y)
{
    return y < 16 ? (x < 16 ? kRed : kGreen) : (x < 16 ? kBlue : kWhite);
}

QByteArray rgbJpeg()
{
    return makeJpeg(32, 32, 3, JCS_RGB, [](int x, int y, JSAMPLE* out) {
        const QRgb c = quadrant(x, y);
        out[0] = JSAMPLE(qRed(c));
        out[1] = JSAMPLE(qGreen(c));
        out[2] = JSAMPLE(qBlue(c));
    });
}

::testing::AssertionResult near(QRgb actual, QRgb expected, int tolerance = 24)
{
    if (qAbs(qRed(actual) - qRed(expected)) <= tolerance && qAbs(qGreen(actual) - qGreen(expected)) <= tolerance
        && qAbs(qBlue(actual) - qBlue(expected)) <= tolerance && qAlpha(actual) == 255)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hex << actual << " is not near " << expected;
}

std::string messageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Error& error) {
        return error.message().toStdString();
    }
    return "(no error)";
}

} // namespace

TEST(GifDecoding, StillInterlacedPictureGivesOneFrameWithItsColours)
{
    std::vector<QRgb> colours;
    for (int i = 0; i < 8; ++i)
        colours.push_back(qRgb(i * 30, 255 - i * 30, 7));
    std::vector<GifPixelType> pixels;
    for (int y = 0; y < 8; ++y)
        pixels.insert(pixels.end(), {GifPixelType(y), GifPixelType(y)});
    GifFrame frame{QRect(0, 0, 2, 8), pixels, 50};
    frame.interlaced = true;
    const Picture picture = decodeGif(makeGif(QSize(2, 8), colours, {frame}), QStringLiteral("still.gif"));
    ASSERT_EQ(picture.frames.size(), 1);
    EXPECT_FALSE(picture.isAnimated());
    EXPECT_EQ(picture.frames[0].delayMs, 0);
    EXPECT_EQ(picture.loopCount, -1);
    EXPECT_TRUE(picture.damage.isEmpty());
    EXPECT_EQ(picture.size(), QSize(2, 8));
    EXPECT_EQ(picture.frames[0].image.format(), QImage::Format_ARGB32);
    for (int y = 0; y < 8; ++y)
        EXPECT_EQ(picture.frames[0].image.pixel(1, y), colours[size_t(y)]) << "row " << y;
}

TEST(GifDecoding, AnimationHonoursDelaysDisposalTransparencyAndLocalColours)
{
    const Picture picture = decodeGif(animatedGif(), QStringLiteral("anim.gif"));
    ASSERT_EQ(picture.frames.size(), 4);
    EXPECT_TRUE(picture.isAnimated());
    EXPECT_TRUE(picture.loopsForever());
    EXPECT_TRUE(picture.damage.isEmpty());
    EXPECT_EQ(picture.frames[0].delayMs, 100);
    EXPECT_EQ(picture.frames[1].delayMs, 100); // 0 is shown as 100 ms
    EXPECT_EQ(picture.frames[2].delayMs, 250);
    EXPECT_EQ(picture.frames[3].delayMs, 100); // so is 1

    const QImage& f1 = picture.frames[0].image;
    const QImage& f2 = picture.frames[1].image;
    const QImage& f3 = picture.frames[2].image;
    const QImage& f4 = picture.frames[3].image;
    EXPECT_EQ(f1.pixel(0, 0), kRed);
    EXPECT_EQ(f1.pixel(3, 3), kRed);
    // Frame 2 drawn over frame 1; its transparent pixel shows the red below.
    EXPECT_EQ(f2.pixel(1, 1), kGreen);
    EXPECT_EQ(f2.pixel(2, 1), kGreen);
    EXPECT_EQ(f2.pixel(2, 2), kRed);
    EXPECT_EQ(f2.pixel(0, 0), kRed);
    // Frame 2's square was cleared before frame 3.
    EXPECT_EQ(f3.pixel(0, 0), kBlue);
    EXPECT_EQ(qAlpha(f3.pixel(1, 1)), 0);
    EXPECT_EQ(qAlpha(f3.pixel(2, 2)), 0);
    EXPECT_EQ(f3.pixel(3, 3), kRed);
    // Frame 3 was taken back before frame 4; frame 4 uses its own colours.
    EXPECT_EQ(f4.pixel(0, 0), kRed);
    EXPECT_EQ(f4.pixel(3, 3), kYellow);
    EXPECT_EQ(qAlpha(f4.pixel(1, 2)), 0);
    // Earlier frames are not changed by later ones.
    EXPECT_EQ(f1.pixel(1, 1), kRed);
}

TEST(GifDecoding, LoopCountIsRead)
{
    EXPECT_EQ(decodeGif(animatedGif(3), QStringLiteral("a.gif")).loopCount, 3);
    EXPECT_FALSE(decodeGif(animatedGif(3), QStringLiteral("a.gif")).loopsForever());
    EXPECT_EQ(decodeGif(animatedGif(-1), QStringLiteral("a.gif")).loopCount, -1);
}

TEST(GifDecoding, FramesOutsideTheScreenAreClippedAndAZeroScreenGrows)
{
    const QByteArray bytes = makeGif(QSize(0, 0), {kRed, kGreen},
                                     {{QRect(0, 0, 3, 2), std::vector<GifPixelType>(6, 1)},
                                      {QRect(2, 1, 4, 4), std::vector<GifPixelType>(16, 0)}});
    const Picture picture = decodeGif(bytes, QStringLiteral("odd.gif"));
    ASSERT_EQ(picture.frames.size(), 2);
    EXPECT_EQ(picture.size(), QSize(3, 2));
    EXPECT_EQ(picture.frames[1].image.pixel(0, 0), kGreen);
    EXPECT_EQ(picture.frames[1].image.pixel(2, 1), kRed);
}

TEST(GifDamage, TruncatedAfterGoodFramesKeepsThemOtherwiseAnErrorNamingTheFile)
{
    const QByteArray whole = animatedGif();
    // Without its trailer byte every frame is still there.
    const Picture noTrailer = decodeGif(whole.chopped(1), QStringLiteral("a.gif"));
    EXPECT_EQ(noTrailer.frames.size(), 4);
    EXPECT_FALSE(noTrailer.damage.isEmpty());

    // Cut inside the third frame's data: two good frames.
    const QByteArray frame3 = QByteArray("\x2C\x00\x00\x00\x00\x01\x00\x01\x00", 9);
    const qsizetype at = whole.indexOf(frame3);
    ASSERT_GT(at, 0);
    const Picture cut = decodeGif(whole.left(at + 11), QStringLiteral("a.gif"));
    EXPECT_EQ(cut.frames.size(), 2);
    EXPECT_TRUE(cut.damage.contains(QStringLiteral("обрывается"))) << cut.damage.toStdString();

    // Cut inside the first frame: nothing to show.
    const qsizetype first = whole.indexOf(QByteArray("\x2C\x00\x00\x00\x00\x04\x00\x04\x00", 9));
    ASSERT_GT(first, 0);
    const std::string message = messageOf([&] { decodeGif(whole.left(first + 12), QStringLiteral("/x/cut.gif")); });
    EXPECT_NE(message.find("cut.gif"), std::string::npos) << message;
    EXPECT_NE(message.find("обрывается"), std::string::npos) << message;

    EXPECT_NE(messageOf([] { decodeGif(QByteArray("PNG not a gif"), QStringLiteral("p.gif")); }).find("не файл GIF"),
              std::string::npos);
    EXPECT_NE(messageOf([] { decodeGif(QByteArray(), QStringLiteral("e.gif")); }), "(no error)");
}

TEST(GifDamage, EveryTruncationAndRandomByteChangesNeverCrash)
{
    const QByteArray whole = animatedGif();
    for (qsizetype length = 0; length <= whole.size(); ++length) {
        try {
            const Picture picture = decodeGif(whole.left(length), QStringLiteral("t.gif"));
            EXPECT_FALSE(picture.frames.isEmpty());
        } catch (const Error&) {
        }
    }
    QRandomGenerator random(77);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes = whole;
        const int edits = 1 + int(random.bounded(6));
        for (int e = 0; e < edits; ++e)
            bytes[int(random.bounded(bytes.size()))] = char(random.bounded(256));
        try {
            const Picture picture = decodeGif(bytes, QStringLiteral("r.gif"));
            ASSERT_FALSE(picture.frames.isEmpty());
            for (const PictureFrame& frame : picture.frames)
                ASSERT_EQ(frame.image.size(), picture.size());
        } catch (const Error&) {
        }
    }
}

TEST(GifDamage, AbsurdScreenSizeIsRefused)
{
    QByteArray bytes = makeGif(QSize(2, 2), {kRed, kGreen}, {{QRect(0, 0, 2, 2), {0, 1, 1, 0}}});
    bytes[6] = char(0xFF); // screen width 65535
    bytes[7] = char(0xFF);
    bytes[8] = char(0xFF); // screen height 65535
    bytes[9] = char(0xFF);
    EXPECT_NE(messageOf([&] { decodeGif(bytes, QStringLiteral("big.gif")); }).find("недопустим"), std::string::npos);
}

TEST(GifDamage, AFrameOfWidthZeroDrawsNothingAndReadsNoPixels)
{
    // Under the sanitizers this frame bound a reference into an empty pixel
    // vector; the picture keeps the first frame's pixels for it.
    QByteArray bytes = makeGif(QSize(4, 2), {kRed, kGreen},
                               {{QRect(0, 0, 4, 2), std::vector<GifPixelType>(8, 0)},
                                {QRect(2, 0, 2, 2), std::vector<GifPixelType>(4, 1)}});
    const qsizetype at = bytes.indexOf(QByteArray("\x2C\x02\x00\x00\x00\x02\x00\x02\x00", 9));
    ASSERT_GT(at, 0);
    bytes[at + 5] = 0; // width 0, height still 2
    const Picture picture = decodeGif(bytes, QStringLiteral("thin.gif"));
    ASSERT_EQ(picture.frames.size(), 2);
    EXPECT_EQ(picture.frames[1].image.pixel(3, 1), kRed);
}

TEST(GifDamage, EndlessFramesStopAtTheLimitKeepingThoseRead)
{
    std::vector<GifFrame> frames(kMaxFrames + 3, GifFrame{QRect(0, 0, 1, 1), {1}, 5});
    const Picture picture = decodeGif(makeGif(QSize(1, 1), {kRed, kGreen}, frames), QStringLiteral("many.gif"));
    EXPECT_EQ(picture.frames.size(), kMaxFrames);
    EXPECT_FALSE(picture.damage.isEmpty());
    EXPECT_EQ(picture.frames.last().image.pixel(0, 0), kGreen);
}

TEST(JpegDecoding, RgbGrayscaleAndCmyk)
{
    const Picture rgb = decodeJpeg(rgbJpeg(), QStringLiteral("q.jpg"));
    ASSERT_EQ(rgb.frames.size(), 1);
    EXPECT_EQ(rgb.size(), QSize(32, 32));
    EXPECT_TRUE(near(rgb.frames[0].image.pixel(4, 4), kRed));
    EXPECT_TRUE(near(rgb.frames[0].image.pixel(27, 4), kGreen));
    EXPECT_TRUE(near(rgb.frames[0].image.pixel(4, 27), kBlue));
    EXPECT_TRUE(near(rgb.frames[0].image.pixel(27, 27), kWhite));

    const QByteArray grayBytes = makeJpeg(16, 8, 1, JCS_GRAYSCALE, [](int x, int, JSAMPLE* out) {
        out[0] = JSAMPLE(x < 8 ? 40 : 220);
    });
    const Picture gray = decodeJpeg(grayBytes, QStringLiteral("g.jpg"));
    EXPECT_EQ(gray.size(), QSize(16, 8));
    EXPECT_TRUE(near(gray.frames[0].image.pixel(2, 3), qRgb(40, 40, 40), 8));
    EXPECT_TRUE(near(gray.frames[0].image.pixel(13, 3), qRgb(220, 220, 220), 8));

    // CMYK stored the Adobe way (inverted), as libjpeg marks it.
    const QByteArray cmykBytes = makeJpeg(16, 16, 4, JCS_CMYK, [](int x, int, JSAMPLE* out) {
        // Left: red (C0 M100 Y100 K0); right: blue (C100 M100 Y0 K0); inverted.
        out[0] = JSAMPLE(x < 8 ? 255 : 0);
        out[1] = 0;
        out[2] = JSAMPLE(x < 8 ? 0 : 255);
        out[3] = 255;
    });
    const Picture cmyk = decodeJpeg(cmykBytes, QStringLiteral("c.jpg"));
    EXPECT_TRUE(near(cmyk.frames[0].image.pixel(2, 8), kRed));
    EXPECT_TRUE(near(cmyk.frames[0].image.pixel(13, 8), kBlue));
}

TEST(JpegDamage, TruncatedOrForeignDataIsAnErrorNamingTheFile)
{
    const QByteArray whole = rgbJpeg();
    const std::string truncated = messageOf([&] { decodeJpeg(whole.left(whole.size() / 2), QStringLiteral("/p/half.jpg")); });
    EXPECT_NE(truncated.find("half.jpg"), std::string::npos) << truncated;
    EXPECT_NE(truncated.find("обрывается"), std::string::npos) << truncated;
    EXPECT_NE(messageOf([] { decodeJpeg(QByteArray("GIF89a...."), QStringLiteral("n.jpg")); }).find("не файл JPEG"),
              std::string::npos);
    EXPECT_NE(messageOf([] { decodeJpeg(QByteArray(), QStringLiteral("e.jpg")); }), "(no error)");
}

TEST(JpegDamage, EveryTruncationAndRandomByteChangesNeverCrash)
{
    const QByteArray whole = rgbJpeg();
    int refused = 0;
    for (qsizetype length = 0; length < whole.size() - 2; ++length) {
        try {
            decodeJpeg(whole.left(length), QStringLiteral("t.jpg"));
        } catch (const Error&) {
            ++refused;
        }
    }
    EXPECT_EQ(refused, whole.size() - 2); // no cut-off file passes as whole
    QRandomGenerator random(99);
    for (int round = 0; round < 1000; ++round) {
        QByteArray bytes = whole;
        const int edits = 1 + int(random.bounded(6));
        for (int e = 0; e < edits; ++e)
            bytes[int(random.bounded(bytes.size()))] = char(random.bounded(256));
        try {
            const Picture picture = decodeJpeg(bytes, QStringLiteral("r.jpg"));
            ASSERT_EQ(picture.frames.size(), 1);
        } catch (const Error&) {
        }
    }
}

TEST(PictureFiles, KindIsToldByContentAndMissingFilesAreNamed)
{
    QTemporaryDir dir;
    const QString gifNamedJpg = dir.filePath(QStringLiteral("really_gif.jpg"));
    QFile file(gifNamedJpg);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(animatedGif());
    file.close();
    EXPECT_EQ(decodePictureFile(gifNamedJpg).frames.size(), 4);
    EXPECT_EQ(decodeGifFile(gifNamedJpg).frames.size(), 4);
    EXPECT_NE(messageOf([&] { decodeJpegFile(gifNamedJpg); }).find("really_gif.jpg"), std::string::npos);

    const QString missing = dir.filePath(QStringLiteral("none.gif"));
    EXPECT_NE(messageOf([&] { decodePictureFile(missing); }).find("none.gif"), std::string::npos);

    const QString text = dir.filePath(QStringLiteral("text.gif"));
    QFile textFile(text);
    ASSERT_TRUE(textFile.open(QIODevice::WriteOnly));
    textFile.write("hello");
    textFile.close();
    EXPECT_NE(messageOf([&] { decodePictureFile(text); }).find("не GIF и не JPEG"), std::string::npos);
}
