// The clip-info file of a media file: its clip range and fade options and the media's path, one small ini file
// per media file name.
#pragma once

#include "kernel/cstring.h"

// The values a clip-info file holds, as they are read back (range rules applied) or written.
struct ClipInfo {
    double startPercent = 0;  // "time1": clip start in percent of the media duration
    double endPercent = 100;  // "time2": clip end in percent of the media duration
    int fade = 5;             // "fide": fade length in percent of the clip length
    int fadeIn = 0;           // "fidein"
    int fadeOut = 0;          // "fideout"
    int fixSize = 0;          // "fixsize": written only
};

// The user's private clip-info folder (services/private_temp.h) + the media file's name with extension +
// ".mervaneclipinfo"; media files of one name share it. Empty when there is no private folder.
CString GetClipInfoPath(CString mediaPath);

// Reads a clip-info file. Missing keys take the defaults' fade values, time1 0 and time2 100. An end that is
// 0, negative, over 100 or not a number reads as 100; a start that is negative or not a number reads as 0, and a
// start beyond the end reads as the end, so that a clip is never of negative length.
ClipInfo ReadClipInfoFile(const CString& path, int defaultFade, int defaultFadeIn, int defaultFadeOut);
// Writes all six keys.
void WriteClipInfoFile(const CString& path, const ClipInfo& info);
// Writes "mediapath": the Linux path of the media file the clip-info file was last written for, by which files
// of media that are gone are found. A path that would not read back exactly as it is (not absolute, a line break,
// blanks or quotes at its ends, too long) is not kept: the key is removed then, so that it never names another
// file.
void WriteClipMediaKey(const CString& path, const CString& mediaPath);
// The key WriteClipMediaKey writes.
extern const char* const kClipMediaKey;
// Writes time1 and time2 only.
void WriteClipRangeKeys(const CString& path, double startPercent, double endPercent);
// Writes preview marks given in seconds as time1 and time2 in percent of the duration; nothing (false) without
// a duration.
bool WriteClipMarks(const CString& path, double startSeconds, double endSeconds, double duration);
// Writes fide only.
void WriteClipFadeKey(const CString& path, int fade);
