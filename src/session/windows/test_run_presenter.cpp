// The presenter of the running test (DalsheClick): the next question with its
// variants, its kind's controls, its pictures and explanation, its countdown;
// and the hooking of the classification, ranking and explanation windows.
#include "session/windows/test_run.h"

#include "platform/open_file.h"
#include "platform/safe_open.h"
#include "platform/windows/message_box.h"
#include "session/matching.h"
#include "session/presentation.h"
#include "session/windows/answer_rows.h"
#include "session/windows/explanation_window.h"
#include "session/windows/klass_window.h"
#include "session/windows/main_window.h"
#include "session/windows/picture_windows.h"
#include "session/windows/question_area.h"
#include "session/windows/rang_window.h"
#include "session/windows/score_panel.h"
#include "session/windows/subject_panel.h"
#include "storage/text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>

namespace tavel {

void TestRun::hookWindows()
{
    if (windowsHooked_)
        return;
    windowsHooked_ = true;
    WindowSet& windows = form_.windows();
    windows.klass.whenMade([this](TKlass& klass) {
        QObject::connect(&klass, &TKlass::ready, &context_, [this] { matchingReady(); });
        QObject::connect(&klass, &TKlass::hintUsed, &context_, [this] { hintUsed(); });
    });
    windows.rangForm.whenMade([this](TRangForm& rang) {
        QObject::connect(&rang, &TRangForm::ready, &context_, [this] { rankingReady(); });
        QObject::connect(&rang, &TRangForm::hintUsed, &context_, [this] { hintUsed(); });
    });
    windows.teksti.whenMade([this](TTeksti& teksti) {
        QObject::connect(&teksti, &TTeksti::answerChosen, &context_,
                         [this](const QString& code) { form_.questionArea->OdinOt->setText(code); });
    });
}

void TestRun::hintUsed()
{
    ++session_.counters.podskazano;
    form_.scorePanel->Podskazano->setText(counterText(session_.counters.podskazano));
}

void TestRun::DalsheClick()
{
    dialogs::guarded(&form_, [this] {
        AppState& app = form_.state();
        WindowSet& windows = form_.windows();
        QuestionArea& area = *form_.questionArea;
        ScorePanel& score = *form_.scorePanel;
        AnswerRows& rows = *area.OtwetiOtm;

        // 1-4. What the previous question left on the screen.
        for (QWidget* window : {static_cast<QWidget*>(windows.teksti.made()),
                                static_cast<QWidget*>(windows.gifPokaz.made()),
                                static_cast<QWidget*>(windows.jpgPokaz.made())})
            if (window && window->isVisible())
                window->close();
        rows.clearRows();
        area.OdinOt->clear();
        area.OdinTo4->hide();

        // 5, 6. The next question, if any.
        if (!presentNext(session_, TimeSettings{app.questionSeconds, app.variantSeconds}))
            return;
        const Presentation& p = session_.current;

        // 7, 8. Its text without the file reference; the history gets it.
        area.WoprosRE->setPlainText(p.shownText);
        const QuestionFiles files = questionFiles(app.home, app.subjectFolder, p.question);
        if (TTeksti* teksti = windows.teksti.get())
            teksti->setWindowTitle(files.explanationCaption.isEmpty()
                                               ? TTeksti::fileCaptionStart()
                                               : files.explanationCaption);
        history_->questionShown(session_.currentRow, p.shownText);

        // 9-12. Questions left, the topic's name, the system number, points.
        score.Gauge2->setValue(std::clamp(questionsLeft(session_.counters), 0, score.Gauge2->maximum()));
        if (const auto name = topicNameFor(app.topics, p.question))
            form_.subjectPanel->showTopic(*name);
        area.NomerWoprosa->setText(p.systemNumber);

        // 13-15. The variants: OtwTek holds them all; the rows show the tick
        // boxes and texts up to the first ranking variant, one row per variant.
        const int n = p.variantCount();
        QTableWidget* answers = area.OtwTek();
        answers->setRowCount(n);
        std::vector<AnswerRows::Line> lines;
        lines.reserve(size_t(n));
        for (int i = 0; i < n; ++i) {
            const AnswerRow& v = p.variants[size_t(i)];
            const QString cells[] = {v.subjectCode, v.topicCode, v.testCode, v.questionNo,
                                     v.answerNo,    v.answerMark, v.answerText};
            for (int column = 0; column < 7; ++column)
                answers->setItem(i, column, new QTableWidgetItem(cells[column]));
            lines.push_back({trimmed(v.answerText), !p.isRankingRow(i)});
        }
        rows.showLines(std::move(lines));
        if (n > 0)
            answers->setCurrentCell(n - 1, 0);

        // 16. The time allowed.
        showCounters();

        // 17-19. Pictures and the explanation file.
        openQuestionFiles(files);

        // 20. The countdown (started by presentNext).
        showCountdown();
        Timer2->start();

        // 21, 22. The ranking window; the controls of the kind.
        if (TRangForm* rang = p.rankingMode() ? windows.rangForm.get() : nullptr)
            rang->showQuestion(p, session_.hintsOn);
        setUpKind();
    });
}

void TestRun::openQuestionFiles(const QuestionFiles& files)
{
    AppState& app = form_.state();
    WindowSet& windows = form_.windows();
    QuestionArea& area = *form_.questionArea;
    const QString foto = app.home.path(QString(trimmed(app.subjectFolder) + QStringLiteral("\\Foto")));

    if (TGifPokaz* gif = files.gifWindowFile.isEmpty() ? nullptr : windows.gifPokaz.get())
        gif->showPicture(files.gifWindowFile);
    if (TJPGPokaz* jpg = files.jpegWindowFile.isEmpty() ? nullptr : windows.jpgPokaz.get())
        jpg->showPicture(files.jpegWindowFile);
    TTeksti* teksti = files.explanationExists && files.explanationIsText ? windows.teksti.get() : nullptr;
    if (teksti) {
        teksti->setHintButtonVisible(session_.hintsOn);
        teksti->showExplanation(files.explanationFile, foto);
    } else if (files.openWithShell) {
        // Neither text nor picture: its own program, when it is safe to open.
        const OpenDecision decision = decideFileOpen(foto, files.explanationFile);
        if (!decision)
            dialogs::warning(&form_, QStringLiteral("Файл не открыт"), decision.reason);
        else if (!openLocalFile(decision.path))
            dialogs::warning(&form_, QStringLiteral("Файл не открыт"),
                             QStringLiteral("Для файла %1 не нашлось программы.")
                                 .arg(QDir::toNativeSeparators(decision.path)));
    }
    // The note keeps its size and colour; it stands in the row of the
    // question's buttons, where it covers no text of the question.
    QLabel* note = area.PictureNote;
    note->setText(kPictureNote);
    note->setVisible(files.showPictureNote);
    if (files.showPictureNote) {
        const QPoint row = area.MalBuk->mapTo(&area, QPoint(area.MalBuk->width() + 16, 0));
        note->move(row.x(), row.y() + (area.MalBuk->height() - note->height()) / 2);
        note->raise();
    }
}

void TestRun::setUpKind()
{
    const Presentation& p = session_.current;
    QuestionArea& area = *form_.questionArea;
    area.TipOtweta->setText(p.kindName());
    switch (p.kind) {
    case QuestionKind::Matching:
        area.OtwetiOtm->hide();
        area.OdinTo4->hide();
        // The main window's keyboard goes to "Готов" when the classification
        // window closes.
        area.Itog1->setFocus();
        KlClick();
        break;
    case QuestionKind::ExactAnswer:
        area.OtwetiOtm->hide();
        area.OdinTo4->show();
        area.OdinOt->setFocus();
        break;
    case QuestionKind::TickBoxes:
        area.OtwetiOtm->show();
        area.OdinTo4->hide();
        if (p.variantCount() > 0)
            area.OtwetiOtm->tickBox(1)->setFocus();
        else
            area.Itog1->setFocus();
        break;
    case QuestionKind::Ranking:
        area.OtwetiOtm->show();
        area.OdinTo4->hide();
        area.Itog1->setFocus();
        break;
    }
}

void TestRun::KlClick()
{
    if (TKlass* klass = form_.windows().klass.get(); klass && session_.awaitingAnswer
                                               && session_.current.kind == QuestionKind::Matching)
        klass->showQuestion(session_.current, session_.hintsOn);
}

void TestRun::matchingReady()
{
    TKlass* klass = form_.windows().klass.get();
    if (!klass || !session_.awaitingAnswer || session_.current.kind != QuestionKind::Matching)
        return;
    settleMatching(session_, klass->answer());
    Itog1Click();
}

void TestRun::rankingReady()
{
    TRangForm* rang = form_.windows().rangForm.get();
    if (!rang || !session_.awaitingAnswer || session_.current.kind != QuestionKind::Ranking)
        return;
    settleRanking(session_, rang->answer());
    Itog1Click();
}

} // namespace tavel
