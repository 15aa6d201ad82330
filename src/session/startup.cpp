// The start-up loading sequence of the shared files.
#include "session/startup.h"

#include "storage/atomic_save.h"
#include "storage/error.h"
#include "storage/shared_files.h"
#include "storage/text.h"

#include <QDir>
#include <QFileInfo>

namespace tavel {
namespace {

void readCatalogue(AppState& state, StartupLoad& load)
{
    ensureCatalogue(state.home);
    const QString path = state.home.path(paths::catalogue);
    std::vector<SubjectRecord> records = readRecords<SubjectRecord>(path);
    if (records.empty())
        throw Error(QStringLiteral("Каталог предметов %1 пуст: в нём нет ни одной записи")
                        .arg(QDir::toNativeSeparators(path)));
    state.subjectFolder = records.front().folderName;
    state.catalogue = std::move(records);
    load.catalogueRead = true;
}

void readUsers(AppState& state, StartupLoad& load, QDate today)
{
    ensureUsers(state.home, today);
    state.users = loadUsers(state.home.path(paths::users));
    load.usersRead = true;
}

void readSettings(AppState& state, StartupLoad& load)
{
    ensureSettingsFile(state.home);
    const QString path = state.home.path(paths::settings);
    std::optional<QString> failure;
    try {
        readSettingsFile(path, load.settings);
    } catch (const Error& e) {
        failure = e.message();
    }
    // Line 3 is converted right after it is read: a bad colour stops the
    // reading before the numbers.
    load.windowColour = parseColourText(trimmed(load.settings.colourText));
    if (!load.windowColour)
        throw Error(QStringLiteral("%1, строка 3: «%2» — не цвет")
                        .arg(QDir::toNativeSeparators(path), load.settings.colourText));
    const Settings& s = load.settings;
    state.questionSeconds = s.questionSeconds;
    state.variantSeconds = s.variantSeconds;
    state.gradeThree = s.gradeThree;
    state.gradeFour = s.gradeFour;
    state.gradeFive = s.gradeFive;
    state.questionLimit = s.questionLimit;
    load.settingsApplied = true;
    if (failure)
        throw Error(*failure);
    state.hintMode = kHintsOn;
}

void readColours(AppState& state, StartupLoad& load)
{
    const QString path = state.home.path(paths::colours);
    if (QFileInfo::exists(path)) {
        load.colours = readColourFile(path);
        load.coloursRead = true;
    } else {
        ensureColourFile(state.home);
    }
}

} // namespace

StartupLoad loadSharedFiles(AppState& state, QDate today)
{
    StartupLoad load;
    try {
        if (!QFileInfo(state.home.root()).isDir() || !QDir::setCurrent(state.home.root()))
            throw Error(QStringLiteral("Нет папки установки %1").arg(QDir::toNativeSeparators(state.home.root())));
        state.hintMode = kHintsOn;
        state.shuffle = true;
        state.questionSeconds = 900;
        // A save killed before its rename left its temporary file beside the
        // intact former file.
        removeInterruptedSavesIn(QFileInfo(state.home.path(paths::catalogue)).absolutePath());
        readCatalogue(state, load);
        readUsers(state, load, today);
        readSettings(state, load);
        state.codeTable = readCodeTable(state.home.path(paths::codeTable));
        load.codeTableRead = true;
        readColours(state, load);
    } catch (const Error& e) {
        load.error = e.message();
    } catch (const std::exception& e) {
        load.error = QString::fromUtf8(e.what());
    }
    return load;
}

} // namespace tavel
