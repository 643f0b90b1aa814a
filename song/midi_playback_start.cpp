// Starting and stopping playback: the start toggle on its worker thread and the stop request.
#include <thread>

#include "media/mmsystem.h"
#include "song/midi_playback.h"
#include "song/score.h"

void CScore::StartPlaybackThread()
{
    // The worker only starts or stops the timer; it reaches windows through posts alone.
    std::thread([this] { StartPlayback(); }).detach();
}

void CScore::StartPlayback()
{
    ScoreLock lock(this);
    tempoChanged = 0;
    if (playState == 1) {
        StopPlaybackTimer();
        PostPlaybackPosition(*this, 0);
        return;
    }
    if (playState != 2)
        return;
    // A reset during playback stops the song without its timer: end that timer before starting another.
    const UINT leftover = timerId;
    Unlock();
    timeKillEvent(leftover);
    Lock();
    if (playState != 2)
        return;
    playState = 1;
    RewindPlayback(0);
    TIMECAPS caps{};
    timeGetDevCaps(&caps, sizeof caps);
    timerResolution = static_cast<uint8_t>(caps.wPeriodMin & 0xFF);
    msPerTick = 60000.0 / tempo / division;
    songEndTick = 0;
    timeBeginPeriod(timerResolution);
    timerId =
        timeSetEvent(timerPeriod, timerResolution, PlaybackTimerProc, reinterpret_cast<DWORD_PTR>(this), TIME_PERIODIC);
    if (timerId == 0) {
        // Without a timer nothing would ever move: report the song as stopped at once.
        timeEndPeriod(timerResolution);
        playState = 2;
        PostPlaybackPosition(*this, -1);
        return;
    }
    startTime = static_cast<double>(timeGetTime());
}

void CScore::StopPlayback()
{
    ScoreLock lock(this);
    if (playState == 1)
        StopPlaybackTimer();
    PostPlaybackPosition(*this, -1);
}

void CScore::StopPlaybackTimer()
{
    playState = 2;
    const UINT id = timerId;
    // The callback takes the song's lock: release it while the timer is waited for.
    Unlock();
    timeKillEvent(id);
    Lock();
    timeEndPeriod(timerResolution);
    AllNotesOff();
}
