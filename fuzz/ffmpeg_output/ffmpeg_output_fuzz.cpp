// Fuzz target: progress chunks, times and header text of ffmpeg's console output.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "audio/ffmpeg_process.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static auto runner = std::make_unique<CFfmpegProcess>();
    std::string text(reinterpret_cast<const char*>(data), size);
    runner->Reset();
    runner->m_dDuration = 10.0;
    // Chunks as the runner sees them: at most 1023 bytes, zero-terminated.
    for (size_t at = 0; at < text.size(); at += 1023)
        runner->ParseProgress(CString(text.substr(at, 1023).c_str()));
    runner->ParseTime(CString(text.c_str()));
    runner->ParseHeaderText(text.c_str());
    return 0;
}
