// The windows of the question sets: the package editor's wiring, the package
// list behind N27, the package exam's choice (N28), the keyword window (N1)
// and the dictionary (N6).
#include "main_window_fixture.h"

#include "platform/open_file.h"
#include "sets/package.h"
#include "sets/windows/dictionary_window.h"
#include "sets/windows/keyword_window.h"
#include "sets/windows/package_editor.h"
#include "sets/windows/package_list.h"
#include "session/windows/subject_panel.h"
#include "session/windows/sys_admin.h"
#include "storage/text_file.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableWidget>

using namespace tavel;
using namespace tavel::test;

namespace {

template <class T>
T* child(QWidget& window, const char* name)
{
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_TRUE(found) << name;
    return found;
}

void press(QWidget& window, const char* button)
{
    QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
}

QStringList column(const QTableWidget* grid, int c)
{
    QStringList out;
    for (int r = 0; r < grid->rowCount(); ++r)
        out << (grid->item(r, c) ? grid->item(r, c)->text() : QString());
    return out;
}

class SetsWindowTest : public MainWindowTest {
protected:
    // Istoriy's Exam.dat: topics 001..003 with "Всего" 5, 4, 3 and "Надо" 1.
    QString istoriy(const QString& file) const { return t.path(QStringLiteral("Istoriy/") + file); }

    void enterAsAdministrator()
    {
        start();
        enter(QStringLiteral("731946"));
    }
};

} // namespace

TEST_F(SetsWindowTest, PackageEditorCommandsWorkOnTheGridAndSaveIt)
{
    enterAsAdministrator();
    TNaborWopr& editor = *windows->set().naborWopr.get();
    editor.WiibranFile->setText(istoriy(QStringLiteral("Exam.dat")));
    editor.setSubjectFolder(t.path(QStringLiteral("Istoriy")));
    script.drive([&](QDialog& d) {
        EXPECT_EQ(column(editor.TemWopr, 1), (QStringList{"001", "002", "003"}));
        EXPECT_EQ(editor.KolTem->text(), QStringLiteral("3"));
        EXPECT_EQ(editor.WsegoW->text(), QStringLiteral("12"));
        EXPECT_EQ(editor.WsegoNado->text(), QStringLiteral("3"));

        editor.KolW->setText(QStringLiteral("4"));
        press(d, "Wstawit");
        EXPECT_EQ(column(editor.TemWopr, 4), (QStringList{"4", "4", "3"}));
        editor.TemWopr->setCurrentCell(0, 0);
        press(d, "Vverh"); // the first row up: nothing
        press(d, "NizKon");
        EXPECT_EQ(column(editor.TemWopr, 1), (QStringList{"002", "003", "001"}));
        EXPECT_EQ(editor.TemWopr->currentRow(), 0);
        EXPECT_EQ(editor.TemaW->text(), QStringLiteral("002"));
        press(d, "Udal");
        EXPECT_EQ(column(editor.TemWopr, 1), (QStringList{"003", "001"}));
        press(d, "SumStolb");
        EXPECT_EQ(editor.WsegoNado->text(), QStringLiteral("7"));

        // Two states a user tells apart: the label and the editable cells.
        EXPECT_FALSE(child<QLabel>(d, "Label1")->isVisibleTo(&d));
        press(d, "Redak");
        EXPECT_TRUE(child<QLabel>(d, "Label1")->isVisibleTo(&d));
        EXPECT_NE(editor.TemWopr->editTriggers(), QAbstractItemView::NoEditTriggers);
        editor.TemWopr->item(0, 4)->setText(QStringLiteral("0"));
        press(d, "Redak");
        EXPECT_EQ(editor.TemWopr->editTriggers(), QAbstractItemView::NoEditTriggers);

        press(d, "Zapomn");
        script.answerNo();
        press(d, "vTemi"); // "Оно Вам надо?" No: Tema.dat stays
        d.reject();
    });
    dialogs::execModal(&editor);
    const PackageFile saved = readPackage(istoriy(QStringLiteral("Exam.dat")));
    ASSERT_EQ(saved.rows.size(), 2u);
    EXPECT_EQ(saved.rows[0].topicCode, QStringLiteral("003"));
    EXPECT_EQ(saved.rows[0].wantedCount, QStringLiteral("0"));
    EXPECT_EQ(saved.rows[1].wantedCount, QStringLiteral("4"));
    EXPECT_EQ(readRecords<TopicRecord>(istoriy(QStringLiteral("Tema.dat"))).size(), 3u);
    EXPECT_EQ(shown(BoxKind::Question, QStringLiteral("Оно Вам надо?")), 1);
}

TEST_F(SetsWindowTest, ReplacingTopicsAndLoadingAnotherPackage)
{
    enterAsAdministrator();
    savePackage(istoriy(QStringLiteral("Exam2.dat")), {{"01", "003", "Петровская эпоха", "3", "2"}});
    TNaborWopr& editor = *windows->set().naborWopr.get();
    editor.WiibranFile->setText(istoriy(QStringLiteral("Exam.dat")));
    editor.setSubjectFolder(t.path(QStringLiteral("Istoriy")));
    script.drive([&](QDialog& d) {
        script.answerFileName(istoriy(QStringLiteral("Exam2.dat")));
        press(d, "OtkrPak");
        EXPECT_EQ(column(editor.TemWopr, 2), QStringList{QStringLiteral("Петровская эпоха")});
        EXPECT_EQ(editor.WiibranFile->text(), istoriy(QStringLiteral("Exam.dat"))); // the package edited stays
        script.answerYes();
        press(d, "vTemi");
        d.reject();
    });
    dialogs::execModal(&editor);
    const auto topics = readRecords<TopicRecord>(istoriy(QStringLiteral("Tema.dat")));
    ASSERT_EQ(topics.size(), 1u);
    EXPECT_EQ(topics[0].topicCode, QStringLiteral("003"));
    EXPECT_EQ(readPackage(istoriy(QStringLiteral("Exam.dat"))).rows.size(), 1u);
}

TEST_F(SetsWindowTest, PackageListBehindTheAdministratorWord)
{
    enterAsAdministrator();
    savePackage(istoriy(QStringLiteral("Exam2.dat")),
                {{"01", "001", "Древняя Русь", "5", "2"}, {"01", "002", "Смута", "4", "0"}});
    t.write(QStringLiteral("Istoriy/exam3.dat"), {});
    script.drive([](QDialog& prompt) {
        QTest::keyClicks(prompt.findChild<QLineEdit*>(QStringLiteral("NomZamka")), TSysAdmin::word());
        QTest::keyClick(prompt.findChild<QLineEdit*>(QStringLiteral("NomZamka")), Qt::Key_Return);
    });
    script.drive([&](QDialog& d) {
        auto& list = static_cast<TSpisokPaketov&>(d);
        EXPECT_FALSE(list.Pusk->isVisibleTo(&d));
        EXPECT_EQ(list.Paketi->rowCount(), 2); // exam3.dat is not a package
        list.Paketi->setCurrentCell(1, 1);
        EXPECT_EQ(list.WiibranFile->text(), QDir::toNativeSeparators(istoriy(QStringLiteral("Exam2.dat"))));
        EXPECT_EQ(column(list.TemWopr, 1), QStringList{QStringLiteral("001")}); // "Надо" 0 not shown
        EXPECT_EQ(list.TemWopr->horizontalHeaderItem(3)->text(), QStringLiteral("5"));
        EXPECT_EQ(form()->subjectPanel->KolWoprTema->currentText(), QStringLiteral("5"));
        script.answerYes();
        press(d, "DelPaket");
        EXPECT_EQ(list.Paketi->rowCount(), 1);
    });
    entry("N27")->trigger();
    EXPECT_EQ(shown(BoxKind::Question, QStringLiteral("Удалить пакет из списка?")), 1);
    EXPECT_FALSE(t.exists(QStringLiteral("Istoriy/Exam2.dat")));
    EXPECT_TRUE(t.exists(QStringLiteral("Istoriy/Exam.dat")));
}

TEST_F(SetsWindowTest, PackageExamWithAPackageGoneLeavesTheMainWindowIdle)
{
    enterAsAdministrator();
    script.drive([&](QDialog& d) {
        auto& list = static_cast<TSpisokPaketov&>(d);
        EXPECT_TRUE(list.Pusk->isVisibleTo(&d));
        EXPECT_FALSE(list.DelPaket->isVisibleTo(&d));
        QFile::remove(istoriy(QStringLiteral("Exam.dat"))); // deleted behind the list
        press(d, "Pusk");
    });
    entry("N28")->trigger();
    EXPECT_EQ(shown(BoxKind::Error, QStringLiteral("Exam.dat")), 1);
    EXPECT_EQ(find<QPushButton>("Pusk")->text(), QStringLiteral("Старт"));
    EXPECT_TRUE(windows->set().spisokPaketov.get()->DelPaket->isVisibleTo(windows->set().spisokPaketov.get()));
}

TEST_F(SetsWindowTest, KeywordWindowOffersTheDictionaryAndSaysWhenNothingIsFound)
{
    enterAsAdministrator();
    script.drive([&](QDialog& d) {
        auto& w = static_cast<TPoSlovu&>(d);
        EXPECT_EQ(w.Slovo1->currentText(), QStringLiteral("ключевые слова")); // the dictionary was created
        EXPECT_TRUE(w.Slovo2->currentText().isEmpty());
        EXPECT_TRUE(d.findChildren<QRadioButton*>().front()->isChecked()); // "Любая"

        // The dictionary edited from here: the sorted list goes to Slovo1 and the file.
        script.drive([](QDialog& redak) {
            static_cast<TRedak&>(redak).Spisok->setPlainText(QStringLiteral("смута\n\nдревн\n"));
        });
        press(d, "FIOSpr");
        EXPECT_EQ(w.Slovo1->count(), 2);
        EXPECT_EQ(w.Slovo1->currentText(), QStringLiteral("древн"));

        w.Slovo1->setEditText(QStringLiteral("нет в базе"));
        press(d, "Iskat");
        EXPECT_EQ(w.Slovo1->currentText(), QStringLiteral("Нет такого слова"));
        EXPECT_EQ(w.NaidSlov->text(), QStringLiteral("0"));
        d.accept();
    });
    entry("N1")->trigger();
    EXPECT_EQ(readTextLines(istoriy(QStringLiteral("Slovar.txt"))), (QStringList{"древн", "смута"}));
    EXPECT_EQ(find<QPushButton>("Pusk")->text(), QStringLiteral("Старт")); // idle, not left at "Стоп"
    EXPECT_TRUE(find<QGroupBox>("Nastroi")->isVisible());
    EXPECT_TRUE(find<QGroupBox>("ParamExam")->isEnabled());
}

TEST_F(SetsWindowTest, DictionaryFromTheMenuIsCreatedAndSavedUnchanged)
{
    enterAsAdministrator();
    script.drive([](QDialog& d) {
        auto& redak = static_cast<TRedak&>(d);
        EXPECT_EQ(redak.Spisok->toPlainText(), QStringLiteral("ключевые слова"));
        redak.Spisok->setPlainText(QStringLiteral("я\n\nа"));
    });
    entry("N6")->trigger();
    EXPECT_EQ(readTextLines(istoriy(QStringLiteral("Slovar.txt"))), (QStringList{"я", "", "а"}));
}

TEST_F(SetsWindowTest, PackageExamAndKeywordSetStartThroughTheOneStart)
{
    enterAsAdministrator();
    state.shuffle = false;
    savePackage(istoriy(QStringLiteral("Exam.dat")), {{"01", "001", "Древняя Русь", "5", "2"},
                                                      {"01", "002", "Смута", "4", "0"},
                                                      {"01", "003", "Петровская эпоха", "3", "1"}});
    script.drive([&](QDialog& d) { press(d, "Pusk"); });
    entry("N28")->trigger();
    EXPECT_EQ(find<QPushButton>("Pusk")->text(), QStringLiteral("Стоп"));
    EXPECT_EQ(find<QLineEdit>("KWopr")->text(), QStringLiteral("3"));
    EXPECT_EQ(readRecords<QuestionRecord>(istoriy(QStringLiteral("Temp.dat"))).size(), 3u);
    click("Pusk"); // Stop, as after a topic
    EXPECT_EQ(find<QPushButton>("Pusk")->text(), QStringLiteral("Старт"));

    // A keyword set found by the question texts; Iskat again stops it
    // without a result.
    script.drive([&](QDialog& d) {
        auto& w = static_cast<TPoSlovu&>(d);
        w.Slovo1->setEditText(QStringLiteral("ВОПРОС 1"));
        press(d, "Iskat");
        EXPECT_EQ(form()->findChild<QPushButton*>(QStringLiteral("Pusk"))->text(), QStringLiteral("Стоп"));
        EXPECT_EQ(w.NaidSlov->text(), QStringLiteral("3")); // "Вопрос 1" of each topic
        const int modals = script.count(BoxKind::Modal);
        press(d, "Iskat");
        EXPECT_EQ(form()->findChild<QPushButton*>(QStringLiteral("Pusk"))->text(), QStringLiteral("Старт"));
        EXPECT_EQ(script.count(BoxKind::Modal), modals); // no results window
        d.accept();
    });
    entry("N1")->trigger();
}
