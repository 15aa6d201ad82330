// Gathering the variants of a question and the files attached to it.
#include "session/presentation.h"

#include "storage/text.h"

#include <QDir>
#include <QFileInfo>

namespace tavel {

int secondsAllowed(int variantCount, const TimeSettings& times)
{
    return variantCount * times.variantSeconds + times.questionSeconds;
}

std::vector<bool> Presentation::shownTexts() const
{
    std::vector<bool> shown(variants.size());
    for (size_t i = 0; i < variants.size(); ++i)
        shown[i] = !isRankingRow(int(i));
    return shown;
}

Presentation present(const QuestionRow& question, const AnswerTable& answers, const TimeSettings& times)
{
    Presentation p;
    p.question = question;
    p.shownText = splitFileReference(question.questionText).shownText;
    p.systemNumber = question.systemNumber();
    p.points = trimmed(question.points);
    if (!p.points.isEmpty())
        p.pointsValue = p.points.toInt(&p.pointsValid);

    QStringList marks;
    for (const AnswerRow& row : answers) {
        if (!row.belongsTo(question))
            continue;
        const QString mark = trimmed(row.answerMark);
        marks.push_back(mark);
        if (mark == u"+") {
            ++p.plusCount;
            p.rightTexts.push_back(row.answerText);
            p.rightCodes.push_back(row.answerNo);
        } else if (mark == u"-") {
            ++p.minusCount;
            p.leftTexts.push_back(row.answerText);
        }
        if (mark.contains(u'Ф'))
            ++p.exactCount;
        if (mark == u"1" && p.firstRankingRow < 0)
            p.firstRankingRow = int(p.variants.size());
        p.variants.push_back(row);
    }

    if (p.rankingMode()) {
        p.rankingRows.resize(p.variants.size());
        for (size_t i = size_t(p.firstRankingRow); i < p.variants.size(); ++i)
            p.rankingRows[i] = RankingRow{trimmed(p.variants[i].answerText), trimmed(p.variants[i].answerNo), true};
    }

    p.kind = kindFromMarks(marks);
    switch (p.kind) {
    case QuestionKind::Matching: p.rightCount = p.plusCount; break;
    case QuestionKind::ExactAnswer: p.rightCount = 1; break;
    case QuestionKind::TickBoxes: p.rightCount = p.plusCount; break;
    case QuestionKind::Ranking: p.rightCount = p.variantCount(); break;
    }
    p.seconds = secondsAllowed(p.variantCount(), times);
    return p;
}

QuestionFiles questionFiles(const InstallFolder& home, const QString& folderName, const QuestionRow& question)
{
    QuestionFiles f;
    const QString foto = home.path(QString(trimmed(folderName) + QStringLiteral("\\Foto")));

    // Pictures named after the question.
    const QString number = question.systemNumber();
    if (isSafeFileName(number)) {
        f.gifCandidate = home.path(QString(trimmed(folderName) + QStringLiteral("\\Foto\\") + number + QStringLiteral(".gif")));
        f.jpgCandidate = home.path(QString(trimmed(folderName) + QStringLiteral("\\Foto\\") + number + QStringLiteral(".jpg")));
        f.gifExists = QFileInfo(f.gifCandidate).isFile();
        f.jpgExists = QFileInfo(f.jpgCandidate).isFile();
    }
    if (f.gifExists) {
        f.picturePath = f.gifCandidate;
        f.gifWindowFile = f.gifCandidate;
    }
    if (f.jpgExists) {
        f.picturePath = f.jpgCandidate;
        f.jpegWindowFile = f.jpgCandidate;
    }
    f.showPictureNote = f.gifExists || f.jpgExists;

    // The explanation file named by the question text.
    const FileReference ref = splitFileReference(question.questionText);
    if (!ref.present)
        return f;
    f.explanationName = ref.fileName;
    f.explanationCaption = QStringLiteral("Пояснения к вопросу из файла: ")
                           + QDir::toNativeSeparators(foto + QLatin1Char('/') + ref.fileName);
    f.explanationSafe = isSafeFileName(ref.fileName);
    if (!f.explanationSafe)
        return f;
    f.explanationFile = home.path(QString(trimmed(folderName) + QStringLiteral("\\Foto\\") + ref.fileName));
    f.explanationExists = QFileInfo(f.explanationFile).isFile();
    if (!f.explanationExists)
        return f;
    const QString lower = ref.fileName.toLower();
    if (lower.endsWith(QLatin1String("txt")) || lower.endsWith(QLatin1String("rtf"))) {
        f.explanationIsText = true;
        return f;
    }
    f.explanationPath = f.explanationFile;
    f.picturePath = f.explanationFile;
    const bool gif = lower.contains(QLatin1String(".gif"));
    const bool jpg = lower.contains(QLatin1String(".jpg"));
    // A picture window already open for the question's own picture keeps it.
    if (gif && f.gifWindowFile.isEmpty())
        f.gifWindowFile = f.explanationFile;
    if (jpg && f.jpegWindowFile.isEmpty())
        f.jpegWindowFile = f.explanationFile;
    f.openWithShell = !gif && !jpg;
    return f;
}

std::optional<QString> topicNameFor(const std::vector<TopicRecord>& topics, const QuestionRow& question)
{
    for (const TopicRecord& t : topics)
        if (codesEqual(t.subjectCode, question.subjectCode) && codesEqual(t.topicCode, question.topicCode))
            return t.topicName;
    return std::nullopt;
}

} // namespace tavel
