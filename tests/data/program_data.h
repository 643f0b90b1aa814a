// Reading the shipped program folder for the data tests: ini files, pictures and the source tree.
#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace program_data {

// section -> key -> value of an ini file (keys as written; a missing file gives nothing).
using Ini = std::map<std::string, std::map<std::string, std::string>>;
Ini ReadIni(const std::filesystem::path& file);

// The built program folder (the executables' folder, where the build copies the data).
std::filesystem::path ProgramFolder();
// The checkout's data/ folder.
std::filesystem::path SourceData();

// The skin folders of one program ("skin-com" or "skin"), in number order.
std::vector<std::filesystem::path> SkinFolders(const std::string& folder);

// Width, height and bit count of a BMP file, or false.
bool BmpSize(const std::filesystem::path& file, int* width, int* height, int* bits);
// 24-bit BMP pixels, top row first, as 0xRRGGBB.
std::vector<unsigned> BmpPixels(const std::filesystem::path& file, int* width, int* height);

// Every capture of `pattern` (an ECMAScript regex with one group) in the program sources, with the
// folder (first path component) it was found in.
std::multimap<std::string, std::string> ScanSources(const std::string& pattern);

// The program sources (.cpp and .h) as (folder, text).
std::vector<std::pair<std::string, std::string>> SourceTexts();

}  // namespace program_data
