// Reading the shipped program folder for the data tests.
#include "program_data.h"

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>

#include "kernel/path_map.h"
#include "kernel/program_paths.h"
#include "tests/support/test_data.h"

namespace fs = std::filesystem;

namespace program_data {

Ini ReadIni(const fs::path& file)
{
    Ini ini;
    std::ifstream in(file, std::ios::binary);
    std::string line, section;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            ini[section];
            continue;
        }
        size_t eq = line.find('=');
        if (eq != std::string::npos)
            ini[section][line.substr(0, eq)] = line.substr(eq + 1);
    }
    return ini;
}

fs::path ProgramFolder() { return fs::path(MapPath(GetProgramFolder())); }

fs::path SourceData() { return fs::path(SourcePath("data")); }

std::vector<fs::path> SkinFolders(const std::string& folder)
{
    std::vector<fs::path> skins;
    for (int n = 1; fs::exists(ProgramFolder() / folder / ("skin-" + std::to_string(n)) / "skin.ini"); n++)
        skins.push_back(ProgramFolder() / folder / ("skin-" + std::to_string(n)));
    return skins;
}

static std::string ReadAll(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

static unsigned Le(const std::string& d, size_t at, int bytes)
{
    unsigned v = 0;
    for (int i = bytes - 1; i >= 0; i--)
        v = v << 8 | static_cast<unsigned char>(d[at + i]);
    return v;
}

bool BmpSize(const fs::path& file, int* width, int* height, int* bits)
{
    std::string d = ReadAll(file);
    if (d.size() < 54 || d.compare(0, 2, "BM") != 0)
        return false;
    *width = static_cast<int>(Le(d, 18, 4));
    *height = static_cast<int>(Le(d, 22, 4));
    *bits = static_cast<int>(Le(d, 28, 2));
    return true;
}

std::vector<unsigned> BmpPixels(const fs::path& file, int* width, int* height)
{
    std::string d = ReadAll(file);
    int bits = 0;
    std::vector<unsigned> pixels;
    if (!BmpSize(file, width, height, &bits) || bits != 24)
        return pixels;
    size_t offset = Le(d, 10, 4), stride = (*width * 3 + 3) & ~3u;
    if (d.size() < offset + stride * *height)
        return pixels;
    for (int y = 0; y < *height; y++) {
        size_t row = offset + stride * (*height - 1 - y);
        for (int x = 0; x < *width; x++)
            pixels.push_back(Le(d, row + 3 * x, 3));
    }
    return pixels;
}

std::vector<std::pair<std::string, std::string>> SourceTexts()
{
    std::vector<std::pair<std::string, std::string>> texts;
    const fs::path root(SourcePath(""));
    for (const char* folder : {"platform", "services", "song", "imp", "imaging", "render", "scoreview", "skinui",
                               "audio", "composer", "converter"}) {
        if (!fs::is_directory(root / folder))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
            std::string ext = entry.path().extension().string();
            if (ext == ".cpp" || ext == ".h")
                texts.emplace_back(folder, ReadAll(entry.path()));
        }
    }
    return texts;
}

std::multimap<std::string, std::string> ScanSources(const std::string& pattern)
{
    std::multimap<std::string, std::string> found;
    std::regex re(pattern);
    for (const auto& [folder, text] : SourceTexts())
        for (std::sregex_iterator it(text.begin(), text.end(), re), end; it != end; ++it)
            found.emplace(folder, (*it)[1].str());
    return found;
}

}  // namespace program_data
