// Time conversions and clocks over the C library and clock_gettime.
#include "kernel/file_time.h"

#include <chrono>
#include <thread>

namespace {

const ULONGLONG kUnixEpochIn100ns = 116444736000000000ull;

ULONGLONG ToU64(const FILETIME& ft) { return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime; }

FILETIME FromU64(ULONGLONG v) { return FILETIME{static_cast<DWORD>(v), static_cast<DWORD>(v >> 32)}; }

long long UtcOffsetSeconds(time_t at)
{
    struct tm local;
    localtime_r(&at, &local);
    return local.tm_gmtoff;
}

SYSTEMTIME FromTm(const struct tm& t, WORD milliseconds)
{
    return SYSTEMTIME{static_cast<WORD>(t.tm_year + 1900), static_cast<WORD>(t.tm_mon + 1),
                      static_cast<WORD>(t.tm_wday),        static_cast<WORD>(t.tm_mday),
                      static_cast<WORD>(t.tm_hour),        static_cast<WORD>(t.tm_min),
                      static_cast<WORD>(t.tm_sec),         milliseconds};
}

long long MonotonicNanoseconds()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000ll + ts.tv_nsec;
}

}  // namespace

FILETIME FileTimeFromUnix(time_t seconds, long nanoseconds)
{
    return FromU64(kUnixEpochIn100ns + static_cast<ULONGLONG>(seconds) * 10000000ull +
                   static_cast<ULONGLONG>(nanoseconds / 100));
}

time_t UnixFromFileTime(const FILETIME& fileTime)
{
    return static_cast<time_t>((static_cast<long long>(ToU64(fileTime)) - static_cast<long long>(kUnixEpochIn100ns)) /
                               10000000ll);
}

BOOL FileTimeToLocalFileTime(const FILETIME* fileTime, FILETIME* localFileTime)
{
    if (!fileTime || !localFileTime)
        return FALSE;
    long long offset = UtcOffsetSeconds(UnixFromFileTime(*fileTime));
    *localFileTime = FromU64(ToU64(*fileTime) + static_cast<ULONGLONG>(offset * 10000000ll));
    return TRUE;
}

BOOL LocalFileTimeToFileTime(const FILETIME* localFileTime, FILETIME* fileTime)
{
    if (!fileTime || !localFileTime)
        return FALSE;
    long long offset = UtcOffsetSeconds(UnixFromFileTime(*localFileTime));
    *fileTime = FromU64(ToU64(*localFileTime) - static_cast<ULONGLONG>(offset * 10000000ll));
    return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime)
{
    if (!fileTime || !systemTime)
        return FALSE;
    ULONGLONG v = ToU64(*fileTime);
    time_t seconds = UnixFromFileTime(*fileTime);
    struct tm t;
    if (!gmtime_r(&seconds, &t))
        return FALSE;
    *systemTime = FromTm(t, static_cast<WORD>((v / 10000) % 1000));
    return TRUE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, FILETIME* fileTime)
{
    if (!fileTime || !systemTime || systemTime->wMonth < 1 || systemTime->wMonth > 12 || systemTime->wDay < 1 ||
        systemTime->wDay > 31 || systemTime->wHour > 23 || systemTime->wMinute > 59 || systemTime->wSecond > 59 ||
        systemTime->wMilliseconds > 999)
        return FALSE;
    struct tm t = {};
    t.tm_year = systemTime->wYear - 1900;
    t.tm_mon = systemTime->wMonth - 1;
    t.tm_mday = systemTime->wDay;
    t.tm_hour = systemTime->wHour;
    t.tm_min = systemTime->wMinute;
    t.tm_sec = systemTime->wSecond;
    *fileTime = FileTimeFromUnix(timegm(&t), systemTime->wMilliseconds * 1000000l);
    return TRUE;
}

LONG CompareFileTime(const FILETIME* a, const FILETIME* b)
{
    ULONGLONG x = ToU64(*a), y = ToU64(*b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

void GetLocalTime(SYSTEMTIME* systemTime)
{
    timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    struct tm t;
    localtime_r(&ts.tv_sec, &t);
    *systemTime = FromTm(t, static_cast<WORD>(ts.tv_nsec / 1000000));
}

void GetSystemTime(SYSTEMTIME* systemTime)
{
    timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    struct tm t;
    gmtime_r(&ts.tv_sec, &t);
    *systemTime = FromTm(t, static_cast<WORD>(ts.tv_nsec / 1000000));
}

void GetSystemTimeAsFileTime(FILETIME* fileTime)
{
    timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    *fileTime = FileTimeFromUnix(ts.tv_sec, ts.tv_nsec);
}

DWORD GetTickCount() { return static_cast<DWORD>(MonotonicNanoseconds() / 1000000); }

BOOL QueryPerformanceCounter(LARGE_INTEGER* count)
{
    count->QuadPart = MonotonicNanoseconds();
    return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency)
{
    frequency->QuadPart = 1000000000ll;
    return TRUE;
}

void Sleep(DWORD milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
