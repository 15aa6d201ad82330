// The one start of a running test, as session logic: whatever the questions
// come from (a topic, a package exam, a keyword set), the source hands over
// its candidate questions and their answers, and buildStart does the tail
// that every source shares: one shuffle key per candidate, the key sort when
// shuffling, the question limit, the points available, the minutes allowed
// and the answers of the questions kept. The window side then takes the
// result with TestRun::begin (session/windows/test_run.h).
//
// How a source starts a test (a package exam, for example):
//
//   StartSource source;
//   source.candidates = rowsDrawnFromThePackage;  // file order, keys empty
//   source.answers = answersOfThoseQuestions;     // file order
//   source.shuffle = true;
//   source.questionLimit = app.questionLimit;
//   source.maxTime = minutes;                     // 0: a minute per question
//   source.keyMultiplier = 1000;                  // the package exam's keys
//   source.title = QStringLiteral("Пакет: ") + packageName;
//   source.packageName = packageName;
//   TestRun& run = form.testRun();
//   run.lockForTest();                            // the controls of a test
//   try {
//       run.begin(buildStart(std::move(source), randomSource()));
//   } catch (const Error& e) {
//       run.unlockAfterTest();                    // nothing started
//       dialogs::error(&form, e.message());
//   }
//
// Contracts:
// - Keys are drawn in candidate order, one per candidate, as
//   shuffleKey(random, keyMultiplier); they replace any key the rows held.
// - A Points value that is neither blank nor a whole number refuses the
//   start: buildStart throws Error naming the question and the value, and no
//   points are summed (a test must not run on a total the base does not
//   justify).
// - The answers kept are those of the questions kept, in the order given.
#pragma once

#include "platform/random.h"
#include "session/question_list.h"
#include "storage/install_folder.h"
#include "storage/topic_scan.h"

#include <QString>

namespace tavel {

// What a source hands over.
struct StartSource {
    QuestionList candidates; // the questions that may be asked, file order
    AnswerTable answers;     // their answers (more do no harm), file order
    bool shuffle = true;     // the shuffle flag
    int questionLimit = 500; // most questions in one test
    int maxTime = 10;        // minutes for the whole test; 0: one per question asked
    int keyMultiplier = 100; // keys 0..100 (the package exam: 1000)
    QString title;           // the topic's name or the set's title: results and history
    QString packageName;     // NamePaketa of the results window; empty for a topic
};

// What the running test starts with.
struct StartData {
    QuestionList questions; // in asking order, cut to the limit
    AnswerTable answers;    // the answers of those questions, in the order given
    int totalPoints = 0;    // WseBal
    int limitTime = 0;      // LimitTime, minutes
    QString title;
    QString packageName;
};

// The shared tail of every start (see the contracts above). Throws Error
// when a Points value is not a whole number.
StartData buildStart(StartSource source, RandomSource& random);

// What a topic's Start needs to know.
struct StartRequest {
    QString folderName;  // FolderName of the subject (under the installation folder)
    QString subjectCode; // the chosen topic's codes
    QString topicCode;
    QString topicName;   // the title of the test
    int firstOrdinal = 1;   // PervNomVopr: ordinals count the topic's questions from 1
    int lastOrdinal = 500;  // PoslNomVopr
    bool shuffle = true;    // the shuffle flag
    int questionLimit = 500;
    int maxTime = 10;       // MaxTime, minutes; 0 means one minute per question
    int keyMultiplier = 100;
};

// The topic as a source: streams Wopros.dat and Otwet.dat of the subject
// once each through a bounded buffer (a missing file reads as empty), takes
// the topic's questions whose ordinal lies in the range, runs the shared tail
// as buildStart does, and keeps the answers of the questions kept, in file
// order. Only the records kept are decoded, so memory grows with the test,
// not with the subject. `progress` is called for the question file, then for
// the answer file. Throws Error when a file cannot be read or a Points value
// is bad.
StartData prepareTopic(const InstallFolder& home, const StartRequest& request, RandomSource& random,
                       const ScanProgress& progress = {});

} // namespace tavel
