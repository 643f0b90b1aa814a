// Every language key, skin element, numbered text and resource that the program sources ask for exists.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>

#include "ini_reads.h"
#include "kernel/resources.h"
#include "program_data.h"
#include "source_calls.h"

namespace fs = std::filesystem;
using namespace program_data;

namespace {

// Resources the converter carries in place of the shared ones.
bool ConverterOverride(const char* type, const std::string& id)
{
    const fs::path folder = SourceData() / "res-converter" / type;
    if (!fs::is_directory(folder))
        return false;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().stem() == id)
            return true;
    return false;
}

bool HasResource(const std::string& folder, const char* type, const std::string& id)
{
    if (folder == "converter" && ConverterOverride(type, id))
        return true;
    return FindResource(nullptr, MAKEINTRESOURCE(std::stoi(id)), type) != nullptr;
}

TEST(CodeReferences, LanguageKeysResolveInBothLanguages)
{
    auto keys = DirectArguments("GetLanguageText");
    keys.merge(ForwardedArguments("GetLanguageText"));
    keys.merge(TableArguments("GetLanguageText"));
    ASSERT_FALSE(keys.empty());
    Ini common = ReadIni(ProgramFolder() / "common.ini");
    for (const char* language : {"lang001.ini", "lang002.ini"}) {
        Ini texts = ReadIni(ProgramFolder() / "lang" / language);
        for (const auto& [folder, key] : keys) {
            ASSERT_TRUE(common["stringtip"].count(key)) << key << " asked in " << folder;
            const std::string& id = common["stringtip"][key];
            EXPECT_FALSE(texts["lanstring"][id].empty()) << key << " (" << id << ") in " << language;
        }
    }
}

TEST(CodeReferences, SkinElementsExistInEverySkin)
{
    const size_t literal = ScanSources(R"re(LoadSkinElement\s*\(\s*(\d+))re").size();
    auto elements = DirectArguments("LoadSkinElement");
    const size_t direct = elements.size();
    EXPECT_GT(direct, literal) << "no element given by a constant, a table or a choice was found";
    elements.merge(ForwardedArguments("LoadSkinElement"));
    EXPECT_GT(elements.size(), direct) << "no element handed through a wrapper was found";
    for (const auto& [folder, element] : elements) {
        std::vector<std::string> programs = {"skin-com", "skin"};
        if (folder == "composer")
            programs = {"skin-com"};
        if (folder == "converter")
            programs = {"skin"};
        char section[16];
        snprintf(section, sizeof section, "textbtn%02d", std::stoi(element));
        for (const std::string& program : programs)
            for (const fs::path& skin : SkinFolders(program))
                EXPECT_TRUE(ReadIni(skin / "skin.ini").count(section)) << section << " in " << skin;
    }
}

TEST(CodeReferences, IniKeysExistInEveryFileTheyAreReadFrom)
{
    std::vector<IniRead> reads = ScanIniReads();
    ASSERT_GT(reads.size(), 10u);
    std::map<std::string, Ini> files;
    for (const IniRead& read : reads)
        for (const std::string& file : IniFilesFor(read.file)) {
            if (!files.count(file))
                files[file] = ReadIni(file);
            EXPECT_TRUE(files[file][read.section].count(read.key))
                << "[" << read.section << "] " << read.key << " of " << file << " read in " << read.source;
        }
}

TEST(CodeReferences, NumberedTextsExist)
{
    const auto numbers = ScanSources(R"re(GetNumberedText\s*\(\s*(\d+)\s*\))re");
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ProgramFolder() / "lan")) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ++files;
        // Text 1 names the language: the start-up chooser matches it against kestrin.ini.
        EXPECT_EQ(content.rfind("1 ", 0), 0u) << entry.path();
        for (const auto& [folder, number] : numbers)
            EXPECT_NE(("\n" + content).find("\n" + number + " "), std::string::npos)
                << number << " in " << entry.path();
    }
    EXPECT_EQ(files, 2);
}

TEST(CodeReferences, ResourcesExist)
{
    const struct {
        const char* pattern;
        const char* type;
    } kinds[] = {
        {R"re(\bIDD\s*=\s*(\d+))re", "DIALOG"},
        {R"re(\b(?:CDialog|CSkinDialog|CBitmapDialog)\s*\(\s*(\d+))re", "DIALOG"},
        {R"re(\bLoadMenu\s*\(\s*(\d+)\s*\))re", "MENU"},
        {R"re(\bLoadIcon\s*\(\s*(\d+)\s*\))re", "ICON"},
        {R"re(\bLoadCursor\s*\(\s*(\d+)\s*\))re", "CURSOR"},
        {R"re(\bLoadBitmap\s*\(\s*(\d+)\s*\))re", "BITMAP"},
        {R"re(\b(?:LoadDibResource|LoadFromResource|LoadBackgroundResource)\s*\(\s*(\d+))re", "DIB"},
    };
    int found = 0;
    for (const auto& kind : kinds)
        for (const auto& [folder, id] : ScanSources(kind.pattern)) {
            found++;
            EXPECT_TRUE(HasResource(folder, kind.type, id)) << kind.type << " " << id << " asked in " << folder;
        }
    EXPECT_GT(found, 0);
}

// Resources loaded by MAKEINTRESOURCE: every number in the id expression, and every named constant's value
// ("IsConverterDeliverable() ? 254 : 153", "kDragCursorId").
TEST(CodeReferences, ResourcesLoadedByIdExpressionExist)
{
    std::multimap<std::string, std::string> constants;
    for (const auto& [folder, definition] : ScanSources(R"re(constexpr\s+\w+\s+(k\w+\s*=\s*\d+)\s*;)re")) {
        const size_t eq = definition.find('=');
        std::string name = definition.substr(0, definition.find_first_of(" =")), value = definition.substr(eq + 1);
        constants.emplace(name, value.substr(value.find_first_not_of(' ')));
    }
    const struct {
        const char* function;
        const char* type;
    } kinds[] = {{"LoadIcon", "ICON"}, {"LoadCursor", "CURSOR"}, {"LoadMenu", "MENU"}, {"LoadBitmap", "BITMAP"}};
    int found = 0;
    for (const auto& kind : kinds) {
        const std::string pattern =
            std::string(R"re(\b)re") + kind.function + R"re(\s*\([^;]*?MAKEINTRESOURCE\(([^;]*?)\)\s*\))re";
        for (const auto& [folder, expression] : ScanSources(pattern)) {
            const std::regex word(R"re(\b(\d+|k\w+)\b)re");
            for (std::sregex_iterator it(expression.begin(), expression.end(), word), end; it != end; ++it) {
                const std::string token = (*it)[1];
                auto [first, last] = constants.equal_range(token);
                std::vector<std::string> ids;
                if (isdigit(static_cast<unsigned char>(token[0])))
                    ids.push_back(token);
                for (auto c = first; c != last; ++c)
                    ids.push_back(c->second);
                for (const std::string& id : ids) {
                    found++;
                    EXPECT_TRUE(HasResource(folder, kind.type, id))
                        << kind.type << " " << id << " (" << expression << ") asked in " << folder;
                }
            }
        }
    }
    EXPECT_GT(found, 3);
}

}  // namespace
