// The settings popup menu, and the dialog's handlers of its skin and language choices.
#include "converter/settings_menu.h"

#include "converter/converter_dlg.h"
#include "services/app_folder.h"
#include "services/file_exists.h"
#include "services/ini_file.h"
#include "services/language_text.h"
#include "services/log_writer.h"
#include "services/settings_ini.h"

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

// The number stored in common.ini [common], 1 when unset.
static int CurrentNumber(const char* key)
{
    const int n = CSettingsIni().GetInt("common", key);
    return n > 0 ? n : 1;
}

void CConverterDlg::ShowSettingsMenu()
{
    m_skin = CurrentNumber("skin");
    m_language = CurrentNumber("curlang");
    CMenu menu;
    menu.CreatePopupMenu();
    BuildSettingsMenu(menu, m_skin, m_language);
    LoadSkinElement(38, &m_skinElement);
    CRect window;
    GetWindowRect(&window);
    menu.TrackPopupMenu(TPM_LEFTALIGN, window.left + m_skinElement.position.left,
                        window.top + m_skinElement.position.top, this);
    WriteLog("Click Setting");
}

void CConverterDlg::OnSelectSkin(UINT id)
{
    const int skin = static_cast<int>(id) - (ID_SKIN_FIRST - 1);
    if (skin == CurrentNumber("skin"))
        return;
    CSettingsIni().WriteInt("common", "skin", skin);
    m_skin = skin;
    ApplySkinLayout();
    WriteLog("Select skin - ", skin);
}

void CConverterDlg::OnSelectLanguage(UINT id)
{
    const int language = static_cast<int>(id) - (ID_LANGUAGE_FIRST - 1);
    if (language == CurrentNumber("curlang"))
        return;
    CSettingsIni().WriteInt("common", "curlang", language);
    m_language = language;
    ApplySkinLayout();
    WriteLog("Select Language - ", language);
}
