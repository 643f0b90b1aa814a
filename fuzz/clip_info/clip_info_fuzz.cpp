// Fuzz target: a clip-info file is read; its range must be a clip within the media, and what is written back
// from it must read back as a clip within the media again.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "converter/clip_info_file.h"
#include "converter/clip_range.h"
#include "fuzz_input_file.h"
#include "kernel/path_map.h"
#include "services/rounding.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void CheckRange(const ClipInfo& info)
{
    Check(std::isfinite(info.startPercent) && std::isfinite(info.endPercent));
    Check(info.startPercent >= 0 && info.startPercent <= info.endPercent);
    Check(info.endPercent > 0 && info.endPercent <= 100);
    const double duration = 187.25;
    const ClipSeconds clip = ClipRangeSeconds(info, duration);
    Check(clip.start >= 0 && clip.length >= 0 && clip.start + clip.length <= duration * (1 + 1e-12));
    EstimateClipSizeKB(info.fade, info.fadeIn, RoundHalfAway(clip.length), info.fadeOut);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzInputFile input(".mervaneclipinfo");
    if (!input.Write(data, size))
        return 0;
    const CString path = ToWindowsPath(input.Path()).c_str();
    const ClipInfo info = ReadClipInfoFile(path, 5, 0, 0);
    CheckRange(info);
    WriteClipInfoFile(path, info);
    CheckRange(ReadClipInfoFile(path, 5, 0, 0));
    return 0;
}
