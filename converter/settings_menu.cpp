// The settings popup menu, built from the installed skins and languages.
#include "converter/settings_menu.h"

#include "services/app_folder.h"
#include "services/file_exists.h"
#include "services/ini_file.h"
#include "services/language_text.h"
#include "services/settings_ini.h"
#include "services/skin_element.h"

static CString ItemName(const CString& iniPath)
{
    CIniFile ini(iniPath);
    ini.SetSection("common");
    return ini.GetString("name", "");
}

static CString LanguageFilePath(int language)
{
    CString path;
    path.Format("%slang\\lang%03d.ini", GetAppFolder().GetString(), language);
    return path;
}

void BuildSettingsMenu(CMenu& menu, int currentSkin, int currentLanguage)
{
    CSettingsIni settings;
    menu.AppendMenu(MF_STRING, ID_SETTINGS_OPTIONS, GetLanguageText("option"));

    CMenu skins;
    skins.CreatePopupMenu();
    const int totalSkins = settings.GetInt("common", "totalskin");
    for (int n = 1; n <= totalSkins && n <= 101; ++n) {
        const CString path = GetSkinFolder(n) + "skin.ini";
        if (!FileExists(path))
            continue;
        skins.AppendMenu(MF_STRING | (n == currentSkin ? MF_CHECKED : MF_UNCHECKED), ID_SKIN_FIRST + n - 1,
                         ItemName(path));
    }
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(skins.Detach()), GetLanguageText("skin"));

    CMenu languages;
    languages.CreatePopupMenu();
    const int totalLanguages = settings.GetInt("common", "language");
    for (int m = 1; m <= totalLanguages && m <= 201; ++m) {
        const CString path = LanguageFilePath(m);
        if (!FileExists(path))
            continue;
        languages.AppendMenu(MF_STRING | (m == currentLanguage ? MF_CHECKED : MF_UNCHECKED), ID_LANGUAGE_FIRST + m - 1,
                             ItemName(path));
    }
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(languages.Detach()), GetLanguageText("lang"));
}
