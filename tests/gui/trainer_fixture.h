// A topic of История (folder Istoriy, subject "01", topic "001" "Древняя
// Русь") with questions of the kinds a test needs, started on the real
// windows; the timers' handlers and the trainer's are called directly.
#pragma once

#include "main_window_fixture.h"

#include "session/windows/answer_rows.h"
#include "session/windows/question_area.h"
#include "session/windows/run_timers.h"
#include "session/windows/score_panel.h"
#include "session/windows/subject_panel.h"
#include "session/windows/test_run.h"
#include "session/windows/test_settings_panel.h"
#include "session/windows/trainer_commands.h"

#include <QCheckBox>
#include <QListWidget>
#include <QProgressBar>
#include <QSpinBox>
#include <QTextEdit>
#include <QTimer>

namespace tavel::test {

struct Variant {
    QString mark;
    QString text;
};

struct Question {
    QString text;
    std::vector<Variant> variants;
    QString points = QStringLiteral("1");
};

// The questions of topic "001", numbered 1.. in file order.
inline void writeTopic(const TempHome& t, const std::vector<Question>& list)
{
    std::vector<QuestionRecord> questions;
    std::vector<AnswerRecord> answers;
    for (size_t i = 0; i < list.size(); ++i) {
        const QString number = QString::number(i + 1);
        questions.push_back({QStringLiteral("01"), QStringLiteral("001"), QStringLiteral("01"), number, list[i].text,
                             {}, list[i].points, {}});
        int answer = 0;
        for (const Variant& v : list[i].variants)
            answers.push_back({QStringLiteral("01"), QStringLiteral("001"), QStringLiteral("01"), number,
                               QString::number(++answer), v.mark, v.text});
    }
    writeRecords(t.path(QStringLiteral("Istoriy/Wopros.dat")), questions);
    writeRecords(t.path(QStringLiteral("Istoriy/Otwet.dat")), answers);
}

// "Вопрос N" with the typed answer "ответ N".
inline Question typed(int n)
{
    return {QStringLiteral("Вопрос %1").arg(n), {{QStringLiteral("Ф"), QStringLiteral("ответ %1").arg(n)}}};
}

inline std::vector<Question> typedQuestions(int count)
{
    std::vector<Question> list;
    for (int n = 1; n <= count; ++n)
        list.push_back(typed(n));
    return list;
}

class TrainerTest : public MainWindowTest {
protected:
    TestRun& run() const { return form()->testRun(); }
    RunTimers& timers() const { return form()->timers(); }
    TrainerCommands& trainer() const { return form()->trainer(); }
    QuestionArea& area() const { return *form()->questionArea; }
    ScorePanel& score() const { return *form()->scorePanel; }
    SubjectPanel& panel() const { return *form()->subjectPanel; }
    TestSettingsPanel& settings() const { return *form()->testSettings; }
    AnswerRows& rows() const { return *form()->answerRows(); }

    // Writes the topic, enters as the administrator, chooses История and its
    // first topic; the questions come in file order unless `shuffled`.
    void openTopic(const std::vector<Question>& list, bool shuffled = false)
    {
        writeTopic(t, list);
        start();
        enter(QStringLiteral("731946"));
        choose(find<QComboBox>("PredmetName"), 0);
        choose(find<QComboBox>("WiborTema"), 0);
        if (!shuffled)
            settings().Regim->item(TestSettingsPanel::kInOrderItem)->setCheckState(Qt::Checked);
    }
    void pressStart() const { QTest::mouseClick(panel().Pusk, Qt::LeftButton); }
    void startTopic(const std::vector<Question>& list, bool shuffled = false)
    {
        openTopic(list, shuffled);
        pressStart();
    }

    void press(QPushButton* button) const { QTest::mouseClick(button, Qt::LeftButton); }
    void ready() const { press(area().Itog1); }
    // Types the answer (as a paste: the test keyboard knows no Cyrillic) and
    // presses "Готов".
    void answer(const QString& text) const
    {
        area().OdinOt->setText(text);
        ready();
    }
    void tick(int row) const { QTest::mouseClick(rows().tickBox(row), Qt::LeftButton, {}, QPoint(6, 10)); }

    // The number of the question shown: "Вопрос 4" gives "4".
    QString shownQuestion() const { return area().WoprosRE->toPlainText().section(u' ', -1); }
    bool topicClosed() const { return area().WoprosRE->toPlainText() == TestRun::topicClosedText(); }
};

} // namespace tavel::test
