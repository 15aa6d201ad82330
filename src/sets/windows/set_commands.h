// The question-set entries of the main window's menu "Экзамен  ": the
// package exam (N28), the package list for maintenance (N27, behind the
// administrator prompt), the keyword set (N1) and the keyword dictionary
// (N6). The sets are gathered by the logic of src/sets and started through
// the running test's one start.
#pragma once

#include "sets/question_set.h"

#include <QObject>
#include <QString>

namespace tavel {

class TForm1;
class TPoSlovu;
class TRedak;
class TSpisokPaketov;

class SetCommands {
public:
    // The package list, the keyword window and the small edit window are
    // those of the main window's set, made when an entry first needs them.
    explicit SetCommands(TForm1& form);

    // Package exam: the package is chosen in the list (Pusk; closing the list
    // starts nothing), drawn, written to Temp.dat and started. Nothing changes
    // on the main window until the set is built: a package not chosen or not
    // readable leaves it idle.
    void N28Click();
    // The package list for maintenance, after the administrator prompt.
    void N27Click();
    // The keyword window.
    void N1Click();
    // The keyword dictionary, edited as it stands in the file (created when
    // missing); the lines are saved unchanged when the window closes.
    void N6Click();
    // The keyword window's Iskat: stops a running test without a result, or
    // builds the keyword set and starts it.
    void IskatClick();

private:
    // Starts the gathered set through the one start of the running test.
    // False when nothing was started.
    bool startSet(SetCandidates candidates, const QString& title, const QString& packageName);
    // Shows the package list modally; true when it was closed by Pusk.
    bool showPackageList(bool choosing);

    TSpisokPaketov& list() const;
    TPoSlovu& keywords() const;
    TRedak& redak() const;

    TForm1& form_;
    QObject context_;
};

} // namespace tavel
