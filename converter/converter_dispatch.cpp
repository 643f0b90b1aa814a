// CConverterDlg: the skinned controls' commands, the menu commands, keys, window messages and the two exits.
#include "converter/converter_dlg.h"
#include "converter/frame_timer.h"
#include "converter/preview_player.h"
#include "services/app_folder.h"
#include "services/language_text.h"
#include "services/log_writer.h"
#include "services/settings_ini.h"

// The product's home page.
static const char kHomePage[] = "https://tonwick.example/";

LRESULT CConverterDlg::OnSkinCommand(WPARAM code, LPARAM value)
{
    switch (code) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
        g_outputFormat = static_cast<int>(code);
        LoadOutputSettings();
        break;
    case 10: ConvertAll(); break;
    case 11: OnConvertProgress(value); break;
    case 12: BrowseOutputFolder(); break;
    case 27:
        m_fadeIn = !m_fadeIn;
        m_fadeInCheck.Redraw();
        // Also the setting that "apply to every file" converts with.
        CSettingsIni().WriteInt("common", "fidein", m_fadeIn);
        WriteClipInfo();
        m_rangeBar.Invalidate();
        WriteLog(m_fadeIn ? "Fade in check" : "Fade in uncheck");
        break;
    case 28:
        m_fadeOut = !m_fadeOut;
        m_fadeOutCheck.Redraw();
        CSettingsIni().WriteInt("common", "fideout", m_fadeOut);
        WriteClipInfo();
        m_rangeBar.Invalidate();
        WriteLog(m_fadeOut ? "Fade out check" : "Fade out uncheck");
        break;
    case 29:
        // The slider reports each move with the value, its release with -2.
        if (value == -2)
            OnDragFadeBar();
        m_rangeBar.Invalidate();
        break;
    case 36:
        ToggleFixDuration();
        m_fixSizeCheck.Redraw();
        break;
    case 38: ShowSettingsMenu(); break;
    case 41:
        ShellExecute(m_hWnd, "open", m_exportFolder, nullptr, nullptr, SW_SHOWNORMAL);
        WriteLog("Open export folder - ", m_exportFolder);
        break;
    case 42: ShowAbout(); break;
    case 1030:
        if (Confirm(GetLanguageText("warnning"), GetLanguageText("askforquit")) == IDOK)
            ExitProgram();
        break;
    case 1032:
        ShowWindow(SW_MINIMIZE);
        WriteLog("Click minimize button");
        break;
    case 2002: ShellExecute(m_hWnd, "open", kHomePage, nullptr, nullptr, SW_SHOWNORMAL); break;
    case 2003: ShellExecute(m_hWnd, "open", GetAppFolder() + "help\\help.htm", nullptr, nullptr, SW_SHOWNORMAL); break;
    case 5009: AddFiles(); break;
    case 5010: RemoveFiles(); break;
    case 5011:
        MoveFileUp();
        WriteLog("Click file up");
        break;
    case 5012:
        MoveFileDown();
        WriteLog("Click file down");
        break;
    case 5013: StopPreview(); break;
    case 5014:
        m_clipMode = 0;
        PlayPreview();
        break;
    case 5015: PausePreview(); break;
    case 5016: ShowOptions(); break;
    case 5018: SaveClipRange(); break;
    case 5019: SetClipEndHere(); break;
    case 5020: ResetClipRange(); break;
    case 5021:
        m_clipMode = 1;
        PlayPreview();
        break;
    case 10000: WriteClipInfo(); break;
    default: break;
    }
    RefreshPreviewButtons();
    return 0;
}

void CConverterDlg::OnConvertProgress(LPARAM percentOfInput)
{
    if (percentOfInput >= 0) {
        double position = percentOfInput * m_convertDuration * 0.01;
        if (position > m_convertStart + m_convertLength)
            position = m_convertStart + m_convertLength;
        // A clip of no length has no progress to show.
        if (m_convertLength <= 0)
            return;
        const int percent = static_cast<int>((position - m_convertStart) * 100 / m_convertLength);
        if (percent >= 0 && percent <= 100) {
            m_progressLabel.SetPercent(percent);
            ShowProgress(percent);
        }
    } else if (!m_converting) {
        m_progressLabel.SetPercent(-1);
        ShowProgress(-1);
    }
}

void CConverterDlg::OnCommandId(UINT id)
{
    switch (id) {
    case 3008:
    case 40001: AddFiles(); break;
    case 40003:
        if (!m_playerMedia.IsEmpty())
            PreviewPause();
        break;
    case 3017:
    case 40004: StopPreview(); break;
    case 30006: PreviewToggleMute(); break;
    case 3019:
    case 40007: PreviewToggleFullScreen(); break;
    case 40019: SetAdvancedHeight(); break;
    case 40020: SetSimpleHeight(); break;
    case 40014: ShowAbout(); break;
    case 40022: OpenHelpPage(); break;
    case 40013: AskForQuit(); break;
    case 3011: BrowseOutputFolder(); break;
    case 3013: PlayPreview(); break;
    case 3014: SaveClipRange(); break;
    case 3015: SetClipEndHere(); break;
    case 3016: ResetClipRange(); break;
    case 3018: PausePreview(); break;
    case 3020: DeleteSelectedFiles(); break;
    case 3021: MoveFileUp(); break;
    case 3022: MoveFileDown(); break;
    case 11101: ShowOptions(); break;
    default: break;
    }
}

LRESULT CConverterDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATEAPP: m_appActive = static_cast<int>(wParam); break;
    case WM_COMMAND: {
        // Enter and Escape never end the dialog; they only leave the preview's full screen.
        const UINT id = LOWORD(wParam);
        if (id == IDOK || id == IDCANCEL || id == 40006) {
            PreviewLeaveFullScreen();
            return 0;
        }
        break;
    }
    case WM_ENTERMENULOOP:
    case WM_ENTERSIZEMOVE: PauseFrameTimer(TRUE); break;
    case WM_EXITMENULOOP:
    case WM_EXITSIZEMOVE: PauseFrameTimer(FALSE); break;
    default: break;
    }
    return CBitmapDialog::WindowProc(message, wParam, lParam);
}

BOOL CConverterDlg::PreTranslateMessage(MSG* msg)
{
    if (m_accel && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST &&
        TranslateAccelerator(m_hWnd, m_accel, msg))
        return TRUE;
    if (msg->message == WM_KEYUP) {
        switch (msg->wParam) {
        case '1':
        case '2':
            if (!m_playerMedia.IsEmpty()) {
                PreviewSetPosition(msg->wParam == '1' ? m_startMark : m_endMark);
                PreviewPlay();
            }
            break;
        case VK_F1: OnSkinCommand(5018, 0); break;
        case VK_F2: OnSkinCommand(5019, 0); break;
        case VK_F5: OnSkinCommand(5020, 0); break;
        default: break;
        }
    }
    return CBitmapDialog::PreTranslateMessage(msg);
}

void CConverterDlg::OnClose() { AskForQuit(); }

void CConverterDlg::AskForQuit()
{
    if (Confirm(g_productTitle, GetLanguageText("askforquit")) != IDOK)
        return;
    StopPreview();
    ExitProgram();
}

void CConverterDlg::ExitProgram()
{
    WriteLog("Program end!");
    PostQuitMessage(0);
    if (g_standAlone)
        return;
    ShellExecute(nullptr, "open", GetAppFolder() + "TonwickSuite.exe", nullptr, nullptr, SW_SHOWNORMAL);
    CSettingsIni().WriteInt("TonwickSuite", "SuiteLaunched", 0);
}

void CConverterDlg::SetAdvancedHeight()
{
    CRect window;
    GetWindowRect(&window);
    MoveWindow(window.left, window.top, window.Width(), m_advancedHeight, TRUE);
    m_heightState = 0;
}

void CConverterDlg::SetSimpleHeight()
{
    CRect window;
    GetWindowRect(&window);
    MoveWindow(window.left, window.top, window.Width(), m_simpleHeight, TRUE);
    m_heightState = 1;
}

void CConverterDlg::OpenHelpPage()
{
    ShellExecute(m_hWnd, "open", GetAppFolder() + "help\\index.htm", nullptr, nullptr, SW_SHOWNORMAL);
}
