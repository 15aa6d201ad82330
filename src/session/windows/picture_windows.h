// The picture windows of a question: `TGifPokaz` ("Можно сдвинуть и изменить
// размер мышкой") for GIF pictures, still or animated, and `TJPGPokaz`
// ("Можно изменить размер и положение") for JPEG pictures. Each is one image
// area filling the window, the picture scaled to it keeping its proportions;
// the window opens at the picture's size in the bottom-right corner of the
// screen's work area. Both tell the kind of a file by its content, so a GIF
// named .jpg still shows. An animation plays frame by frame with each frame's
// delay, repeated as its loop count says; it pauses while the window is hidden.
//
// The presenter calls showPicture(path) and close(); a file that cannot be
// decoded is reported in the general error dialog naming it, and the window
// stays closed.
#pragma once

#include "session/picture_decoder.h"

#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>

namespace tavel {

// The image area: the current frame, scaled proportionally and centred;
// transparent pixels show the window's background.
class PictureArea : public QWidget {
    Q_OBJECT
public:
    explicit PictureArea(QWidget* parent = nullptr);
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }
    // Where the picture is drawn inside the area.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

// What the two windows share: decoding, placement and playing.
class PictureWindow : public QWidget {
    Q_OBJECT
public:
    PictureArea* Image1;

    // FormShow: decodes the file (the path trimmed), sizes and places the
    // window by the picture against the work area of the window's screen
    // (or `workArea`, in screen coordinates) and shows it from frame 0.
    // False, with the window hidden, when the file could not be decoded.
    bool showPicture(const QString& path);
    bool showPicture(const QString& path, const QRect& workArea);

    const QString& filePath() const { return path_; }
    const Picture& picture() const { return picture_; }
    int frameCount() const { return int(picture_.frames.size()); }
    int currentFrame() const { return frame_; }
    // True while an animation waits for its next frame.
    bool isPlaying() const { return timer_.isActive(); }

    // Moves to the next frame as the animation would when the current
    // frame's delay is over: after the last frame back to frame 0 while
    // repeats remain, otherwise the last frame stays. Tests step with it.
    void advanceFrame();

protected:
    PictureWindow(const QString& objectName, const QString& title, QWidget* parent);
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showFrame(int index);
    void scheduleNext();

    QString path_;
    Picture picture_;
    int frame_ = 0;
    int playsLeft_ = 0; // whole showings still to come after the current one; -1 endless
    QTimer timer_;
};

class TGifPokaz : public PictureWindow {
    Q_OBJECT
public:
    static QString caption(); // "Можно сдвинуть и изменить размер мышкой"
    explicit TGifPokaz(QWidget* parent = nullptr);
};

class TJPGPokaz : public PictureWindow {
    Q_OBJECT
public:
    static QString caption(); // "Можно изменить размер и положение"
    explicit TJPGPokaz(QWidget* parent = nullptr);
};

} // namespace tavel
