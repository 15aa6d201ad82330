// GIF pictures: any bytes decode to frames of the picture's size or are
// refused with an Error naming the file.
#include "fuzz_support.h"

#include "session/picture_decoder.h"
#include "storage/error.h"

using namespace tavel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::setUp();
    try {
        const Picture picture = decodeGif(QByteArrayView(data, qsizetype(size)), QStringLiteral("x.gif"));
        if (picture.frames.isEmpty())
            fuzz::broken("a decoded picture without frames");
        for (const PictureFrame& frame : picture.frames)
            if (frame.image.size() != picture.size() || frame.image.isNull())
                fuzz::broken("frames of different sizes");
    } catch (const Error& e) {
        if (!e.message().contains(QStringLiteral("x.gif")))
            fuzz::broken("the message does not name the file");
    }
    return 0;
}
