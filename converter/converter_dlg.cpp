// CConverterDlg: construction, the registry window size, start-up, the start-up and preview timers, teardown.
#include "converter/converter_dlg.h"

#include "converter/preview_player.h"
#include "kernel/last_error.h"
#include "kernel/registry.h"
#include "kernel/user_folders.h"
#include "services/app_folder.h"
#include "services/composer_globals.h"
#include "services/documents_folder.h"
#include "services/file_finder.h"
#include "services/ini_file.h"
#include "services/language_text.h"
#include "services/log_writer.h"
#include "services/settings_ini.h"

const char* const g_productTitle = "Tonwick Converter";
int g_standAlone = 1;
int g_outputFormat = 0;

static const char kWindowSizeKey[] = "Software\\DirectX AppWizard Apps\\MervaneAll2Mp3";

BEGIN_MESSAGE_MAP(CConverterDlg, CBitmapDialog)
ON_WM_TIMER()
ON_WM_CLOSE()
ON_MESSAGE(WM_USER + 100, OnSkinCommand)
ON_NOTIFY(NM_CLICK, 3009, OnFileClick)
ON_NOTIFY(NM_DBLCLK, 3009, OnDblClkList)
ON_COMMAND_RANGE(3008, 3022, OnCommandId)
ON_COMMAND_RANGE(11000, 11100, OnSelectSkin)
ON_COMMAND_RANGE(11101, 11101, OnCommandId)
ON_COMMAND_RANGE(11200, 11400, OnSelectLanguage)
ON_COMMAND_RANGE(30006, 30006, OnCommandId)
ON_COMMAND_RANGE(40001, 40025, OnCommandId)
END_MESSAGE_MAP()

CConverterDlg::CConverterDlg(CWnd* parent) : CBitmapDialog(102, parent)
{
    MainDialogLink link;
    link.pDialog = this;
    link.pLanguage = &m_language;
    link.pSkin = &m_skin;
    link.pTransparent = &m_transLow;
    link.pTransparentHigh = &m_transHigh;
    SetMainDialog(link);
    g_outputFormat = CSettingsIni().GetInt("common", "OutputFormat");
    // Six formats; anything else in the settings falls back to the first.
    if (g_outputFormat < 0 || g_outputFormat > 5)
        g_outputFormat = 0;
    m_icon = ::LoadIcon(AfxGetInstanceHandle(), MAKEINTRESOURCE(128));
    LoadWindowSize();
}

CConverterDlg::~CConverterDlg()
{
    CFileFinder finder;
    finder.FindFiles(GetDocumentsFolder(), "*_tempmp3wave.wav", FALSE, 0, FALSE, nullptr, nullptr);
    for (int i = 0; i < finder.GetSize(); ++i)
        DeleteFile(finder[i].m_strPath);
    SetMainDialog(MainDialogLink());
}

// 0 when the value was read as a DWORD; the member keeps its default otherwise.
static LONG ReadRegistryDword(HKEY key, const char* name, int* value)
{
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof(data);
    if (RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return E_FAIL;
    *value = static_cast<int>(data);
    return 0;
}

static LONG WriteRegistryDword(HKEY key, const char* name, int value)
{
    DWORD data = static_cast<DWORD>(value);
    return RegSetValueEx(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data)) == ERROR_SUCCESS
               ? 0
               : E_FAIL;
}

void CConverterDlg::LoadWindowSize()
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyEx(HKEY_CURRENT_USER, kWindowSizeKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition) !=
        ERROR_SUCCESS)
        return;
    ReadRegistryDword(key, "Width", &Width);
    ReadRegistryDword(key, "Height", &Height);
    RegCloseKey(key);
}

void CConverterDlg::SaveWindowSize()
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyEx(HKEY_CURRENT_USER, kWindowSizeKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition) !=
        ERROR_SUCCESS)
        return;
    WriteRegistryDword(key, "Width", Width);
    WriteRegistryDword(key, "Height", Height);
    RegCloseKey(key);
}

void CConverterDlg::DoDataExchange(CDataExchange* dx)
{
    CBitmapDialog::DoDataExchange(dx);
    DDX_Control(dx, 3009, m_fileList);
}
