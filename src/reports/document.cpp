// The document of the report writer (W1 to W8) over QTextDocument.
#include "reports/document.h"

#include "session/picture_decoder.h"
#include "storage/error.h"

#include <QBuffer>
#include <QFileInfo>
#include <QHash>
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

// Inserts `text` at the cursor, each line end ("\r\n", "\n" or "\r")
// starting a new paragraph with the current paragraph's format. QTextCursor
// does this in one pass over the text; a paragraph inserted line by line cost
// the printouts more than twice as much.
void insertLines(QTextCursor& cursor, const QString& text, const QTextCharFormat& format)
{
    cursor.insertText(text, format);
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

// The largest picture file taken into a document.
constexpr qint64 kMaxPictureBytes = 64LL * 1024 * 1024;

// True when a GIF, JPEG or PNG file ends as a whole file does (its trailer,
// end-of-image marker or IEND chunk; zero bytes after it are tolerated).
// Such a file is taken as it is and decoded when the document is shown,
// printed or saved; any other file is decoded at once, so that a damaged one
// is named in the document.
bool looksWhole(const QByteArray& bytes)
{
    QByteArrayView data(bytes);
    while (!data.isEmpty() && data.back() == '\0')
        data.chop(1);
    if (bytes.startsWith("GIF8"))
        return data.endsWith(";");
    if (bytes.startsWith("\xFF\xD8"))
        return data.endsWith("\xFF\xD9");
    if (bytes.startsWith("\x89PNG"))
        return data.size() >= 12 && data.last(12).startsWith(QByteArrayView("\0\0\0\0IEND", 8));
    return false;
}

} // namespace

namespace {

// The text document of a Document. It hands its pictures to the copies that
// printing makes (QTextDocument::print lays out a clone, which asks its
// parent's loadResource, not the parent's resources).
class PictureTextDocument final : public QTextDocument {
public:
    void addPicture(const QUrl& name, const QVariant& picture)
    {
        pictures_.insert(name, picture);
        addResource(ImageResource, name, picture);
    }

protected:
    QVariant loadResource(int type, const QUrl& name) override
    {
        if (type == ImageResource) {
            const auto found = pictures_.constFind(name);
            if (found != pictures_.constEnd())
                return *found;
        }
        return QTextDocument::loadResource(type, name);
    }

private:
    QHash<QUrl, QVariant> pictures_;
};

} // namespace

Document::Document() : text_(std::make_unique<PictureTextDocument>())
{
    text_->setUndoRedoEnabled(false); // the teacher's editing turns it on in the window
    QFont font = text_->defaultFont();
    font.setPointSize(kDefaultPointSize);
    text_->setDefaultFont(font);
    text_->setDocumentMargin(0);
    // No text width: nothing is laid out while the document is built; the
    // window and the printer lay it out for their own width.
    tail_ = QTextCursor(text_.get());
    format_ = baseFormat(pointSize_, bold_);
}

QTextCursor& Document::tail()
{
    tail_.movePosition(QTextCursor::End);
    return tail_;
}

Document::~Document() = default;

void Document::setBaseFont(int pointSize, bool bold)
{
    pointSize_ = pointSize;
    bold_ = bold_ || bold;
    format_ = baseFormat(pointSize_, bold_);
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

// Each append is an edit block of its own: inside one the cursor does not
// work out its place on screen after every step, which would lay out the
// block each time.
void Document::append(const QString& text)
{
    tail_.beginEditBlock();
    insertLines(tail(), text, format_);
    tail_.endEditBlock();
}

void Document::appendParagraph()
{
    tail_.beginEditBlock();
    tail().insertBlock(QTextBlockFormat(), format_);
    tail_.endEditBlock();
}

int Document::end() const
{
    return text_->characterCount() - 1;
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
    insertLines(cursor, text, format_);
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
    try {
        QFile file(path);
        if (!QFileInfo(path).isFile())
            throw Error(QStringLiteral("файл не найден"));
        if (!file.open(QIODevice::ReadOnly))
            throw Error(file.errorString());
        if (file.size() > kMaxPictureBytes)
            throw Error(QStringLiteral("рисунок слишком велик"));
        const QByteArray bytes = file.readAll();
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader header(&buffer);
        const QSize size = header.size();
        if (size.isValid() && qint64(size.width()) * size.height() > kMaxPicturePixels)
            throw Error(QStringLiteral("рисунок слишком велик"));
        if (size.isValid() && size.width() > 0 && size.height() > 0 && looksWhole(bytes))
            addPicture(QVariant(bytes), size, name);
        else
            appendImage(readPicture(path), name);
        return true;
    } catch (const Error& e) {
        reason = e.message();
    }
    append(missingFileText(name, reason));
    if (problem)
        *problem = reason;
    return false;
}

void Document::appendImage(const QImage& image, const QString& name)
{
    if (image.isNull()) {
        append(missingFileText(name, QStringLiteral("пустой рисунок")));
        return;
    }
    addPicture(QVariant(image), image.size(), name);
}

void Document::addPicture(const QVariant& picture, QSize size, const QString& name)
{
    ++pictureCount_;
    const QString resource = QStringLiteral("tavel-picture-%1").arg(pictureCount_);
    static_cast<PictureTextDocument&>(*text_).addPicture(QUrl(resource), picture);
    QTextImageFormat format;
    format.setName(resource);
    const double maxWidth = kTextWidthPoints * kUnitsPerPoint;
    double width = size.width();
    double height = size.height();
    if (width > maxWidth) {
        height = height * maxWidth / width;
        width = maxWidth;
    }
    format.setWidth(width);
    format.setHeight(height);
    format.setToolTip(name);
    tail_.beginEditBlock();
    // A picture after text starts a line of its own: laid out beside the
    // text it would make that line as tall as the picture.
    if (!tail().block().text().isEmpty())
        tail_.insertBlock(QTextBlockFormat(), format_);
    tail_.insertImage(format);
    tail_.endEditBlock();
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
