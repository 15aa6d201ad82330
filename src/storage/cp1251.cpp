// Windows-1251 conversion through one table for the upper 128 bytes.
#include "storage/cp1251.h"

#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tavel::cp1251 {
namespace {

constexpr std::array<char16_t, 128> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, // F8
};

// Every byte's character, the lower half included: one load per byte and no
// branch, which texts of mixed Latin, Cyrillic and blanks would mispredict.
constexpr std::array<char16_t, 256> kAll = [] {
    std::array<char16_t, 256> all{};
    for (int b = 0; b < 256; ++b)
        all[size_t(b)] = b < 0x80 ? char16_t(b) : kHigh[size_t(b - 0x80)];
    return all;
}();

// Reverse lookup: one probe table over the whole Unicode range the code page uses.
struct Reverse {
    std::array<short, 0x2200> bytes{};
    Reverse()
    {
        bytes.fill(-1);
        for (int i = 0; i < 128; ++i)
            bytes[i] = short(i);
        for (int i = 0; i < 128; ++i)
            bytes[kHigh[i]] = short(0x80 + i);
    }
};

const Reverse& reverse()
{
    static const Reverse table;
    return table;
}

int byteOf(char16_t c)
{
    return c < reverse().bytes.size() ? reverse().bytes[c] : -1;
}

} // namespace

char16_t toUnicode(unsigned char byte)
{
    return byte < 0x80 ? char16_t(byte) : kHigh[byte - 0x80];
}

QString decode(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    // The table straight, not a call per byte: whole files of texts pass here.
    char16_t* dst = reinterpret_cast<char16_t*>(out.data());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        dst[i] = kAll[byte];
    }
    return out;
}

QByteArray encode(QStringView text, int* unmappable)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    const int bad = encodeInto(text, out.data());
    if (unmappable)
        *unmappable = bad;
    return out;
}

int encodeInto(QStringView text, char* out)
{
    const Reverse& table = reverse();
    const char16_t* in = text.utf16();
    const qsizetype size = text.size();
    int bad = 0;
    auto encodeOne = [&](qsizetype i) {
        const char16_t u = in[i];
        const int b = u < table.bytes.size() ? table.bytes[u] : -1;
        if (b < 0)
            ++bad;
        out[i] = b < 0 ? '?' : char(b);
    };
    qsizetype i = 0;
#if defined(__SSE2__)
    // Eight characters at once while they are ASCII or the letters А..я
    // (U+0410..U+044F, bytes 0xC0..0xFF), what most stored text is: records
    // of hundreds of megabytes pass here.
    const __m128i zero = _mm_setzero_si128();
    const __m128i lastAscii = _mm_set1_epi16(0x7F);
    const __m128i firstLetter = _mm_set1_epi16(0x0410);
    const __m128i letters = _mm_set1_epi16(0x3F);
    const __m128i letterBytes = _mm_set1_epi16(0xC0);
    for (; i + 8 <= size; i += 8) {
        const __m128i u = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const __m128i ascii = _mm_cmpeq_epi16(_mm_subs_epu16(u, lastAscii), zero);
        const __m128i letter = _mm_sub_epi16(u, firstLetter);
        const __m128i isLetter = _mm_cmpeq_epi16(_mm_subs_epu16(letter, letters), zero);
        if (_mm_movemask_epi8(_mm_or_si128(ascii, isLetter)) != 0xFFFF) {
            for (qsizetype k = i; k < i + 8; ++k)
                encodeOne(k);
            continue;
        }
        const __m128i bytes =
            _mm_or_si128(_mm_and_si128(ascii, u), _mm_andnot_si128(ascii, _mm_add_epi16(letter, letterBytes)));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(bytes, bytes));
    }
#endif
    for (; i < size; ++i)
        encodeOne(i);
    return bad;
}

bool canEncode(QStringView text)
{
    for (QChar c : text)
        if (byteOf(c.unicode()) < 0)
            return false;
    return true;
}

QString toLower(QStringView text)
{
    QString out = text.toString();
    for (QChar& ch : out) {
        const char16_t c = ch.unicode();
        if (c >= u'A' && c <= u'Z')
            ch = QChar(char16_t(c + 0x20));
        else if (c >= 0x0410 && c <= 0x042F) // А..Я
            ch = QChar(char16_t(c + 0x20));
        else if (c >= 0x0400 && c <= 0x040F) // Ё and the other capitals of the code page
            ch = QChar(char16_t(c + 0x50));
        else if (c == 0x0490) // Ґ
            ch = QChar(char16_t(0x0491));
    }
    return out;
}

} // namespace tavel::cp1251
