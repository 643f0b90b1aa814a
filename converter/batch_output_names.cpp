// BatchOutputNames: outputs named beside their sources without ever writing over one of them.
#include "converter/batch_output_names.h"

#include <sys/stat.h>

#include <algorithm>

#include "kernel/path_map.h"

void BatchOutputNames::AddSource(const CString& path)
{
    struct stat info = {};
    if (stat(MapPath(static_cast<const char*>(path)).c_str(), &info) == 0)
        m_sources.emplace_back(info.st_dev, info.st_ino);
}

bool BatchOutputNames::IsInTheWay(const std::string& native) const
{
    if (std::find(m_taken.begin(), m_taken.end(), native) != m_taken.end())
        return true;
    // A link or another spelling of a source is that source.
    struct stat info = {};
    return stat(native.c_str(), &info) == 0 &&
           std::find(m_sources.begin(), m_sources.end(), std::make_pair(info.st_dev, info.st_ino)) != m_sources.end();
}

CString BatchOutputNames::Choose(const CString& folder, const CString& title, const char* extension)
{
    CString path = folder + title + extension;
    // An output is a new name as written: another spelling of an existing file is another file.
    for (int n = 2; IsInTheWay(MapPathLiteral(static_cast<const char*>(path))); ++n)
        path.Format("%s%s (%d)%s", static_cast<const char*>(folder), static_cast<const char*>(title), n, extension);
    m_taken.push_back(MapPathLiteral(static_cast<const char*>(path)));
    return path;
}
