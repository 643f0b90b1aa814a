// CConverterDlg: the settings button's menu and the handlers of its skin and language choices.
#include "converter/converter_dlg.h"
#include "converter/settings_menu.h"
#include "services/log_writer.h"
#include "services/settings_ini.h"

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
