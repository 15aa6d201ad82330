// The question-set entries of the menu "Экзамен  ".
#include "sets/windows/set_commands.h"

#include "platform/random.h"
#include "platform/windows/message_box.h"
#include "session/entry_check.h"
#include "session/test_start.h"
#include "session/windows/main_menu.h"
#include "session/windows/main_window.h"
#include "session/windows/question_area.h"
#include "session/windows/results_window.h"
#include "session/windows/subject_panel.h"
#include "session/windows/sys_admin.h"
#include "session/windows/test_run.h"
#include "session/windows/test_settings_panel.h"
#include "sets/dictionary.h"
#include "sets/keyword_set.h"
#include "sets/package_exam.h"
#include "sets/windows/dictionary_window.h"
#include "sets/windows/keyword_window.h"
#include "sets/windows/package_list.h"
#include "storage/error.h"
#include "storage/shared_files.h"
#include "storage/text.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <climits>


namespace tavel {

SetCommands::SetCommands(TForm1& form) : form_(form)
{
    MainMenu& menu = form.menu();
    menu.provide(&context_, menu.N28, [this] { N28Click(); });
    menu.provide(&context_, menu.N27, [this] { N27Click(); });
    menu.provide(&context_, menu.N1, [this] { N1Click(); });
    menu.provide(&context_, menu.N6, [this] { N6Click(); });
    WindowSet& windows = form.windows();
    windows.poSlovu.whenMade([this](TPoSlovu& keywords) {
        QObject::connect(&keywords, &TPoSlovu::IskatClicked, &context_, [this] { IskatClick(); });
    });
    windows.spisokPaketov.whenMade([this](TSpisokPaketov& list) {
        QObject::connect(&list, &TSpisokPaketov::totalShown, &context_, [this](int total) {
            form_.subjectPanel->KolWoprTema->setEditText(QString::number(total));
        });
    });
}

TSpisokPaketov& SetCommands::list() const
{
    return *form_.windows().spisokPaketov.get();
}

TPoSlovu& SetCommands::keywords() const
{
    return *form_.windows().poSlovu.get();
}

TRedak& SetCommands::redak() const
{
    return *form_.windows().redak.get();
}

bool SetCommands::showPackageList(bool choosing)
{
    if (TFinish* finish = form_.windows().finish.get())
        finish->setAnswered(0);
    list().setSubjectFolder(form_.state().subjectFolderPath());
    list().setChoosing(choosing);
    const int result = dialogs::execModal(&list());
    list().setChoosing(false);
    return result == QDialog::Accepted;
}

void SetCommands::N27Click()
{
    TSysAdmin* admin = form_.windows().sysAdmin.get();
    if (admin && admin->ask())
        showPackageList(false);
}

void SetCommands::N28Click()
{
    if (form_.testRun().running())
        return;
    // Only "Пуск выбранного пакета" starts the exam; closing the list is a
    // change of mind.
    if (!showPackageList(true))
        return;
    const QString path = QDir::fromNativeSeparators(trimmed(list().WiibranFile->text()));
    AppState& app = form_.state();
    const QString folder = app.subjectFolderPath();
    SetCandidates candidates;
    QStringList lines;
    const bool built = dialogs::guarded(&form_, [&] {
        const PackageFile package = readPackage(path);
        PackageDraw draw =
            drawPackage(package, subjectFile(folder, subject_files::questions), app.shuffle, randomSource());
        writeTempFile(subjectFile(folder, subject_files::temp), draw.questions);
        const TestSettingsPanel& settings = *form_.testSettings;
        candidates = setCandidates(draw.questions, subjectFile(folder, subject_files::answers),
                                   settings.PervNomVopr->value(),
                                   settings.PoslNomVopr->value(), app.questionLimit);
        lines = draw.lines;
    });
    if (!built)
        return;
    startSet(std::move(candidates), lines.join(u'\n'), QDir::toNativeSeparators(path));
}

void SetCommands::N1Click()
{
    MainMenu& menu = form_.menu();
    TestSettingsPanel& settings = *form_.testSettings;
    const bool printEntry = menu.PeTekTemi->isVisible();
    const bool settingsShown = settings.Nastroi->isVisible();
    const bool parameters = settings.ParamExam->isEnabled();
    menu.PeTekTemi->setVisible(false);
    settings.Nastroi->hide();
    settings.ParamExam->setEnabled(false);
    keywords().setSubject(form_.state().subjectFolderPath(), form_.subjectPanel->PredmetName->currentText());
    dialogs::execModal(&keywords());
    // Closed without a set running: the main window as it was.
    if (!form_.testRun().running()) {
        menu.PeTekTemi->setVisible(printEntry);
        settings.Nastroi->setVisible(settingsShown);
        settings.ParamExam->setEnabled(parameters);
    }
}

void SetCommands::N6Click()
{
    const QString path = dictionaryPath(form_.state().subjectFolderPath());
    QStringList lines;
    if (!dialogs::guarded(&form_, [&] {
            ensureDictionary(path);
            lines = readDictionary(path);
        }))
        return;
    const QStringList edited = redak().edit(form_.subjectPanel->PredmetName->currentText(), lines);
    dialogs::guarded(&form_, [&] { writeDictionary(path, edited); });
}

void SetCommands::IskatClick()
{
    TestRun& run = form_.testRun();
    if (run.running()) {
        run.unlockAfterTest(); // no result is shown
        return;
    }
    AppState& app = form_.state();
    const QString folder = app.subjectFolderPath();
    const TopicKind kind = keywords().kind();
    const QString word1 = keywords().Slovo1->currentText();
    const QString word2 = keywords().Slovo2->currentText();
    const QString title = keywordSetTitle(kind, word1, word2);
    SetCandidates candidates;
    bool empty = false;
    const bool built = dialogs::guarded(&keywords(), [&] {
        KeywordFiles files;
        files.examPath = subjectFile(folder, subject_files::package);
        if (QFileInfo::exists(files.examPath)) {
            PackageFile package = readPackage(files.examPath);
            if (package.trailingBytes)
                throw Error(partialRecordMessage(package));
            files.package = std::move(package.rows);
        }
        files.temaPath = subjectFile(folder, subject_files::topics);
        files.woprosPath = subjectFile(folder, subject_files::questions);
        files.otwetPath = subjectFile(folder, subject_files::answers);
        AnswerCodes answerCodes;
        const QuestionSet set = buildKeywordSet(files, kind, word1, word2, &answerCodes);
        writeTempFile(subjectFile(folder, subject_files::temp), set);
        empty = set.empty();
        candidates = setCandidates(set, files.otwetPath, 1, INT_MAX, app.questionLimit, &answerCodes);
    });
    if (!built)
        return;
    if (empty) {
        keywords().Slovo1->setEditText(QStringLiteral("Нет такого слова"));
        keywords().NaidSlov->setText(QStringLiteral("0"));
        return;
    }
    const int count = int(candidates.questions.size());
    if (!startSet(std::move(candidates), title, QString()))
        return;
    keywords().NaidSlov->setText(QString::number(count));
    if (count > 0) {
        QLabel* note = form_.questionArea->PictureNote;
        note->setText(QStringLiteral("Тема: ") + title);
        note->show();
    }
}

bool SetCommands::startSet(SetCandidates candidates, const QString& title, const QString& packageName)
{
    AppState& app = form_.state();
    StartSource source;
    source.candidates = std::move(candidates.questions);
    source.answers = std::move(candidates.answers);
    source.shuffle = app.shuffle;
    source.questionLimit = app.questionLimit;
    source.maxTime = form_.testSettings->MaxTime->value();
    source.keyMultiplier = kSetKeyMultiplier;
    source.title = title;
    source.packageName = packageName;
    TestRun& run = form_.testRun();
    run.lockForTest();
    try {
        run.begin(buildStart(std::move(source), randomSource()));
    } catch (const Error& e) {
        run.unlockAfterTest();
        dialogs::error(&form_, e.message());
        return false;
    }
    return true;
}

} // namespace tavel
