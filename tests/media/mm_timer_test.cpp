// Multimedia timer: kills on the real clock, from inside callbacks too; periodic slots on the manual clock.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "media/mm_clock.h"
#include "media/mmsystem.h"

namespace {

struct Fires {
    std::mutex mutex;
    std::vector<double> times;
    std::atomic<int> count{0};
    UINT killAt = 0;  // kill own event from the callback on this fire (0 = never)
};

void CALLBACK Record(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR)
{
    auto* fires = reinterpret_cast<Fires*>(user);
    {
        std::lock_guard<std::mutex> lock(fires->mutex);
        fires->times.push_back(MmClockNow());
    }
    const int n = ++fires->count;
    if (fires->killAt != 0 && static_cast<UINT>(n) == fires->killAt) {
        EXPECT_EQ(TIMERR_NOERROR, timeKillEvent(id));
    }
}

void WaitFor(const std::atomic<int>& count, int n)
{
    for (int i = 0; i < 2000 && count.load() < n; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

}  // namespace

TEST(MmTimer, CapsAndPeriods)
{
    TIMECAPS caps{};
    EXPECT_EQ(TIMERR_NOERROR, timeGetDevCaps(&caps, sizeof caps));
    EXPECT_EQ(1u, caps.wPeriodMin);
    EXPECT_EQ(TIMERR_NOCANDO, timeGetDevCaps(&caps, 4));
    EXPECT_EQ(TIMERR_NOERROR, timeBeginPeriod(caps.wPeriodMin));
    EXPECT_EQ(TIMERR_NOERROR, timeEndPeriod(caps.wPeriodMin));
    EXPECT_EQ(TIMERR_NOCANDO, timeBeginPeriod(0));
    EXPECT_EQ(0u, timeSetEvent(0, 1, Record, 0, TIME_PERIODIC));
    EXPECT_EQ(0u, timeSetEvent(10, 1, nullptr, 0, TIME_PERIODIC));
    EXPECT_EQ(static_cast<MMRESULT>(MMSYSERR_INVALPARAM), timeKillEvent(123456));
}

TEST(MmTimer, NoCallbackAfterTheKillHasReturned)
{
    Fires fires;
    UINT id = timeSetEvent(1, 1, Record, reinterpret_cast<DWORD_PTR>(&fires), TIME_PERIODIC);
    ASSERT_NE(0u, id);
    WaitFor(fires.count, 3);
    EXPECT_EQ(TIMERR_NOERROR, timeKillEvent(id));
    const int after = fires.count.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(after, fires.count.load());
}

// Callbacks that take time (they advance the manual clock themselves) do not push the slots back, and one
// that overruns whole periods skips the slots it missed.
TEST(MmTimer, PeriodicSlotsDoNotDrift)
{
    struct Busy {
        std::vector<double> times;
        std::vector<DWORD> spent;  // time each callback takes, in order
    } busy{{}, {8, 45, 8, 8, 8}};
    auto callback = [](UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
        auto* b = reinterpret_cast<Busy*>(user);
        b->times.push_back(MmClockNow());
        timeAdvanceManualClock(b->spent[b->times.size() - 1]);
    };
    timeUseManualClock(true);
    const double start = MmClockNow();
    UINT id = timeSetEvent(20, 1, callback, reinterpret_cast<DWORD_PTR>(&busy), TIME_PERIODIC);
    ASSERT_NE(0u, id);
    timeAdvanceManualClock(150);
    EXPECT_EQ(TIMERR_NOERROR, timeKillEvent(id));
    timeUseManualClock(false);
    EXPECT_EQ((std::vector<double>{start + 20, start + 40, start + 100, start + 120, start + 140}), busy.times);
}

TEST(MmTimer, KillFromInsideItsOwnCallback)
{
    Fires fires;
    fires.killAt = 3;
    UINT id = timeSetEvent(2, 1, Record, reinterpret_cast<DWORD_PTR>(&fires), TIME_PERIODIC);
    ASSERT_NE(0u, id);
    WaitFor(fires.count, 3);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(3, fires.count.load());
    EXPECT_EQ(static_cast<MMRESULT>(MMSYSERR_INVALPARAM), timeKillEvent(id));
}

TEST(MmTimer, OneShotEndsByItself)
{
    Fires fires;
    UINT id = timeSetEvent(3, 1, Record, reinterpret_cast<DWORD_PTR>(&fires), TIME_ONESHOT);
    ASSERT_NE(0u, id);
    WaitFor(fires.count, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(15));
    EXPECT_EQ(1, fires.count.load());
    EXPECT_EQ(static_cast<MMRESULT>(MMSYSERR_INVALPARAM), timeKillEvent(id));
}

TEST(MmTimer, ManualClockRunsCallbacksAtTheirSlots)
{
    timeUseManualClock(true);
    Fires periodic, once;
    periodic.killAt = 4;
    const double start = MmClockNow();
    EXPECT_EQ(10000u, timeGetTime());
    ASSERT_NE(0u, timeSetEvent(30, 1, Record, reinterpret_cast<DWORD_PTR>(&periodic), TIME_PERIODIC));
    ASSERT_NE(0u, timeSetEvent(45, 1, Record, reinterpret_cast<DWORD_PTR>(&once), TIME_ONESHOT));
    timeAdvanceManualClock(29);
    EXPECT_EQ(0, periodic.count.load());
    timeAdvanceManualClock(200);
    timeUseManualClock(false);
    EXPECT_EQ((std::vector<double>{start + 30, start + 60, start + 90, start + 120}), periodic.times);
    EXPECT_EQ(std::vector<double>{start + 45}, once.times);
}
