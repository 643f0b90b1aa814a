// The process's table of measured media durations, keyed by path and checked against size and time.
#include "converter/clip_info_durations.h"

#include <map>
#include <string>

#include "kernel/cfile.h"

namespace {

struct MeasuredDuration {
    ULONGLONG size = 0;
    time_t modified = 0;
    double duration = 0;
};

std::map<std::string, MeasuredDuration>& Table()
{
    static std::map<std::string, MeasuredDuration> table;
    return table;
}

}  // namespace

bool FindMediaDuration(const CString& mediaPath, double* duration)
{
    const auto found = Table().find(static_cast<const char*>(mediaPath));
    CFileStatus status;
    if (found == Table().end() || !CFile::GetStatus(mediaPath, status) || status.m_size != found->second.size ||
        status.m_mtime.GetTime() != found->second.modified)
        return false;
    *duration = found->second.duration;
    return true;
}

void StoreMediaDuration(const CString& mediaPath, double duration)
{
    CFileStatus status;
    if (!CFile::GetStatus(mediaPath, status))
        return;
    Table()[static_cast<const char*>(mediaPath)] = {status.m_size, status.m_mtime.GetTime(), duration};
}
