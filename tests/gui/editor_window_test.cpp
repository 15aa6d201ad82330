// The editor window TZagruzka and the question edit window TRedakWopros,
// reached from the main menu as a teacher reaches them.
#include "editor_fixture.h"
#include "support/grab.h"

#include "authoring/windows/redak_wopros.h"
#include "authoring/windows/zagruzka.h"
#include "reports/windows/document_window.h"
#include "session/windows/explanation_window.h"
#include "storage/records.h"

#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QTableView>
#include <QTextEdit>

using namespace tavel;
using namespace tavel::test;

namespace {

class EditorWindowTest : public EditorWindowFixture {
protected:
    EditorWindowTest()
    {
        // Question 01/001/01/1 has two answers.
        writeRecords(t.path(QStringLiteral("Istoriy/Otwet.dat")),
                     std::vector<AnswerRecord>{
                         {QStringLiteral("01"), QStringLiteral("001"), QStringLiteral("01"), QStringLiteral("1"),
                          QStringLiteral("1"), QStringLiteral("+"), QStringLiteral("Рюрик")},
                         {QStringLiteral("01"), QStringLiteral("001"), QStringLiteral("01"), QStringLiteral("1"),
                          QStringLiteral("2"), QString(), QStringLiteral("Олег")}});
    }

    // Types any text, Cyrillic included, key by key.
    static void type(QWidget* widget, const QString& text)
    {
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    static void press(QTableView* view, int row, int column = 0)
    {
        const QRect cell = view->visualRect(view->model()->index(row, column));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    }
};

TEST_F(EditorWindowTest, OnlyTheAdministratorWithTheWordOpensTheEditor)
{
    start();
    enter(QStringLiteral("480372")); // an ordinary user
    script.drive([](QDialog& prompt) { answerPrompt(prompt, QStringLiteral("Vintor")); });
    entry("N2")->trigger();
    script.answerText(QStringLiteral("731946"));
    entry("Polzowatel")->trigger(); // now the administrator, with a wrong word
    script.drive([](QDialog& prompt) { answerPrompt(prompt, QStringLiteral("vintor")); });
    entry("N2")->trigger();
    EXPECT_EQ(shown(BoxKind::Modal, QStringLiteral("TSysAdmin")), 2);
    EXPECT_EQ(shown(BoxKind::Modal, QStringLiteral("TZagruzka")), 0);
}

TEST_F(EditorWindowTest, ControlsCarryTheirCaptionsHintsAndStates)
{
    bool opened = false;
    openEditor([&](TZagruzka& w) {
        opened = true;
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Импорт новых тем, вопросов, ответов. Редактирование имеющихся."));
        const struct {
            const char* name;
            const char* caption;
            const char* hint;
            bool enabled;
        } buttons[] = {
            {"ZapTema", "3", "Запомнить", true},
            {"ZapWopr", "4", "Запомнить", true},
            {"ZapOtw", "5", "Запомнить", true},
            {"ZapRazdel", "Запомнить", "", true},
            {"WoprPlus", "+", "Выше Вставить строку", true},
            {"Wwerh9", "▲", "Поменять местами с верхней строкой", true},
            {"BitBtn2", "Балл", "1 балл везде поставить", true},
            {"BitBtn3", "Редак", "Редактирование вопроса", true},
            {"PtiwGif", "Рис.", "Привязать рисунок к этому вопросу", true},
            {"TemExam", "6 Тему в Экз", "", true},
            {"Tema", "dbf", "", false},
            {"WoprZ", "dbf", "", false},
            {"OtwetZ", "dbf", "", false},
            {"RazdelZ", "dbf", "", false},
            {"EGE", "1  ЕГЭ", "Из ЕГЭ вопросы", true},
            {"Dekodir", "2  Декодер", "Из этой таблицы заполнить верхние таблицы", true},
        };
        for (const auto& b : buttons) {
            auto* button = w.findChild<QPushButton*>(QString::fromLatin1(b.name));
            ASSERT_TRUE(button) << b.name;
            EXPECT_EQ(button->text(), QString::fromUtf8(b.caption)) << b.name;
            const QString hint = QString::fromUtf8(b.hint);
            EXPECT_TRUE(hint.isEmpty() ? button->toolTip().isEmpty() : button->toolTip().startsWith(hint)) << b.name;
            EXPECT_EQ(button->isEnabled(), b.enabled) << b.name;
        }
        EXPECT_EQ(w.KOtwWopr->toolTip(), QStringLiteral("Количество ответов"));

        // Loaded from the files: three topics, twelve questions, two answers;
        // the section file is empty and shows its default row.
        EXPECT_EQ(text(w, "KolTem"), QStringLiteral("3"));
        EXPECT_EQ(text(w, "KolWop"), QStringLiteral("12"));
        EXPECT_EQ(text(w, "KolOtw"), QStringLiteral("2"));
        EXPECT_EQ(w.RazdelTab->model()->index(0, 2).data().toString(),
                  QStringLiteral("Здесь должно быть название раздела"));
        EXPECT_EQ(w.WopTabl->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("Nazwan"));
        EXPECT_EQ(w.WopTabl->model()->headerData(6, Qt::Horizontal).toString(), QStringLiteral("Ball"));
        EXPECT_EQ(w.OtwTabl->rowHeight(0), 20);

        if (!grabDir().isEmpty()) {
            w.resize(1260, 940);
            press(w.WopTabl, 0);
            grabIfAsked(w, QStringLiteral("editor"));
        }
    });
    EXPECT_TRUE(opened);
}

TEST_F(EditorWindowTest, QuestionEditedInItsWindowReachesTheFilesAndTheMainWindow)
{
    openEditor([&](TZagruzka& w) {
        press(w.WopTabl, 0);
        EXPECT_EQ(text(w, "ImyFile"), QStringLiteral("01_001_01_1"));
        EXPECT_EQ(text(w, "NoOtw"), QStringLiteral("1"));
        EXPECT_EQ(text(w, "KOtwWopr"), QStringLiteral("2"));
        EXPECT_EQ(text(w, "NoTem"), QStringLiteral("1"));

        script.drive([](QDialog& edit) {
            auto& e = static_cast<TRedakWopros&>(edit);
            EXPECT_EQ(e.TemaRed->text(), QStringLiteral("Древняя Русь"));
            EXPECT_EQ(e.KodWopr->text(), QStringLiteral("1"));
            EXPECT_EQ(e.shownLines(), 2);
            EXPECT_TRUE(e.lines()[1].text->isVisibleTo(&e));
            EXPECT_FALSE(e.lines()[2].text->isVisibleTo(&e));
            EXPECT_EQ(e.lines()[0].text->toPlainText(), QStringLiteral("Рюрик"));
            e.Wopros->moveCursor(QTextCursor::End);
            QTest::keyClick(e.Wopros, Qt::Key_Return);
            type(e.Wopros, QStringLiteral("вторая строка"));
            e.Ball->clear();
            QTest::keyClicks(e.Ball, QStringLiteral("7"));
            e.lines()[1].text->moveCursor(QTextCursor::End);
            type(e.lines()[1].text, QStringLiteral(" Вещий"));
            QTest::mouseClick(e.BitBtn1, Qt::LeftButton);
        });
        clickIn(w, "BitBtn3");
        const auto& q = w.grids().questionGrid;
        EXPECT_EQ(q.cell(0, wopros::QuestionText), QStringLiteral("Вопрос 1\nвторая строка"));
        EXPECT_EQ(q.cell(0, wopros::Points), QStringLiteral("7"));
        EXPECT_EQ(w.grids().answerGrid.cell(1, otwet::AnswerText), QStringLiteral("Олег Вещий"));

        script.answerYes(); // the line break is named before saving
        clickIn(w, "ZapWopr");
        EXPECT_EQ(shown(BoxKind::Question, QStringLiteral("перевод строки")), 1);
        clickIn(w, "ZapOtw");

        // A topic renamed in place and left unsaved: closing asks.
        const QModelIndex name = w.TemaTabl->model()->index(0, 2);
        w.TemaTabl->setCurrentIndex(name);
        w.TemaTabl->edit(name);
        QApplication::processEvents();
        auto* editor = w.TemaTabl->viewport()->findChild<QLineEdit*>();
        ASSERT_TRUE(editor);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        type(editor, QStringLiteral("Киевская Русь"));
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents(); // the view commits the cell after the key
        EXPECT_EQ(w.grids().topicGrid.cell(0, tema::TopicName), QStringLiteral("Киевская Русь"));
        script.answerYes();
    });
    EXPECT_EQ(shown(BoxKind::Question, QStringLiteral("Таблица TemaTabl изменена")), 1);

    const auto questions = readRecords<QuestionRecord>(t.path(QStringLiteral("Istoriy/Wopros.dat")));
    ASSERT_EQ(questions.size(), 12u);
    EXPECT_EQ(questions[0].questionText, QStringLiteral("Вопрос 1\nвторая строка"));
    EXPECT_EQ(questions[0].points, QStringLiteral("7"));
    EXPECT_EQ(readRecords<AnswerRecord>(t.path(QStringLiteral("Istoriy/Otwet.dat")))[1].answerText,
              QStringLiteral("Олег Вещий"));
    EXPECT_EQ(find<QComboBox>("WiborTema")->itemText(0), QStringLiteral("Киевская Русь"));
}

TEST_F(EditorWindowTest, ExplanationBesideTheFormAndEveryAnswerOfALongQuestion)
{
    std::vector<AnswerRecord> many;
    for (int i = 1; i <= 35; ++i)
        many.push_back({QStringLiteral("01"), QStringLiteral("001"), QStringLiteral("01"), QStringLiteral("2"),
                        QString::number(i), QString(), QStringLiteral("Вариант %1").arg(i)});
    writeRecords(t.path(QStringLiteral("Istoriy/Otwet.dat")), many);
    t.write(QStringLiteral("Istoriy/Foto/plan.txt"), "plan");
    openEditor([&](TZagruzka& w) {
        w.grids().questionGrid.setCell(1, wopros::QuestionText, QStringLiteral("Смотри File#plan.txt#"));
        press(w.WopTabl, 1);
        EXPECT_EQ(text(w, "KOtwWopr"), QStringLiteral("35"));
        TTeksti* teksti = windows->set().teksti.get();
        script.drive([&](QDialog& edit) {
            auto& e = static_cast<TRedakWopros&>(edit);
            EXPECT_EQ(e.shownLines(), 35);
            grabIfAsked(e, QStringLiteral("redak"));
            EXPECT_EQ(e.lines()[34].text->toPlainText(), QStringLiteral("Вариант 35"));
            EXPECT_TRUE(teksti->isVisible());
            EXPECT_TRUE(teksti->filePath().endsWith(QStringLiteral("Foto/plan.txt")));
            e.lines()[34].text->moveCursor(QTextCursor::End);
            QTest::keyClicks(e.lines()[34].text, QStringLiteral("!"));
            QTest::mouseClick(e.BitBtn1, Qt::LeftButton);
        });
        clickIn(w, "BitBtn3");
        EXPECT_FALSE(teksti->isVisible()); // closed with the edit window
        EXPECT_EQ(w.grids().answerGrid.cell(34, otwet::AnswerText), QStringLiteral("Вариант 35!"));

        // Without answers: no lines, and applying touches the question only.
        w.grids().answerGrid.markSaved();
        press(w.WopTabl, 2);
        script.drive([](QDialog& edit) {
            auto& e = static_cast<TRedakWopros&>(edit);
            EXPECT_EQ(e.shownLines(), 0);
            EXPECT_FALSE(e.lines()[0].text->isVisibleTo(&e));
            QTest::mouseClick(e.BitBtn1, Qt::LeftButton);
        });
        clickIn(w, "BitBtn3");
        EXPECT_FALSE(w.grids().answerGrid.isModified());
    });
}

TEST_F(EditorWindowTest, PictureNeedsTheFotoFolderAndTopicGoesIntoThePackage)
{
    openEditor([&](TZagruzka& w) {
        press(w.WopTabl, 0);
        clickIn(w, "PtiwGif");
        ASSERT_TRUE(script.last());
        EXPECT_TRUE(script.last()->caption.startsWith(QStringLiteral("Создайте папку ")));
        EXPECT_EQ(script.last()->text, QStringLiteral("В неё поместите gif или jpg иллюстрации"));

        t.write(QStringLiteral("Istoriy/Foto/scan.jpg.gif"), "GIF89a");
        script.answerFileName(t.path(QStringLiteral("Istoriy/Foto/scan.jpg.gif")));
        clickIn(w, "PtiwGif");
        EXPECT_EQ(script.last()->kind, BoxKind::OpenFile);
        EXPECT_EQ(t.read(QStringLiteral("Istoriy/Foto/01_001_01_1.gif")), "GIF89a");
        EXPECT_FALSE(t.exists(QStringLiteral("Istoriy/Foto/scan.jpg.gif")));

        // Another picture for the same question: replaced only when agreed.
        t.write(QStringLiteral("Istoriy/Foto/other.gif"), "OTHER");
        script.answerFileName(t.path(QStringLiteral("Istoriy/Foto/other.gif")));
        script.answerNo();
        clickIn(w, "PtiwGif");
        EXPECT_EQ(t.read(QStringLiteral("Istoriy/Foto/01_001_01_1.gif")), "GIF89a");
        EXPECT_TRUE(t.exists(QStringLiteral("Istoriy/Foto/other.gif")));

        const qint64 before = t.read(QStringLiteral("Istoriy/Exam.dat")).size();
        clickIn(w, "TemExam"); // the last topic is in the package already: asked, No
        EXPECT_EQ(t.read(QStringLiteral("Istoriy/Exam.dat")).size(), before);
        script.answerYes();
        clickIn(w, "TemExam");
        script.answerYes();
        clickIn(w, "TemExam");
        const auto package = readRecords<PackageRecord>(t.path(QStringLiteral("Istoriy/Exam.dat")));
        ASSERT_EQ(package.size(), 5u);
        EXPECT_EQ(package[4].topicName, QStringLiteral("Петровская эпоха"));
        EXPECT_EQ(package[4].totalCount, QStringLiteral("5"));
        EXPECT_EQ(package[4].wantedCount, QStringLiteral("1"));
    });
}

TEST_F(EditorWindowTest, TopicListingOpensInADocumentWindow)
{
    const QString pdf = t.path(QStringLiteral("Тема_001.pdf"));
    openEditor([&](TZagruzka& w) {
        clickIn(w, "BitBtn1"); // no topic row current: nothing
        EXPECT_FALSE(w.findChild<DocumentWindow*>());
        press(w.TemaTabl, 0);
        clickIn(w, "BitBtn1");
        EXPECT_EQ(w.Gauge1->value(), 100);
        auto* window = w.findChild<DocumentWindow*>();
        ASSERT_TRUE(window);
        EXPECT_TRUE(window->isVisible());
        const Document& doc = *window->document();
        EXPECT_EQ(doc.title(), QStringLiteral("Тема 001"));
        EXPECT_EQ(doc.cellText(1, 2, 7), QStringLiteral("Древняя Русь"));
        EXPECT_EQ(doc.cellText(1, 3, 7), QStringLiteral("Вопрос 1"));
        EXPECT_EQ(doc.cellText(1, 4, 7), QStringLiteral("Рюрик"));
        script.answerFileName(pdf);
        EXPECT_TRUE(window->saveAs()); // the format from the name
        delete window;
    });
    EXPECT_TRUE(t.read(QStringLiteral("Тема_001.pdf")).startsWith("%PDF"));
    copyIfAsked(pdf, QStringLiteral("listing.pdf"));
}

} // namespace
