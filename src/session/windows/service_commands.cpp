// The small commands and the Service menu of the main window.
#include "session/windows/service_commands.h"

#include "platform/calculator.h"
#include "platform/help.h"
#include "platform/windows/message_box.h"
#include "session/entry_check.h"
#include "session/number_text.h"
#include "session/timers.h"
#include "session/windows/answer_rows.h"
#include "session/windows/entry_handlers.h"
#include "session/windows/main_menu.h"
#include "session/windows/main_window.h"
#include "session/windows/password_table.h"
#include "session/windows/question_area.h"
#include "session/windows/score_panel.h"
#include "session/windows/start_screen.h"
#include "session/windows/sys_admin.h"
#include "session/windows/test_run.h"
#include "session/windows/test_settings_panel.h"
#include "storage/colours.h"
#include "storage/error.h"
#include "storage/shared_files.h"

#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTextEdit>
#include <optional>

namespace tavel {
namespace {

QString colourTextOf(const QColor& colour)
{
    return colourText(colourFromRgb(colour.red(), colour.green(), colour.blue()));
}

} // namespace

ServiceCommands::ServiceCommands(TForm1& form) : form_(form)
{
    TestSettingsPanel& settings = *form.testSettings;
    QObject::connect(settings.MaxKW, &QPushButton::clicked, &context_, [this] { MaxKWClick(); });
    QObject::connect(settings.WremaZadat, &QPushButton::clicked, &context_, [this] { WremaZadatClick(); });
    QObject::connect(form.questionArea->BolBuk, &QPushButton::clicked, &context_, [this] { BolBukClick(); });
    QObject::connect(form.questionArea->MalBuk, &QPushButton::clicked, &context_, [this] { MalBukClick(); });
    QObject::connect(form.Zastavka, &StartScreen::helpClicked, &context_, [this] { N18Click(); });

    MainMenu& menu = form.menu();
    menu.provide(&context_, menu.Kalkulator, [this] { KalkulatorClick(); });
    menu.provide(&context_, menu.CwetForm1, [this] { CwetForm1Click(); });
    menu.provide(&context_, menu.CwetOtwet, [this] { CwetOtwetClick(); });
    menu.provide(&context_, menu.Paroli, [this] { ParoliClick(); });
    menu.provide(&context_, menu.N5, [this] { N5Click(); });
    menu.provide(&context_, menu.N16, [this] { N16Click(); });
    menu.provide(&context_, menu.N101, [this] { N101Click(); });
    menu.provide(&context_, menu.N18, [this] { N18Click(); });
}

void ServiceCommands::MaxKWClick()
{
    QPushButton* maxKW = form_.testSettings->MaxKW;
    if (!rightsFor(form_.state().currentUser).questionLimit) {
        dialogs::warning(&form_, dialogs::applicationTitle(), QStringLiteral(" И для начальника. Увы!"));
        return;
    }
    const auto answer = dialogs::input(&form_, QStringLiteral("Введите новое ограничение"),
                                       QStringLiteral("Вопросов по теме не больше чем?"), maxKW->text());
    if (!answer)
        return;
    maxKW->setText(*answer);
    dialogs::guarded(&form_, [&] {
        const int limit = toWholeNumber(*answer);
        if (limit < 1)
            throw Error(QStringLiteral("Вопросов в тесте не может быть меньше одного: «%1»").arg(*answer));
        form_.state().questionLimit = limit;
    });
}

void ServiceCommands::WremaZadatClick()
{
    AppState& state = form_.state();
    TestSettingsPanel& settings = *form_.testSettings;
    TestRun& run = form_.testRun();
    dialogs::guarded(&form_, [&] {
        const NewSeconds seconds = applyNewSeconds(settings.WoprSek->text(), settings.OtwSek->text(),
                                                   run.session().countdown);
        state.questionSeconds = seconds.times.questionSeconds;
        state.variantSeconds = seconds.times.variantSeconds;
        // The running countdown goes on with at most the new time.
        run.session().countdown = seconds.countdown;
        run.showCountdown();
    });
}

void ServiceCommands::BolBukClick()
{
    QuestionArea& area = *form_.questionArea;
    area.setQuestionPointSize(area.questionPointSize() + 2);
    area.OtwetiOtm->setTextPointSize(area.OtwetiOtm->textPointSize() + 2);
}

void ServiceCommands::MalBukClick()
{
    QuestionArea& area = *form_.questionArea;
    if (area.questionPointSize() < 8)
        return;
    area.setQuestionPointSize(area.questionPointSize() - 2);
    area.OtwetiOtm->setTextPointSize(std::max(1, area.OtwetiOtm->textPointSize() - 2));
}

void ServiceCommands::KalkulatorClick()
{
    if (!startCalculator())
        dialogs::warning(&form_, QStringLiteral("Калькулятор"),
                         QStringLiteral("Калькулятор не найден. Установите один из них: %1.")
                             .arg(calculatorNames().join(QStringLiteral(", "))));
}

void ServiceCommands::CwetForm1Click()
{
    const auto colour = dialogs::chooseColour(&form_, form_.windowColour());
    if (!colour)
        return;
    form_.setWindowColour(*colour);
    dialogs::guarded(&form_, [&] {
        writeColourEntry(form_.state().home.path(paths::colours, true), QStringLiteral("Form1"), colourTextOf(*colour));
    });
}

void ServiceCommands::CwetOtwetClick()
{
    if (!form_.entry().leaveStartScreen())
        return;
    AnswerRows* rows = form_.answerRows();
    const auto colour = dialogs::chooseColour(&form_, rows->areaColour());
    if (!colour)
        return;
    rows->setAreaColour(*colour);
    dialogs::guarded(&form_, [&] {
        writeColourEntry(form_.state().home.path(paths::colours, true), QStringLiteral("Otwet"), colourTextOf(*colour));
    });
}

void ServiceCommands::ParoliClick()
{
    if (TForm5* table = form_.windows().form5.get())
        dialogs::execModal(table);
}

void ServiceCommands::N5Click()
{
    if (TSysAdmin* prompt = form_.windows().sysAdmin.get(); prompt && prompt->ask())
        form_.questionArea->OtwTek()->show();
}

void ServiceCommands::N16Click()
{
    if (TSysAdmin* prompt = form_.windows().sysAdmin.get(); prompt && prompt->ask())
        form_.questionArea->NomerWoprosa->show();
}

void ServiceCommands::N101Click()
{
    QGroupBox* group = form_.scorePanel->DesBalWkl;
    group->setVisible(group->isHidden());
}

void ServiceCommands::N18Click()
{
    const InstallFolder& home = form_.state().home;
    if (!openHelp(home))
        dialogs::warning(&form_, QStringLiteral("Описание программы"),
                         QStringLiteral("Описание программы не открылось: в папке %1 нет ни Help/Tavel_help.chm, "
                                        "ни Help/index.html, или для них нет программы просмотра.")
                             .arg(QDir::toNativeSeparators(home.root())));
}

} // namespace tavel
