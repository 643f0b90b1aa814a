// The shipped data agrees with itself: skins alike within a program, languages alike, templates readable.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "kernel/resources.h"
#include "ui/dialog_template.h"
#include "ui/winuser.h"
#include "program_data.h"

namespace fs = std::filesystem;
using namespace program_data;

namespace {

// "r,g,b" -> 0xRRGGBB.
unsigned Colour(const std::string& text)
{
    unsigned r = 0, g = 0, b = 0;
    sscanf(text.c_str(), "%u,%u,%u", &r, &g, &b);
    return r << 16 | g << 8 | b;
}

bool Within(unsigned pixel, unsigned low, unsigned high)
{
    for (int shift : {0, 8, 16}) {
        unsigned v = pixel >> shift & 255;
        if (v < (low >> shift & 255) || v > (high >> shift & 255))
            return false;
    }
    return true;
}

// The picture files an element names: its bgimage, and fntname when that names a file.
std::vector<std::string> Pictures(const std::map<std::string, std::string>& element)
{
    std::vector<std::string> names;
    for (const char* key : {"bgimage", "fntname"}) {
        auto it = element.find(key);
        if (it != element.end() && it->second.find('.') != std::string::npos)
            names.push_back(it->second);
    }
    return names;
}

class Skins : public ::testing::TestWithParam<const char*> {};

TEST_P(Skins, EverySkinHasTheElementsAndPicturesOfTheOthers)
{
    std::vector<fs::path> skins = SkinFolders(GetParam());
    ASSERT_GE(skins.size(), 2u);
    std::map<std::string, std::set<std::string>> shape;  // element -> keys present, of the first skin
    for (const fs::path& skin : skins) {
        Ini ini = ReadIni(skin / "skin.ini");
        EXPECT_FALSE(ini["common"]["name"].empty()) << skin;
        std::map<std::string, std::set<std::string>> mine;
        for (const auto& [section, keys] : ini) {
            if (section.rfind("textbtn", 0) != 0)
                continue;
            for (const auto& [key, value] : keys)
                mine[section].insert(key);
            for (const std::string& picture : Pictures(keys)) {
                int w = 0, h = 0, bits = 0;
                ASSERT_TRUE(BmpSize(skin / picture, &w, &h, &bits)) << skin / picture;
                EXPECT_EQ(bits, 24) << skin / picture;
            }
        }
        if (shape.empty())
            shape = mine;
        EXPECT_EQ(mine, shape) << skin << " differs from " << skins[0];
    }
}

TEST_P(Skins, ButtonStripsHoldFourFramesOfTheElementsSize)
{
    for (const fs::path& skin : SkinFolders(GetParam())) {
        for (const auto& [section, keys] : ReadIni(skin / "skin.ini")) {
            auto image = keys.find("bgimage");
            if (section.rfind("textbtn", 0) != 0 || image == keys.end() || image->second.rfind("btn-", 0) != 0)
                continue;
            int x = 0, y = 0, w = 0, h = 0, pw = 0, ph = 0, bits = 0;
            sscanf(keys.at("position").c_str(), "%d,%d,%d,%d", &x, &y, &w, &h);
            ASSERT_TRUE(BmpSize(skin / image->second, &pw, &ph, &bits));
            EXPECT_EQ(pw, 4 * w) << skin / image->second << " for " << section;
            EXPECT_EQ(ph, h) << skin / image->second << " for " << section;
        }
    }
}

// The key colour appears only in the pictures that are keyed: the converter's window face, outside its
// outline, and the range marker, around its shape. The converter keys with its transparent colour range; the
// composer's transparent colour is its window face, and its range marker is keyed with element 20's colour.
TEST_P(Skins, TransparentColourOnlyInKeyedPictures)
{
    const bool composer = std::string(GetParam()) == "skin-com";
    for (const fs::path& skin : SkinFolders(GetParam())) {
        Ini ini = ReadIni(skin / "skin.ini");
        unsigned low = Colour(composer ? ini["textbtn20"]["fntcolor"] : ini["common"]["transcolor"]);
        unsigned high = ini["common"].count("transcolor2") ? Colour(ini["common"]["transcolor2"]) : low;
        std::set<std::string> keyed = {"rangemarker.bmp", "background.bmp"};
        for (const auto& entry : fs::directory_iterator(skin)) {
            if (entry.path().extension() != ".bmp")
                continue;
            int w = 0, h = 0;
            std::vector<unsigned> pixels = BmpPixels(entry.path(), &w, &h);
            ASSERT_EQ(pixels.size(), static_cast<size_t>(w) * h) << entry.path();
            int inRange = 0;
            for (unsigned p : pixels)
                inRange += Within(p, low, high);
            if (!keyed.count(entry.path().filename().string()))
                EXPECT_EQ(inRange, 0) << entry.path();
            else
                EXPECT_GT(inRange, 0) << entry.path();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Programs, Skins, ::testing::Values("skin-com", "skin"));

TEST(Texts, BothLanguagesHaveTheSameTexts)
{
    Ini english = ReadIni(ProgramFolder() / "lang" / "lang001.ini");
    Ini chinese = ReadIni(ProgramFolder() / "lang" / "lang002.ini");
    ASSERT_FALSE(english["lanstring"].empty());
    std::set<std::string> a, b;
    for (const auto& [key, value] : english["lanstring"]) {
        a.insert(key);
        EXPECT_FALSE(value.empty()) << key;
    }
    for (const auto& [key, value] : chinese["lanstring"]) {
        b.insert(key);
        EXPECT_FALSE(value.empty()) << key;
    }
    EXPECT_EQ(a, b);
    Ini common = ReadIni(ProgramFolder() / "common.ini");
    for (const auto& [key, id] : common["stringtip"])
        EXPECT_TRUE(a.count(id)) << key << " = " << id;
    EXPECT_EQ(std::stoi(common["common"]["language"]), 2);
    EXPECT_EQ(std::stoi(common["common"]["totalskin"]), static_cast<int>(SkinFolders("skin-com").size()));
}

TEST(Texts, SkinTextsAreKnownIds)
{
    std::set<std::string> ids;
    Ini english = ReadIni(ProgramFolder() / "lang" / "lang001.ini");
    for (const auto& [key, value] : english["lanstring"])
        ids.insert(key);
    for (const char* program : {"skin-com", "skin"}) {
        for (const fs::path& skin : SkinFolders(program)) {
            for (const auto& [section, keys] : ReadIni(skin / "skin.ini")) {
                for (const char* key : {"title", "tip"}) {
                    if (keys.count(key)) {
                        EXPECT_TRUE(ids.count(keys.at(key))) << skin << " " << section << " " << key;
                    }
                }
            }
        }
    }
}

// Every template file reads, from the shared table and from the converter's own folder.
TEST(Resources, DialogTemplatesAndMenusRead)
{
    int dialogs = 0;
    for (const char* folder : {"res", "res-converter"}) {
        const fs::path dir = SourceData() / folder / "DIALOG";
        if (!fs::is_directory(dir))
            continue;
        for (const auto& entry : fs::directory_iterator(dir)) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::stringstream text;
            text << in.rdbuf();
            std::string error;
            EXPECT_TRUE(ParseDialogTemplate(text.str(), &error).has_value()) << entry.path() << ": " << error;
            dialogs++;
        }
    }
    EXPECT_GT(dialogs, 20);
    for (const auto& entry : fs::directory_iterator(SourceData() / "res" / "MENU")) {
        HMENU menu = LoadMenu(nullptr, MAKEINTRESOURCE(std::stoi(entry.path().stem().string())));
        EXPECT_NE(menu, nullptr) << entry.path();
        if (menu)
            DestroyMenu(menu);
    }
}

// Icons carry 16, 32 and 48 pixel images; cursors one 32-pixel image with its hot spot inside.
TEST(Resources, IconsAndCursorsAreWellFormed)
{
    const struct {
        const char* folder;
        int kind;
    } kinds[] = {{"ICON", 1}, {"CURSOR", 2}};
    for (const char* res : {"res", "res-converter"})
        for (const auto& kind : kinds) {
            const fs::path dir = SourceData() / res / kind.folder;
            if (!fs::is_directory(dir))
                continue;
            for (const auto& entry : fs::directory_iterator(dir)) {
                std::ifstream in(entry.path(), std::ios::binary);
                std::string d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
                ASSERT_GE(d.size(), 22u) << entry.path();
                EXPECT_EQ(d[2], kind.kind) << entry.path();
                int count = static_cast<unsigned char>(d[4]);
                std::set<int> sizes;
                for (int i = 0; i < count; i++) {
                    const unsigned char* e = reinterpret_cast<const unsigned char*>(d.data()) + 6 + 16 * i;
                    sizes.insert(e[0]);
                    if (kind.kind == 2) {
                        EXPECT_LT(e[4] | e[5] << 8, e[0]) << entry.path();
                        EXPECT_LT(e[6] | e[7] << 8, e[1]) << entry.path();
                    }
                }
                const std::set<int> expected = kind.kind == 1 ? std::set<int>{16, 32, 48} : std::set<int>{32};
                EXPECT_EQ(sizes, expected) << entry.path();
            }
        }
}

// Page backgrounds are JPEG files in A4 proportion; the other DIB resources are BMP files.
TEST(Resources, PageBackgroundsAreA4Jpegs)
{
    for (int id = 700; id <= 703; id++) {
        HRSRC found = FindResource(nullptr, MAKEINTRESOURCE(id), "DIB");
        ASSERT_NE(found, nullptr) << id;
        const unsigned char* d = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, found)));
        size_t size = SizeofResource(nullptr, found);
        ASSERT_GT(size, 4u);
        EXPECT_TRUE(d[0] == 0xFF && d[1] == 0xD8) << id;
        // The frame header gives the size: height then width.
        size_t at = 2;
        int w = 0, h = 0;
        while (at + 9 < size && d[at] == 0xFF) {
            int marker = d[at + 1], length = d[at + 2] << 8 | d[at + 3];
            if (marker == 0xC0 || marker == 0xC2) {
                h = d[at + 5] << 8 | d[at + 6];
                w = d[at + 7] << 8 | d[at + 8];
                break;
            }
            at += 2 + length;
        }
        ASSERT_GT(w, 0) << id;
        EXPECT_NEAR(static_cast<double>(h) / w, 297.0 / 210.0, 0.01) << id;
    }
}

}  // namespace

namespace {

// The conversions of a format text in order ("%d%s"), "%%" left out.
std::string Conversions(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i + 1 < text.size(); i++) {
        if (text[i] != '%')
            continue;
        size_t j = i + 1;
        while (j < text.size() && std::string("-+ #0123456789.l").find(text[j]) != std::string::npos)
            j++;
        if (j < text.size() && text[j] != '%')
            out += std::string("%") + text[j];
        i = j;
    }
    return out;
}

// Element titles used as format texts, with the arguments the programs pass to them.
TEST(Texts, FormatTitlesTakeTheArgumentsTheProgramsPass)
{
    const struct {
        const char* program;
        int element;
        const char* conversions;
    } formats[] = {
        {"skin", 43, "%d%d%d"},  // row number, row count, percent
        {"skin", 44, "%s"},      // the file being converted
        {"skin", 37, "%d"},      // the fade length
        {"skin-com", 37, "%d"},
    };
    Ini common = ReadIni(ProgramFolder() / "common.ini");
    for (const char* language : {"lang001.ini", "lang002.ini"}) {
        Ini texts = ReadIni(ProgramFolder() / "lang" / language);
        for (const auto& format : formats) {
            for (const fs::path& skin : SkinFolders(format.program)) {
                char section[16];
                snprintf(section, sizeof section, "textbtn%02d", format.element);
                const std::string id = ReadIni(skin / "skin.ini")[section]["title"];
                EXPECT_EQ(Conversions(texts["lanstring"][id]), format.conversions)
                    << skin << " " << section << " " << id << " in " << language;
            }
        }
    }
}

}  // namespace
