// The shared pieces of the protocols and printouts: summary table, signature
// line, inserted-files list and one question with its files and variants.
#include "reports/protocol_parts.h"

#include "session/explanation.h"
#include "storage/error.h"
#include "storage/question_keys.h"
#include "storage/text.h"

#include <QFileInfo>
#include <QTextDocument>
#include <cmath>

namespace tavel {
namespace {

const QString kDateFormat = QStringLiteral("dd.MM.yyyy");
const QString kTimeFormat = QStringLiteral("HH:mm:ss");

QString number(int value)
{
    return QString::number(value);
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

// The plain text of an explanation file (Windows-1251 text or RTF); throws
// Error naming the reason.
QString explanationText(const QString& path)
{
    QTextDocument loaded;
    loadExplanation(path, loaded);
    return loaded.toPlainText();
}

// The pictures of one question, on a paragraph of their own below its text.
class Pictures {
public:
    explicit Pictures(Document& doc) : doc_(doc) {}

    // A picture the question refers to: a missing one is named.
    void referenced(const QString& path)
    {
        begin();
        doc_.appendPicture(path);
    }
    // The question's own picture by system number, when it exists.
    void own(const FotoFolder& foto, const QString& systemNo, const char* extension)
    {
        if (!isSafeFileName(systemNo))
            return;
        const QString path = foto.path(systemNo + QLatin1String(extension));
        if (!QFileInfo(path).isFile())
            return;
        begin();
        doc_.appendPicture(path);
    }

private:
    void begin()
    {
        if (!begun_)
            doc_.appendParagraph();
        begun_ = true;
    }

    Document& doc_;
    bool begun_ = false;
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

bool InsertedFiles::addIfNew(const QString& name)
{
    if (name.isEmpty() || names_.contains(name, Qt::CaseInsensitive))
        return false;
    names_.prepend(name);
    return true;
}

QString FotoFolder::path(const QString& name) const
{
    return home.path(QString(trimmed(folderName) + QStringLiteral("\\Foto\\") + name));
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

void appendQuestionBlock(Document& doc, int r, const QuestionRow& question, const AnswerTable& answers,
                         const FotoFolder& foto, InsertedFiles& inserted, const QuestionBlockOptions& options)
{
    const FileReference ref = splitFileReference(question.questionText);
    FileKind kind = FileKind::None;
    QString referenced;
    if (ref.present && !ref.fileName.isEmpty() && inserted.addIfNew(ref.fileName)) {
        kind = kindOf(ref.fileName);
        if (kind != FileKind::None)
            referenced = ref.fileName;
    }

    doc.appendParagraph();
    doc.appendParagraph();
    doc.append(QStringLiteral("[") + number(r) + QStringLiteral("]. ") + ref.shownText);

    // The referenced file: only a bare name inside Foto is read.
    QString referencedPath;
    if (!referenced.isEmpty()) {
        if (!isSafeFileName(referenced)) {
            doc.appendParagraph();
            doc.append(Document::missingFileText(referenced, QStringLiteral("имя файла выходит за папку Foto")));
            kind = FileKind::None;
        } else {
            referencedPath = foto.path(referenced);
        }
    }
    if (kind == FileKind::Text) {
        doc.appendParagraph();
        if (!QFileInfo(referencedPath).isFile()) {
            doc.append(Document::missingFileText(referenced, QStringLiteral("файл не найден")));
        } else {
            try {
                doc.append(explanationText(referencedPath));
            } catch (const Error& e) {
                doc.append(Document::missingFileText(referenced, e.message()));
            }
        }
    }

    const QString systemNo = question.systemNumber();
    Pictures pictures(doc);
    if (kind == FileKind::Gif)
        pictures.referenced(referencedPath);
    else
        pictures.own(foto, systemNo, ".gif");
    if (options.jpegPictures) {
        if (kind == FileKind::Jpeg)
            pictures.referenced(referencedPath);
        else
            pictures.own(foto, systemNo, ".jpg");
    }

    for (const AnswerRow& a : answers) {
        if (!a.belongsTo(question))
            continue;
        doc.appendParagraph();
        if (const std::optional<QString> line = variantLine(a, options.variants))
            doc.append(*line);
    }
    doc.appendParagraph();
}

} // namespace tavel
