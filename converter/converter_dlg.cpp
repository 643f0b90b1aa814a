// CConverterDlg: construction, the registry window size, start-up, the start-up and preview timers, teardown.
#include "converter/converter_dlg.h"

#include "converter/preview_player.h"
#include "converter/settings_menu.h"
#include "kernel/last_error.h"
#include "kernel/registry.h"
#include "kernel/user_folders.h"
#include "services/app_folder.h"
#include "services/composer_globals.h"
#include "services/ini_file.h"
#include "services/language_text.h"
#include "services/log_writer.h"
#include "services/private_temp.h"
#include "services/settings_ini.h"

int g_outputFormat = 0;

static const char kWindowSizeKey[] = "Software\\DirectX AppWizard Apps\\MervaneAll2Mp3";

BEGIN_MESSAGE_MAP(CConverterDlg, CBitmapDialog)
ON_WM_TIMER()
ON_WM_CLOSE()
ON_MESSAGE(WM_SKINCOMMAND, OnSkinCommand)
ON_NOTIFY(NM_CLICK, IDC_FILE_LIST, OnFileClick)
ON_NOTIFY(NM_DBLCLK, IDC_FILE_LIST, OnDblClkList)
ON_COMMAND_RANGE(ID_COMMAND_FIRST, ID_COMMAND_LAST, OnCommandId)
ON_COMMAND_RANGE(ID_SKIN_FIRST, ID_SKIN_LAST, OnSelectSkin)
ON_COMMAND_RANGE(ID_SETTINGS_OPTIONS, ID_SETTINGS_OPTIONS, OnCommandId)
ON_COMMAND_RANGE(ID_LANGUAGE_FIRST, ID_LANGUAGE_LAST, OnSelectLanguage)
ON_COMMAND_RANGE(ID_MENU_MUTE, ID_MENU_MUTE, OnCommandId)
ON_COMMAND_RANGE(ID_MENU_FIRST, ID_MENU_LAST, OnCommandId)
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
    // The preview waves and the fade wave go with this run's temporary folder.
    RemovePrivateTempFolder();
    if (GetMainDialog() == this)
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

void CConverterDlg::DoDataExchange(CDataExchange* dx)
{
    CBitmapDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_FILE_LIST, m_fileList);
}

BOOL CConverterDlg::OnInitDialog()
{
    SetWindowText(g_productTitle);
    CIniFile ini(GetAppFolder() + "common.ini");
    ini.SetSection("common");
    m_fadeTime = ini.GetInt("fidetime", 5);
    m_fadeIn = ini.GetInt("fidein", 0);
    m_fadeOut = ini.GetInt("fideout", 0);
    m_fixSize = ini.GetInt("fixsize", 0);
    m_applyFadeFix = ini.GetInt("ApplyFadeFix", 0);

    CBitmapDialog::OnInitDialog();

    m_fileList.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    m_fileList.InsertColumn(0, GetLanguageText("filename"), LVCFMT_LEFT, 380);
    m_fileList.InsertColumn(1, GetLanguageText("Completed"), LVCFMT_LEFT, 100);
    m_fileList.ModifyStyle(0, LVS_SHOWSELALWAYS);
    m_fileList.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);

    SetIcon(m_icon, TRUE);
    SetIcon(m_icon, FALSE);
    m_accel = LoadAccelerators(AfxGetInstanceHandle(), MAKEINTRESOURCE(113));

    m_previewWnd = PreviewCreateWindow(this, 51, 10, 154, 87);
    ::ShowWindow(m_previewWnd, SW_HIDE);

    CreateControls();

    WriteLog("start - 6");
    LoadOutputSettings();
    WriteLog("start - 7");
    ApplySkinLayout();
    WriteLog("start - 8");
    OnDragFadeBar();
    WriteLog("start - 9");
    LoadOutputSettings();
    WriteLog("start - 10");
    SetTimer(TIMER_STARTUP, 2000, nullptr);
    WriteLog("start - 11");
    return TRUE;
}

// A play button's caption: the element's text, or "stop" while the player runs in that button's mode.
void CConverterDlg::RefreshPlayButton(CSkinButton& button, int element, int clipMode, WPARAM code)
{
    LoadSkinElement(element, &m_skinElement);
    CString text = m_skinElement.title;
    if (g_previewState == 2 && m_clipMode == clipMode)
        text = GetLanguageText("stop");
    button.SetSkin(2, m_skinElement.position.Width(), m_skinElement.position.Height(), m_skinElement.bgimage, 0,
                   button.GetDlgCtrlID(), FALSE, this, WM_SKINCOMMAND, code, &g_previewState, 2, nullptr, 0, nullptr, 1,
                   m_skinElement.tip, text, m_skinElement.fntname, m_skinElement.fntsize, m_skinElement.fntcolor);
    button.Redraw();
}

void CConverterDlg::OnStartupTimer()
{
    // The start-up steps are logged once; the captions are refreshed on every tick.
    const bool first = !m_windowCentred;
    if (first)
        WriteLog("start - 13");
    RefreshPlayButton(m_buttons[BTN_PLAY], 23, 0, CODE_PLAY);
    if (first)
        WriteLog("start - 14");
    RefreshPlayButton(m_buttons[BTN_PLAY_CLIP], 25, 1, CODE_PLAY_CLIP);
    if (!first)
        return;
    CRect window;
    GetWindowRect(&window);
    const int cx = GetSystemMetrics(SM_CXSCREEN) / 2;
    const int cy = GetSystemMetrics(SM_CYSCREEN) / 2;
    window.OffsetRect(cx - window.Width() / 2 - window.left, cy - window.Height() / 2 - window.top);
    ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, window.left, window.top, window.Width(), window.Height(), SWP_SHOWWINDOW);
    WriteLog("start - 12");
    CString position;
    position.Format("%d,%d,%d,%d", window.left, window.top, window.Width(), window.Height());
    WriteLog("win position: ", position);
    m_windowCentred = 1;
    WriteLog("start - 15");
}

void CConverterDlg::OnPreviewTimer()
{
    if (m_duration <= 0)
        return;
    m_rangeBar.m_dPos = PreviewGetPosition() * 100 / m_duration;
    m_rangeBar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    if (m_clipMode != 1)
        return;
    if (m_rangeBar.m_dPos >= m_rangeBar.m_dEnd)
        PostMessage(WM_SKINCOMMAND, CODE_PLAY_CLIP, 0);
    double inGain = 1.0;
    double outGain = 1.0;
    if (m_fadeTime != 0) {
        const double s = m_rangeBar.m_dStart;
        const double e = m_rangeBar.m_dEnd;
        int t = static_cast<int>((e - s) * m_fadeTime * m_duration * 0.0001);
        if (t == 0)
            t = 1;
        const double total = 100.0 * t;
        inGain = ((m_rangeBar.m_dPos - s) * m_duration / total + 1) * 0.6;
        outGain = ((e - m_rangeBar.m_dPos) * m_duration / total + 1) * 0.6;
    }
    if (m_fadeIn && inGain <= 1.0)
        PreviewSetVolume(inGain);
    if (m_fadeOut && outGain < 1.0)
        PreviewSetVolume(outGain);
}

void CConverterDlg::OnTimer(UINT_PTR id)
{
    if (id == TIMER_STARTUP)
        OnStartupTimer();
    else if (id == TIMER_PREVIEW_POSITION)
        OnPreviewTimer();
    CBitmapDialog::OnTimer(id);
}
