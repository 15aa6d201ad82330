// The printout of the unanswered-questions list.
#include "reports/unanswered_printout.h"

#include "storage/cp1251.h"
#include "storage/error.h"
#include "storage/question_keys.h"
#include "storage/text.h"
#include "text/rtf_reader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStringDecoder>

namespace tavel {
namespace {

constexpr qint64 kMaxTextBytes = 4LL * 1024 * 1024;

enum class FileKind { None, Text, Picture };

FileKind kindOf(const QString& name)
{
    const QString lower = name.toLower();
    if (lower.contains(QLatin1String(".txt")) || lower.endsWith(QLatin1String(".rtf")))
        return FileKind::Text;
    if (lower.contains(QLatin1String(".gif")) || lower.endsWith(QLatin1String(".jpg"))
        || lower.endsWith(QLatin1String(".jpeg")))
        return FileKind::Picture;
    return FileKind::None;
}

// The subject's Foto folder, listed once: a name is found as it is spelled
// or, failing that, in another case, as the installation folder's resolver
// matches names (one listing instead of one per question).
class FotoFolder {
public:
    FotoFolder(const InstallFolder& home, const QString& folderName)
        : dir_(home.path(QString(trimmed(folderName) + QStringLiteral("\\Foto"))))
    {
        for (const QString& name : dir_.entryList(QDir::Files | QDir::Hidden | QDir::System))
            byLowerName_.insert(name.toLower(), name);
    }
    // The path of `name` in the folder (the spelling that exists, else as given).
    QString path(const QString& name) const { return dir_.filePath(byLowerName_.value(name.toLower(), name)); }
    bool contains(const QString& name) const { return byLowerName_.contains(name.toLower()); }

private:
    QDir dir_;
    QHash<QString, QString> byLowerName_;
};

bool hasNonAscii(const QByteArray& bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

} // namespace

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

QStringList printUnanswered(Document& document, const UnansweredList& list, const InstallFolder& home,
                            const PrintProgress& progress)
{
    QStringList problems;
    const FotoFolder foto(home, list.folderName);

    // The variants of each question, found once.
    QHash<QString, std::vector<const AnswerRow*>> variants;
    for (const AnswerRow& a : list.answers)
        variants[systemNumber(a.subjectCode, a.topicCode, a.testCode, a.questionNo)].push_back(&a);

    document.setBaseFont(12);
    document.append(QStringLiteral("Предмет ") + trimmed(list.subjectName));
    document.appendParagraph();
    document.append(QStringLiteral("Тема: ") + list.topicName);

    QSet<QString> inserted; // the inserted-files list of this printout
    const int total = int(list.rows.size());
    int shownStep = -1;
    for (int r = 1; r <= total; ++r) {
        const QuestionRow& row = list.rows[size_t(r - 1)];
        if (progress) {
            const int step = int(qint64(r) * 100 / total);
            if (step != shownStep) {
                shownStep = step;
                progress(r, total);
            }
        }
        const FileReference ref = splitFileReference(row.questionText);
        // The text of a question is gathered and appended in one go up to
        // its picture and after it: one change of the document instead of
        // one per paragraph.
        QString text = QStringLiteral("\n\n[%1]. ").arg(r) + ref.shownText;

        // The referenced file, the first time it is met.
        FileKind kind = FileKind::None;
        QString filePath;
        if (!ref.fileName.isEmpty() && !inserted.contains(ref.fileName)) {
            inserted.insert(ref.fileName);
            kind = kindOf(ref.fileName);
            if (kind != FileKind::None && !isSafeFileName(ref.fileName)) {
                const QString reason = QStringLiteral("имя файла выходит за папку Foto");
                text += u'\n' + Document::missingFileText(ref.fileName, reason);
                problems << ref.fileName + QStringLiteral(": ") + reason;
                kind = FileKind::None;
            } else if (kind != FileKind::None) {
                filePath = foto.path(ref.fileName);
            }
        }
        if (kind == FileKind::Text) {
            text += u'\n';
            try {
                text += readExplanationText(filePath);
            } catch (const Error& e) {
                text += Document::missingFileText(ref.fileName, e.message());
                problems << ref.fileName + QStringLiteral(": ") + e.message();
            }
        }

        // The picture: the referenced one, else the question's own.
        QString picture;
        if (kind == FileKind::Picture) {
            picture = filePath;
        } else {
            const QString number = row.systemNumber();
            for (const char* extension : {".gif", ".jpg"}) {
                const QString name = number + QLatin1String(extension);
                if (isSafeFileName(number) && foto.contains(name)) {
                    picture = foto.path(name);
                    break;
                }
            }
        }
        QString problem;
        if (!picture.isEmpty()) {
            document.append(text);
            text.clear();
        }
        if (!picture.isEmpty() && !document.appendPicture(picture, &problem))
            problems << QFileInfo(picture).fileName() + QStringLiteral(": ") + problem;

        const auto found = variants.constFind(row.systemNumber());
        if (found != variants.constEnd()) {
            for (const AnswerRow* a : *found) {
                text += u'\n';
                if (a->answerMark != QStringLiteral("Ф"))
                    text += trimmed(a->answerNo) + QStringLiteral(") ") + a->answerText;
            }
        }
        text += u'\n';
        document.append(text);
    }
    return problems;
}

} // namespace tavel
