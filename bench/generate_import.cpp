// The import file generator.
#include "generate_import.h"

#include "russian_words.h"

#include <QRandomGenerator64>

namespace tavel::bench {
namespace {

template <size_t N>
QStringView pick(QRandomGenerator64& random, const std::u16string_view (&list)[N])
{
    const std::u16string_view w = list[random.bounded(quint64(N))];
    return QStringView(w.data(), qsizetype(w.size()));
}

QString phrase(QRandomGenerator64& random, int words)
{
    QString out;
    for (int i = 0; i < words; ++i) {
        if (i)
            out += QLatin1Char(' ');
        out += i % 3 == 1 ? pick(random, words::kAdjectives) : i % 3 == 2 ? pick(random, words::kGenitive)
                                                                          : pick(random, words::kNouns);
    }
    return out;
}

QString question(QRandomGenerator64& random)
{
    const words::Opening& o = words::kOpenings[random.bounded(quint64(std::size(words::kOpenings)))];
    return QString::fromUtf16(o.text.data(), qsizetype(o.text.size())) + QLatin1Char(' ') +
           phrase(random, 3 + int(random.bounded(12))) + (o.asks ? QLatin1Char('?') : QLatin1Char('.'));
}

} // namespace

QString importFileText(import::Layout layout, int questions, quint64 seed)
{
    using import::Layout;
    QRandomGenerator64 random(seed);
    static const QString letters = QStringLiteral("абвгд");
    QString out = QStringLiteral("Контрольная работа: ") + phrase(random, 4) + QStringLiteral("\r\n");
    if (layout == Layout::Generator)
        out += QStringLiteral("\r\n");
    for (int q = 1; q <= questions; ++q) {
        const int answers = 4 + int(random.bounded(2));
        const int right = int(random.bounded(quint64(answers)));
        switch (layout) {
        case Layout::Digit:
            out += QStringLiteral("%1. %2\r\n").arg(q).arg(question(random));
            for (int a = 0; a < answers; ++a)
                out += QStringLiteral("%1%2) %3\r\n").arg(a == right ? "+" : "").arg(letters[a]).arg(phrase(random, 2 + int(random.bounded(6))));
            break;
        case Layout::LetterW:
            out += QStringLiteral("w%1. %2\r\n").arg(q).arg(question(random));
            for (int a = 0; a < answers; ++a)
                out += QStringLiteral("%1%2. %3\r\n").arg(a == right ? "+" : "").arg(a + 1).arg(phrase(random, 2 + int(random.bounded(6))));
            break;
        case Layout::Generator:
            out += QStringLiteral("Вопрос %1\r\n%2\r\n").arg(q).arg(question(random));
            for (int a = 0; a < answers; ++a)
                out += QStringLiteral("%1) %2\r\n").arg(a + 1).arg(phrase(random, 2 + int(random.bounded(6))));
            out += QStringLiteral("#конец (%1)\r\n\r\n").arg(right + 1);
            break;
        case Layout::Ege:
            out += QStringLiteral("А%1\r\n%2\r\n").arg(q).arg(question(random));
            for (int a = 0; a < answers; ++a)
                out += QStringLiteral("%1%2)\r\n%3\r\n").arg(a == right ? "+" : "").arg(a + 1).arg(phrase(random, 2 + int(random.bounded(6))));
            break;
        }
    }
    return out;
}

} // namespace tavel::bench
