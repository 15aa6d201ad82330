// The document every printout, protocol and listing of the program is built
// in: the word-processor operations W1 to W8 over a QTextDocument, and the
// holders that keep a window's current document (W1).
//
//     DocumentHolder& holder = ...;            // the window's own holder
//     Document& doc = holder.newDocument();    // W1
//     doc.setBaseFont(12);                     // W2: size 12, bold
//     doc.append(QStringLiteral("Тема: x"));   // W3
//     doc.appendParagraph();                   // W4
//     const int table = doc.appendTable(11, 2);          // W5: table 1
//     doc.setCellText(table, 1, 1, QStringLiteral("ФИО"));
//     doc.appendPicture(path);                 // W6
//     const int from = doc.end();
//     doc.append(answerText);
//     doc.setPlain(from, doc.end());           // W8
//     ... then the window shows holder.current() (W7, reports/windows).
//
// Contracts:
// - Text always goes to the end of the document. Positions are the document's
//   own character positions (QTextCursor positions): take end() before and
//   after an append to get the range W8 needs.
// - Text appended takes the base font set by setBaseFont (a document without
//   it: 12 point, not bold); W8 and the teacher's editing change runs later.
// - Rows, columns and tables are counted from 1, as the callers count them.
//   A table, row or column that does not exist is a programming error: the
//   call changes nothing.
// - Column widths are in points; the text width of the page is
//   kTextWidthPoints (A4, 2 cm margins at left and right).
#pragma once

#include <QImage>
#include <QSize>
#include <QVariant>
#include <QString>
#include <QPointer>
#include <QStringList>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextTable>
#include <memory>
#include <vector>

class QTextDocument;

namespace tavel {

class Document {
public:
    // A4 (210 mm) less 20 mm margins on either side, in points.
    static constexpr double kTextWidthPoints = 170.0 / 25.4 * 72.0;
    // Document units (pixels of the layout) per point.
    static constexpr double kUnitsPerPoint = 96.0 / 72.0;
    // The size of text appended before any setBaseFont.
    static constexpr int kDefaultPointSize = 12;

    Document();
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // The title: the document window's caption and the name Save as suggests.
    const QString& title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }

    // W2: the whole document, and all text appended later, in `pointSize`;
    // bold as well when `bold` (the editor listing sets the size only).
    void setBaseFont(int pointSize, bool bold = true);
    int basePointSize() const { return pointSize_; }

    // W3: appends `text` at the end. Line ends ("\r\n", "\r", "\n") inside it
    // start new paragraphs, as they do in a word processor.
    void append(const QString& text);
    // W4: ends the last paragraph; later text starts a new one.
    void appendParagraph();
    // The position after the last character: where the next append begins.
    int end() const;

    // W5: a table of `rows` × `columns` empty cells at the end, borders on;
    // returns its number (the count of tables added so far). The caret stays
    // after it, so the next append starts below the table.
    int appendTable(int rows, int columns);
    // The same at the very start of the document (the editor listing).
    int insertTableAtStart(int rows, int columns);
    int tableCount() const { return int(tables_.size()); }
    void setCellText(int table, int row, int column, const QString& text);
    QString cellText(int table, int row, int column) const;
    void setBorders(int table, bool on);
    void setColumnWidth(int table, int column, double points);

    // W6: the picture of the file at the end (after text, on a line of its
    // own): GIF (its first frame), JPEG, or any other format Qt reads. A
    // picture wider than the text width is scaled down to fit. A file that is
    // missing, not a picture, cut off or otherwise undecodable is named in the
    // document instead, and the call returns false with the reason in
    // `problem` (if given). A whole GIF, JPEG or PNG file (told by its last
    // bytes) is kept as its bytes and decoded only when the document is shown,
    // printed or saved, so that long printouts are built quickly.
    bool appendPicture(const QString& path, QString* problem = nullptr);
    void appendImage(const QImage& image, const QString& name);
    // The pictures put in so far (the scaled size is in the document's format).
    int pictureCount() const { return pictureCount_; }

    // W8: the characters from `from` to `to` (positions as end() gives them)
    // lose their bold.
    void setPlain(int from, int to);

    // The text that stands in the document where a file is missing or
    // unreadable: "[<file>: <reason>]".
    static QString missingFileText(const QString& fileName, const QString& reason);

    QTextDocument& text() { return *text_; }
    const QTextDocument& text() const { return *text_; }

private:
    QTextTable* table(int number) const;
    int addTable(int position, int rows, int columns);
    // Puts in a picture resource (a QImage, or the bytes of a picture file
    // decoded when needed) of `size` pixels.
    void addPicture(const QVariant& picture, QSize size, const QString& name);
    // The cursor kept at the end, where every append goes.
    QTextCursor& tail();

    std::unique_ptr<QTextDocument> text_;
    std::vector<QPointer<QTextTable>> tables_; // owned by text_; null once the teacher deletes one
    QString title_;
    int pointSize_ = kDefaultPointSize;
    bool bold_ = false;
    int pictureCount_ = 0;
    QTextCursor tail_;
    QTextCharFormat format_; // of text appended: the base size, bold when the base is bold
};

// W1's holder: the main window has one for all its documents, and each other
// window that prints has its own. A new document replaces the holder's
// current one; a document already shown keeps living in its window, which
// shares it.
class DocumentHolder {
public:
    // W1: a new empty document, now the holder's current one.
    Document& newDocument();
    // The current document; null before the first newDocument.
    const std::shared_ptr<Document>& current() const { return current_; }

private:
    std::shared_ptr<Document> current_;
};

} // namespace tavel
