// Clock of the multimedia timer and timeGetTime, with a manual mode for tests.
#include "media/mm_clock.h"

#include <atomic>
#include <chrono>

#include "media/mm_timer_events.h"
#include "media/mmsystem.h"

namespace {

std::atomic<bool> g_manual{false};
std::atomic<double> g_manualNow{0.0};

}  // namespace

double MmClockNow()
{
    if (g_manual.load())
        return g_manualNow.load();
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double, std::milli>(since).count();
}

DWORD timeGetTime()
{
    // Whole milliseconds wrap at 2^32 as the system's tick count does.
    return static_cast<DWORD>(static_cast<uint64_t>(MmClockNow()));
}

void timeUseManualClock(bool on)
{
    if (on)
        g_manualNow.store(10000.0);
    g_manual.store(on);
}

bool timeManualClockIsOn() { return g_manual.load(); }

void timeAdvanceManualClock(DWORD ms)
{
    const double target = g_manualNow.load() + ms;
    while (RunNextManualTimer(target)) {
    }
    g_manualNow.store(target);
}

void SetManualClock(double now) { g_manualNow.store(now); }
