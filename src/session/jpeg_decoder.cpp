// JPEG decoding through libjpeg. libjpeg reports errors by calling a handler
// that must not return; ours jumps back with longjmp, so the calls into the
// library sit in two small functions whose frames hold no C++ objects.
#include "session/picture_decoder.h"

#include "storage/error.h"

#include <QDir>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

namespace tavel {
namespace {

// Progressive files with more scans than this are refused: real pictures
// have a dozen, and each scan costs a pass over the whole picture.
constexpr int kMaxScans = 500;

struct JpegJob {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    jpeg_progress_mgr progress;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    int messageCode;
    bool tooManyScans;
};

JpegJob* jobOf(j_common_ptr info)
{
    // The job's address is kept as client data when the job is set up.
    return static_cast<JpegJob*>(info->client_data);
}

void onError(j_common_ptr info)
{
    JpegJob* job = jobOf(info);
    job->messageCode = info->err->msg_code;
    (*info->err->format_message)(info, job->message);
    std::longjmp(job->jump, 1);
}

// Warnings about damaged compressed data stop the decoding: a picture with
// grey bands in place of lost rows is not shown as if it were whole.
void onMessage(j_common_ptr info, int level)
{
    if (level >= 0)
        return;
    const int code = info->err->msg_code;
    if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER || code == JWRN_HUFF_BAD_CODE)
        onError(info);
}

void onProgress(j_common_ptr info)
{
    if (!info->is_decompressor)
        return;
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans) {
        JpegJob* job = jobOf(info);
        job->tooManyScans = true;
        std::longjmp(job->jump, 1);
    }
}

bool readHeader(JpegJob& job, const unsigned char* data, unsigned long size)
{
    if (setjmp(job.jump))
        return false;
    jpeg_create_decompress(&job.info);
    job.info.client_data = &job;
    job.info.progress = &job.progress;
    jpeg_mem_src(&job.info, data, size);
    jpeg_read_header(&job.info, TRUE);
    switch (job.info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        job.info.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        job.info.out_color_space = JCS_CMYK;
        break;
    default:
        job.info.out_color_space = JCS_RGB;
        break;
    }
    jpeg_calc_output_dimensions(&job.info);
    return true;
}

// Decodes into `bits` (ARGB32 rows of `bytesPerLine`), one row at a time
// through `row`, which holds output_width × output_components samples.
bool readPixels(JpegJob& job, unsigned char* bits, qsizetype bytesPerLine, JSAMPLE* row)
{
    if (setjmp(job.jump))
        return false;
    jpeg_start_decompress(&job.info);
    const int width = int(job.info.output_width);
    const int components = job.info.output_components;
    // Adobe writers store CMYK inverted.
    const bool inverted = job.info.saw_Adobe_marker;
    while (job.info.output_scanline < job.info.output_height) {
        auto* line = reinterpret_cast<QRgb*>(bits + qsizetype(job.info.output_scanline) * bytesPerLine);
        JSAMPROW rows[1] = {row};
        if (jpeg_read_scanlines(&job.info, rows, 1) != 1) {
            job.messageCode = JWRN_JPEG_EOF;
            return false;
        }
        const JSAMPLE* s = row;
        for (int x = 0; x < width; ++x, s += components) {
            if (components == 1) {
                line[x] = qRgb(s[0], s[0], s[0]);
            } else if (components == 3) {
                line[x] = qRgb(s[0], s[1], s[2]);
            } else {
                int c = s[0], m = s[1], y = s[2], k = s[3];
                if (!inverted) {
                    c = 255 - c;
                    m = 255 - m;
                    y = 255 - y;
                    k = 255 - k;
                }
                line[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
            }
        }
    }
    jpeg_finish_decompress(&job.info);
    return true;
}

QString describe(const JpegJob& job)
{
    if (job.tooManyScans)
        return QStringLiteral("слишком много проходов сжатия");
    switch (job.messageCode) {
    case JWRN_JPEG_EOF:
    case JERR_INPUT_EOF:
    case JERR_INPUT_EMPTY:
        return QStringLiteral("файл обрывается");
    case JERR_NO_SOI:
        return QStringLiteral("это не файл JPEG");
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
        return QStringLiteral("испорчены сжатые данные");
    default:
        return QStringLiteral("ошибка libjpeg: %1").arg(QString::fromLatin1(job.message));
    }
}

struct JobCleanup {
    JpegJob& job;
    ~JobCleanup() { jpeg_destroy_decompress(&job.info); }
};

} // namespace

Picture decodeJpeg(QByteArrayView bytes, const QString& name)
{
    const auto fail = [&](const QString& what) {
        return Error(QStringLiteral("Картинка %1 не прочитана: %2").arg(QDir::toNativeSeparators(name), what));
    };
    auto job = std::make_unique<JpegJob>();
    job->info.err = jpeg_std_error(&job->errors);
    job->errors.error_exit = onError;
    job->errors.emit_message = onMessage;
    job->progress.progress_monitor = onProgress;
    // Until jpeg_create_decompress runs, errors find the job through here.
    job->info.client_data = job.get();
    JobCleanup cleanup{*job};

    if (!readHeader(*job, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size())))
        throw fail(describe(*job));
    const qint64 width = job->info.output_width;
    const qint64 height = job->info.output_height;
    if (width <= 0 || height <= 0 || width * height > kMaxPicturePixels)
        throw fail(QStringLiteral("размер картинки %1×%2 недопустим").arg(width).arg(height));
    const int components = job->info.output_components;
    if (components != 1 && components != 3 && components != 4)
        throw fail(QStringLiteral("неизвестное число цветовых составляющих: %1").arg(components));

    QImage image(int(width), int(height), QImage::Format_ARGB32);
    if (image.isNull())
        throw fail(QStringLiteral("не хватает памяти"));
    std::vector<JSAMPLE> row(size_t(width) * size_t(components));
    if (!readPixels(*job, image.bits(), image.bytesPerLine(), row.data()))
        throw fail(describe(*job));

    Picture picture;
    picture.frames.append({image, 0});
    return picture;
}

} // namespace tavel
