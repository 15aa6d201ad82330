// Reading picture files and telling GIF from JPEG by their first bytes.
#include "session/picture_decoder.h"

#include "storage/error.h"

#include <QDir>
#include <QFile>

namespace tavel {
namespace {

// No question picture comes near this; a larger file is refused before it is
// read into memory.
constexpr qint64 kMaxFileBytes = 128LL * 1024 * 1024;

QByteArray readPictureBytes(const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Не удалось открыть файл %1: %2").arg(shown, file.errorString()));
    if (file.size() > kMaxFileBytes)
        throw Error(QStringLiteral("Картинка %1 не прочитана: файл слишком велик (%2 байт)").arg(shown).arg(file.size()));
    QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw Error(QStringLiteral("Ошибка чтения файла %1: %2").arg(shown, file.errorString()));
    return bytes;
}

bool isGif(QByteArrayView bytes)
{
    return bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a");
}

bool isJpeg(QByteArrayView bytes)
{
    return bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xFF
           && static_cast<unsigned char>(bytes[1]) == 0xD8 && static_cast<unsigned char>(bytes[2]) == 0xFF;
}

} // namespace

Picture decodeGifFile(const QString& path)
{
    return decodeGif(readPictureBytes(path), path);
}

Picture decodeJpegFile(const QString& path)
{
    return decodeJpeg(readPictureBytes(path), path);
}

Picture decodePictureFile(const QString& path)
{
    const QByteArray bytes = readPictureBytes(path);
    if (isGif(bytes))
        return decodeGif(bytes, path);
    if (isJpeg(bytes))
        return decodeJpeg(bytes, path);
    throw Error(QStringLiteral("Картинка %1 не прочитана: это не GIF и не JPEG").arg(QDir::toNativeSeparators(path)));
}

} // namespace tavel
