// Question texts and codes: the "File#" rule, the system number and the files
// a question names. Whatever the text and the codes hold, every file looked
// up lies inside the subject's Foto folder.
#include "fuzz_support.h"

#include "session/presentation.h"
#include "storage/cp1251.h"
#include "storage/question_keys.h"

#include <QDir>

using namespace tavel;

namespace {

void checkInsideFoto(const QString& path, const QString& foto)
{
    if (!path.isEmpty() && !path.startsWith(foto))
        fuzz::broken("a question's file lies outside its Foto folder");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::setUp();
    fuzz::Input in(data, size);
    QuestionRow q;
    q.subjectCode = cp1251::decode(in.bytes(in.byte() % 4));
    q.topicCode = cp1251::decode(in.bytes(in.byte() % 5));
    q.testCode = cp1251::decode(in.bytes(in.byte() % 4));
    q.questionNo = cp1251::decode(in.bytes(in.byte() % 5));
    q.points = cp1251::decode(in.bytes(in.byte() % 4));
    q.questionText = cp1251::decode(in.bytes(210));

    const FileReference ref = splitFileReference(q.questionText);
    if (!q.questionText.startsWith(ref.shownText) || ref.fileName.size() > 20 || ref.fileName.contains(u'#'))
        fuzz::broken("the File# rule cut the text wrongly");
    if (isSafeFileName(ref.fileName) && (ref.fileName.contains(u'/') || ref.fileName.contains(QLatin1String(".."))))
        fuzz::broken("an unsafe name passed");

    static const bool made = QDir().mkpath(fuzz::scratchFolder() + QStringLiteral("/home/S/Foto"));
    (void)made;
    const InstallFolder home(fuzz::scratchFolder() + QStringLiteral("/home"));
    const QString foto = home.root() + QStringLiteral("/S/Foto/");
    const QuestionFiles files = questionFiles(home, QStringLiteral("S"), q);
    checkInsideFoto(files.gifCandidate, foto);
    checkInsideFoto(files.jpgCandidate, foto);
    checkInsideFoto(files.explanationFile, foto);
    checkInsideFoto(files.gifWindowFile, foto);
    checkInsideFoto(files.jpegWindowFile, foto);

    AnswerTable answers;
    while (!in.empty()) {
        AnswerRow a{q.subjectCode, q.topicCode, q.testCode, q.questionNo, cp1251::decode(in.bytes(in.byte() % 3)),
                    cp1251::decode(in.bytes(in.byte() % 3)), cp1251::decode(in.bytes(in.byte() % 16))};
        answers.push_back(a);
    }
    const Presentation p = present(q, answers, TimeSettings{});
    if (p.variantCount() != int(answers.size()) || p.rightCount < 0 || p.rightCount > p.variantCount() + 1)
        fuzz::broken("the variants gathered do not match the answers");
    return 0;
}
