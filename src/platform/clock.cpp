// The program-wide clock.
#include "platform/clock.h"

namespace tavel {
namespace {

const Clock* replacement = nullptr;

} // namespace

const Clock& activeClock()
{
    static const SystemClock system;
    return replacement ? *replacement : system;
}

void setActiveClock(const Clock* clock)
{
    replacement = clock;
}

QDateTime clockNow()
{
    return activeClock().now();
}

} // namespace tavel
