// Multimedia timer: periodic slots on the real clock, kills from inside callbacks, the manual clock.
#include <gtest/gtest.h>

#include <algorithm>
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
    int busyMs = 0;   // time each callback takes
};

void CALLBACK Record(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    auto* fires = reinterpret_cast<Fires*>(user);
    {
        std::lock_guard<std::mutex> lock(fires->mutex);
        fires->times.push_back(MmClockNow());
    }
    if (fires->busyMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(fires->busyMs));
    const int n = ++fires->count;
    if (fires->killAt != 0 && static_cast<UINT>(n) == fires->killAt) {
        EXPECT_EQ(TIMERR_NOERROR, timeKillEvent(id));
    }
}

void WaitFor(const std::atomic<int>& count, int n) {
    for (int i = 0; i < 400 && count.load() < n; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

}  // namespace

TEST(MmTimer, CapsAndPeriods) {
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

TEST(MmTimer, PeriodicSlotsDoNotDrift) {
    Fires fires;
    fires.busyMs = 8;  // a timer that waited a period after each callback would fire every 28 ms
    const double start = MmClockNow();
    UINT id = timeSetEvent(20, 1, Record, reinterpret_cast<DWORD_PTR>(&fires), TIME_PERIODIC);
    ASSERT_NE(0u, id);
    WaitFor(fires.count, 10);
    EXPECT_EQ(TIMERR_NOERROR, timeKillEvent(id));
    const int after = fires.count.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(after, fires.count.load()) << "no callback after the kill has returned";
    ASSERT_GE(fires.times.size(), 10u);
    // Fire k never comes before its slot, and the callbacks' own time does not push the slots back:
    // most intervals stay at the period (a late fire is followed by a short one or a skipped slot).
    for (size_t k = 0; k < 10; ++k) EXPECT_GE(fires.times[k], start + 20.0 * (k + 1) - 1.0);
    std::vector<double> intervals;
    for (size_t k = 1; k < 10; ++k) intervals.push_back(fires.times[k] - fires.times[k - 1]);
    std::sort(intervals.begin(), intervals.end());
    EXPECT_LT(intervals[intervals.size() / 2], 24.0);
}

TEST(MmTimer, KillFromInsideItsOwnCallback) {
    Fires fires;
    fires.killAt = 3;
    UINT id = timeSetEvent(2, 1, Record, reinterpret_cast<DWORD_PTR>(&fires), TIME_PERIODIC);
    ASSERT_NE(0u, id);
    WaitFor(fires.count, 3);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(3, fires.count.load());
    EXPECT_EQ(static_cast<MMRESULT>(MMSYSERR_INVALPARAM), timeKillEvent(id));
}

TEST(MmTimer, OneShotEndsByItself) {
    Fires fires;
    UINT id = timeSetEvent(3, 1, Record, reinterpret_cast<DWORD_PTR>(&fires), TIME_ONESHOT);
    ASSERT_NE(0u, id);
    WaitFor(fires.count, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(15));
    EXPECT_EQ(1, fires.count.load());
    EXPECT_EQ(static_cast<MMRESULT>(MMSYSERR_INVALPARAM), timeKillEvent(id));
}

TEST(MmTimer, ManualClockRunsCallbacksAtTheirSlots) {
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
