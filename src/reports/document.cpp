// The document of the report writer (W1 to W8) over QTextDocument.
#include "reports/document.h"

#include "session/picture_decoder.h"
#include "storage/error.h"

#include <QFileInfo>
#include <QImageReader>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

namespace tavel {
namespace {

// The format of text appended: the base size, bold when the base is bold.
QTextCharFormat baseFormat(int pointSize, bool bold)
{
    QTextCharFormat format;
    format.setFontPointSize(pointSize);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    return format;
}

// Inserts `text` at the cursor, each line end starting a new paragraph.
void insertLines(QTextCursor& cursor, const QString& text, const QTextCharFormat& format)
{
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normal.replace(u'\r', u'\n');
    const QStringList lines = normal.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            cursor.insertBlock(cursor.blockFormat(), format);
        if (!lines[i].isEmpty())
            cursor.insertText(lines[i], format);
    }
}

bool startsWith(const QByteArray& bytes, const char* signature)
{
    return bytes.startsWith(signature);
}

// The first frame of a GIF or JPEG through the program's own decoders, any
// other picture through Qt. Throws Error with the reason.
QImage readPicture(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(file.errorString());
    const QByteArray head = file.read(8);
    file.close();
    if (startsWith(head, "GIF8") || startsWith(head, "\xFF\xD8")) {
        const Picture picture = decodePictureFile(path);
        return picture.frames.first().image;
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (reader.size().isValid() && qint64(reader.size().width()) * reader.size().height() > kMaxPicturePixels)
        throw Error(QStringLiteral("рисунок слишком велик"));
    const QImage image = reader.read();
    if (image.isNull())
        throw Error(QStringLiteral("это не рисунок или он повреждён (%1)").arg(reader.errorString()));
    return image;
}

} // namespace

Document::Document() : text_(std::make_unique<QTextDocument>())
{
    text_->setUndoRedoEnabled(false); // the teacher's editing turns it on in the window
    QFont font = text_->defaultFont();
    font.setPointSize(kDefaultPointSize);
    text_->setDefaultFont(font);
    text_->setDocumentMargin(0);
    text_->setTextWidth(kTextWidthPoints * kUnitsPerPoint);
}

Document::~Document() = default;

void Document::setBaseFont(int pointSize, bool bold)
{
    pointSize_ = pointSize;
    bold_ = bold_ || bold;
    QTextCharFormat format;
    format.setFontPointSize(pointSize);
    if (bold)
        format.setFontWeight(QFont::Bold);
    QTextCursor cursor(text_.get());
    cursor.select(QTextCursor::Document);
    cursor.mergeCharFormat(format);
    // The empty last paragraph takes the size too, so later text matches.
    cursor.movePosition(QTextCursor::End);
    cursor.mergeBlockCharFormat(format);
    QFont font = text_->defaultFont();
    font.setPointSize(pointSize);
    text_->setDefaultFont(font);
}

void Document::append(const QString& text)
{
    QTextCursor cursor(text_.get());
    cursor.movePosition(QTextCursor::End);
    insertLines(cursor, text, baseFormat(pointSize_, bold_));
}

void Document::appendParagraph()
{
    QTextCursor cursor(text_.get());
    cursor.movePosition(QTextCursor::End);
    QTextBlockFormat block;
    cursor.insertBlock(block, baseFormat(pointSize_, bold_));
}

int Document::end() const
{
    QTextCursor cursor(text_.get());
    cursor.movePosition(QTextCursor::End);
    return cursor.position();
}

int Document::addTable(int position, int rows, int columns)
{
    if (rows < 1 || columns < 1)
        return 0;
    QTextCursor cursor(text_.get());
    cursor.setPosition(position);
    QTextTableFormat format;
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(3);
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    QList<QTextLength> widths;
    for (int c = 0; c < columns; ++c)
        widths.append(QTextLength(QTextLength::PercentageLength, 100.0 / columns));
    format.setColumnWidthConstraints(widths);
    tables_.emplace_back(cursor.insertTable(rows, columns, format));
    return tableCount();
}

int Document::appendTable(int rows, int columns)
{
    return addTable(end(), rows, columns);
}

int Document::insertTableAtStart(int rows, int columns)
{
    return addTable(0, rows, columns);
}

QTextTable* Document::table(int number) const
{
    if (number < 1 || number > tableCount())
        return nullptr;
    return tables_[size_t(number - 1)].data();
}

void Document::setCellText(int number, int row, int column, const QString& text)
{
    QTextTable* t = table(number);
    if (!t || row < 1 || column < 1 || row > t->rows() || column > t->columns())
        return;
    const QTextTableCell cell = t->cellAt(row - 1, column - 1);
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    insertLines(cursor, text, baseFormat(pointSize_, bold_));
}

QString Document::cellText(int number, int row, int column) const
{
    QTextTable* t = table(number);
    if (!t || row < 1 || column < 1 || row > t->rows() || column > t->columns())
        return {};
    const QTextTableCell cell = t->cellAt(row - 1, column - 1);
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return cursor.selectedText().replace(QChar::ParagraphSeparator, u'\n');
}

void Document::setBorders(int number, bool on)
{
    QTextTable* t = table(number);
    if (!t)
        return;
    QTextTableFormat format = t->format();
    format.setBorder(on ? 1 : 0);
    format.setBorderStyle(on ? QTextFrameFormat::BorderStyle_Solid : QTextFrameFormat::BorderStyle_None);
    t->setFormat(format);
}

void Document::setColumnWidth(int number, int column, double points)
{
    QTextTable* t = table(number);
    if (!t || column < 1 || column > t->columns() || points <= 0)
        return;
    QTextTableFormat format = t->format();
    QList<QTextLength> widths = format.columnWidthConstraints();
    while (widths.size() < t->columns())
        widths.append(QTextLength());
    widths[column - 1] = QTextLength(QTextLength::FixedLength, points * kUnitsPerPoint);
    format.setColumnWidthConstraints(widths);
    // Fixed columns decide the table's width.
    format.setWidth(QTextLength());
    t->setFormat(format);
}

QString Document::missingFileText(const QString& fileName, const QString& reason)
{
    return QStringLiteral("[%1: %2]").arg(fileName, reason);
}

bool Document::appendPicture(const QString& path, QString* problem)
{
    const QString name = QFileInfo(path).fileName();
    QString reason;
    QImage image;
    if (!QFileInfo(path).isFile()) {
        reason = QStringLiteral("файл не найден");
    } else {
        try {
            image = readPicture(path);
        } catch (const Error& e) {
            reason = e.message();
        }
    }
    if (!reason.isEmpty()) {
        append(missingFileText(name, reason));
        if (problem)
            *problem = reason;
        return false;
    }
    appendImage(image, name);
    return true;
}

void Document::appendImage(const QImage& image, const QString& name)
{
    if (image.isNull()) {
        append(missingFileText(name, QStringLiteral("пустой рисунок")));
        return;
    }
    ++pictureCount_;
    const QString resource = QStringLiteral("tavel-picture-%1.png").arg(pictureCount_);
    text_->addResource(QTextDocument::ImageResource, QUrl(resource), image);
    QTextImageFormat format;
    format.setName(resource);
    const double maxWidth = kTextWidthPoints * kUnitsPerPoint;
    double width = image.width();
    double height = image.height();
    if (width > maxWidth) {
        height = height * maxWidth / width;
        width = maxWidth;
    }
    format.setWidth(width);
    format.setHeight(height);
    format.setToolTip(name);
    QTextCursor cursor(text_.get());
    cursor.movePosition(QTextCursor::End);
    cursor.insertImage(format);
}

void Document::setPlain(int from, int to)
{
    const int last = end();
    from = std::clamp(from, 0, last);
    to = std::clamp(to, 0, last);
    if (from >= to)
        return;
    QTextCursor cursor(text_.get());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    QTextCharFormat format;
    format.setFontWeight(QFont::Normal);
    cursor.mergeCharFormat(format);
}

Document& DocumentHolder::newDocument()
{
    current_ = std::make_shared<Document>();
    return *current_;
}

} // namespace tavel
