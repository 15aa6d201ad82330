// The loading steps of start-up, in their order: the installation folder made
// current, the subject catalogue, the users, the settings, the code table and
// the colour file. Missing catalogue, users, settings and colour files are
// created with their defaults. The first step that fails ends the sequence:
// its message is returned and the state keeps what was loaded before it.
#pragma once

#include "session/app_state.h"
#include "storage/colours.h"
#include "storage/settings.h"

#include <QDate>
#include <optional>

namespace tavel {

struct StartupLoad {
    bool catalogueRead = false; // state.catalogue and state.subjectFolder set
    bool usersRead = false;     // state.users set
    // Settings lines as far as they were read (defaults after a failing line);
    // the question time, limit and thresholds of the state follow them.
    bool settingsApplied = false;
    Settings settings;
    std::optional<ColourValue> windowColour; // settings line 3
    bool codeTableRead = false;
    ColourFile colours; // read from the colour file when it existed
    bool coloursRead = false;
    std::optional<QString> error; // the message of the step that failed
};

// Runs the sequence on `state.home`. `today` dates the default users.
StartupLoad loadSharedFiles(AppState& state, QDate today);

} // namespace tavel
