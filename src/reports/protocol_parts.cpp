// The shared pieces of the protocols and printouts: summary table, signature
// line, Foto folder, explanation texts and the list of questions with their
// files and variants.
#include "reports/protocol_parts.h"

#include "storage/cp1251.h"
#include "storage/error.h"
#include "storage/question_keys.h"
#include "storage/text.h"
#include "text/rtf_reader.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>

namespace tavel {
namespace {

const QString kDateFormat = QStringLiteral("dd.MM.yyyy");
const QString kTimeFormat = QStringLiteral("HH:mm:ss");

constexpr qint64 kMaxTextBytes = 4LL * 1024 * 1024;

QString number(int value)
{
    return QString::number(value);
}

bool hasNonAscii(const QByteArray& bytes)
{
    return std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

enum class FileKind { None, Text, Gif, Jpeg };

// The kind of a referenced file by its extension, in any case.
FileKind kindOf(const QString& name)
{
    const QString lower = name.toLower();
    if (lower.endsWith(QLatin1String(".txt")) || lower.endsWith(QLatin1String(".rtf")))
        return FileKind::Text;
    if (lower.endsWith(QLatin1String(".gif")))
        return FileKind::Gif;
    if (lower.endsWith(QLatin1String(".jpg")) || lower.endsWith(QLatin1String(".jpeg")))
        return FileKind::Jpeg;
    return FileKind::None;
}

// The files put into a document so far (the inserted-files list): a file
// referenced by several questions goes in under the first one only. Names
// compare whole and without regard to case, as the subject's disks do.
class InsertedFiles {
public:
    // True, and the name noted, when it was not there.
    bool addIfNew(const QString& name)
    {
        if (name.isEmpty() || folded_.contains(name.toLower()))
            return false;
        folded_.insert(name.toLower());
        inOrder_.append(name);
        return true;
    }
    // The names, the last one put in first.
    QStringList names() const { return QStringList(inOrder_.rbegin(), inOrder_.rend()); }

private:
    QStringList inOrder_;
    QSet<QString> folded_;
};

// Puts questions into a document one after another. The text of a question
// up to its first picture, and after its last, goes in with one append (one
// change of the document instead of one per paragraph).
class QuestionWriter {
public:
    QuestionWriter(Document& doc, const AnswerTable& answers, const FotoFolder& foto, VariantLines variants)
        : doc_(doc), foto_(foto), variants_(variants)
    {
        for (const AnswerRow& a : answers)
            answers_[systemNumber(a.subjectCode, a.topicCode, a.testCode, a.questionNo)].push_back(&a);
    }

    void write(int r, const QuestionRow& question)
    {
        const FileReference ref = splitFileReference(question.questionText);
        text_ = QStringLiteral("\n\n[") + number(r) + QStringLiteral("]. ") + ref.shownText;

        // The referenced file, the first time it is met: only a bare name
        // inside Foto is read.
        FileKind kind = FileKind::None;
        QString path;
        if (inserted_.addIfNew(ref.fileName))
            kind = kindOf(ref.fileName);
        if (kind != FileKind::None && !isSafeFileName(ref.fileName)) {
            note(ref.fileName, QStringLiteral("имя файла выходит за папку Foto"));
            kind = FileKind::None;
        } else if (kind != FileKind::None) {
            path = foto_.path(ref.fileName);
        }
        if (kind == FileKind::Text) {
            try {
                text_ += u'\n' + readExplanationText(path);
            } catch (const Error& e) {
                note(ref.fileName, e.message());
            }
        }

        const QString systemNo = question.systemNumber();
        if (kind == FileKind::Gif)
            picture(path);
        else
            ownPicture(systemNo, QStringLiteral(".gif"));
        if (kind == FileKind::Jpeg)
            picture(path);
        else
            ownPicture(systemNo, QStringLiteral(".jpg"));

        const auto found = answers_.constFind(systemNo);
        if (found != answers_.constEnd()) {
            for (const AnswerRow* a : *found) {
                text_ += u'\n';
                if (const std::optional<QString> line = variantLine(*a, variants_))
                    text_ += *line;
            }
        }
        text_ += u'\n';
        flush();
    }

    QuestionListFiles files() const { return {inserted_.names(), problems_}; }

private:
    void flush()
    {
        doc_.append(text_);
        text_.clear();
    }
    // A file that could not be put in: named on a new paragraph.
    void note(const QString& name, const QString& reason)
    {
        text_ += u'\n' + Document::missingFileText(name, reason);
        problems_ << name + QStringLiteral(": ") + reason;
    }
    void picture(const QString& path)
    {
        flush();
        QString problem;
        if (!doc_.appendPicture(path, &problem))
            problems_ << QFileInfo(path).fileName() + QStringLiteral(": ") + problem;
    }
    // The question's own picture by system number, when Foto holds it.
    void ownPicture(const QString& systemNo, const QString& extension)
    {
        const QString name = systemNo + extension;
        if (isSafeFileName(systemNo) && foto_.contains(name))
            picture(foto_.path(name));
    }

    Document& doc_;
    const FotoFolder& foto_;
    const VariantLines variants_;
    QHash<QString, std::vector<const AnswerRow*>> answers_; // by system number
    InsertedFiles inserted_;
    QStringList problems_;
    QString text_; // not yet appended
};

} // namespace

QString protocolGradeWord(const QString& ocenka)
{
    const QString t = trimmed(ocenka);
    if (t == u"2")
        return QStringLiteral("Неудовлетворительно");
    if (t == u"3")
        return QStringLiteral("Удовлетворительно");
    if (t == u"4")
        return QStringLiteral("Хорошо");
    if (t == u"5")
        return QStringLiteral("Отлично");
    return QStringLiteral("?");
}

QString rightAnswerPercent(int werWop, int kWopr)
{
    if (kWopr <= 0)
        return QStringLiteral("—");
    return number(int(std::nearbyint(double(werWop) * 100.0 / double(kWopr))));
}

std::vector<std::pair<QString, QString>> summaryRows(const TestFigures& f, SummaryOrder order)
{
    const QString date = f.now.date().toString(kDateFormat);
    const QString now = f.now.time().toString(kTimeFormat);
    const QString asked = f.started ? number(f.kWopr) : QString();
    const QString right = number(f.werWop) + QStringLiteral(" Процент ") + rightAnswerPercent(f.werWop, f.kWopr);
    const std::pair<QString, QString> grade{QStringLiteral("Оценка по 5-ти балльной шкале"),
                                            protocolGradeWord(f.ocenka) + u' ' + f.ocenka};
    const std::pair<QString, QString> elapsed{QStringLiteral("Затрачено времени"), f.elapsed};
    std::vector<std::pair<QString, QString>> rows;
    if (order == SummaryOrder::SessionProtocol) {
        rows.push_back({QStringLiteral("Дата время"), date + QStringLiteral(" С ")
                                                          + f.startTime.time().toString(kTimeFormat)
                                                          + QStringLiteral(" по ") + now});
        rows.push_back(elapsed);
    } else {
        rows.push_back({QStringLiteral("Дата время"), date + QStringLiteral("  ") + now});
    }
    rows.push_back({QStringLiteral("Предмет"), f.subject});
    rows.push_back({QStringLiteral("Тема"), f.topic});
    rows.push_back({QStringLiteral("Задано вопросов"), asked});
    rows.push_back({QStringLiteral("Получено правильных ответов"), right});
    rows.push_back(grade);
    rows.push_back({QStringLiteral("Из всех баллов"), number(f.wseBal)});
    rows.push_back({QStringLiteral("Набрано баллов"), number(f.werBal)});
    rows.push_back({QStringLiteral("Оценка по 10-ти бальной шкале"), f.tenPoint});
    if (order == SummaryOrder::AnswerHistory)
        rows.push_back(elapsed);
    rows.push_back({QStringLiteral("Отвечал на вопросы"), f.examinee});
    return rows;
}

int appendSummaryTable(Document& doc, const std::vector<std::pair<QString, QString>>& rows)
{
    const int table = doc.appendTable(int(rows.size()), 2);
    doc.append(QStringLiteral(" "));
    doc.setBorders(table, true);
    // The columns keep their shares of the page width, so the table fits
    // whatever page it is printed on.
    for (size_t i = 0; i < rows.size(); ++i) {
        doc.setCellText(table, int(i) + 1, 1, rows[i].first);
        doc.setCellText(table, int(i) + 1, 2, rows[i].second);
    }
    return table;
}

FotoFolder::FotoFolder(const InstallFolder& home, const QString& folderName)
    : dir_(home.path(QString(trimmed(folderName) + QStringLiteral("\\Foto"))))
{
    for (const QString& name : dir_.entryList(QDir::Files | QDir::Hidden | QDir::System))
        byLowerName_.insert(name.toLower(), name);
}

QString FotoFolder::path(const QString& name) const
{
    return dir_.filePath(byLowerName_.value(name.toLower(), name));
}

bool FotoFolder::contains(const QString& name) const
{
    return byLowerName_.contains(name.toLower());
}

QString readExplanationText(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        throw Error(QStringLiteral("файл не найден"));
    if (!file.open(QIODevice::ReadOnly))
        throw Error(file.errorString());
    if (file.size() > kMaxTextBytes)
        throw Error(QStringLiteral("файл слишком велик для текста (%1 байт)").arg(file.size()));
    QByteArray bytes = file.read(kMaxTextBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw Error(file.errorString());
    if (looksLikeRtf(bytes))
        return rtfPlainText(bytes);
    if (bytes.contains('\0'))
        throw Error(QStringLiteral("это не текстовый файл"));
    QString text;
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    if (bom || hasNonAscii(bytes)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = utf8.decode(bom ? bytes.mid(3) : bytes);
        if (!utf8.hasError())
            text = decoded;
    }
    if (text.isNull())
        text = cp1251::decode(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

std::optional<QString> variantLine(const AnswerRow& v, VariantLines style)
{
    const QString numbered = trimmed(v.answerNo) + QStringLiteral(") ") + v.answerText;
    const bool exact = v.answerMark == u"Ф";
    if (style == VariantLines::Plain)
        return exact ? std::nullopt : std::optional<QString>(numbered);
    if (exact)
        return QStringLiteral("Ответ:  ") + v.answerText;
    if (v.answerMark == u"1")
        return numbered;
    return v.answerMark + numbered;
}

QuestionListFiles appendQuestionList(Document& doc, const QuestionList& questions, const AnswerTable& answers,
                                     const FotoFolder& foto, VariantLines variants, const DocumentProgress& progress)
{
    QuestionWriter writer(doc, answers, foto, variants);
    const int total = int(questions.size());
    // Up to about a hundred progress reports, however long the list.
    const int step = std::max(1, total / 100);
    for (int r = 1; r <= total; ++r) {
        if (progress && (r == total || r % step == 0))
            progress(r, total);
        writer.write(r, questions[size_t(r - 1)]);
    }
    return writer.files();
}

} // namespace tavel
