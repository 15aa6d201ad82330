// The documents of the main window: the answer history of the running test
// and its "Полный" button `nPrnProtokol`, the session protocol (`OdinProt`,
// and `TemaBezPlus` "Итог и неотвеченные" after the administrator prompt),
// the printouts of the current question (`PrTekWopr`) and of the running
// topic (`PeTekTemi`, the teacher's key after the administrator prompt), and
// the contents grid sent to a workbook (`N4` "Печать оглавления").
//
// The documents are built by reports logic (history_document.h,
// session_protocol.h) from the running test's state (TestRun::session()),
// never read back out of the windows. The history is a document of its own
// for the whole test; the protocol and the printouts go into the main
// window's holder and never receive the history's appends.
#pragma once

#include "reports/document.h"
#include "reports/history_document.h"
#include "reports/protocol_parts.h"
#include "reports/workbook.h"

#include <QObject>
#include <functional>
#include <memory>

namespace tavel {

class TForm1;

class ProtocolCommands {
public:
    // W7 for documents and its counterpart for workbooks: where finished
    // documents go to be shown.
    using ShowDocument = std::function<void(std::shared_ptr<Document>)>;
    using ShowWorkbook = std::function<void(std::shared_ptr<const Workbook>)>;

    // Hands the history to the running test and connects the controls.
    explicit ProtocolCommands(TForm1& form);

    void setShowDocument(ShowDocument show) { showDocument_ = std::move(show); }
    void setShowWorkbook(ShowWorkbook show) { showWorkbook_ = std::move(show); }

    // "Полный": the history closed with its summary and shown.
    void nPrnProtokolClick();
    // The session protocol ("Повторите Выбор темы Старт" without a test).
    void OdinProtClick();
    // TemaBezPlus: the administrator prompt, then the session protocol.
    void TemaBezPlusClick();
    // The question on the screen.
    void PrTekWoprClick();
    // Every question of the running test; the key with the administrator's access.
    void PeTekTemiClick();
    // The contents grid into a workbook.
    void N4Click();

    HistoryDocument& history() { return history_; }
    // The main window's holder (protocol and printouts).
    const DocumentHolder& holder() const { return holder_; }

    // The figures of the running test as the documents print them.
    TestFigures figures() const;

private:
    // What the running test hands over: into the history, and a matching
    // answer into the main window's grid SootTab as well.
    class Recorder : public AnswerHistory {
    public:
        explicit Recorder(ProtocolCommands& owner) : owner_(owner) {}
        void testStarted(const HistoryStart& start) override;
        void questionShown(int row, const QString& text) override;
        void answerJudged(const Presentation& question, const GivenAnswer& answer, bool right) override;

    private:
        ProtocolCommands& owner_;
    };

    // SootTab: one row per right-hand item of the matching answer.
    void showMatching(const std::vector<MatchingRow>& rows);
    FotoFolder foto() const;
    void show(const std::shared_ptr<Document>& doc);
    // Gauge1 while a long document is built.
    DocumentProgress gauge();

    TForm1& form_;
    HistoryDocument history_;
    Recorder recorder_{*this};
    DocumentHolder holder_;
    ShowDocument showDocument_;
    ShowWorkbook showWorkbook_;
    QObject context_;
};

} // namespace tavel
