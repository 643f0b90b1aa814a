// QueryTimer and PauseFrameTimer on the monotonic clock.
#include "converter/frame_timer.h"

#include <chrono>

namespace {

struct TimerState {
    bool stopped = false;
    long long stopTime = 0;
    long long baseTime = 0;
    long long lastTime = 0;
};

TimerState s_timer;
int s_pauseCount = 0;

long long Now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

constexpr double kPerSecond = 1e9;

}  // namespace

double QueryTimer(int command)
{
    // While stopped the clock reads the stop time, except for start and the absolute time.
    long long now = (s_timer.stopped && command != 1 && command != 4) ? s_timer.stopTime : Now();
    switch (command) {
    case 0:
        s_timer.stopTime = 0;
        s_timer.stopped = false;
        s_timer.baseTime = now;
        s_timer.lastTime = now;
        return 0;
    case 1:
        if (s_timer.stopped)
            s_timer.baseTime += now - s_timer.stopTime;
        s_timer.stopTime = 0;
        s_timer.stopped = false;
        s_timer.lastTime = now;
        return 0;
    case 2:
        if (s_timer.stopped)
            return 0;
        s_timer.stopTime = now;
        s_timer.lastTime = now;
        s_timer.stopped = true;
        return 0;
    case 3: s_timer.stopTime += static_cast<long long>(kPerSecond / 10); return 0;
    case 4: return now / kPerSecond;
    case 5: return (now - s_timer.baseTime) / kPerSecond;
    case 6: {
        double elapsed = (now - s_timer.lastTime) / kPerSecond;
        s_timer.lastTime = now;
        return elapsed;
    }
    default: return -1;
    }
}

int PauseFrameTimer(int pause)
{
    if (pause) {
        if (s_pauseCount++ == 0)
            QueryTimer(2);
    } else if (--s_pauseCount == 0) {
        QueryTimer(1);
    }
    return s_pauseCount;
}
