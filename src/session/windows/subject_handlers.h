// Choosing what to be tested on: the activation steps that reopen the current
// subject and refill its topic list, the subject choice from the list
// `PredmetName` and from the contents page `OglTabl`, the topic choice from
// `WiborTema` and the edited question range.
#pragma once

#include <QObject>

#include <QString>

namespace tavel {

class TForm1;

class SubjectHandlers {
public:
    explicit SubjectHandlers(TForm1& form);

    // The activation steps: the "Печать текущей темы" entry hidden, Gauge3's
    // maximum set to the question time (never while a test runs); the current
    // subject's files opened (created when missing, Exam.dat from Tema.dat);
    // RWoprWseh, the topic list and KTem refilled. The chosen topic stays
    // chosen while the list holds it, and a running test keeps its topic on
    // show; otherwise the list shows the prompt. Without a current subject
    // the lists are emptied. Throws Error.
    void activate();

    // Subject chosen in PredmetName.
    void PredmetNameClick();
    // Row of the contents page clicked: its subject (column 1) is chosen and
    // shown in PredmetName; a row without a catalogue entry only reloads the
    // current subject.
    void OglTablMouseDown(int row);
    // Topic `index` chosen in WiborTema: its count from the list of
    // KolWoprTema (when it has one at that index) goes into KolWoprTema,
    // PoslNomVopr and KWopr.
    void WiborTemaClick(int index);
    // PervNomVopr or PoslNomVopr edited: KolWoprTema and KWopr show the
    // number of questions in the range.
    void PervNomVoprExit();

private:
    QObject context_; // the connections of this group end with it
    // Subject choice by name; `shownName` also goes into PredmetName on a match.
    void chooseByName(const QString& name, bool showName);

    TForm1& form_;
};

} // namespace tavel
