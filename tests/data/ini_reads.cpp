// Finding the literal ini reads of the program sources.
#include "ini_reads.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "program_data.h"
#include "tests/support/test_data.h"

namespace fs = std::filesystem;

namespace program_data {

namespace {

std::string BaseName(const std::string& file) { return file.substr(file.find_last_of("\\/") + 1); }

// The ini file names spelled in string literals of text[0, end), in order.
std::vector<std::string> IniLiterals(const std::string& text, size_t end)
{
    static const std::regex literal(R"re("([^"\n]*\.ini)")re");
    std::vector<std::string> found;
    const std::string part = text.substr(0, end);
    for (std::sregex_iterator it(part.begin(), part.end(), literal), stop; it != stop; ++it)
        found.push_back((*it)[1].str());
    return found;
}

// The files an argument names: its own literal; for a variable the last literal before it, or, for a path
// handed in from elsewhere in the source (no literal before it), every per-skin or per-language file the source
// names (the program folder's own files are opened where they are named).
std::vector<std::string> ResolveFiles(const std::string& text, size_t at, const std::string& argument)
{
    std::smatch m;
    if (std::regex_search(argument, m, std::regex(R"re("([^"]*\.ini)")re")))
        return {m[1].str()};
    if (!std::regex_match(argument, std::regex(R"(\s*\w+\s*)")))
        return {};
    std::vector<std::string> before = IniLiterals(text, at);
    if (!before.empty())
        return {before.back()};
    std::vector<std::string> patterns;
    for (const std::string& file : IniLiterals(text, text.size()))
        if (BaseName(file) != "common.ini" && BaseName(file) != "kestrin.ini")
            patterns.push_back(file);
    return patterns;
}

void ScanFile(const std::string& folder, const fs::path& path, const std::string& text, std::vector<IniRead>* out)
{
    static const std::regex events(
        R"re(CIniFile\s+(\w+)\s*\(([^;]*)\)\s*;)re"                 // 1, 2: a CIniFile
        R"re(|CSettingsIni\s+(\w+)\s*;)re"                          // 3: a CSettingsIni
        R"re(|(\w+)\.SetSection\(\s*(?:"([^"]*)"\s*\)|[^)]*\)))re"  // 4, 5: its section
        R"re(|(\w+|CSettingsIni\(\))\.Get(?:String|Int|Double|Rect)\(\s*"([^"]+)"(?:\s*,\s*"([^"]+)"\s*\))?)re"  // 6-8
        R"re(|GetIniInt\(\s*([^,]+),\s*"([^"]+)"\s*,\s*"([^"]+)"\s*\))re");                                      // 9-11
    std::map<std::string, std::vector<std::string>> iniFiles;
    std::map<std::string, std::string> sections;
    std::map<std::string, bool> settings;
    const std::string source = path.filename().string();
    for (std::sregex_iterator it(text.begin(), text.end(), events), stop; it != stop; ++it) {
        const std::smatch& m = *it;
        const size_t at = static_cast<size_t>(m.position(0));
        if (m[1].matched) {
            iniFiles[m[1]] = ResolveFiles(text, at, m[2]);
            sections.erase(m[1]);
        } else if (m[3].matched) {
            settings[m[3]] = true;
        } else if (m[4].matched) {
            sections[m[4]] = m[5].matched ? m[5].str() : "";
        } else if (m[6].matched) {
            const std::string receiver = m[6];
            if (receiver == "CSettingsIni()" || settings.count(receiver)) {
                if (m[8].matched)
                    out->push_back({folder, source, "common.ini", m[7], m[8]});
            } else if (iniFiles.count(receiver) && !sections[receiver].empty()) {
                // A skin read that only the converter makes (guarded on its line or the line before) is looked
                // for in the converter's skins.
                const size_t lineStart = text.rfind('\n', at);
                const size_t previousLine =
                    lineStart == std::string::npos || lineStart == 0 ? 0 : text.rfind('\n', lineStart - 1) + 1;
                const bool converterOnly =
                    text.substr(previousLine, at - previousLine).find("IsConverterDeliverable()") != std::string::npos;
                for (std::string file : iniFiles[receiver]) {
                    if (converterOnly && BaseName(file) == "skin.ini")
                        file = "skin\\skin-%d\\skin.ini";
                    out->push_back({folder, source, file, sections[receiver], m[7]});
                }
            }
        } else if (m[9].matched) {
            for (const std::string& file : ResolveFiles(text, at, m[9]))
                out->push_back({folder, source, file, m[10], m[11]});
        }
    }
}

}  // namespace

std::vector<IniRead> ScanIniReads()
{
    std::vector<IniRead> reads;
    const fs::path root(SourcePath(""));
    for (const char* folder : {"services", "song", "render", "scoreview", "skinui", "audio", "composer", "converter"}) {
        if (!fs::is_directory(root / folder))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
            if (entry.path().extension() != ".cpp" && entry.path().extension() != ".h")
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream text;
            text << in.rdbuf();
            ScanFile(folder, entry.path(), text.str(), &reads);
        }
    }
    return reads;
}

std::vector<std::string> IniFilesFor(const std::string& file)
{
    std::vector<std::string> files;
    const std::string base = BaseName(file);
    if (base == "skin.ini") {
        std::vector<std::string> programs;
        if (file.find("skin-com") != std::string::npos)
            programs = {"skin-com"};
        else if (file.find("skin\\") != std::string::npos)
            programs = {"skin"};
        else
            programs = {"skin-com", "skin"};
        for (const std::string& program : programs)
            for (const fs::path& skin : SkinFolders(program))
                files.push_back((skin / "skin.ini").string());
    } else if (base.rfind("lang", 0) == 0) {
        for (const char* language : {"lang001.ini", "lang002.ini"})
            files.push_back((ProgramFolder() / "lang" / language).string());
    } else {
        files.push_back((ProgramFolder() / base).string());
    }
    return files;
}

}  // namespace program_data
