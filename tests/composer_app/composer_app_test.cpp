// The composer's start-up helpers: the suite switch, the launcher restart and the legacy language chooser.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "composer/composer_app.h"
#include "services/app_folder.h"
#include "services/numbered_text.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(SuiteSwitch, OnlyTheSwitchItselfInAnyCaseMarksASuiteStart)
{
    const struct {
        const char* argument;
        int standAlone;
    } cases[] = {{"-tonwicksuite", 0}, {"-TonwickSuite", 0}, {"-TONWICKSUITE", 0}, {"-tonwicksuite ", 1}, {"", 1},
                 {"tonwicksuite", 1}};
    for (const auto& c : cases) {
        g_bStandAlone = 1;
        ReadSuiteSwitch(c.argument);
        EXPECT_EQ(g_bStandAlone, c.standAlone) << '"' << c.argument << '"';
    }
    g_bStandAlone = 1;
}

class ProgramFolder : public ::testing::Test {
protected:
    void SetUp() override { SetAppFolder(temp.Win().c_str()); }
    TempFolder temp;
};

TEST_F(ProgramFolder, LauncherRestartNotesItInTheCommonSettings)
{
    temp.Write("common.ini", "[common]\r\nskin=1\r\n");
    RestartSuiteLauncher();
    // The note goes to the user's settings, the program folder is only read.
    std::ifstream in(std::string(std::getenv("XDG_CONFIG_HOME")) + "/kestrin/common.ini");
    const std::string settings((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(settings.find("[TonwickSuite]"), std::string::npos);
    EXPECT_NE(settings.find("SuiteLaunched=0"), std::string::npos);
    EXPECT_EQ(temp.Read("common.ini"), "[common]\r\nskin=1\r\n");
}

TEST_F(ProgramFolder, LegacyLanguageIsTheFileNamingTheConfiguredLanguage)
{
    temp.Write("kestrin.ini", "[main]\r\nlanguage=Deutsch\r\n");
    temp.Write("lan/English.txt", "1 English\r\n2 Open\r\n");
    temp.Write("lan/German.txt", "1 Deutsch\r\n2 Offnen\r\n");
    g_strLegacyLanguage = "English";
    LookupLegacyLanguageFile();
    EXPECT_STREQ(g_strLegacyLanguage, "German");
}

TEST_F(ProgramFolder, LegacyLanguageStaysWithoutTextFiles)
{
    temp.Write("kestrin.ini", "[main]\r\nlanguage=Deutsch\r\n");
    g_strLegacyLanguage = "English";
    LookupLegacyLanguageFile();
    EXPECT_STREQ(g_strLegacyLanguage, "English");
}

}  // namespace
