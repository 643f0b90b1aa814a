// CTime and CTimeSpan conversions and formatting.
#include "kernel/time_classes.h"

#include "kernel/file_time.h"

CString CTimeSpan::Format(const char* format) const
{
    CString out;
    for (const char* p = format ? format : ""; *p; ++p) {
        if (*p != '%' || !p[1]) {
            out += *p;
            continue;
        }
        CString piece;
        switch (*++p) {
        case 'D': piece.Format("%lld", static_cast<long long>(GetDays())); break;
        case 'H': piece.Format("%02ld", static_cast<long>(GetHours())); break;
        case 'M': piece.Format("%02ld", static_cast<long>(GetMinutes())); break;
        case 'S': piece.Format("%02ld", static_cast<long>(GetSeconds())); break;
        default: piece = CString(*p); break;
        }
        out += piece;
    }
    return out;
}

CTime::CTime(int year, int month, int day, int hour, int minute, int second, int dst)
{
    struct tm t = {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = dst < 0 ? -1 : (dst > 0);
    m_time = mktime(&t);
}

CTime::CTime(const SYSTEMTIME& systemTime, int dst)
    : CTime(systemTime.wYear, systemTime.wMonth, systemTime.wDay, systemTime.wHour, systemTime.wMinute,
            systemTime.wSecond, dst)
{
}

CTime::CTime(const FILETIME& fileTime, int) : m_time(UnixFromFileTime(fileTime)) {}

CTime CTime::GetCurrentTime() { return CTime(time(nullptr)); }

struct tm CTime::Local() const
{
    struct tm t = {};
    localtime_r(&m_time, &t);
    return t;
}

struct tm* CTime::GetLocalTm(struct tm* out) const { return out ? localtime_r(&m_time, out) : nullptr; }

struct tm* CTime::GetGmtTm(struct tm* out) const { return out ? gmtime_r(&m_time, out) : nullptr; }

BOOL CTime::GetAsSystemTime(SYSTEMTIME& systemTime) const
{
    struct tm t;
    if (!localtime_r(&m_time, &t))
        return FALSE;
    systemTime = SYSTEMTIME{static_cast<WORD>(t.tm_year + 1900), static_cast<WORD>(t.tm_mon + 1),
                            static_cast<WORD>(t.tm_wday),        static_cast<WORD>(t.tm_mday),
                            static_cast<WORD>(t.tm_hour),        static_cast<WORD>(t.tm_min),
                            static_cast<WORD>(t.tm_sec),         0};
    return TRUE;
}

namespace {

CString FormatTm(const struct tm& t, const char* format)
{
    if (!format || !*format)
        return CString();
    char buffer[512];
    size_t n = strftime(buffer, sizeof buffer, format, &t);
    return CString(buffer, static_cast<int>(n));
}

}  // namespace

CString CTime::Format(const char* format) const { return FormatTm(Local(), format); }

CString CTime::FormatGmt(const char* format) const
{
    struct tm t = {};
    gmtime_r(&m_time, &t);
    return FormatTm(t, format);
}
