// FILETIME (100 ns steps since 1601, UTC) and SYSTEMTIME conversions, local time and the clocks.
#pragma once

#include <ctime>

#include "kernel/windef.h"

BOOL FileTimeToLocalFileTime(const FILETIME* fileTime, FILETIME* localFileTime);
BOOL LocalFileTimeToFileTime(const FILETIME* localFileTime, FILETIME* fileTime);
BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime);
BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, FILETIME* fileTime);
LONG CompareFileTime(const FILETIME* a, const FILETIME* b);
void GetLocalTime(SYSTEMTIME* systemTime);
void GetSystemTime(SYSTEMTIME* systemTime);
void GetSystemTimeAsFileTime(FILETIME* fileTime);

// Milliseconds since an arbitrary start (the system's monotonic clock), wrapping at 2^32.
DWORD GetTickCount();
BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);
void Sleep(DWORD milliseconds);

// Conversions between FILETIME and a POSIX time with nanoseconds.
FILETIME FileTimeFromUnix(time_t seconds, long nanoseconds);
time_t UnixFromFileTime(const FILETIME& fileTime);
