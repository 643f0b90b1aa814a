// Search for the General MIDI SoundFont used by the built-in synthesizer and the renderer.
#include "media/soundfont_path.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// System-wide SoundFonts, the larger General MIDI set first.
const char* const kSystemSoundFonts[] = {
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/soundfonts/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/soundfonts/default.sf2",
};

bool IsRegularFile(const fs::path& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

}  // namespace

std::string ExecutableFolder()
{
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return ".";
    return exe.parent_path().string();
}

std::vector<std::string> SoundFontCandidates(const std::string& programFolder)
{
    std::vector<std::string> local;
    std::error_code ec;
    for (fs::directory_iterator it(programFolder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& p = it->path();
        std::string ext = p.extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        if (ext == ".sf2" && IsRegularFile(p))
            local.push_back(p.string());
    }
    std::sort(local.begin(), local.end());
    for (const char* path : kSystemSoundFonts)
        if (IsRegularFile(path))
            local.push_back(path);
    return local;
}

std::string FindSoundFont()
{
    std::vector<std::string> found = SoundFontCandidates(ExecutableFolder());
    return found.empty() ? std::string() : found.front();
}
