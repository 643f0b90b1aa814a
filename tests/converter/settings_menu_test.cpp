// The settings menu: one item per installed skin and language, the current ones checked, labels in the language.
#include <gtest/gtest.h>

#include "converter/settings_menu.h"
#include "services/app_folder.h"
#include "services/composer_globals.h"
#include "services/deliverable.h"
#include "services/settings_ini.h"
#include "tests/support/temp_folder.h"

namespace {

class SettingsMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDeliverable(DELIVERABLE_CONVERTER);
        SetAppFolder(program.Win("tonwick").c_str());
        program.Write("common.ini",
                      "[common]\ncurlang=1\nlanguage=3\nskin=3\ntotalskin=3\n"
                      "[stringtip]\noption=x012\nskin=x013\nlang=x014\n");
        program.Write("skin/skin-1/skin.ini", "[common]\nname=Blue\n");
        program.Write("skin/skin-3/skin.ini", "[common]\nname=Green\n");
        program.Write("lang/lang001.ini",
                      "[common]\nname=English\n[lanstring]\nx012=Options\nx013=Skin\nx014=Language\n");
        program.Write("lang/lang002.ini",
                      "[common]\nname=Deutsch\n[lanstring]\nx012=Optionen\nx013=Aussehen\nx014=Sprache\n");
        MainDialogLink link;
        link.pDialog = reinterpret_cast<CWnd*>(&dialogStandIn);
        link.pLanguage = &language;
        SetMainDialog(link);
    }
    void TearDown() override
    {
        SetMainDialog(MainDialogLink());
        SetDeliverable(DELIVERABLE_COMPOSER);
    }

    // "text=id" of every item of a menu, checked ones marked with '*', sub-menus in brackets.
    static std::string Describe(CMenu& menu)
    {
        std::string out;
        for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
            CString text;
            menu.GetMenuString(i, text, MF_BYPOSITION);
            out += std::string(i ? " " : "") + text.GetString();
            if (CMenu* sub = menu.GetSubMenu(static_cast<int>(i))) {
                out += "[" + Describe(*sub) + "]";
                continue;
            }
            const UINT id = menu.GetMenuItemID(static_cast<int>(i));
            out += "=" + std::to_string(id);
            if (menu.GetMenuState(id, MF_BYCOMMAND) & MF_CHECKED)
                out += "*";
        }
        return out;
    }

    TempFolder program;
    int dialogStandIn = 0;
    int language = 0;
};

TEST_F(SettingsMenu, ListsInstalledSkinsAndLanguagesByTheirNumbers)
{
    CMenu menu;
    menu.CreatePopupMenu();
    BuildSettingsMenu(menu, 3, 1);
    // Skin 2 and language 3 have no files: no items, and the others keep their numbers.
    EXPECT_EQ(Describe(menu), "Options=11101 Skin[Blue=11000 Green=11002*] Language[English=11200* Deutsch=11201]");
}

TEST_F(SettingsMenu, FollowsTheCurrentLanguage)
{
    CSettingsIni().WriteInt("common", "curlang", 2);
    CMenu menu;
    menu.CreatePopupMenu();
    BuildSettingsMenu(menu, 1, 2);
    EXPECT_EQ(Describe(menu), "Optionen=11101 Aussehen[Blue=11000* Green=11002] Sprache[English=11200 Deutsch=11201*]");
}

}  // namespace
