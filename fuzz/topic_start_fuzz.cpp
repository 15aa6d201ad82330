// The start of a topic on random files: a subject folder whose Tema.dat,
// Wopros.dat and Otwet.dat hold any bytes is opened, each of its first topics
// is started, and every question drawn is presented. Nothing may crash; a
// file that cannot be read is an Error.
#include "fuzz_support.h"

#include "platform/random.h"
#include "session/presentation.h"
#include "session/question_list.h"
#include "session/subject_open.h"
#include "session/test_start.h"
#include "storage/error.h"

#include <QDir>

using namespace tavel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::setUp();
    fuzz::Input in(data, size);
    const uint8_t options = in.byte();
    fuzz::scratchFile(QStringLiteral("start/S/Tema.dat"), in.bytes(size_t(in.byte()) * 4));
    fuzz::scratchFile(QStringLiteral("start/S/Wopros.dat"), in.bytes(size_t(in.byte()) * 16));
    fuzz::scratchFile(QStringLiteral("start/S/Otwet.dat"), in.rest());
    QDir(fuzz::scratchFolder() + QStringLiteral("/start/S")).remove(QStringLiteral("Exam.dat"));
    const InstallFolder home(fuzz::scratchFolder() + QStringLiteral("/start"));
    try {
        const SubjectContents subject = openSubject(home.path(u"S"));
        UniformRandom random(options);
        for (size_t t = 0; t < subject.topics.size() && t < 3; ++t) {
            StartRequest request;
            request.folderName = QStringLiteral("S");
            request.subjectCode = subject.topics[t].subjectCode;
            request.topicCode = subject.topics[t].topicCode;
            request.shuffle = options & 1;
            request.firstOrdinal = (options >> 1) & 3;
            request.questionLimit = (options & 0x80) ? 3 : 500;
            request.maxTime = (options >> 3) & 7;
            const StartData start = prepareTopic(home, request, random);
            if (start.questions.size() > size_t(request.questionLimit))
                fuzz::broken("more questions than the limit");
            for (const QuestionRow& q : start.questions) {
                present(q, start.answers, TimeSettings{});
                questionFiles(home, request.folderName, q);
            }
        }
    } catch (const Error&) {
    }
    return 0;
}
