// The entry check of the main window.
#include "session/windows/entry_handlers.h"

#include "platform/windows/message_box.h"
#include "session/entry_check.h"
#include "session/windows/answer_rows.h"
#include "session/windows/main_menu.h"
#include "session/windows/main_window.h"
#include "session/windows/question_area.h"
#include "session/windows/start_screen.h"
#include "session/windows/test_settings_panel.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>

namespace tavel {

EntryHandlers::EntryHandlers(TForm1& form) : form_(form)
{
    QObject::connect(form.Zastavka, &StartScreen::enterClicked, &context_, [this] { ZastPogasit1Click(); });
    form.menu().provide(&context_, form.menu().Polzowatel, [this] { PolzowatelClick(); });
}

bool EntryHandlers::check(const QString& entered)
{
    const EntryResult result = checkEntry(form_.state().users, entered);
    if (result.user)
        form_.state().currentUser = result.user;
    if (result.outcome != EntryOutcome::Admitted) {
        dialogs::warning(&form_, result.caption, result.text);
        form_.close();
        return false;
    }
    applyRights();
    return true;
}

void EntryHandlers::applyRights()
{
    const Rights rights = rightsFor(form_.state().currentUser);
    form_.menu().applyRights(rights);
    TestSettingsPanel& settings = *form_.testSettings;
    settings.Regim->setEnabled(rights.modes);
    settings.ParamExam->setEnabled(rights.testParameters);
    settings.WremIzm->setEnabled(rights.displayTimes);
}

bool EntryHandlers::ZastPogasit1Click()
{
    if (!check(form_.Zastavka->Parol->text()))
        return false;
    form_.Zastavka->hide();
    QuestionArea& area = *form_.questionArea;
    area.show();
    area.OtwetiOtm->show();
    area.OdinTo4->hide();
    area.Soot->hide();
    area.OtwetiOtm->clearRows();
    return true;
}

bool EntryHandlers::leaveStartScreen()
{
    return form_.Zastavka->isHidden() || ZastPogasit1Click();
}

void EntryHandlers::PolzowatelClick()
{
    const auto entered = dialogs::input(&form_, QStringLiteral("Введите ровно 6 цифр"), QStringLiteral("Пароль?"),
                                        QStringLiteral("480372"));
    if (entered)
        check(*entered);
}

} // namespace tavel
