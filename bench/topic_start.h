// What tavel-bench and tavel-start-memory share: the topic they start (the
// middle one of a generated subject's Tema.dat) and Start as the main window
// runs it once the topic is chosen (TestRun::StartClick and TestRun::begin).
#pragma once

#include "platform/random.h"
#include "session/session_state.h"
#include "session/test_start.h"

#include <QProgressBar>

namespace tavel::bench {

// The request for the middle topic of the subject in `home`/`folderName`.
// Throws Error when Tema.dat holds no topic.
StartRequest middleTopicRequest(const QString& home, const QString& folderName);

// The question list and the answer table built with the gauge's progress,
// the running test started, the first question presented. Returns the
// running test; throws Error as prepareTopic does.
SessionState startTopic(const QString& home, const StartRequest& request, QProgressBar& gauge, RandomSource& random);

} // namespace tavel::bench
