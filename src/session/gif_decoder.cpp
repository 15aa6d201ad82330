// GIF decoding through giflib, record by record, composing every frame on the
// logical screen the way browsers show animations.
#include "session/picture_decoder.h"

#include "storage/error.h"

#include <QDir>

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace tavel {
namespace {

struct Input {
    QByteArrayView bytes;
    qsizetype position = 0;
};

int readInput(GifFileType* gif, GifByteType* buffer, int length)
{
    auto* input = static_cast<Input*>(gif->UserData);
    const qsizetype n = std::clamp<qsizetype>(input->bytes.size() - input->position, 0, std::max(length, 0));
    // Empty input has no data pointer at all; memcpy must not see it.
    if (n > 0)
        std::memcpy(buffer, input->bytes.data() + input->position, size_t(n));
    input->position += n;
    return int(n);
}

QString describe(int giflibError)
{
    switch (giflibError) {
    case D_GIF_ERR_READ_FAILED:
    case D_GIF_ERR_EOF_TOO_SOON:
        return QStringLiteral("файл обрывается");
    case D_GIF_ERR_NOT_GIF_FILE:
        return QStringLiteral("это не файл GIF");
    case D_GIF_ERR_NO_SCRN_DSCR:
        return QStringLiteral("нет описания экрана");
    case D_GIF_ERR_NO_IMAG_DSCR:
        return QStringLiteral("нет описания кадра");
    case D_GIF_ERR_NO_COLOR_MAP:
        return QStringLiteral("нет таблицы цветов");
    case D_GIF_ERR_WRONG_RECORD:
        return QStringLiteral("неизвестный блок данных");
    case D_GIF_ERR_DATA_TOO_BIG:
        return QStringLiteral("данных кадра больше, чем его размер");
    case D_GIF_ERR_NOT_ENOUGH_MEM:
        return QStringLiteral("не хватает памяти");
    case D_GIF_ERR_IMAGE_DEFECT:
        return QStringLiteral("испорчены сжатые данные кадра");
    default:
        return QStringLiteral("ошибка чтения GIF (код %1)").arg(giflibError);
    }
}

struct GifCloser {
    GifFileType* gif;
    ~GifCloser()
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

// Frame timing and drawing rules given by the graphics control extension
// that precedes an image.
struct Control {
    int disposal = DISPOSAL_UNSPECIFIED;
    int delayCentiseconds = 0;
    int transparent = NO_TRANSPARENT_COLOR;
};

int delayMs(int centiseconds)
{
    return centiseconds <= 1 ? 100 : centiseconds * 10;
}

class GifDecoder {
public:
    GifDecoder(GifFileType* gif, const QString& name) : gif_(gif), name_(name) {}

    Picture run()
    {
        for (;;) {
            GifRecordType type = UNDEFINED_RECORD_TYPE;
            if (DGifGetRecordType(gif_, &type) == GIF_ERROR) {
                fail(describe(gif_->Error));
                break;
            }
            if (type == TERMINATE_RECORD_TYPE)
                break;
            if (type == EXTENSION_RECORD_TYPE) {
                if (!readExtension())
                    break;
            } else if (type == IMAGE_DESC_RECORD_TYPE) {
                if (!readFrame())
                    break;
            } else {
                fail(describe(D_GIF_ERR_WRONG_RECORD));
                break;
            }
        }
        if (picture_.frames.isEmpty())
            throw Error(QStringLiteral("Картинка %1 не прочитана: %2")
                            .arg(QDir::toNativeSeparators(name_),
                                 picture_.damage.isEmpty() ? QStringLiteral("в файле нет ни одного кадра")
                                                           : picture_.damage));
        if (picture_.frames.size() == 1)
            picture_.frames.first().delayMs = 0;
        return picture_;
    }

private:
    void fail(const QString& what)
    {
        picture_.damage = picture_.frames.isEmpty()
                              ? what
                              : QStringLiteral("после кадра %1: %2").arg(picture_.frames.size()).arg(what);
    }

    bool readExtension()
    {
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif_, &code, &block) == GIF_ERROR) {
            fail(describe(gif_->Error));
            return false;
        }
        bool looping = false;
        if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] == 4) {
            GraphicsControlBlock gcb;
            if (DGifExtensionToGCB(4, block + 1, &gcb) == GIF_OK) {
                control_.disposal = gcb.DisposalMode;
                control_.delayCentiseconds = gcb.DelayTime;
                control_.transparent = gcb.TransparentColor;
            }
        } else if (code == APPLICATION_EXT_FUNC_CODE && block && block[0] == 11) {
            looping = std::memcmp(block + 1, "NETSCAPE2.0", 11) == 0 || std::memcmp(block + 1, "ANIMEXTS1.0", 11) == 0;
        }
        while (block != nullptr) {
            if (DGifGetExtensionNext(gif_, &block) == GIF_ERROR) {
                fail(describe(gif_->Error));
                return false;
            }
            if (looping && block && block[0] >= 3 && block[1] == 1)
                picture_.loopCount = block[2] | (block[3] << 8);
        }
        return true;
    }

    bool readFrame()
    {
        if (DGifGetImageDesc(gif_) == GIF_ERROR) {
            fail(describe(gif_->Error));
            return false;
        }
        const GifImageDesc& desc = gif_->Image;
        const int width = std::max(desc.Width, 0);
        const int height = std::max(desc.Height, 0);
        if (qint64(width) * height > kMaxPicturePixels) {
            fail(QStringLiteral("кадр %1×%2 слишком велик").arg(width).arg(height));
            return false;
        }
        if (canvas_.isNull() && !makeCanvas(desc))
            return false;
        if (picture_.frames.size() >= kMaxFrames
            || qint64(picture_.frames.size() + 1) * canvas_.width() * canvas_.height() > kMaxAnimationPixels) {
            fail(QStringLiteral("кадров слишком много, показаны первые %1").arg(picture_.frames.size()));
            return false;
        }

        // The pixels in display order; interlaced frames store rows in four passes.
        std::vector<GifPixelType> raster(size_t(width) * size_t(height));
        if (raster.empty()) {
            if (!skipImageData())
                return false;
        } else if (desc.Interlace) {
            static const int kStart[] = {0, 4, 2, 1};
            static const int kStep[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = kStart[pass]; y < height; y += kStep[pass])
                    if (!readLine(&raster[size_t(y) * size_t(width)], width))
                        return false;
        } else {
            for (int y = 0; y < height; ++y)
                if (!readLine(&raster[size_t(y) * size_t(width)], width))
                    return false;
        }

        // A frame of width 0 (or height 0) has no pixels: the intersection
        // with the canvas can still span rows, which must not be drawn from
        // the empty raster.
        const QRect rect = raster.empty() ? QRect() : QRect(desc.Left, desc.Top, width, height) & canvas_.rect();
        disposePrevious();
        if (control_.disposal == DISPOSE_PREVIOUS)
            beforeFrame_ = canvas_;
        draw(raster, desc, rect);
        picture_.frames.append({canvas_, delayMs(control_.delayCentiseconds)});
        previousRect_ = rect;
        previousDisposal_ = control_.disposal;
        control_ = Control();
        return true;
    }

    // The canvas is the logical screen, grown when the first frame does not
    // fit on it (some writers leave the screen size at 0).
    bool makeCanvas(const GifImageDesc& desc)
    {
        const qint64 width = std::max<qint64>(gif_->SWidth, qint64(desc.Left) + desc.Width);
        const qint64 height = std::max<qint64>(gif_->SHeight, qint64(desc.Top) + desc.Height);
        if (width <= 0 || height <= 0 || width * height > kMaxPicturePixels) {
            fail(QStringLiteral("размер картинки %1×%2 недопустим").arg(width).arg(height));
            return false;
        }
        canvas_ = QImage(int(width), int(height), QImage::Format_ARGB32);
        if (canvas_.isNull()) {
            fail(describe(D_GIF_ERR_NOT_ENOUGH_MEM));
            return false;
        }
        canvas_.fill(Qt::transparent);
        return true;
    }

    bool readLine(GifPixelType* line, int width)
    {
        if (DGifGetLine(gif_, line, width) == GIF_ERROR) {
            fail(describe(gif_->Error));
            return false;
        }
        return true;
    }

    bool skipImageData()
    {
        int codeSize = 0;
        GifByteType* block = nullptr;
        if (DGifGetCode(gif_, &codeSize, &block) == GIF_ERROR) {
            fail(describe(gif_->Error));
            return false;
        }
        while (block != nullptr) {
            if (DGifGetCodeNext(gif_, &block) == GIF_ERROR) {
                fail(describe(gif_->Error));
                return false;
            }
        }
        return true;
    }

    void disposePrevious()
    {
        if (previousDisposal_ == DISPOSE_BACKGROUND) {
            // Browsers clear to transparent rather than to the background colour.
            for (int y = previousRect_.top(); y <= previousRect_.bottom(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(canvas_.scanLine(y));
                std::fill(line + previousRect_.left(), line + previousRect_.right() + 1, QRgb(0));
            }
        } else if (previousDisposal_ == DISPOSE_PREVIOUS && !beforeFrame_.isNull()) {
            canvas_ = beforeFrame_;
        }
    }

    void draw(const std::vector<GifPixelType>& raster, const GifImageDesc& desc, const QRect& rect)
    {
        // Indices past the colour table's end are drawn black; without any
        // table the indices are grey levels.
        QRgb palette[256];
        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif_->SColorMap;
        for (int i = 0; i < 256; ++i) {
            if (map == nullptr)
                palette[i] = qRgb(i, i, i);
            else if (i < map->ColorCount)
                palette[i] = qRgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
            else
                palette[i] = qRgb(0, 0, 0);
        }
        const bool hasTransparent = control_.transparent >= 0 && control_.transparent < 256;
        if (rect.isEmpty())
            return;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(canvas_.scanLine(y));
            const GifPixelType* source = &raster[size_t(y - desc.Top) * size_t(desc.Width) + size_t(rect.left() - desc.Left)];
            for (int x = rect.left(); x <= rect.right(); ++x, ++source) {
                if (hasTransparent && *source == control_.transparent)
                    continue;
                line[x] = palette[*source];
            }
        }
    }

    GifFileType* gif_;
    QString name_;
    Picture picture_;
    QImage canvas_;
    QImage beforeFrame_; // the canvas before a frame that restores to it
    Control control_;
    QRect previousRect_;
    int previousDisposal_ = DISPOSAL_UNSPECIFIED;
};

} // namespace

Picture decodeGif(QByteArrayView bytes, const QString& name)
{
    Input input{bytes};
    int error = 0;
    GifFileType* gif = DGifOpen(&input, readInput, &error);
    if (gif == nullptr)
        throw Error(QStringLiteral("Картинка %1 не прочитана: %2").arg(QDir::toNativeSeparators(name), describe(error)));
    GifCloser closer{gif};
    return GifDecoder(gif, name).run();
}

} // namespace tavel
