// The ini reads of the program sources: which file, section and key each literal read asks for.
#pragma once

#include <string>
#include <vector>

namespace program_data {

struct IniRead {
    std::string folder;  // first path component of the source file
    std::string source;  // the source file, for messages
    std::string file;    // the file's name as the code spells it, e.g. "%sskin-com\\skin-%d\\skin.ini"
    std::string section;
    std::string key;
};

// Reads through CIniFile (SetSection, then Get...("key", ...)), CSettingsIni (Get...("section", "key"), on
// common.ini) and GetIniInt (path, "section", "key"), in the program sources; reads whose file, section or key
// is not spelled out in the source are left out.
std::vector<IniRead> ScanIniReads();

// The program-folder files an ini name stands for: every skin of the program for skin.ini, both languages for
// the language files, else the file itself.
std::vector<std::string> IniFilesFor(const std::string& file);

}  // namespace program_data
