// CTime (a point in time, seconds since 1970) and CTimeSpan (a length of time) of the class library.
#pragma once

#include <ctime>

#include "kernel/cstring.h"
#include "kernel/windef.h"

class CTimeSpan {
public:
    CTimeSpan() = default;
    CTimeSpan(time_t seconds) : m_span(seconds) {}
    CTimeSpan(LONG days, int hours, int minutes, int seconds)
        : m_span(((static_cast<time_t>(days) * 24 + hours) * 60 + minutes) * 60 + seconds)
    {
    }

    LONGLONG GetDays() const { return m_span / 86400; }
    LONGLONG GetTotalHours() const { return m_span / 3600; }
    LONG GetHours() const { return static_cast<LONG>(GetTotalHours() - GetDays() * 24); }
    LONGLONG GetTotalMinutes() const { return m_span / 60; }
    LONG GetMinutes() const { return static_cast<LONG>(GetTotalMinutes() - GetTotalHours() * 60); }
    LONGLONG GetTotalSeconds() const { return m_span; }
    LONG GetSeconds() const { return static_cast<LONG>(GetTotalSeconds() - GetTotalMinutes() * 60); }
    time_t GetTimeSpan() const { return m_span; }
    // %D days, %H hours, %M minutes, %S seconds, %% a percent sign.
    CString Format(const char* format) const;

    CTimeSpan operator+(CTimeSpan other) const { return CTimeSpan(m_span + other.m_span); }
    CTimeSpan operator-(CTimeSpan other) const { return CTimeSpan(m_span - other.m_span); }
    CTimeSpan& operator+=(CTimeSpan other)
    {
        m_span += other.m_span;
        return *this;
    }
    CTimeSpan& operator-=(CTimeSpan other)
    {
        m_span -= other.m_span;
        return *this;
    }
    auto operator<=>(const CTimeSpan&) const = default;

private:
    time_t m_span = 0;
};

class CTime {
public:
    CTime() = default;
    CTime(time_t time) : m_time(time) {}
    // Local date and time; dst -1 lets the C library decide daylight saving.
    CTime(int year, int month, int day, int hour, int minute, int second, int dst = -1);
    CTime(const SYSTEMTIME& systemTime, int dst = -1);
    // A file time (UTC) names the same instant.
    CTime(const FILETIME& fileTime, int dst = -1);

    static CTime GetCurrentTime();

    time_t GetTime() const { return m_time; }
    int GetYear() const { return Local().tm_year + 1900; }
    int GetMonth() const { return Local().tm_mon + 1; }
    int GetDay() const { return Local().tm_mday; }
    int GetHour() const { return Local().tm_hour; }
    int GetMinute() const { return Local().tm_min; }
    int GetSecond() const { return Local().tm_sec; }
    int GetDayOfWeek() const { return Local().tm_wday + 1; }  // 1 = Sunday
    struct tm* GetLocalTm(struct tm* out) const;
    struct tm* GetGmtTm(struct tm* out) const;
    BOOL GetAsSystemTime(SYSTEMTIME& systemTime) const;
    // strftime formats of the local or the universal time.
    CString Format(const char* format) const;
    CString FormatGmt(const char* format) const;

    CTimeSpan operator-(CTime other) const { return CTimeSpan(m_time - other.m_time); }
    CTime operator+(CTimeSpan span) const { return CTime(m_time + span.GetTimeSpan()); }
    CTime operator-(CTimeSpan span) const { return CTime(m_time - span.GetTimeSpan()); }
    CTime& operator+=(CTimeSpan span)
    {
        m_time += span.GetTimeSpan();
        return *this;
    }
    CTime& operator-=(CTimeSpan span)
    {
        m_time -= span.GetTimeSpan();
        return *this;
    }
    auto operator<=>(const CTime&) const = default;

private:
    struct tm Local() const;
    time_t m_time = 0;
};
