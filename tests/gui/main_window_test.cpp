// The main window from start-up to a chosen topic: the start screen, entry
// with a password, rights, subject and topic choice, and start-up failures.
#include "main_window_fixture.h"

#include "platform/windows/hint.h"
#include "session/windows/explanation_window.h"
#include "session/windows/klass_window.h"
#include "session/windows/subject_panel.h"
#include "storage/text_file.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QScrollArea>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>

using namespace tavel;
using namespace tavel::test;

namespace {

QString cell(QTableWidget* grid, int row, int column)
{
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

TEST_F(MainWindowTest, StartScreenShowsTheContentsPageTotalled)
{
    start();
    EXPECT_EQ(form()->windowTitle(), QStringLiteral("Тавел 20.12.07 Экзаменатор / Тренажёр. Программирование и другое"));
    EXPECT_TRUE(find<QWidget>("Zastavka")->isVisible());
    auto* grid = find<QTableWidget>("OglTabl");
    ASSERT_EQ(grid->rowCount(), 5);
    EXPECT_EQ(cell(grid, 1, 1), QStringLiteral("История"));
    // Group headings carry the sums of their rows.
    EXPECT_EQ(cell(grid, 0, 2), QStringLiteral("3"));
    EXPECT_EQ(cell(grid, 0, 3), QStringLiteral("12"));
    EXPECT_EQ(cell(grid, 2, 2), QStringLiteral("3"));
    EXPECT_EQ(cell(grid, 2, 3), QStringLiteral("10"));
    EXPECT_EQ(cell(grid, 2, 4), QStringLiteral("32"));
    EXPECT_EQ(find<QLineEdit>("Parol")->text(), QStringLiteral("480372"));
    EXPECT_EQ(script.shown().size(), 0u);
}

TEST_F(MainWindowTest, StartUpFillsTheControlsAndOpensTheFirstSubject)
{
    start();
    auto* subjects = find<QComboBox>("PredmetName");
    ASSERT_EQ(subjects->count(), 3);
    EXPECT_EQ(subjects->itemText(1), QStringLiteral("Математика"));
    EXPECT_EQ(subjects->currentText(), QStringLiteral("Выберите предмет мышкой"));
    EXPECT_EQ(find<QPushButton>("MaxKW")->text(), QStringLiteral("500"));
    EXPECT_EQ(find<QLineEdit>("WoprSek")->text(), QStringLiteral("900"));
    EXPECT_EQ(find<QLineEdit>("OtwSek")->text(), QStringLiteral("120"));
    EXPECT_EQ(find<QProgressBar>("Gauge3")->maximum(), 900);
    auto* topics = find<QComboBox>("WiborTema");
    EXPECT_FALSE(topics->isEnabled());
    // The window's activation opened the first subject of the catalogue.
    EXPECT_EQ(find<QLineEdit>("KTem")->text(), QStringLiteral("3"));
    EXPECT_EQ(find<QLineEdit>("RWoprWseh")->text(), QStringLiteral("12"));
    EXPECT_EQ(topics->currentText(), SubjectPanel::topicPrompt());
    // Start-up makes no answer row (they are made for the first question that
    // needs them), and the work area stays hidden under the start screen.
    EXPECT_EQ(form()->findChild<QWidget*>(QStringLiteral("OtwText1")), nullptr);
    EXPECT_TRUE(find<QWidget>("OdinTo4")->isHidden());
    EXPECT_FALSE(find<QWidget>("WoprosGB")->isVisible());
    // Nobody has entered yet: no service menu.
    EXPECT_FALSE(find<QMenu>("N3")->menuAction()->isEnabled());
    EXPECT_LE(form()->width(), 1280);
    EXPECT_LE(form()->height(), 800);
}

TEST_F(MainWindowTest, MenuEntriesKeepTheirCaptionsAndLaterOnesSaySo)
{
    start();
    EXPECT_EQ(find<QMenu>("N7")->title(), QStringLiteral("Экзамен  "));
    EXPECT_EQ(find<QMenu>("N3")->title(), QStringLiteral("Сервис   "));
    EXPECT_EQ(find<QMenu>("N13")->title(), QStringLiteral("Помощь  "));
    EXPECT_EQ(entry("N17")->text(), QStringLiteral("Неотвеченные вопросы       "));
    EXPECT_EQ(entry("Polzowatel")->text(), QStringLiteral("Пользователь      "));
    EXPECT_EQ(entry("N28")->text(), QStringLiteral("Пакет тестов  для экзамена выбрать"));
    for (const char* working : {"Polzowatel", "N18", "N101", "Kalkulator", "CwetForm1", "CwetOtwet", "Paroli", "N5",
                                "N16", "N11", "N30", "N15", "Nastroika", "N17", "N2", "N4", "PrTekWopr", "TemaBezPlus",
                                "N28", "N1", "N6"})
        EXPECT_TRUE(entry(working)->isEnabled()) << working;
    // The package list is the administrator's: nobody has entered yet.
    EXPECT_FALSE(entry("N27")->isEnabled());
    EXPECT_FALSE(entry("N27")->toolTip().contains(notYetAvailableHint()));
    auto* pusk = find<QPushButton>("Pusk");
    EXPECT_TRUE(pusk->isEnabled()); // Start and Stop are built
    EXPECT_TRUE(pusk->toolTip().startsWith(QStringLiteral("Выбранная тема")));
}

TEST_F(MainWindowTest, StatusBarShowsTheHintOfTheControlUnderTheMouse)
{
    start();
    QTest::mouseMove(find<QPushButton>("ZastPogasit1"));
    QApplication::processEvents();
    EXPECT_EQ(find<QStatusBar>("StatusBar1")->currentMessage(), QStringLiteral("Войти в программу"));
}

TEST_F(MainWindowTest, RightPasswordEntersAsAnOrdinaryUser)
{
    start();
    enter(QStringLiteral("480372"));
    EXPECT_FALSE(form()->isClosed());
    EXPECT_TRUE(find<QWidget>("Zastavka")->isHidden());
    EXPECT_TRUE(find<QScrollArea>("OtwetiOtm")->isVisible());
    EXPECT_TRUE(find<QWidget>("OdinTo4")->isHidden());
    EXPECT_TRUE(find<QWidget>("Soot")->isHidden());
    ASSERT_TRUE(state.currentUser);
    EXPECT_EQ(state.currentUser->code, QStringLiteral("02"));
    EXPECT_FALSE(find<QMenu>("N3")->menuAction()->isEnabled());
    EXPECT_FALSE(find<QGroupBox>("ParamExam")->isEnabled());
    EXPECT_FALSE(find<QGroupBox>("WremIzm")->isEnabled());
    EXPECT_FALSE(find<QListWidget>("Regim")->isEnabled());
}

TEST_F(MainWindowTest, AdministratorPasswordOpensTheServiceMenu)
{
    start();
    enter(QStringLiteral("731946"));
    EXPECT_TRUE(find<QMenu>("N3")->menuAction()->isEnabled());
    EXPECT_TRUE(find<QGroupBox>("ParamExam")->isEnabled());
    EXPECT_TRUE(find<QGroupBox>("WremIzm")->isEnabled());
    EXPECT_TRUE(find<QListWidget>("Regim")->isEnabled());
    // The package list for maintenance is the administrator's.
    EXPECT_TRUE(entry("N27")->isEnabled());
}

TEST_F(MainWindowTest, WrongPasswordEndsTheProgram)
{
    start();
    QSignalSpy closed(form(), &TForm1::closed);
    enter(QStringLiteral("123456"));
    EXPECT_EQ(closed.count(), 1);
    EXPECT_TRUE(form()->isClosed());
    EXPECT_FALSE(form()->isVisible());
    ASSERT_TRUE(script.last());
    EXPECT_EQ(script.last()->kind, BoxKind::Warning);
    EXPECT_EQ(script.last()->caption, QStringLiteral("Что-то я Вас не припоминаю"));
    EXPECT_EQ(script.last()->text, QStringLiteral("Повторите запуск программы"));
}

TEST_F(MainWindowTest, ClosedAccessEndsTheProgram)
{
    writeRecords(t.path("Baza/Dostup.dat"),
                 std::vector<UserRecord>{{QStringLiteral("01"), 45000, QStringLiteral("Гость"),
                                          QStringLiteral("480372"), QStringLiteral("G")}});
    start();
    QSignalSpy closed(form(), &TForm1::closed);
    enter(QStringLiteral("480372"));
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(shown(BoxKind::Warning, QStringLiteral("Вам доступ закрыт")), 1);
}

TEST_F(MainWindowTest, RecheckThroughTheUserMenuSwitchesRights)
{
    start();
    enter(QStringLiteral("480372"));
    QAction* service = find<QMenu>("N3")->menuAction();
    ASSERT_FALSE(service->isEnabled());

    script.answerText(QStringLiteral("731946"));
    entry("Polzowatel")->trigger();
    EXPECT_EQ(script.last()->caption, QStringLiteral("Введите ровно 6 цифр"));
    EXPECT_EQ(script.last()->text, QStringLiteral("Пароль?"));
    EXPECT_TRUE(service->isEnabled());
    EXPECT_EQ(state.currentUser->code, QStringLiteral("01"));

    script.answerCancel(); // Cancel keeps the current user
    entry("Polzowatel")->trigger();
    EXPECT_TRUE(service->isEnabled());

    script.answerText(QStringLiteral("215803"));
    entry("Polzowatel")->trigger();
    EXPECT_FALSE(service->isEnabled());
    EXPECT_EQ(state.currentUser->code, QStringLiteral("03"));
    EXPECT_FALSE(form()->isClosed());
}

TEST_F(MainWindowTest, SubjectWhoseFolderIsMissingGetsAnEmptyFolder)
{
    start();
    enter(QStringLiteral("480372"));
    auto* subjects = find<QComboBox>("PredmetName");
    choose(subjects, 2);
    EXPECT_EQ(subjects->currentText(), QStringLiteral("Физика"));
    EXPECT_EQ(state.subjectFolder, QStringLiteral("Fizika"));
    EXPECT_TRUE(QFileInfo(t.path("Fizika")).isDir());
    EXPECT_TRUE(t.exists("Fizika/Tema.dat") && t.exists("Fizika/Exam.dat") && t.exists("Fizika/Wopros.dat"));
    auto* topics = find<QComboBox>("WiborTema");
    EXPECT_TRUE(topics->isEnabled());
    EXPECT_EQ(topics->count(), 0);
    EXPECT_EQ(find<QLineEdit>("KTem")->text(), QStringLiteral("0"));
    EXPECT_EQ(shown(BoxKind::Error), 0);
}

TEST_F(MainWindowTest, TopicChoiceFillsTheRangeAndTheCounts)
{
    start();
    enter(QStringLiteral("731946"));
    choose(find<QComboBox>("PredmetName"), 1); // Математика
    EXPECT_EQ(find<QLineEdit>("KTem")->text(), QStringLiteral("2"));
    EXPECT_EQ(find<QLineEdit>("RWoprWseh")->text(), QStringLiteral("9"));
    auto* topics = find<QComboBox>("WiborTema");
    ASSERT_EQ(topics->count(), 2);
    choose(topics, 1);
    EXPECT_EQ(topics->currentText(), QStringLiteral("Уравнения"));
    EXPECT_EQ(state.chosenTopic, 1);
    ASSERT_TRUE(state.chosenTopicRow());
    EXPECT_EQ(state.chosenTopicRow()->topicCode, QStringLiteral("002"));
    EXPECT_EQ(find<QComboBox>("KolWoprTema")->currentText(), QStringLiteral("3"));
    EXPECT_EQ(find<QSpinBox>("PoslNomVopr")->value(), 3);
    EXPECT_EQ(find<QLineEdit>("KWopr")->text(), QStringLiteral("3"));

    // The range edited: count and questions to ask follow it.
    auto* first = find<QSpinBox>("PervNomVopr");
    first->selectAll();
    QTest::keyClicks(first, QStringLiteral("2"));
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_EQ(find<QComboBox>("KolWoprTema")->currentText(), QStringLiteral("2"));
    EXPECT_EQ(find<QLineEdit>("KWopr")->text(), QStringLiteral("2"));
}

TEST_F(MainWindowTest, PackageWithFewerRecordsThanTopicsKeepsTheFormerCount)
{
    writeRecords(t.path("Matem/Exam.dat"),
                 std::vector<PackageRecord>{{QStringLiteral("02"), QStringLiteral("001"), QStringLiteral("Дроби"),
                                             QStringLiteral("6"), QStringLiteral("1")}});
    start();
    enter(QStringLiteral("731946"));
    choose(find<QComboBox>("PredmetName"), 1);
    choose(find<QComboBox>("WiborTema"), 0);
    EXPECT_EQ(find<QLineEdit>("KWopr")->text(), QStringLiteral("6"));
    choose(find<QComboBox>("WiborTema"), 1);
    EXPECT_EQ(find<QComboBox>("KolWoprTema")->currentText(), QStringLiteral("6"));
    EXPECT_EQ(find<QSpinBox>("PoslNomVopr")->value(), 6);
}

TEST_F(MainWindowTest, ContentsPageRowChoosesItsSubject)
{
    start();
    auto* grid = find<QTableWidget>("OglTabl");
    const QRect row = grid->visualRect(grid->model()->index(3, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(find<QComboBox>("PredmetName")->currentText(), QStringLiteral("Математика"));
    EXPECT_EQ(state.subjectFolder, QStringLiteral("Matem"));
    EXPECT_TRUE(find<QComboBox>("WiborTema")->isEnabled());
    EXPECT_EQ(find<QComboBox>("WiborTema")->count(), 2);

    // A group heading has no catalogue entry: the current subject is reloaded.
    const QRect heading = grid->visualRect(grid->model()->index(0, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, heading.center());
    EXPECT_EQ(state.subjectFolder, QStringLiteral("Matem"));
    EXPECT_EQ(find<QComboBox>("PredmetName")->currentText(), QStringLiteral("Математика"));
    EXPECT_EQ(shown(BoxKind::Error), 0);
}

TEST_F(MainWindowTest, ActivationReopensTheSubjectAndKeepsTheTopic)
{
    start();
    enter(QStringLiteral("731946"));
    choose(find<QComboBox>("PredmetName"), 0);
    choose(find<QComboBox>("WiborTema"), 2);
    // Drop-down lists are windows of their own: closing one is no activation.
    ASSERT_EQ(state.chosenTopic, 2);
    ASSERT_EQ(find<QComboBox>("WiborTema")->currentText(), QStringLiteral("Петровская эпоха"));
    // Another window of the program was active and the main window is again.
    script.drive([](QDialog& prompt) { QTest::keyClick(&prompt, Qt::Key_Escape); });
    entry("N16")->trigger();
    // The desktop gives the focus back to the main window (offscreen, the test does).
    form()->activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(find<QComboBox>("WiborTema")->currentText(), QStringLiteral("Петровская эпоха"));
    EXPECT_EQ(state.chosenTopic, 2);
    EXPECT_EQ(find<QComboBox>("WiborTema")->count(), 3);
}

TEST_F(MainWindowTest, ActivationErrorIsShownOnceNotAtEveryActivation)
{
    QDir(t.path("Istoriy")).removeRecursively();
    start();
    EXPECT_EQ(shown(BoxKind::Error, QStringLiteral("Istoriy")), 1);
    form()->FormActivate();
    form()->FormActivate();
    EXPECT_EQ(shown(BoxKind::Error, QStringLiteral("Istoriy")), 1);
    EXPECT_FALSE(QFileInfo::exists(t.path("Istoriy"))); // the first subject's folder is not created
    // Choosing another subject works; choosing the first one creates its folder.
    choose(find<QComboBox>("PredmetName"), 0);
    EXPECT_TRUE(t.exists("Istoriy/Tema.dat"));
}

struct StartupFailure {
    const char* name;
    void (*breakHome)(const TempHome&);
    const char* fileNamed;
};

class MainWindowStartupFailure : public MainWindowTest, public ::testing::WithParamInterface<StartupFailure> {};

TEST_P(MainWindowStartupFailure, ErrorDialogAndTheWindowOpensWithWhatWasLoaded)
{
    GetParam().breakHome(t);
    start();
    EXPECT_EQ(shown(BoxKind::Error, QString::fromLatin1(GetParam().fileNamed)), 1);
    EXPECT_EQ(script.shown().size(), 1u);
    EXPECT_TRUE(form()->isVisible());
    EXPECT_FALSE(form()->isClosed());
}

INSTANTIATE_TEST_SUITE_P(
    Files, MainWindowStartupFailure,
    ::testing::Values(
        StartupFailure{"MissingCodeTable", [](const TempHome& t) { QFile::remove(t.path("Baza/Win_Dos.qkv")); },
                       "Win_Dos.qkv"},
        StartupFailure{"MissingContents", [](const TempHome& t) { QFile::remove(t.path("Baza/Oglavlenie.txt")); },
                       "Oglavlenie.txt"},
        StartupFailure{"EmptyCatalogue", [](const TempHome& t) { t.write("Baza/Papka.dat", {}); }, "Papka.dat"},
        StartupFailure{"SettingsLineNotANumber",
                       [](const TempHome& t) {
                           QStringList lines = settingsLines(Settings{});
                           lines[9] = QStringLiteral("много");
                           writeTextLines(t.path("Baza/NoKor.qkv"), lines);
                       },
                       "NoKor.qkv"},
        StartupFailure{"ContentsCellNotANumber",
                       [](const TempHome& t) {
                           QStringList lines = smallContentsLines();
                           lines[lines.size() - 2] = QStringLiteral("один");
                           writeTextLines(t.path("Baza/Oglavlenie.txt"), lines);
                       },
                       "Oglavlenie.txt"}),
    [](const ::testing::TestParamInfo<StartupFailure>& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, MissingCodeTableStillLoadsCatalogueUsersAndSettings)
{
    QFile::remove(t.path("Baza/Win_Dos.qkv"));
    start();
    EXPECT_EQ(find<QComboBox>("PredmetName")->count(), 3);
    EXPECT_EQ(find<QPushButton>("MaxKW")->text(), QStringLiteral("500"));
    enter(QStringLiteral("480372"));
    EXPECT_FALSE(form()->isClosed());
}

TEST_F(MainWindowTest, EmptyCatalogueLeavesTheSubjectListEmpty)
{
    t.write("Baza/Papka.dat", {});
    start();
    EXPECT_EQ(find<QComboBox>("PredmetName")->count(), 0);
    EXPECT_EQ(find<QTableWidget>("OglTabl")->rowCount(), 5);
    // No subject to open: the installation folder itself gets no subject files.
    EXPECT_FALSE(t.exists("Tema.dat"));
    EXPECT_EQ(find<QLineEdit>("KTem")->text(), QStringLiteral("0"));
}

TEST_F(MainWindowTest, SettingsReadUpToTheBadLine)
{
    QStringList lines = settingsLines(Settings{});
    lines[4] = QStringLiteral("45"); // line 5
    lines[9] = QStringLiteral("много"); // line 10
    writeTextLines(t.path("Baza/NoKor.qkv"), lines);
    start();
    EXPECT_EQ(find<QLineEdit>("WoprSek")->text(), QStringLiteral("45"));
    EXPECT_EQ(state.questionSeconds, 45);
    EXPECT_EQ(state.gradeFive, 85);
}

// Only the main window is made at start-up; another window is made on its
// first use, once, as a child of the main window, and the main window's
// handlers connect to it once.
TEST_F(MainWindowTest, OtherWindowsAreMadeOnFirstUseOnceAndConnectedOnce)
{
    start();
    WindowSet& set = windows->set();
    EXPECT_FALSE(set.klass.made());
    EXPECT_FALSE(set.teksti.made());
    EXPECT_FALSE(set.zagruzka.made());
    EXPECT_FALSE(set.finish.made());

    TKlass* klass = set.klass.get();
    ASSERT_TRUE(klass);
    EXPECT_EQ(set.klass.get(), klass);
    EXPECT_EQ(set.klass.made(), klass);
    EXPECT_EQ(klass->parent(), form());
    EXPECT_EQ(klass->objectName(), QStringLiteral("TKlass"));
    Q_EMIT klass->hintUsed();
    EXPECT_EQ(find<QLineEdit>("Podskazano")->text(), QStringLiteral("1"));

    // The explanation window, made by the accessor, is connected too.
    TTeksti* teksti = set.teksti.get();
    ASSERT_TRUE(teksti);
    Q_EMIT teksti->answerChosen(QStringLiteral("3"));
    EXPECT_EQ(find<QLineEdit>("OdinOt")->text(), QStringLiteral("3"));
    EXPECT_EQ(set.teksti.get(), teksti);
}
