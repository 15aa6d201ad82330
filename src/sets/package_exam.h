// The package exam's question set: from each topic of a package, in package
// order, the wanted number of questions, drawn at random positions of the
// topic (shuffle on) or its first ones (shuffle off), in file order.
//
// Contracts:
// - Wopros.dat is read once for the whole package, whatever its size, as
//   long as every topic holds at least its "Всего" questions (as a recount
//   leaves it); otherwise once more, and the draw is the same as if the
//   questions had been counted first, from the same random numbers.
// - A topic with "Надо" 0 is skipped. A topic's draw is among its first
//   min("Всего", real number of questions) questions, so a "Всего" larger
//   than what the topic holds still gives the wanted number (as far as the
//   topic has questions), and "Всего" has no upper limit.
// - Draws: k = random × T rounded to the nearest whole number (halves to
//   even), a draw equal to T or already drawn discarded, until W positions
//   are marked; W >= T marks every position.
// - A count that is not a whole number throws Error naming the package file
//   and record before anything is drawn; a package of the wrong size too.
#pragma once

#include "platform/random.h"
#include "sets/package.h"
#include "sets/question_set.h"

#include <QStringList>

namespace tavel {

struct PackageDraw {
    QuestionSet questions; // the set, as Temp.dat gets it
    QStringList lines;     // "<TopicName> задано <WantedCount>" per topic taken
};

PackageDraw drawPackage(const PackageFile& package, const QString& woprosPath, bool shuffle, RandomSource& random);

// W distinct positions of 0..T-1 drawn as above, in ascending order.
std::vector<int> drawPositions(int total, int wanted, RandomSource& random);

} // namespace tavel
