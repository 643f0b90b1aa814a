// CConverterDlg: creation of the main window's controls, over provisional rectangles the skin step replaces.
#include "converter/converter_dlg.h"
#include "services/log_writer.h"

namespace {

// Control ids of the buttons, by slot.
const UINT kButtonIds[BTN_COUNT] = {CODE_CLOSE,
                                    CODE_MINIMIZE,
                                    CODE_HOME_PAGE,
                                    CODE_HELP,
                                    CODE_ABOUT,
                                    CODE_REGISTER,
                                    CODE_ADD_FILES,
                                    CODE_REMOVE_FILES,
                                    CODE_FILE_UP,
                                    CODE_FILE_DOWN,
                                    CODE_PLAY,
                                    IDC_PAUSE_BUTTON,
                                    IDC_PLAY_CLIP_BUTTON,
                                    IDC_CONVERT_BUTTON,
                                    IDC_OUTPUT_FOLDER_BUTTON,
                                    CODE_OPEN_EXPORT_FOLDER,
                                    CODE_SETTINGS};
const UINT kLabelId = 8888;

void CreateButton(CSkinButton& button, CWnd* parent, UINT id)
{
    button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 20, 20), parent, id);
    button.ShowWindow(SW_SHOW);
}

void CreateLabel(CSkinLabel& label, CWnd* parent)
{
    label.Create("", WS_CHILD | WS_VISIBLE | SS_CENTER, CRect(0, 0, 20, 20), parent, kLabelId);
    label.ShowWindow(SW_SHOW);
}

}  // namespace

void CConverterDlg::CreateControls()
{
    CRect window;
    GetWindowRect(&window);
    MoveWindow(window.left, window.top, 532, 413, TRUE);
    WriteLog("start - 1");
    WriteLog("start - 2");
    for (int slot = BTN_CLOSE; slot <= BTN_REGISTER; ++slot)
        CreateButton(m_buttons[slot], this, kButtonIds[slot]);
    WriteLog("start - 3");
    LoadSkinElement(1, &m_skinElement);
    m_fileList.MoveWindow(m_skinElement.position.left, m_skinElement.position.top, m_skinElement.position.Width(),
                          m_skinElement.position.Height());
    WriteLog("start - 4");
    for (int slot = BTN_ADD; slot <= BTN_OPEN_EXPORT; ++slot)
        CreateButton(m_buttons[slot], this, kButtonIds[slot]);
    CreateLabel(m_progressLabel, this);
    CreateLabel(m_progressFileLabel, this);
    m_rangeBar.Create(500, this);
    m_rangeBar.ShowWindow(SW_SHOW);
    m_slider.Create(500, this);
    m_slider.ShowWindow(SW_SHOW);
    CreateButton(m_fadeInCheck, this, CODE_FADE_IN);
    CreateButton(m_fadeOutCheck, this, CODE_FADE_OUT);
    for (CSkinLabel& label : m_labels)
        CreateLabel(label, this);
    CreateButton(m_fixSizeCheck, this, CODE_FIXED_DURATION);
    CreateButton(m_buttons[BTN_SETTINGS], this, kButtonIds[BTN_SETTINGS]);
    WriteLog("start - 5");
}

void CConverterDlg::RefreshPreviewButtons()
{
    m_buttons[BTN_PLAY].Redraw();
    m_buttons[BTN_PAUSE].Redraw();
    m_buttons[BTN_PLAY_CLIP].Redraw();
}
