// The RTF reader: one pass over the bytes with an explicit stack of group
// states (no recursion), feeding text runs and paragraph ends to a sink.
#include "text/rtf_reader.h"

#include "storage/cp1251.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <vector>

namespace tavel {
namespace {

// Groups nested deeper than this are dropped with all they hold; real files
// stay far below it.
constexpr int kMaxDepth = 200;
// Control words are at most 32 letters; longer runs of letters are cut.
constexpr int kMaxWordLength = 32;
// Parameters are clamped to this magnitude while they are read.
constexpr long kMaxParameter = 1'000'000'000L;

struct CharStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 0; // 0: not given, the document's default size

    bool operator==(const CharStyle&) const = default;
};

struct GroupState {
    CharStyle style;
    Qt::Alignment alignment = Qt::AlignLeft;
    int unicodeSkip = 1; // "\ucN": characters of fallback after each "\uN"
    bool skip = false;   // inside a destination whose text is not shown
};

class Sink {
public:
    virtual ~Sink() = default;
    virtual void text(const QString& text, const CharStyle& style) = 0;
    // Ends the current paragraph, which had `alignment`.
    virtual void paragraph(Qt::Alignment alignment) = 0;
    // Called once at the end with the alignment of the last paragraph.
    virtual void finish(Qt::Alignment alignment) = 0;
};

// Destinations whose contents are not part of the shown text.
bool isSkippedDestination(QByteArrayView word)
{
    static const char* const kWords[] = {
        "fonttbl", "colortbl", "stylesheet", "info", "pict", "header", "headerl", "headerr",
        "headerf", "footer", "footerl", "footerr", "footerf", "footnote", "fldinst", "object",
        "objdata", "objclass", "listtable", "listoverridetable", "revtbl", "rsidtbl",
        "generator", "xmlnstbl", "themedata", "colorschememapping", "latentstyles",
        "datastore", "filetbl", "nonshppict", "shpinst", "pntxta", "pntxtb", "template",
        "author", "operator", "title", "subject", "keywords", "comment", "doccomm",
        "bkmkstart", "bkmkend", "annotation", "atnid", "atnauthor", "private", "userprops",
        "mmathPr", "pgdsctbl", "falt", "panose", "defchp", "defpap", "wgrffmtfilter"};
    for (const char* w : kWords)
        if (word == QByteArrayView(w))
            return true;
    return false;
}

// Control words that stand for one character.
char16_t symbolOf(QByteArrayView word)
{
    struct Symbol {
        const char* word;
        char16_t ch;
    };
    static const Symbol kSymbols[] = {
        {"tab", u'\t'},        {"emdash", u'\u2014'},    {"endash", u'\u2013'},
        {"bullet", u'\u2022'}, {"lquote", u'\u2018'},    {"rquote", u'\u2019'},
        {"ldblquote", u'\u201C'}, {"rdblquote", u'\u201D'}, {"emspace", u'\u2003'},
        {"enspace", u'\u2002'}, {"qmspace", u'\u2005'},  {"cell", u'\t'},
        {"nestcell", u'\t'}};
    for (const Symbol& s : kSymbols)
        if (word == QByteArrayView(s.word))
            return s.ch;
    return 0;
}

class Parser {
public:
    Parser(QByteArrayView input, Sink& sink) : in_(input), sink_(sink) { stack_.emplace_back(); }

    void run()
    {
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            switch (c) {
            case '{':
                openGroup();
                break;
            case '}':
                if (!closeGroup()) {
                    pos_ = in_.size(); // the outermost group is closed: the file ends
                }
                break;
            case '\\':
                controlSymbolOrWord();
                break;
            case '\r':
            case '\n':
            case '\0':
                break;
            default:
                plainByte(static_cast<unsigned char>(c));
                break;
            }
        }
        flush();
        sink_.finish(paragraphPending_ ? pendingAlignment_ : textAlignment_);
    }

private:
    GroupState& state() { return stack_.back(); }
    bool dropping() const { return overflow_ > 0; }
    bool hidden() const { return overflow_ > 0 || stack_.back().skip; }

    void openGroup()
    {
        pendingSkip_ = 0;
        if (dropping() || stack_.size() > kMaxDepth) {
            ++overflow_;
            return;
        }
        ++depth_;
        stack_.push_back(stack_.back());
    }

    // False when the group closed was the outermost one.
    bool closeGroup()
    {
        pendingSkip_ = 0;
        if (overflow_ > 0) {
            --overflow_;
            return true;
        }
        if (stack_.size() > 1) {
            flushIfStyleChanges(stack_[stack_.size() - 2].style);
            stack_.pop_back();
        }
        if (depth_ > 0 && --depth_ == 0)
            return false;
        return true;
    }

    void controlSymbolOrWord()
    {
        if (pos_ >= in_.size())
            return;
        const char c = in_[pos_];
        if (isLetter(c)) {
            controlWord();
            return;
        }
        ++pos_;
        if (c != '\'' && c != '\r' && c != '\n' && pendingSkip_ > 0) {
            --pendingSkip_; // a control symbol counts as one fallback character
            return;
        }
        switch (c) {
        case '\'': {
            const int hi = pos_ < in_.size() ? hexValue(in_[pos_]) : -1;
            const int lo = pos_ + 1 < in_.size() ? hexValue(in_[pos_ + 1]) : -1;
            if (hi < 0 || lo < 0) {
                if (hi >= 0)
                    ++pos_; // a broken escape is dropped with its one hex digit
                return;
            }
            pos_ += 2;
            plainByte(static_cast<unsigned char>(hi * 16 + lo), /*escaped=*/true);
            return;
        }
        case '*':
            // An ignorable destination: none of them carries shown text.
            state().skip = true;
            return;
        case '\\':
        case '{':
        case '}':
            emit(QChar(QLatin1Char(c)));
            return;
        case '~':
            emit(QChar(0x00A0));
            return;
        case '_':
            emit(QChar(0x2011));
            return;
        case '-': // optional hyphen: shown only at a line break, so dropped
            return;
        case '\r':
        case '\n':
            paragraphEnd();
            return;
        case '\t':
            emit(QChar(u'\t'));
            return;
        default:
            return; // unknown control symbol
        }
    }

    void controlWord()
    {
        const qsizetype start = pos_;
        while (pos_ < in_.size() && isLetter(in_[pos_]))
            ++pos_;
        const QByteArrayView word = in_.sliced(start, std::min<qsizetype>(pos_ - start, kMaxWordLength));
        bool hasParameter = false;
        long parameter = 0;
        bool negative = false;
        if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && isDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        while (pos_ < in_.size() && isDigit(in_[pos_])) {
            hasParameter = true;
            parameter = std::min(parameter * 10 + (in_[pos_] - '0'), kMaxParameter);
            ++pos_;
        }
        if (negative)
            parameter = -parameter;
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_; // the blank that ends a control word belongs to it
        apply(word, hasParameter, parameter);
    }

    void apply(QByteArrayView word, bool hasParameter, long parameter)
    {
        if (word == "bin") {
            // Raw binary data of `parameter` bytes follows; it is never text.
            const qsizetype n = hasParameter && parameter > 0 ? parameter : 0;
            pos_ = std::min(in_.size(), pos_ + n);
            return;
        }
        if (word == "u" && hasParameter) {
            // A negative N is the UTF-16 unit written as a signed 16-bit number.
            long code = parameter;
            if (code < 0)
                code += 65536;
            if (isTextCharacter(code))
                emit(QChar(static_cast<char16_t>(code)), /*fromUnicode=*/true);
            pendingSkip_ = state().unicodeSkip;
            return;
        }
        if (pendingSkip_ > 0) {
            --pendingSkip_; // a control word counts as one fallback character
            return;
        }
        if (dropping())
            return;
        if (isSkippedDestination(word)) {
            state().skip = true;
            return;
        }
        if (word == "uc") {
            state().unicodeSkip = std::clamp<long>(hasParameter ? parameter : 1, 0, 16);
            return;
        }
        if (state().skip)
            return;

        const bool on = !hasParameter || parameter != 0;
        CharStyle style = state().style;
        if (word == "par" || word == "sect" || word == "page" || word == "row") {
            paragraphEnd();
        } else if (word == "line") {
            emit(QChar(QChar::LineSeparator));
        } else if (word == "pard") {
            state().alignment = Qt::AlignLeft;
        } else if (word == "ql") {
            state().alignment = Qt::AlignLeft;
        } else if (word == "qc") {
            state().alignment = Qt::AlignHCenter;
        } else if (word == "qr") {
            state().alignment = Qt::AlignRight;
        } else if (word == "qj") {
            state().alignment = Qt::AlignJustify;
        } else if (word == "plain") {
            style = CharStyle();
        } else if (word == "b") {
            style.bold = on;
        } else if (word == "i") {
            style.italic = on;
        } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" || word == "uldash"
                   || word == "ulth" || word == "ulwave") {
            style.underline = on;
        } else if (word == "ulnone") {
            style.underline = false;
        } else if (word == "fs") {
            // Half-points; a missing or absurd size falls back to the default.
            style.halfPoints = hasParameter && parameter > 0 && parameter <= 3276 ? int(parameter) : 0;
        } else if (const char16_t ch = symbolOf(word)) {
            emit(QChar(ch));
        }
        if (!(style == state().style)) {
            flushIfStyleChanges(style);
            state().style = style;
        }
    }

    void plainByte(unsigned char byte, bool escaped = false)
    {
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        if (hidden())
            return;
        if (!escaped && byte == '\t') {
            emit(QChar(u'\t'));
            return;
        }
        if (byte < 0x20 && byte != '\t')
            return; // other control bytes are not text
        emit(QChar(cp1251::toUnicode(byte)));
    }

    void emit(QChar ch, bool fromUnicode = false)
    {
        if (!fromUnicode && pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        if (hidden())
            return;
        if (paragraphPending_) {
            flush();
            sink_.paragraph(pendingAlignment_);
            paragraphPending_ = false;
        }
        runStyle_ = state().style;
        textAlignment_ = state().alignment;
        run_ += ch;
    }

    // A paragraph mark is held back until more text comes, so the mark that
    // closes the last paragraph does not leave an empty line at the end.
    void paragraphEnd()
    {
        pendingSkip_ = 0;
        if (hidden())
            return;
        if (paragraphPending_) {
            flush();
            sink_.paragraph(pendingAlignment_);
        }
        paragraphPending_ = true;
        pendingAlignment_ = state().alignment;
    }

    void flushIfStyleChanges(const CharStyle& next)
    {
        if (!run_.isEmpty() && !(next == runStyle_))
            flush();
    }

    void flush()
    {
        if (run_.isEmpty())
            return;
        sink_.text(run_, runStyle_);
        run_.clear();
    }

    // Characters a "\uN" may give: not control characters, not the marks a
    // text document keeps for its own structure, not non-characters.
    static bool isTextCharacter(long code)
    {
        if (code <= 0 || code > 0xFFFF)
            return false;
        if (code < 0x20)
            return code == '\t';
        if (code >= 0x7F && code < 0xA0)
            return false;
        if (code == QChar::ParagraphSeparator || (code >= 0xFDD0 && code <= 0xFDEF) || code >= 0xFFFE)
            return false;
        return true;
    }
    static bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }
    static int hexValue(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    QByteArrayView in_;
    Sink& sink_;
    qsizetype pos_ = 0;
    std::vector<GroupState> stack_;
    long long overflow_ = 0; // groups opened beyond kMaxDepth, still open
    long long depth_ = 0;    // groups opened and not closed, within the cap
    int pendingSkip_ = 0;    // fallback characters of "\uN" still to drop
    bool paragraphPending_ = false;
    Qt::Alignment pendingAlignment_ = Qt::AlignLeft; // of the paragraph held back
    Qt::Alignment textAlignment_ = Qt::AlignLeft;    // in force at the last character
    QString run_;
    CharStyle runStyle_;
};

class PlainSink : public Sink {
public:
    void text(const QString& text, const CharStyle&) override
    {
        for (QChar ch : text)
            out += ch == QChar(QChar::LineSeparator) ? QChar(u'\n') : ch;
    }
    void paragraph(Qt::Alignment) override { out += QLatin1Char('\n'); }
    void finish(Qt::Alignment) override {}

    QString out;
};

// Builds the document in one edit block: the document and its views hear of
// one change at the end instead of one per run, which made loading grow with
// the square of the text's length. The load is no step to undo, so nothing is
// recorded for undo meanwhile.
class DocumentSink : public Sink {
public:
    explicit DocumentSink(QTextDocument& document)
        : document_(document), undo_(document.isUndoRedoEnabled()), cursor_(&document)
    {
        document_.setUndoRedoEnabled(false);
        cursor_.beginEditBlock();
    }
    ~DocumentSink() override
    {
        cursor_.endEditBlock();
        document_.setUndoRedoEnabled(undo_);
    }

    void text(const QString& text, const CharStyle& style) override
    {
        if (cut_)
            return;
        if (++edits_ > kMaxFormattedEdits) {
            tail_ += text;
            return;
        }
        QTextCharFormat format;
        format.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(style.italic);
        format.setFontUnderline(style.underline);
        if (style.halfPoints > 0)
            format.setFontPointSize(style.halfPoints / 2.0);
        cursor_.insertText(text, format);
    }
    void paragraph(Qt::Alignment alignment) override
    {
        if (++paragraphs_ >= kMaxRtfParagraphs) {
            cut_ = true;
            return;
        }
        if (++edits_ > kMaxFormattedEdits) {
            tail_ += QLatin1Char('\n'); // insertText makes it a paragraph end
            return;
        }
        setAlignment(alignment);
        cursor_.insertBlock();
    }
    void finish(Qt::Alignment alignment) override
    {
        if (!tail_.isEmpty()) {
            cursor_.insertText(tail_, QTextCharFormat());
            tail_.clear();
        }
        setAlignment(alignment);
    }

private:
    // Each run and paragraph costs the document some microseconds: past this
    // many, the rest of the text goes in at once without its formats, so that
    // any explanation within the size cap loads in well under a second.
    static constexpr int kMaxFormattedEdits = 5000;

    void setAlignment(Qt::Alignment alignment)
    {
        QTextBlockFormat format = cursor_.blockFormat();
        format.setAlignment(alignment);
        cursor_.setBlockFormat(format);
    }

    QTextDocument& document_;
    bool undo_;
    QTextCursor cursor_;
    int edits_ = 0;
    int paragraphs_ = 0;
    QString tail_; // the text past kMaxFormattedEdits

public:
    bool cut_ = false; // paragraphs past kMaxRtfParagraphs were dropped
};

} // namespace

bool looksLikeRtf(QByteArrayView bytes)
{
    qsizetype i = 0;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        i = 3;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.sliced(i).startsWith("{\\rtf");
}

bool readRtf(QByteArrayView rtf, QTextDocument& document)
{
    document.clear();
    DocumentSink sink(document);
    Parser(rtf, sink).run();
    return !sink.cut_;
}

QString rtfPlainText(QByteArrayView rtf)
{
    PlainSink sink;
    Parser(rtf, sink).run();
    return sink.out;
}

} // namespace tavel
