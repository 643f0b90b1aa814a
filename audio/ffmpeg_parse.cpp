// Parsers of ffmpeg's console output: times, progress and the input header.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "audio/ffmpeg_process.h"
#include "kernel/file_api.h"
#include "services/deliverable.h"

namespace {

CString Between(const std::string& text, size_t from, size_t to) { return CString(text.substr(from, to - from)); }

}  // namespace

double CFfmpegProcess::ParseTime(const CString& strTime)
{
    std::string t = static_cast<const char*>(strTime);
    size_t p = t.find(':');
    if (p == std::string::npos)
        return 0.0;
    size_t q = t.rfind(':');
    double hours = atof(t.substr(0, p).c_str());
    double minutes = q > p ? atof(t.substr(p + 1, q - p - 1).c_str()) : 0.0;
    double seconds = atof(t.substr(q + 1).c_str());
    return hours * 3600 + minutes * 60 + seconds;
}

void CFfmpegProcess::ParseProgress(const CString& strChunk)
{
    const char* chunk = strChunk;
    const char* p = strstr(chunk, "time=");
    if (!p || !(m_dDuration > 0))
        return;
    const char* q = strstr(p, " bitrate=");
    if (!q)
        return;
    std::string value(p + 5, q);
    // Today's ffmpeg prints the time as hh:mm:ss.xx, older ones as seconds.
    m_dTime = value.find(':') != std::string::npos ? ParseTime(CString(value)) : atof(value.c_str());
    // A garbled time must not turn into a percentage an int cannot hold.
    double percent = m_dTime / m_dDuration * 100;
    m_nPercent = !(percent >= 0) ? 0 : percent > 1e9 ? 1000000000 : static_cast<int>(percent);
}

void CFfmpegProcess::ParseLogHeader()
{
    m_szLogText[0] = 0;
    HANDLE file = CreateFile(m_strLogPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD got = 0;
        if (!ReadFile(file, m_szLogText, sizeof m_szLogText - 1, &got, nullptr))
            got = 0;
        m_szLogText[got] = 0;
        CloseHandle(file);
    }
    ParseHeaderText(m_szLogText);
}

void CFfmpegProcess::ParseHeaderText(const char* raw)
{
    std::string text = raw ? raw : "";
    size_t from = 0;

    size_t s = text.find("from '", from);
    from = 0;
    if (s != std::string::npos) {
        size_t e = text.find("':", s);
        if (e != std::string::npos) {
            m_strInputName = Between(text, s + 6, e);
            from = e;
        }
    }

    s = text.find("Duration: ", from);
    from = 0;
    if (s != std::string::npos) {
        size_t e = text.find(',', s);
        if (e != std::string::npos) {
            m_dDuration = ParseTime(Between(text, s + 10, e));
            from = e;
        }
    }

    // Video and audio are both searched from the end of the duration.
    s = text.find(": Video: ", from);
    if (s != std::string::npos) {
        size_t e = text.find(',', s);
        if (e == std::string::npos)
            return;
        m_strVideoInfo = Between(text, s + 9, e);
    }
    s = text.find(": Audio: ", from);
    if (s != std::string::npos) {
        size_t e = text.find(',', s);
        if (e == std::string::npos)
            return;
        m_strAudioInfo = Between(text, s + 9, e);
        if (IsConverterDeliverable())
            m_strAudioInfo.MakeLower();
    }
    m_bHeaderParsed = 1;
}
