// The GIF and JPEG picture windows: decoding, placement and the animation.
#include "session/windows/picture_windows.h"

#include "platform/windows/message_box.h"
#include "session/explanation.h"
#include "storage/text.h"

#include <QDir>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include <utility>

namespace tavel {
namespace {

// The frame that the placement arithmetic counts around the picture.
constexpr int kFrameWidth = 10;
constexpr int kFrameHeight = 35;
// A delay shorter than this is not shown any faster.
constexpr int kShortestDelayMs = 20;

} // namespace

// ---- the image area ----

PictureArea::PictureArea(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(1, 1);
}

void PictureArea::setImage(const QImage& image)
{
    image_ = image;
    update();
}

QRect PictureArea::pictureRect() const
{
    if (image_.isNull())
        return {};
    const QSize shown = image_.size().scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
}

void PictureArea::paintEvent(QPaintEvent*)
{
    if (image_.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(pictureRect(), image_);
}

// ---- the windows ----

PictureWindow::PictureWindow(const QString& objectName, const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(objectName);
    setWindowTitle(title);
    Image1 = new PictureArea(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Image1);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &PictureWindow::advanceFrame);
}

bool PictureWindow::showPicture(const QString& path)
{
    const QScreen* shownOn = screen();
    return showPicture(path, shownOn ? shownOn->availableGeometry() : QRect(0, 0, 1024, 768));
}

bool PictureWindow::showPicture(const QString& path, const QRect& workArea)
{
    const QString file = trimmed(path);
    Picture decoded;
    if (!dialogs::guarded(this, [&] { decoded = decodePictureFile(file); })) {
        timer_.stop();
        hide();
        return false;
    }
    path_ = file;
    picture_ = std::move(decoded);
    playsLeft_ = picture_.loopsForever() ? -1 : qMax(0, picture_.loopCount);
    if (!picture_.damage.isEmpty())
        dialogs::warning(this, windowTitle(),
                         QStringLiteral("Картинка %1 повреждена (%2); показано то, что удалось прочитать.")
                             .arg(QDir::toNativeSeparators(file), picture_.damage));

    // The bottom-right corner of the work area; a picture larger than the
    // work area gets a window that stays on it, the picture scaled down.
    const QRect area(QPoint(0, 0), workArea.size());
    const QRect outer = pictureWindowGeometry(picture_.size(), workArea.size()) & area;
    move(workArea.topLeft() + outer.topLeft());
    resize(qMax(1, outer.width() - kFrameWidth), qMax(1, outer.height() - kFrameHeight));

    timer_.stop();
    showFrame(0);
    show();
    raise();
    scheduleNext();
    return true;
}

void PictureWindow::showFrame(int index)
{
    frame_ = index;
    Image1->setImage(picture_.frames.value(index).image);
}

void PictureWindow::advanceFrame()
{
    timer_.stop();
    const int last = frameCount() - 1;
    if (last <= 0)
        return;
    if (frame_ < last) {
        showFrame(frame_ + 1);
    } else if (playsLeft_ != 0) {
        if (playsLeft_ > 0)
            --playsLeft_;
        showFrame(0);
    }
    scheduleNext();
}

void PictureWindow::scheduleNext()
{
    const int last = frameCount() - 1;
    if (!isVisible() || last <= 0 || (frame_ == last && playsLeft_ == 0))
        return;
    timer_.start(qMax(kShortestDelayMs, picture_.frames[frame_].delayMs));
}

void PictureWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!timer_.isActive())
        scheduleNext();
}

void PictureWindow::hideEvent(QHideEvent* event)
{
    timer_.stop();
    QWidget::hideEvent(event);
}

QString TGifPokaz::caption()
{
    return QStringLiteral("Можно сдвинуть и изменить размер мышкой");
}

TGifPokaz::TGifPokaz(QWidget* parent) : PictureWindow(QStringLiteral("TGifPokaz"), caption(), parent) {}

QString TJPGPokaz::caption()
{
    return QStringLiteral("Можно изменить размер и положение");
}

TJPGPokaz::TJPGPokaz(QWidget* parent) : PictureWindow(QStringLiteral("TJPGPokaz"), caption(), parent) {}

} // namespace tavel
