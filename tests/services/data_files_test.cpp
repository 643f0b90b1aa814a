// The shipped program-folder files: every text key and every skin text resolves in both languages.
#include <filesystem>
#include <fstream>
#include <vector>

#include "kernel/path_map.h"
#include "kernel/profile.h"
#include "kernel/program_paths.h"
#include "services/ini_file.h"
#include "services/language_text.h"
#include "services/skin_element.h"
#include "main_dialog_fixture.h"

namespace {

// Names listed by the profile functions: NUL-separated, ended by a second NUL.
std::vector<std::string> ProfileList(const char* section, const std::string& file)
{
    std::vector<char> buffer(65536);
    DWORD length = GetPrivateProfileString(section, nullptr, "", buffer.data(), buffer.size(), file.c_str());
    std::vector<std::string> names;
    for (DWORD i = 0; i < length; i += names.back().size() + 1)
        names.emplace_back(buffer.data() + i);
    return names;
}

class DataFiles : public MainDialogFixture {
protected:
    void SetUp() override
    {
        MainDialogFixture::SetUp();
        // The build copies the data files beside the executables; a copy keeps them unchanged.
        std::string shipped = MapPath(GetProgramFolder());
        for (const char* name : {"common.ini", "lang", "skin", "skin-com"})
            std::filesystem::copy(shipped + "/" + name, program.Linux("") + name,
                                  std::filesystem::copy_options::recursive);
        RegisterDialog();
    }

    void UseLanguage(int number)
    {
        CIniFile common((program.Win("common.ini")).c_str());
        common.SetSection("common");
        common.WriteInt("curlang", number);
    }
};

TEST_F(DataFiles, EveryTextKeyResolvesInEachLanguage)
{
    std::vector<std::string> keys = ProfileList("stringtip", program.Win("common.ini"));
    ASSERT_GT(keys.size(), 50u);
    for (int language : {1, 2}) {
        UseLanguage(language);
        for (const std::string& key : keys)
            EXPECT_STRNE(GetLanguageText(key.c_str()), "NULL") << key << " in language " << language;
    }
    UseLanguage(2);
    EXPECT_STREQ(GetLanguageText("ok"), "确定");
    UseLanguage(1);
    EXPECT_STREQ(GetLanguageText("ok"), "OK");
}

TEST_F(DataFiles, EverySkinTextResolvesInBothPrograms)
{
    for (KestrinDeliverable deliverable : {DELIVERABLE_COMPOSER, DELIVERABLE_CONVERTER}) {
        SetDeliverable(deliverable);
        std::string skinFile(GetSkinFolder(1) + "skin.ini");
        std::vector<std::string> sections = ProfileList(nullptr, skinFile);
        ASSERT_GT(sections.size(), 40u);
        for (int language : {1, 2}) {
            UseLanguage(language);
            for (const std::string& section : sections) {
                if (section.rfind("textbtn", 0) != 0)
                    continue;
                CSkinElement element;
                LoadSkinElement(std::atoi(section.c_str() + 7), &element);
                EXPECT_NE(element.title[0], 'x') << section;
                EXPECT_NE(element.tip[0], 'x') << section;
                EXPECT_GT(element.position.Width(), 0) << section;
            }
        }
    }
}

}  // namespace
