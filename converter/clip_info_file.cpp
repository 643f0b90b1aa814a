// The clip-info file: section "mervane" of an ini file in the user's private clip-info folder, read with its
// range rules.
#include "converter/clip_info_file.h"

#include <cmath>
#include <string>

#include "kernel/path_map.h"
#include "kernel/profile.h"
#include "services/ini_file.h"
#include "services/path_parts.h"
#include "services/private_temp.h"

static const char kSection[] = "mervane";
const char* const kClipMediaKey = "mediapath";

CString GetClipInfoPath(CString mediaPath)
{
    // Without a private folder there is no clip-info file: never one in a folder others can write.
    const CString folder = GetClipInfoFolder();
    return folder.IsEmpty() ? CString() : folder + GetPathFileName(mediaPath) + ".mervaneclipinfo";
}

ClipInfo ReadClipInfoFile(const CString& path, int defaultFade, int defaultFadeIn, int defaultFadeOut)
{
    CIniFile ini(path);
    ini.SetSection(kSection);
    ClipInfo info;
    double end = ini.GetDouble("time2", 0.0);
    if (!std::isfinite(end) || end > 100 || end <= 0)
        end = 100;
    double start = ini.GetDouble("time1", 0.0);
    if (!std::isfinite(start) || start < 0)
        start = 0;
    if (start > end)
        start = end;
    info.startPercent = start;
    info.endPercent = end;
    info.fade = ini.GetInt("fide", defaultFade);
    info.fadeIn = ini.GetInt("fidein", defaultFadeIn);
    info.fadeOut = ini.GetInt("fideout", defaultFadeOut);
    info.fixSize = ini.GetInt("fixsize", 0);
    return info;
}

void WriteClipInfoFile(const CString& path, const ClipInfo& info)
{
    CIniFile ini(path);
    ini.SetSection(kSection);
    ini.WriteDouble("time1", info.startPercent);
    ini.WriteDouble("time2", info.endPercent);
    ini.WriteInt("fide", info.fade);
    ini.WriteInt("fidein", info.fadeIn);
    ini.WriteInt("fideout", info.fadeOut);
    ini.WriteInt("fixsize", info.fixSize);
}

void WriteClipMediaKey(const CString& path, const CString& mediaPath)
{
    // The path the media is read from: the case lookup may find it under another spelling.
    if (path.IsEmpty())
        return;
    const std::string media = MapPath(mediaPath.GetString());
    CIniFile ini(path);
    ini.SetSection(kSection);
    if (media.empty() || media[0] != '/' || !ini.WriteString(kClipMediaKey, media.c_str()) ||
        std::string(ini.GetString(kClipMediaKey, "").GetString()) != media)
        WritePrivateProfileString(kSection, kClipMediaKey, nullptr, path);
}

void WriteClipRangeKeys(const CString& path, double startPercent, double endPercent)
{
    CIniFile ini(path);
    ini.SetSection(kSection);
    ini.WriteDouble("time1", startPercent);
    ini.WriteDouble("time2", endPercent);
}

bool WriteClipMarks(const CString& path, double startSeconds, double endSeconds, double duration)
{
    if (!(duration > 0))
        return false;
    WriteClipRangeKeys(path, startSeconds * 100 / duration, endSeconds * 100 / duration);
    return true;
}

void WriteClipFadeKey(const CString& path, int fade)
{
    CIniFile ini(path);
    ini.SetSection(kSection);
    ini.WriteInt("fide", fade);
}
