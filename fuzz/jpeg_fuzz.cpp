// JPEG pictures: any bytes decode to one frame or are refused with an Error
// naming the file.
#include "fuzz_support.h"

#include "session/picture_decoder.h"
#include "storage/error.h"

using namespace tavel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::setUp();
    try {
        const Picture picture = decodeJpeg(QByteArrayView(data, qsizetype(size)), QStringLiteral("x.jpg"));
        if (picture.frames.size() != 1 || picture.frames.first().image.isNull())
            fuzz::broken("a decoded JPEG is not one picture");
    } catch (const Error& e) {
        if (!e.message().contains(QStringLiteral("x.jpg")))
            fuzz::broken("the message does not name the file");
    }
    return 0;
}
