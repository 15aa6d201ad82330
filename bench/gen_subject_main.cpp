// tavel-gen-subject DIR: writes the large benchmark subject into DIR.
#include "generate_subject.h"

#include "storage/error.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 || args[1].startsWith(u'-')) {
        std::fprintf(stderr, "Использование: tavel-gen-subject ПАПКА\n"
                             "Записывает в ПАПКУ большой предмет для замеров: Tema.dat, Predmet.dat,\n"
                             "Wopros.dat, Otwet.dat и Exam.dat (100 тем, 100 000 вопросов, 400 000 ответов).\n");
        return 2;
    }
    try {
        const tavel::bench::GeneratedSubject subject = tavel::bench::generateSubject(args[1]);
        int questions = 0;
        int answers = 0;
        for (size_t i = 0; i < subject.topics.size(); ++i) {
            questions += subject.questionsPerTopic[i];
            answers += subject.answersPerTopic[i];
        }
        std::printf("%s: %d тем, %d вопросов, %d ответов\n",
                    qPrintable(QDir::toNativeSeparators(subject.folder)), int(subject.topics.size()), questions, answers);
        return 0;
    } catch (const tavel::Error& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
