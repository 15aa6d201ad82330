// The explanation window's rules and the placement of the explanation and
// picture windows.
#include "session/explanation.h"

#include "text/rtf_reader.h"
#include "storage/cp1251.h"
#include "storage/error.h"
#include "storage/text.h"

#include <QDir>
#include <QFile>
#include <QTextCursor>
#include <QTextDocument>

namespace tavel {
namespace {

// An explanation is a page or a few of text (a rich-text file with a picture
// a hundred pages of text); a larger file is refused before it is read into memory.
// The cap bounds the document's memory and its loading time: 32 MB of text
// took gigabytes and most of a minute.
constexpr qint64 kMaxExplanationBytes = 256LL * 1024;

} // namespace

void loadExplanation(const QString& path, QTextDocument& document)
{
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Не удалось открыть файл %1: %2").arg(shown, file.errorString()));
    if (file.size() > kMaxExplanationBytes)
        throw Error(QStringLiteral("Файл пояснений %1 слишком велик (%2 байт)").arg(shown).arg(file.size()));
    const QByteArray bytes = file.read(kMaxExplanationBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw Error(QStringLiteral("Ошибка чтения файла %1: %2").arg(shown, file.errorString()));
    // Every line costs the document some tens of microseconds: an
    // explanation of more lines than kMaxRtfParagraphs is no page of text.
    const auto tooLong = [&] {
        return Error(QStringLiteral("Файл пояснений %1 слишком длинный: больше %2 строк").arg(shown).arg(kMaxRtfParagraphs));
    };
    if (looksLikeRtf(bytes)) {
        if (!readRtf(bytes, document)) {
            document.clear();
            throw tooLong();
        }
        return;
    }
    if (bytes.count('\n') > kMaxRtfParagraphs)
        throw tooLong();
    QString text = cp1251::decode(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    document.setPlainText(text);
}

QStringList documentLines(const QTextDocument& document)
{
    return document.toPlainText().split(QLatin1Char('\n'));
}

bool isTextExplanation(const QString& path)
{
    const QString last = path.right(3).toLower();
    return last == QLatin1String("txt") || last == QLatin1String("rtf");
}

const QStringList& letterMarkers()
{
    static const QStringList kMarkers = {
        QStringLiteral("(А)"), QStringLiteral("(Б)"), QStringLiteral("(В)"), QStringLiteral("(Г)"), QStringLiteral("(Д)"),
        QStringLiteral("(Е)"), QStringLiteral("(Ж)"), QStringLiteral("(З)"), QStringLiteral("(И)")};
    return kMarkers;
}

int letterCount(QStringView text)
{
    int count = 0;
    for (const QString& marker : letterMarkers()) {
        if (!text.contains(marker))
            break;
        ++count;
    }
    return count;
}

int termListLine(const QStringList& lines)
{
    static const QString kTitle = QStringLiteral("список терминов");
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (cp1251::toLower(lines[i]).contains(kTitle))
            return int(i);
    return -1;
}

AnswerForm answerForm(const QStringList& lines)
{
    AnswerForm form;
    form.letterCount = letterCount(lines.join(QLatin1Char('\n')));
    if (form.letterCount == 0)
        return form;
    form.markers = letterMarkers().mid(0, form.letterCount);
    const int title = termListLine(lines);
    if (title > 0) {
        form.groupShown = true;
        form.terms = lines.mid(title + 1);
    }
    return form;
}

QString termCellValue(int termIndex)
{
    return QString::number(termIndex + 1);
}

QString termName(QStringView termLine)
{
    return trimmed(termLine).mid(2, 30).toUpper();
}

int replaceMarker(QStringList& lines, QStringView marker, const QString& replacement)
{
    const QString key = trimmed(marker);
    if (key.isEmpty())
        return 0;
    int count = 0;
    for (QString& line : lines) {
        count += int(line.count(key, Qt::CaseInsensitive));
        line.replace(key, replacement, Qt::CaseInsensitive);
    }
    return count;
}

int replaceMarker(QTextDocument& document, QStringView marker, const QString& replacement)
{
    const QString key = trimmed(marker);
    if (key.isEmpty())
        return 0;
    int count = 0;
    QTextCursor edit(&document);
    edit.beginEditBlock();
    QTextCursor found(&document);
    for (;;) {
        // find() ignores case unless told otherwise; it searches on from the
        // end of the text just inserted.
        found = document.find(key, found);
        if (found.isNull())
            break;
        found.insertText(replacement);
        ++count;
    }
    edit.endEditBlock();
    return count;
}

QString answerCode(const QStringList& cells, int letterCount)
{
    QString code;
    for (int column = 0; column < letterCount && column < cells.size(); ++column)
        code += trimmed(cells[column]);
    return code;
}

QStringList hintCells(QStringView answer, int letterCount)
{
    QStringList cells;
    for (int column = 0; column < letterCount; ++column)
        cells.append(column < answer.size() ? QString(answer[column]) : QString());
    return cells;
}

int fontSizeAfterStep(int pointSize, bool up)
{
    if (up)
        return pointSize + 2;
    return pointSize > 7 ? pointSize - 2 : pointSize;
}

VerticalSpan explanationPlacement(int workAreaHeight, int windowHeight, int mainWindowHeight)
{
    VerticalSpan span{workAreaHeight - windowHeight - 1, windowHeight};
    if (mainWindowHeight < span.top)
        span.top = mainWindowHeight + 1;
    if (workAreaHeight > windowHeight + mainWindowHeight)
        span.height = workAreaHeight - mainWindowHeight - 1;
    return span;
}

QRect pictureWindowGeometry(QSize picture, QSize workArea)
{
    int top = workArea.height() - picture.height() - 40;
    int height = picture.height() + 35;
    if (top < 40) {
        top = 40;
        height -= 80;
    }
    return QRect(workArea.width() - picture.width() - 10, top, picture.width() + 10, height);
}

} // namespace tavel
