// CConverterDlg::ApplySkinLayout: every control of the main window dressed and placed from its skin element.
#include "converter/converter_dlg.h"
#include "converter/preview_player.h"
#include "services/language_text.h"

void CConverterDlg::SkinButton(CSkinButton& button, int element, WPARAM code, int* groupVar, int groupValue)
{
    LoadSkinElement(element, &m_skinElement);
    const CRect& r = m_skinElement.position;
    button.SetSkin(2, r.Width(), r.Height(), m_skinElement.bgimage, 0, button.GetDlgCtrlID(), FALSE, this,
                   WM_SKINCOMMAND, code, groupVar, groupValue, nullptr, 0, nullptr, 1, m_skinElement.tip,
                   m_skinElement.title, m_skinElement.fntname, m_skinElement.fntsize, m_skinElement.fntcolor);
    button.MoveWindow(r.left, r.top, r.Width(), r.Height());
    button.Invalidate();
}

void CConverterDlg::SkinLabel(CSkinLabel& label, int element)
{
    LoadSkinElement(element, &m_skinElement);
    const CRect& r = m_skinElement.position;
    // A missing text ("NULL") leaves the label empty until its owner writes it.
    const CString text = m_skinElement.title == "NULL" ? CString() : m_skinElement.title;
    label.SetSkin(m_skinElement.bgimage, text, m_skinElement.fntname, m_skinElement.fntsize, m_skinElement.fntcolor);
    label.MoveWindow(r.left, r.top, r.Width(), r.Height());
}

void CConverterDlg::ApplySkinLayout()
{
    LoadSkinElement(0, &m_skinElement);
    SetBackground(m_skinElement.bgimage, CString());
    SetWindowRegion();
    Invalidate();

    SkinButton(m_buttons[BTN_CLOSE], 6, CODE_CLOSE, nullptr, 0);
    SkinButton(m_buttons[BTN_MINIMIZE], 8, CODE_MINIMIZE, nullptr, 0);
    SkinButton(m_buttons[BTN_HOMEPAGE], 9, CODE_HOME_PAGE, nullptr, 0);
    SkinButton(m_buttons[BTN_HELP], 10, CODE_HELP, nullptr, 0);
    SkinButton(m_buttons[BTN_ABOUT], 42, CODE_ABOUT, nullptr, 0);
    SkinButton(m_buttons[BTN_REGISTER], 11, CODE_REGISTER, nullptr, 0);
    SkinButton(m_buttons[BTN_SETTINGS], 38, CODE_SETTINGS, nullptr, 0);

    LoadSkinElement(1, &m_skinElement);
    const CRect list = m_skinElement.position;
    m_fileList.MoveWindow(list.left, list.top, list.Width(), list.Height());
    // The column titles follow the language too.
    const char* const columns[] = {"filename", "Completed"};
    for (int i = 0; i < 2; ++i) {
        CString title = GetLanguageText(columns[i]);
        LVCOLUMN column = {};
        column.mask = LVCF_TEXT;
        column.pszText = title.GetBuffer();
        m_fileList.SetColumn(i, &column);
        title.ReleaseBuffer();
    }

    SkinButton(m_buttons[BTN_ADD], 2, CODE_ADD_FILES, nullptr, 0);
    SkinButton(m_buttons[BTN_REMOVE], 3, CODE_REMOVE_FILES, nullptr, 0);
    SkinButton(m_buttons[BTN_UP], 4, CODE_FILE_UP, nullptr, 0);
    SkinButton(m_buttons[BTN_DOWN], 5, CODE_FILE_DOWN, nullptr, 0);

    LoadSkinElement(13, &m_skinElement);
    const CRect preview = m_skinElement.position;
    ::MoveWindow(m_previewWnd, preview.left, preview.top, preview.Width(), preview.Height(), TRUE);

    LoadSkinElement(18, &m_skinElement);
    const CRect bar = m_skinElement.position;
    m_rangeBar.MoveWindow(bar.left, bar.top, bar.Width(), bar.Height());
    m_rangeBar.Setup(this, WM_SKINCOMMAND, CODE_RANGE_BAR, &m_fadeIn, &m_fadeOut, &m_fixSize, &m_fadeTime, &m_span30,
                     bar.Width());
    m_rangeBar.Invalidate();

    SkinButton(m_buttons[BTN_PLAY], 23, CODE_PLAY, &g_previewState, 2);
    SkinButton(m_buttons[BTN_PAUSE], 24, CODE_PAUSE, nullptr, 0);
    SkinButton(m_buttons[BTN_PLAY_CLIP], 25, CODE_PLAY_CLIP, &g_previewState, 2);

    const int infoElements[] = {30, 31, 21, 22, 32, 33, 34, 35};
    for (int i = 0; i < 8; ++i)
        SkinLabel(m_labels[LBL_START_CAPTION + i], infoElements[i]);

    SkinButton(m_buttons[BTN_CONVERT], m_converting ? 45 : 16, CODE_CONVERT, nullptr, 0);
    SkinLabel(m_labels[LBL_EXPORT_FOLDER], 17);
    SkinButton(m_buttons[BTN_OUTPUT_FOLDER], 14, CODE_OUTPUT_FOLDER, nullptr, 0);
    SkinButton(m_buttons[BTN_OPEN_EXPORT], 41, CODE_OPEN_EXPORT_FOLDER, nullptr, 0);
    SkinLabel(m_labels[LBL_STATUS], 15);
    SkinLabel(m_labels[LBL_CLIP], 26);

    LoadSkinElement(29, &m_skinElement);
    const CRect slider = m_skinElement.position;
    m_slider.MoveWindow(slider.left, slider.top, slider.Width(), slider.Height());
    m_slider.Setup(0, FALSE, 0, 0, &m_fadeTime, 0, 50, m_skinElement.tip, m_skinElement.bgimage, m_skinElement.fntname,
                   CRect(0, 0, slider.Width(), slider.Height()), this, WM_SKINCOMMAND, CODE_FADE_TIME);
    m_slider.Invalidate();

    SkinButton(m_fadeInCheck, 27, CODE_FADE_IN, &m_fadeIn, 1);
    SkinButton(m_fadeOutCheck, 28, CODE_FADE_OUT, &m_fadeOut, 1);
    SkinButton(m_fixSizeCheck, 36, CODE_FIXED_DURATION, &m_fixSize, 1);
    SkinLabel(m_labels[LBL_FADE], 37);
    // The progress labels' titles are format texts, filled in only while converting.
    SkinLabel(m_progressLabel, 43);
    m_progressLabel.SetText("");
    SkinLabel(m_progressFileLabel, 44);
    m_progressFileLabel.SetText("");

    OnDragFadeBar();
    ShowFileInfo(0);
}
