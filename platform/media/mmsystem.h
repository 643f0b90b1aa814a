// Multimedia services: MIDI output and input devices, the multimedia timer and their result codes.
#pragma once

#include "kernel/windef.h"

typedef UINT MMRESULT;
typedef UINT MMVERSION;

#define MMSYSERR_NOERROR 0
#define MMSYSERR_ERROR 1
#define MMSYSERR_BADDEVICEID 2
#define MMSYSERR_ALLOCATED 4
#define MMSYSERR_INVALHANDLE 5
#define MMSYSERR_NODRIVER 6
#define MMSYSERR_INVALFLAG 10
#define MMSYSERR_INVALPARAM 11
#define MIDIERR_NODEVICE 68
#define TIMERR_NOERROR 0
#define TIMERR_NOCANDO 97

#define MAXPNAMELEN 32
#define MIDI_MAPPER ((UINT)-1)

// midiOutOpen / midiInOpen callback kinds (only CALLBACK_NULL is supported).
#define CALLBACK_TYPEMASK 0x00070000L
#define CALLBACK_NULL 0x00000000L

// Technology of an output device.
#define MOD_MIDIPORT 1
#define MOD_SYNTH 2
#define MOD_SWSYNTH 7

#define MIDICAPS_VOLUME 0x0001

// Multimedia timer kinds.
#define TIME_ONESHOT 0x0000
#define TIME_PERIODIC 0x0001
#define TIME_CALLBACK_FUNCTION 0x0000
#define TIME_KILL_SYNCHRONOUS 0x0100

struct MIDIOUTCAPSA {
    WORD wMid;
    WORD wPid;
    MMVERSION vDriverVersion;
    CHAR szPname[MAXPNAMELEN];
    WORD wTechnology;
    WORD wVoices;
    WORD wNotes;
    WORD wChannelMask;
    DWORD dwSupport;
};
typedef MIDIOUTCAPSA* LPMIDIOUTCAPSA;
static_assert(sizeof(MIDIOUTCAPSA) == 52, "MIDIOUTCAPSA is 52 bytes");

struct MIDIINCAPSA {
    WORD wMid;
    WORD wPid;
    MMVERSION vDriverVersion;
    CHAR szPname[MAXPNAMELEN];
    DWORD dwSupport;
};
typedef MIDIINCAPSA* LPMIDIINCAPSA;
static_assert(sizeof(MIDIINCAPSA) == 44, "MIDIINCAPSA is 44 bytes");

typedef HMIDIOUT* LPHMIDIOUT;
typedef HMIDIIN* LPHMIDIIN;

struct TIMECAPS {
    UINT wPeriodMin;
    UINT wPeriodMax;
};
typedef TIMECAPS* LPTIMECAPS;

typedef void(CALLBACK* LPTIMECALLBACK)(UINT uTimerID, UINT uMsg, DWORD_PTR dwUser, DWORD_PTR dw1, DWORD_PTR dw2);

// MIDI output. Device 0 is the built-in software synthesizer; the ALSA sequencer's writable ports follow.
UINT midiOutGetNumDevs();
MMRESULT midiOutGetDevCapsA(UINT_PTR uDeviceID, LPMIDIOUTCAPSA pmoc, UINT cbmoc);
MMRESULT midiOutOpen(LPHMIDIOUT phmo, UINT uDeviceID, DWORD_PTR dwCallback, DWORD_PTR dwInstance, DWORD fdwOpen);
MMRESULT midiOutShortMsg(HMIDIOUT hmo, DWORD dwMsg);
MMRESULT midiOutReset(HMIDIOUT hmo);
MMRESULT midiOutClose(HMIDIOUT hmo);

// MIDI input: the ALSA sequencer's readable ports.
UINT midiInGetNumDevs();
MMRESULT midiInGetDevCapsA(UINT_PTR uDeviceID, LPMIDIINCAPSA pmic, UINT cbmic);
MMRESULT midiInOpen(LPHMIDIIN phmi, UINT uDeviceID, DWORD_PTR dwCallback, DWORD_PTR dwInstance, DWORD fdwOpen);
MMRESULT midiInClose(HMIDIIN hmi);

// Multimedia timer: callbacks run on a thread of their own, periodic slots never drift from the start;
// timeKillEvent returns once the callback has finished (unless called from the callback itself).
MMRESULT timeGetDevCaps(LPTIMECAPS ptc, UINT cbtc);
MMRESULT timeBeginPeriod(UINT uPeriod);
MMRESULT timeEndPeriod(UINT uPeriod);
MMRESULT timeSetEvent(UINT uDelay, UINT uResolution, LPTIMECALLBACK fptc, DWORD_PTR dwUser, UINT fuEvent);
MMRESULT timeKillEvent(UINT uTimerID);
DWORD timeGetTime();
