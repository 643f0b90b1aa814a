// CComposerDlg: the layout of the main window from its size, the caption height and the skin elements' sizes.
#include "composer/composer_dlg.h"
#include "services/skin_format_text.h"
#include "song/midi_device.h"

namespace {

constexpr int M = 10;  // the margin used throughout

CRect WindowRectOf(const CWnd& wnd)
{
    CRect r;
    wnd.GetWindowRect(&r);
    return r;
}

}  // namespace

void CComposerDlg::PlaceSeparator(int number, const CRect& before)
{
    CSkinLabel& separator = m_separators[number];
    separator.MoveWindow(before.right + 3, before.top, 2, before.Height(), TRUE);
    separator.ShowWindow(SW_SHOW);
}

void CComposerDlg::LayoutControls()
{
    const CRect window = WindowRectOf(*this);
    const int W = window.Width(), H = window.Height();
    const int C = g_nCaptionHeight;
    const int T = m_nToolbarHeight;

    // Bottom area: the status row, the size grip, the lower-panel toggle and Export.
    const int ys = H - 30;
    m_labels[LBL_STATUS_RIGHT].MoveWindow(W - 220, ys, 200, 20, TRUE);
    m_labels[LBL_STATUS_LEFT].MoveWindow(M, ys, W - 240, 20, TRUE);
    LoadSkinElement(85, &m_skinElement);
    m_sizeGrip.SetSkin(m_skinElement.bgimage, "", m_skinElement.fntname, m_skinElement.fntsize, m_skinElement.fntcolor);
    m_sizeGrip.MoveWindow(W - m_skinElement.position.Width(), H - m_skinElement.position.Height(),
                          m_skinElement.position.Width(), m_skinElement.position.Height(), TRUE);
    LoadSkinElement(84, &m_skinElement);
    SkinButtonAt(m_btnLowerPanel, 84, CMD_LOWER_PANEL, W / 2 - m_skinElement.position.Width() / 2,
                 ys - M - m_skinElement.position.Height(), &m_bLowerPanel, 1);
    LoadSkinElement(16, &m_skinElement);
    SkinButtonAt(m_btnExport, 16, CMD_EXPORT, W - m_skinElement.position.Width() - M,
                 ys - M - m_skinElement.position.Height());
    const int B = ys - M - m_skinElement.position.Height();

    // Lower panel, row 1: caption, export folder and its two buttons.
    LoadSkinElement(26, &m_skinElement);
    const int y1 = B - 5 - m_skinElement.position.Height();
    m_labels[LBL_PANEL_TITLE].SetTextFont(m_skinElement.title, m_skinElement.fntname, m_skinElement.fntsize,
                                          m_skinElement.fntcolor);
    int x = W / 2 - 300;
    m_labels[LBL_PANEL_TITLE].MoveWindow(x, y1, m_skinElement.position.Width(), m_skinElement.position.Height(), TRUE);
    x += m_skinElement.position.Width() + M;
    SkinLabelAt(m_labels[LBL_EXPORT_FOLDER], 15, x, y1);
    ShowExportFolder();
    x += m_skinElement.position.Width() + M;
    SkinButtonAt(m_btnExportSettings, 14, CMD_EXPORT_SETTINGS, x, y1);
    x += m_skinElement.position.Width() + M;
    SkinButtonAt(m_btnOpenExportFolder, 41, CMD_OPEN_EXPORT_FOLDER, x, y1);

    // Row 2: length and size; row 3: start and end, with the transport buttons on the left.
    struct RowLabel {
        ComposerLabel slot;
        int element;
    };
    auto placeRow = [&](const RowLabel(&row)[4], int y) {
        int rx = W / 2 - 124;
        for (const RowLabel& r : row) {
            SkinLabelAt(m_labels[r.slot], r.element, rx, y);
            rx += m_skinElement.position.Width() + M;
        }
    };
    LoadSkinElement(32, &m_skinElement);
    const int y2 = y1 - M - m_skinElement.position.Height();
    placeRow({{LBL_LENGTH_CAPTION, 32}, {LBL_DURATION, 34}, {LBL_SIZE_CAPTION, 33}, {LBL_SIZE, 35}}, y2);
    LoadSkinElement(30, &m_skinElement);
    const int y3 = y2 - M - m_skinElement.position.Height();
    placeRow({{LBL_START_CAPTION, 30}, {LBL_RANGE_START, 21}, {LBL_END_CAPTION, 31}, {LBL_RANGE_END, 22}}, y3);
    CScore& song = m_scoreView.score;
    x = W / 2 - 295;
    SkinButtonAt(m_btnSmallPlay, 23, CMD_PLAY, x, y3, &song.playState, 1, &song.loopPlay, 0);
    x += m_skinElement.position.Width() + M;
    SkinButtonAt(m_btnSmallPlayPart, 25, CMD_PLAY_PART, x, y3, &song.playState, 1, &song.loopPlay, 1);
    x += m_skinElement.position.Width() + M;
    SkinButtonAt(m_btnSmallStop, 24, CMD_STOP, x, y3);

    // Row 4: the fade caption, the fade-time slider and the three fade toggles.
    LoadSkinElement(37, &m_skinElement);
    const int y4 = y3 - 20 - m_skinElement.position.Height();
    x = W / 2 - 290;
    SkinLabelAt(m_fadeLabel, 37, x, y4);
    // The caption is a format text for the fade time.
    m_fadeLabel.SetText(FormatSkinText(m_skinElement.title, "d", m_nFadeTime));
    x += m_skinElement.position.Width() + M;
    LoadSkinElement(29, &m_skinElement);
    m_fadeSlider.Setup(0, FALSE, 0, 0, &m_nFadeTime, 0, 40, m_skinElement.tip, m_skinElement.bgimage,
                       m_skinElement.fntname, m_skinElement.fntcolorNumbers, this, WM_SKINCOMMAND, CMD_FADE_TIME);
    m_fadeSlider.MoveWindow(x, y4, m_skinElement.position.Width(), m_skinElement.position.Height(), TRUE);
    m_fadeSlider.Invalidate();
    x += m_skinElement.position.Width() + M;
    SkinButtonAt(m_btnFadeIn, 27, CMD_FADE_IN, x, y4 - 5, &m_bFadeIn, 1);
    const int fadeOutY = (y4 - 5) + m_skinElement.position.Height() + 5;
    SkinButtonAt(m_btnFadeOut, 28, CMD_FADE_OUT, x, fadeOutY, &m_bFadeOut, 1);
    const int fixedX = x + m_skinElement.position.Width() + 20;
    const int fixedY = fadeOutY - m_skinElement.position.Height();
    SkinButtonAt(m_btnFixedDuration, 36, CMD_FIXED_DURATION, fixedX, fixedY, &m_bFixedDuration, 1);
    m_nMinHeight = H - fixedY + M;

    // The range bar above the lower panel, or above the bottom row while the panel is hidden.
    const int A = m_bLowerPanel == 1 ? fixedY : B;
    LoadSkinElement(47, &m_skinElement);
    const int barWidth = W - 30 - m_skinElement.position.Width();
    LoadSkinElement(18, &m_skinElement);
    const int barHeight = m_skinElement.position.Height();
    m_rangeBar.Setup(this, WM_SKINCOMMAND, CMD_RANGE_BAR, &m_bFadeIn, &m_bFadeOut, &m_bFixedDuration, &m_nFadeTime,
                     &m_dFixedSpan, barWidth);
    const int barTop = A - M - barHeight;
    m_rangeBar.MoveWindow(M, barTop, barWidth, barHeight, TRUE);
    m_rangeBar.Invalidate(FALSE);
    m_nMinHeight += barHeight + M;

    // The score area.
    CRect V;
    V.left = 170;
    V.top = T + C + 14 + 20;
    V.right = V.left + (W - 250);
    V.bottom = barTop - M - 20;
    m_nMinHeight += 200;
    m_nMinHeight += 14 + M;
    m_nMinHeight += T + M + C;
    m_scoreView.MoveWindow(V.left, V.top, V.Width(), V.Height(), TRUE);
    m_btnZoomOut.MoveWindow(V.right - 20, V.bottom, 20, 20, TRUE);
    m_btnZoomIn.MoveWindow(V.right - 40, V.bottom, 20, 20, TRUE);
    m_hScrollBar.MoveWindow(V.left, V.bottom, V.Width() - 40, 20, TRUE);
    m_trackPanel.MoveWindow(V.left - 150, V.top, 150, V.Height(), TRUE);
    LoadSkinElement(55, &m_skinElement);
    const int removeY = V.bottom - m_skinElement.position.Height();
    SkinButtonAt(m_btnRemoveTrack, 55, CMD_REMOVE_TRACK, V.right, removeY);
    LoadSkinElement(54, &m_skinElement);
    const int addY = removeY - m_skinElement.position.Height();
    SkinButtonAt(m_btnAddTrack, 54, CMD_ADD_TRACK, V.right, addY);
    m_vScrollBar.MoveWindow(V.right, V.top, 20, addY - V.top, TRUE);
    m_markerBar.MoveWindow(V.left, V.top - 14, V.Width(), 14, TRUE);

    // The palette column right of the score.
    int py = V.top;
    for (int i = 0; i < 6; ++i) {
        SkinButtonAt(m_btnPalette[i], 47 + i, CMD_NOTE_VALUE_FIRST + i, V.right + 30, py, &m_scoreView.paletteChoice[0],
                     i);
        py += m_skinElement.position.Height() + M;
    }
    SkinButtonAt(m_btnPalette[6], 53, CMD_VALUE_MODIFIER, V.right + 30, py, &m_scoreView.score.dotMode, 1);

    // The value labels were re-skinned with the skin's captions: give them their values again.
    UpdateRangeTexts(FALSE);

    m_scoreView.PostMessage(WM_SKINCOMMAND, VIEW_LAYOUT_REQUEST, 0);
    m_scoreView.ZoomReset();
    m_scoreView.SetStaffScale((double)m_nStaffScale, 0);
    LayoutToolbar();
    ApplyPanelVisibility();
    UpdateTrackPanel();
}

void CComposerDlg::LayoutToolbar()
{
    SkinButtonAt(m_btnHomePage, 77, CMD_HOME_PAGE, 0, 1);
    const int y = M + g_nCaptionHeight;
    LoadSkinElement(60, &m_skinElement);
    m_nToolbarHeight = m_skinElement.position.Height();
    CScore& song = m_scoreView.score;
    struct ToolbarStep {
        CSkinButton* button;
        WPARAM command;
        int element;
        int* var1;
        int value1;
        int* var2;
        int value2;
        int separatorAfter;  // -1 none
        int gapAfter;
    };
    const ToolbarStep steps[] = {
        {&m_btnNew, CMD_NEW, 60, nullptr, 0, nullptr, 0, -1, 0},
        {&m_btnOpen, CMD_OPEN, 61, nullptr, 0, nullptr, 0, -1, 0},
        {&m_btnSaveAs, CMD_SAVE_AS, 62, nullptr, 0, nullptr, 0, 0, M},
        {&m_btnEditMode[2], CMD_EDIT_MODE_FIRST + 2, 65, &m_scoreView.editMode, 2, nullptr, 0, -1, 0},
        {&m_btnEditMode[1], CMD_EDIT_MODE_FIRST + 1, 64, &m_scoreView.editMode, 1, nullptr, 0, -1, 0},
        {&m_btnEditMode[0], CMD_EDIT_MODE_FIRST, 63, &m_scoreView.editMode, 0, nullptr, 0, 1, M},
        {&m_btnPlay, CMD_PLAY, 79, &song.playState, 1, &song.loopPlay, 0, -1, 0},
        {&m_btnPlayPart, CMD_PLAY_PART, 80, &song.playState, 1, &song.loopPlay, 1, -1, 0},
        {&m_btnStop, CMD_STOP, 81, nullptr, 0, nullptr, 0, 3, M},
        {&m_btnToolGroup, CMD_TOOL_GROUP, 66, &m_bToolGroup, 1, nullptr, 0, 4, M},
        {&m_btnTrackEditor, CMD_TRACK_EDITOR, 67, nullptr, 0, nullptr, 0, -1, M},
        {&m_btnClef, CMD_CLEF, 68, nullptr, 0, nullptr, 0, -1, 0},
        {&m_btnKeySignature, CMD_KEY_SIGNATURE, 69, nullptr, 0, nullptr, 0, -1, 0},
        {&m_btnTimeSignature, CMD_TIME_SIGNATURE, 70, nullptr, 0, nullptr, 0, 5, M},
        {&m_btnMeasures, CMD_MEASURES, 71, nullptr, 0, nullptr, 0, -1, M},
        {&m_btnNoteZoom, CMD_NOTE_ZOOM, 72, nullptr, 0, nullptr, 0, -1, 0},
        {&m_btnAppearance, CMD_APPEARANCE, 73, nullptr, 0, nullptr, 0, -1, 0},
        {&m_btnMidiDevices, CMD_MIDI_DEVICES, 74, nullptr, 0, nullptr, 0, -1, 0},
    };
    int x = M;
    for (const ToolbarStep& s : steps) {
        SkinButtonAt(*s.button, s.element, s.command, x, y, s.var1, s.value1, s.var2, s.value2);
        const CRect placed(x, y, x + m_skinElement.position.Width(), y + m_skinElement.position.Height());
        if (s.separatorAfter >= 0)
            PlaceSeparator(s.separatorAfter, placed);
        x = placed.right + s.gapAfter;
    }

    LoadSkinElement(46, &m_skinElement);
    const int sliderY = y + (m_nToolbarHeight - m_skinElement.position.Height()) / 2;
    m_tempoSlider.Setup(0, FALSE, 0, 0, &song.tempo, 10, 250, m_skinElement.tip, m_skinElement.bgimage,
                        m_skinElement.fntname, m_skinElement.fntcolorNumbers, this, WM_SKINCOMMAND, CMD_TEMPO);
    m_tempoSlider.MoveWindow(x, sliderY, m_skinElement.position.Width(), m_skinElement.position.Height(), TRUE);
    m_tempoSlider.Invalidate();
    x += m_skinElement.position.Width();
    SkinLabelAt(m_tempoLabel, 75, x, sliderY);
    m_tempoLabel.SetTempo(song.tempo);
    x += m_skinElement.position.Width();
    m_nMinWidth = x;
    ReloadCaptionButtons();
}

void CComposerDlg::ApplyPanelVisibility()
{
    const int tools = m_bToolGroup == 1 ? SW_SHOW : SW_HIDE;
    CWnd* const toolGroup[] = {&m_btnTrackEditor, &m_btnClef,     &m_btnKeySignature, &m_btnTimeSignature,
                               &m_btnMeasures,    &m_btnNoteZoom, &m_btnAppearance,   &m_btnMidiDevices,
                               &m_tempoSlider,    &m_tempoLabel,  &m_separators[4],   &m_separators[5]};
    for (CWnd* w : toolGroup)
        w->ShowWindow(tools);
    m_btnToolGroup.Invalidate(FALSE);

    const int panel = m_bLowerPanel == 1 ? SW_SHOW : SW_HIDE;
    CWnd* const lowerPanel[] = {&m_labels[LBL_PANEL_TITLE],
                                &m_labels[LBL_EXPORT_FOLDER],
                                &m_labels[LBL_START_CAPTION],
                                &m_labels[LBL_END_CAPTION],
                                &m_labels[LBL_RANGE_START],
                                &m_labels[LBL_RANGE_END],
                                &m_labels[LBL_LENGTH_CAPTION],
                                &m_labels[LBL_SIZE_CAPTION],
                                &m_labels[LBL_DURATION],
                                &m_labels[LBL_SIZE],
                                &m_btnExportSettings,
                                &m_btnOpenExportFolder,
                                &m_fadeLabel,
                                &m_btnFadeIn,
                                &m_btnFadeOut,
                                &m_btnFixedDuration,
                                &m_fadeSlider,
                                &m_btnSmallPlay,
                                &m_btnSmallPlayPart,
                                &m_btnSmallStop};
    for (CWnd* w : lowerPanel)
        w->ShowWindow(panel);

    m_sizeGrip.ShowWindow(m_bMaximized ? SW_HIDE : SW_SHOW);
}

void CComposerDlg::ShowPaletteForEditMode()
{
    const int show = m_scoreView.editMode == 2 ? SW_SHOW : SW_HIDE;
    for (CSkinButton& button : m_btnPalette)
        button.ShowWindow(show);
}

void CComposerDlg::SetViewMode(int mode)
{
    m_nViewMode = mode;
    if (mode == 0)
        OpenMidiFromSettings(this);
    else
        CloseMidiDevices();
    const int show = mode == 0 ? SW_SHOW : SW_HIDE;
    CWnd* const scoreControls[] = {&m_scoreView,      &m_markerBar,      &m_btnMeasures,    &m_btnNoteZoom,
                                   &m_btnAppearance,  &m_btnMidiDevices, &m_btnEditMode[0], &m_btnEditMode[1],
                                   &m_btnEditMode[2], &m_tempoLabel,     &m_tempoSlider};
    for (CWnd* w : scoreControls)
        w->ShowWindow(show);
    m_btnSaveAs.ShowWindow(mode == 2 ? SW_HIDE : SW_SHOW);
}
