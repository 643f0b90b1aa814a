// Multimedia timer: periodic and one-shot events with a callback thread each, on the steady clock.
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "media/mm_clock.h"
#include "media/mm_timer_events.h"
#include "media/mmsystem.h"

namespace {

constexpr UINT kPeriodMin = 1;
constexpr UINT kPeriodMax = 1000000;

struct TimerEvent {
    UINT id = 0;
    UINT delay = 0;
    bool periodic = false;
    LPTIMECALLBACK callback = nullptr;
    DWORD_PTR user = 0;
    bool manual = false;
    double start = 0;      // a manual event's start on the manual clock
    int64_t slot = 1;      // a manual event's next slot
    bool running = false;  // a manual event whose callback is running

    std::mutex mutex;
    std::condition_variable wake;
    bool cancelled = false;
    std::thread thread;  // real events only; joined or detached by whoever removes the event
};

std::mutex g_tableMutex;
std::map<UINT, std::shared_ptr<TimerEvent>> g_events;
UINT g_nextId = 1;

// Removes an event from the table; the caller then owns its thread.
std::shared_ptr<TimerEvent> TakeEvent(UINT id)
{
    std::lock_guard<std::mutex> lock(g_tableMutex);
    auto it = g_events.find(id);
    if (it == g_events.end())
        return nullptr;
    std::shared_ptr<TimerEvent> event = it->second;
    g_events.erase(it);
    return event;
}

// The slot after `slot` for a callback that returned `elapsed` ms after the event's start: slot k falls at
// start + k x delay, so lateness never accumulates, and a callback that overran whole periods skips the slots
// it missed instead of bursting.
int64_t NextSlot(int64_t slot, double delay, double elapsed)
{
    ++slot;
    if (slot * delay <= elapsed)
        slot = static_cast<int64_t>(elapsed / delay) + 1;
    return slot;
}

// Body of a real event's thread.
void RunEvent(std::shared_ptr<TimerEvent> event, std::chrono::steady_clock::time_point start)
{
    const std::chrono::milliseconds delay(event->delay);
    int64_t slot = 1;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(event->mutex);
            if (event->wake.wait_until(lock, start + slot * delay, [&] { return event->cancelled; }))
                return;
        }
        event->callback(event->id, 0, event->user, 0, 0);
        if (!event->periodic) {
            // A one-shot event ends itself unless a kill has already taken it.
            if (std::shared_ptr<TimerEvent> self = TakeEvent(event->id))
                self->thread.detach();
            return;
        }
        const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
        slot = NextSlot(slot, event->delay, elapsed.count());
    }
}

}  // namespace

MMRESULT timeGetDevCaps(LPTIMECAPS ptc, UINT cbtc)
{
    if (ptc == nullptr || cbtc < sizeof(TIMECAPS))
        return TIMERR_NOCANDO;
    ptc->wPeriodMin = kPeriodMin;
    ptc->wPeriodMax = kPeriodMax;
    return TIMERR_NOERROR;
}

// Every event already runs at the clock's full resolution; the period calls only check their argument.
MMRESULT timeBeginPeriod(UINT uPeriod)
{
    return uPeriod >= kPeriodMin && uPeriod <= kPeriodMax ? TIMERR_NOERROR : TIMERR_NOCANDO;
}

MMRESULT timeEndPeriod(UINT uPeriod) { return timeBeginPeriod(uPeriod); }

MMRESULT timeSetEvent(UINT uDelay, UINT uResolution, LPTIMECALLBACK fptc, DWORD_PTR dwUser, UINT fuEvent)
{
    if (fptc == nullptr || uDelay < kPeriodMin || uDelay > kPeriodMax)
        return 0;
    // Only function callbacks; every kill waits for a running callback anyway.
    if ((fuEvent & ~static_cast<UINT>(TIME_PERIODIC | TIME_KILL_SYNCHRONOUS)) != 0)
        return 0;
    auto event = std::make_shared<TimerEvent>();
    event->delay = uDelay;
    event->periodic = (fuEvent & TIME_PERIODIC) != 0;
    event->callback = fptc;
    event->user = dwUser;
    event->manual = timeManualClockIsOn();
    event->start = MmClockNow();

    std::lock_guard<std::mutex> lock(g_tableMutex);
    do {
        event->id = g_nextId++;
    } while (event->id == 0 || g_events.count(event->id) != 0);
    if (!event->manual) {
        // Created under the table lock, so that the thread never sees its own thread object half set.
        event->thread = std::thread(RunEvent, event, std::chrono::steady_clock::now());
    }
    g_events[event->id] = event;
    return event->id;
}

MMRESULT timeKillEvent(UINT uTimerID)
{
    std::shared_ptr<TimerEvent> event = TakeEvent(uTimerID);
    if (event == nullptr)
        return MMSYSERR_INVALPARAM;
    {
        std::lock_guard<std::mutex> lock(event->mutex);
        event->cancelled = true;
    }
    event->wake.notify_all();
    if (event->thread.joinable()) {
        // From its own callback the thread cannot wait for itself; it ends when the callback returns.
        if (event->thread.get_id() == std::this_thread::get_id())
            event->thread.detach();
        else
            event->thread.join();
    }
    return TIMERR_NOERROR;
}

bool RunNextManualTimer(double target)
{
    std::shared_ptr<TimerEvent> next;
    double due = 0;
    {
        std::lock_guard<std::mutex> lock(g_tableMutex);
        for (auto& [id, event] : g_events) {
            const double slot = event->start + static_cast<double>(event->slot) * event->delay;
            if (event->manual && !event->running && slot <= target && (next == nullptr || slot < due)) {
                next = event;
                due = slot;
            }
        }
        if (next == nullptr)
            return false;
        next->running = true;
    }
    SetManualClock(due);
    // The callback may advance the clock itself, as a callback that takes time.
    next->callback(next->id, 0, next->user, 0, 0);
    std::lock_guard<std::mutex> lock(g_tableMutex);
    next->running = false;
    auto it = g_events.find(next->id);
    if (it != g_events.end() && it->second == next) {
        if (next->periodic)
            next->slot = NextSlot(next->slot, next->delay, MmClockNow() - next->start);
        else
            g_events.erase(it);
    }
    return true;
}
