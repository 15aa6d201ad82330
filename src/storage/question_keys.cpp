// Key rules of the question base.
#include "storage/question_keys.h"

#include "storage/text.h"

#include <QStringBuilder>

namespace tavel {

QString systemNumber(QStringView subjectCode, QStringView topicCode, QStringView testCode, QStringView questionNo)
{
    // Built in one allocation: printouts and protocols key every answer by it.
    return trimmedView(subjectCode) % u'_' % trimmedView(topicCode) % u'_' % trimmedView(testCode) % u'_'
           % trimmedView(questionNo);
}

FileReference splitFileReference(const QString& questionText)
{
    static const QString kMarker = QStringLiteral("File#");
    FileReference ref;
    const qsizetype at = questionText.indexOf(kMarker);
    if (at < 0) {
        ref.shownText = questionText;
        return ref;
    }
    ref.present = true;
    ref.shownText = questionText.left(at);
    const QString after = questionText.mid(at + kMarker.size(), 20);
    const qsizetype hash = after.indexOf(u'#');
    if (hash >= 0)
        ref.fileName = after.left(hash);
    return ref;
}

bool isSafeFileName(const QString& fileName)
{
    // "." would name the Foto folder itself, not a file in it.
    const QString name = trimmed(fileName);
    return !name.isEmpty() && name != u"." && !fileName.contains(u'/') && !fileName.contains(u'\\')
           && !fileName.contains(QLatin1String(".."));
}

QuestionKind kindFromMarks(const QStringList& marks)
{
    bool plus = false, minus = false, exact = false, ranking = false;
    for (const QString& raw : marks) {
        const QString mark = trimmed(raw);
        plus |= mark == u"+";
        minus |= mark == u"-";
        exact |= mark.contains(u'Ф');
        ranking |= mark == u"1";
    }
    if (plus && minus)
        return QuestionKind::Matching;
    if (exact)
        return QuestionKind::ExactAnswer;
    if (!ranking)
        return QuestionKind::TickBoxes;
    return QuestionKind::Ranking;
}

QString kindName(QuestionKind kind)
{
    switch (kind) {
    case QuestionKind::Matching: return QStringLiteral("Соответствие");
    case QuestionKind::ExactAnswer: return QStringLiteral("Точный ответ");
    case QuestionKind::TickBoxes: return QStringLiteral("Птички поставить");
    case QuestionKind::Ranking: return QStringLiteral("Ранжирование");
    }
    return {};
}

} // namespace tavel
