// SmafContentsInfo: the text tags of a SMAF file's contents-info chunk, shared by every SMAF file object.
#pragma once

#include "kernel/cstring.h"

struct SmafContentsInfo {
    CString VN;  // vendor name
    CString CN;  // carrier name
    CString CA;  // category
    CString ST;  // song title
    CString AN;  // artist name
    CString WW;  // words writer
    CString SW;  // song writer
    CString AW;  // arranger
    CString CR;  // copyright
    CString GR;  // group
    CString MI;  // management information
    CString CD;  // creation date
    CString UD;  // update date
};

// The one record that new songs, the reader and the writer share.
SmafContentsInfo* GetSharedContentsInfo();
void ResetContentsInfo(SmafContentsInfo* info);

// Tag names with their fields, in the order the writer puts them into the chunk.
struct SmafTag {
    const char* name;
    CString SmafContentsInfo::*field;
};
extern const SmafTag kSmafWriteOrder[13];
