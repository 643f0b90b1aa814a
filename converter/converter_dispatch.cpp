// CConverterDlg: the skinned controls' commands, the menu commands, keys, window messages and the two exits.
#include "converter/converter_dlg.h"
#include "converter/frame_timer.h"
#include "converter/preview_player.h"
#include "converter/settings_menu.h"
#include "services/app_folder.h"
#include "services/language_text.h"
#include "services/log_writer.h"
#include "services/settings_ini.h"

// The product's home page.
static const char kHomePage[] = "https://tonwick.example/";

LRESULT CConverterDlg::OnSkinCommand(WPARAM code, LPARAM value)
{
    switch (code) {
    case CODE_FORMAT_FIRST:
    case CODE_FORMAT_FIRST + 1:
    case CODE_FORMAT_FIRST + 2:
    case CODE_FORMAT_FIRST + 3:
    case CODE_FORMAT_FIRST + 4:
    case CODE_FORMAT_LAST:
        g_outputFormat = static_cast<int>(code);
        LoadOutputSettings();
        break;
    case CODE_CONVERT: ConvertAll(); break;
    case CODE_CONVERT_PROGRESS: OnConvertProgress(value); break;
    case CODE_OUTPUT_FOLDER: BrowseOutputFolder(); break;
    case CODE_FADE_IN:
        m_fadeIn = !m_fadeIn;
        m_fadeInCheck.Redraw();
        // Also the setting that "apply to every file" converts with.
        CSettingsIni().WriteInt("common", "fidein", m_fadeIn);
        WriteClipInfo();
        m_rangeBar.Invalidate();
        WriteLog(m_fadeIn ? "Fade in check" : "Fade in uncheck");
        break;
    case CODE_FADE_OUT:
        m_fadeOut = !m_fadeOut;
        m_fadeOutCheck.Redraw();
        CSettingsIni().WriteInt("common", "fideout", m_fadeOut);
        WriteClipInfo();
        m_rangeBar.Invalidate();
        WriteLog(m_fadeOut ? "Fade out check" : "Fade out uncheck");
        break;
    case CODE_FADE_TIME:
        // The slider reports each move with the value, its release with -2.
        if (value == FADE_TIME_RELEASED)
            OnDragFadeBar();
        m_rangeBar.Invalidate();
        break;
    case CODE_FIXED_DURATION:
        ToggleFixDuration();
        m_fixSizeCheck.Redraw();
        break;
    case CODE_SETTINGS: ShowSettingsMenu(); break;
    case CODE_OPEN_EXPORT_FOLDER:
        ShellExecute(m_hWnd, "open", m_exportFolder, nullptr, nullptr, SW_SHOWNORMAL);
        WriteLog("Open export folder - ", m_exportFolder);
        break;
    case CODE_ABOUT: ShowAbout(); break;
    case CODE_CLOSE:
        if (Confirm(GetLanguageText("warnning"), GetLanguageText("askforquit")) == IDOK)
            ExitProgram();
        break;
    case CODE_MINIMIZE:
        ShowWindow(SW_MINIMIZE);
        WriteLog("Click minimize button");
        break;
    case CODE_HOME_PAGE: ShellExecute(m_hWnd, "open", kHomePage, nullptr, nullptr, SW_SHOWNORMAL); break;
    case CODE_HELP:
        ShellExecute(m_hWnd, "open", GetAppFolder() + "help\\help.htm", nullptr, nullptr, SW_SHOWNORMAL);
        break;
    case CODE_ADD_FILES: AddFiles(); break;
    case CODE_REMOVE_FILES: RemoveFiles(); break;
    case CODE_FILE_UP:
        MoveFileUp();
        WriteLog("Click file up");
        break;
    case CODE_FILE_DOWN:
        MoveFileDown();
        WriteLog("Click file down");
        break;
    case CODE_STOP_PREVIEW: StopPreview(); break;
    case CODE_PLAY:
        m_clipMode = 0;
        PlayPreview();
        break;
    case CODE_PAUSE: PausePreview(); break;
    case CODE_OPTIONS: ShowOptions(); break;
    case CODE_SAVE_CLIP_RANGE: SaveClipRange(); break;
    case CODE_CLIP_END_HERE: SetClipEndHere(); break;
    case CODE_RESET_CLIP_RANGE: ResetClipRange(); break;
    case CODE_PLAY_CLIP:
        m_clipMode = 1;
        PlayPreview();
        break;
    case CODE_RANGE_BAR: WriteClipInfo(); break;
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
    case ID_ADD_FILES:
    case ID_MENU_ADD_FILES: AddFiles(); break;
    case ID_MENU_PAUSE:
        if (!m_playerMedia.IsEmpty())
            PreviewPause();
        break;
    case ID_STOP:
    case ID_MENU_STOP: StopPreview(); break;
    case ID_MENU_MUTE: PreviewToggleMute(); break;
    case ID_FULL_SCREEN:
    case ID_MENU_FULL_SCREEN: PreviewToggleFullScreen(); break;
    case ID_MENU_ADVANCED: SetAdvancedHeight(); break;
    case ID_MENU_SIMPLE: SetSimpleHeight(); break;
    case ID_MENU_ABOUT: ShowAbout(); break;
    case ID_MENU_HELP: OpenHelpPage(); break;
    case ID_MENU_QUIT: AskForQuit(); break;
    case ID_OUTPUT_FOLDER: BrowseOutputFolder(); break;
    case ID_PLAY: PlayPreview(); break;
    case ID_SAVE_CLIP_RANGE: SaveClipRange(); break;
    case ID_CLIP_END_HERE: SetClipEndHere(); break;
    case ID_RESET_CLIP_RANGE: ResetClipRange(); break;
    case ID_PAUSE: PausePreview(); break;
    case ID_DELETE_FILES: DeleteSelectedFiles(); break;
    case ID_FILE_UP: MoveFileUp(); break;
    case ID_FILE_DOWN: MoveFileDown(); break;
    case ID_SETTINGS_OPTIONS: ShowOptions(); break;
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
        if (id == IDOK || id == IDCANCEL || id == ID_MENU_LEAVE_FULL_SCREEN) {
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
        case VK_F1: OnSkinCommand(CODE_SAVE_CLIP_RANGE, 0); break;
        case VK_F2: OnSkinCommand(CODE_CLIP_END_HERE, 0); break;
        case VK_F5: OnSkinCommand(CODE_RESET_CLIP_RANGE, 0); break;
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
