// Decoding of the question pictures: GIF (still or animated, through giflib)
// and JPEG (through libjpeg) into full-size images ready to show.
#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QList>
#include <QString>

namespace tavel {

struct PictureFrame {
    QImage image;     // the whole picture as it looks during this frame, ARGB32
    int delayMs = 0;  // how long the frame stays; 0 for a still picture
};

struct Picture {
    QList<PictureFrame> frames; // never empty in a decoded picture
    // The NETSCAPE2.0 repeat count of an animated GIF: -1 when the file has
    // none (the animation plays once), 0 for endless repetition, otherwise
    // the number of repeats after the first showing.
    int loopCount = -1;
    // Empty when the file was read to its end; otherwise what was wrong after
    // the frames that were kept (a GIF cut off after some good frames).
    QString damage;

    QSize size() const { return frames.isEmpty() ? QSize() : frames.first().image.size(); }
    bool isAnimated() const { return frames.size() > 1; }
    bool loopsForever() const { return loopCount == 0; }
};

// Limits that keep a hostile file from taking all memory: a picture of more
// pixels than kMaxPicturePixels is refused, and the frames of an animation
// stop being kept once there are kMaxFrames of them or they would hold more
// than kMaxAnimationPixels in all (the picture is then marked damaged).
inline constexpr qint64 kMaxPicturePixels = 40'000'000;
inline constexpr qint64 kMaxAnimationPixels = 100'000'000;
inline constexpr int kMaxFrames = 5000;

// GIF. Frames are composed on the logical screen in file order, honouring each
// frame's position, colour table, transparent colour, delay and disposal.
// Delays of 0 or 1 hundredth of a second become 100 ms, as browsers show them.
// Throws Error naming `name` when not even one frame can be read.
Picture decodeGif(QByteArrayView bytes, const QString& name);
Picture decodeGifFile(const QString& path);

// JPEG: grayscale, RGB/YCbCr and CMYK/YCCK pictures. Truncated or damaged
// data throws Error naming `name`.
Picture decodeJpeg(QByteArrayView bytes, const QString& name);
Picture decodeJpegFile(const QString& path);

// Either kind, told by the file's first bytes rather than its name (a ".jpg"
// that holds a GIF is still shown). Throws Error for anything else.
Picture decodePictureFile(const QString& path);

} // namespace tavel
