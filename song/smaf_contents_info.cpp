// The shared contents-info record, its defaults and the tag order.
#include "song/smaf_contents_info.h"

const SmafTag kSmafWriteOrder[13] = {
    {"ST", &SmafContentsInfo::ST}, {"VN", &SmafContentsInfo::VN}, {"CN", &SmafContentsInfo::CN},
    {"CA", &SmafContentsInfo::CA}, {"AN", &SmafContentsInfo::AN}, {"WW", &SmafContentsInfo::WW},
    {"SW", &SmafContentsInfo::SW}, {"AW", &SmafContentsInfo::AW}, {"CR", &SmafContentsInfo::CR},
    {"GR", &SmafContentsInfo::GR}, {"MI", &SmafContentsInfo::MI}, {"CD", &SmafContentsInfo::CD},
    {"UD", &SmafContentsInfo::UD},
};

SmafContentsInfo* GetSharedContentsInfo()
{
    static SmafContentsInfo shared = [] {
        SmafContentsInfo info;
        ResetContentsInfo(&info);
        return info;
    }();
    return &shared;
}

void ResetContentsInfo(SmafContentsInfo* info)
{
    if (!info)
        return;
    *info = SmafContentsInfo();
    info->VN = "Pellister software";
    info->ST = "My baby";
}
