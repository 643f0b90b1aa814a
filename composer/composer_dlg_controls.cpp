// CComposerDlg::CreateControls: every child window of the main window, with its id, skin element and binding.
#include "composer/composer_dlg.h"
#include "imaging/raster_image.h"

namespace {

void CreateButton(CSkinButton& button, CWnd* parent, UINT id, const CRect& rect = CRect(0, 0, 20, 20))
{
    button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rect, parent, id);
}

void CreateLabel(CSkinLabel& label, CWnd* parent, DWORD align, bool visible)
{
    label.Create("", WS_CHILD | SS_CENTER | (visible ? WS_VISIBLE : 0), CRect(0, 0, 20, 20), parent, IDC_LABEL);
    label.SetAlignment(align);
}

constexpr DWORD kLeft = 0, kCentre = 1;
// The status row's field: dark enough under its white text in every skin.
const COLORREF kStatusField = RGB(28, 32, 40);

}  // namespace

void CComposerDlg::SkinButtonAt(CSkinButton& button, int element, WPARAM command, int x, int y, int* var1, int value1,
                                int* var2, int value2)
{
    LoadSkinElement(element, &m_skinElement);
    const int w = m_skinElement.position.Width(), h = m_skinElement.position.Height();
    // Transport buttons carry their command as tooltip id, the others the toolbar's.
    const bool transport = command >= CMD_PLAY && command <= CMD_STOP;
    button.SetSkin(2, w, h, m_skinElement.bgimage, 0, transport ? (UINT)command : (UINT)IDC_TOOLBAR_TOOL, FALSE, this,
                   WM_SKINCOMMAND, command, var1, value1, var2, value2, nullptr, 1, m_skinElement.tip,
                   m_skinElement.title, m_skinElement.fntname, m_skinElement.fntsize, m_skinElement.fntcolor);
    button.MoveWindow(x, y, w, h, TRUE);
}

void CComposerDlg::SkinLabelAt(CSkinLabel& label, int element, int x, int y)
{
    LoadSkinElement(element, &m_skinElement);
    label.SetSkin(m_skinElement.bgimage, m_skinElement.title, m_skinElement.fntname, m_skinElement.fntsize,
                  m_skinElement.fntcolor);
    label.MoveWindow(x, y, m_skinElement.position.Width(), m_skinElement.position.Height(), TRUE);
}

BOOL CComposerDlg::CreateControls()
{
    LoadSkinElement(39, &m_skinElement);
    CRasterImage caption(m_skinElement.bgimage, RASTER_TYPE_BMP);
    g_nCaptionHeight = caption.GetHeight();

    m_scoreView.CreateEx(WS_EX_STATICEDGE, nullptr, "", WS_CHILD | WS_VISIBLE, 73, 112, 831, 520, m_hWnd,
                         (HMENU)(UINT_PTR)IDC_SCORE_VIEW);
    m_scoreView.AttachToOwner(700, this, WM_SKINCOMMAND, NOTIFY_SCORE_VIEW);
    m_scoreView.CreateChildDialogs();
    m_scoreView.MoveWindow(73, 112, 831, 520, TRUE);
    m_scoreView.LoadBackground();
    m_scoreView.ShowWindow(SW_SHOW);

    m_markerBar.Create(CPositionMarkerBar::IDD, this);
    m_markerBar.MoveWindow(73, 98, 659, 14, TRUE);
    m_markerBar.SetNotify(this, WM_SKINCOMMAND, NOTIFY_MARKER_BAR);
    m_markerBar.ShowWindow(SW_SHOW);

    m_rangeBar.Create(196, this);
    m_rangeBar.ShowWindow(SW_SHOW);
    for (CSkinLabel& separator : m_separators) {
        CreateLabel(separator, this, kCentre, false);
        separator.m_bBorder = 1;
        separator.m_bFill = 1;
    }

    CreateButton(m_btnHomePage, this, CMD_HOME_PAGE);
    SkinButtonAt(m_btnHomePage, 77, CMD_HOME_PAGE, 0, 1);

    // The toolbar, left to right under the caption.
    LoadSkinElement(60, &m_skinElement);
    m_nToolbarHeight = m_skinElement.position.Height();
    const int y = 10 + g_nCaptionHeight;
    int x = 10;
    CScore& song = m_scoreView.score;
    struct ToolbarButton {
        CSkinButton* button;
        WPARAM command;
        int element;
        int* var1;
        int value1;
        int* var2;
        int value2;
        int gapAfter;
    };
    const ToolbarButton toolbar[] = {
        {&m_btnNew, CMD_NEW, 60, nullptr, 0, nullptr, 0, 0},
        {&m_btnOpen, CMD_OPEN, 61, nullptr, 0, nullptr, 0, 0},
        {&m_btnSaveAs, CMD_SAVE_AS, 62, nullptr, 0, nullptr, 0, 10},
        {&m_btnEditMode[2], CMD_EDIT_MODE_FIRST + 2, 65, &m_scoreView.editMode, 2, nullptr, 0, 0},
        {&m_btnEditMode[1], CMD_EDIT_MODE_FIRST + 1, 64, &m_scoreView.editMode, 1, nullptr, 0, 0},
        {&m_btnEditMode[0], CMD_EDIT_MODE_FIRST, 63, &m_scoreView.editMode, 0, nullptr, 0, 10},
        {&m_btnPlay, CMD_PLAY, 79, &song.playState, 1, &song.loopPlay, 0, 0},
        {&m_btnPlayPart, CMD_PLAY_PART, 80, &song.playState, 1, &song.loopPlay, 1, 0},
        {&m_btnStop, CMD_STOP, 81, nullptr, 0, nullptr, 0, 10},
        {&m_btnToolGroup, CMD_TOOL_GROUP, 66, &m_bToolGroup, 1, nullptr, 0, 10},
        {&m_btnTrackEditor, CMD_TRACK_EDITOR, 67, nullptr, 0, nullptr, 0, 10},
        {&m_btnClef, CMD_CLEF, 68, nullptr, 0, nullptr, 0, 0},
        {&m_btnKeySignature, CMD_KEY_SIGNATURE, 69, nullptr, 0, nullptr, 0, 0},
        {&m_btnTimeSignature, CMD_TIME_SIGNATURE, 70, nullptr, 0, nullptr, 0, 10},
        {&m_btnMeasures, CMD_MEASURES, 71, nullptr, 0, nullptr, 0, 10},
        {&m_btnNoteZoom, CMD_NOTE_ZOOM, 72, nullptr, 0, nullptr, 0, 0},
        {&m_btnAppearance, CMD_APPEARANCE, 73, nullptr, 0, nullptr, 0, 0},
        {&m_btnMidiDevices, CMD_MIDI_DEVICES, 74, nullptr, 0, nullptr, 0, 0},
    };
    for (const ToolbarButton& t : toolbar) {
        CreateButton(*t.button, this, (UINT)t.command);
        SkinButtonAt(*t.button, t.element, t.command, x, y, t.var1, t.value1, t.var2, t.value2);
        x += m_skinElement.position.Width() + t.gapAfter;
    }

    LoadSkinElement(46, &m_skinElement);
    const int sliderY = y + (m_nToolbarHeight - m_skinElement.position.Height()) / 2;
    m_tempoSlider.Create(196, this);
    m_tempoSlider.Setup(0, FALSE, 0, 0, &song.tempo, 10, 250, m_skinElement.tip, m_skinElement.bgimage,
                        m_skinElement.fntname, m_skinElement.fntcolorNumbers, this, WM_SKINCOMMAND, CMD_TEMPO);
    m_tempoSlider.MoveWindow(x, sliderY, m_skinElement.position.Width(), m_skinElement.position.Height(), TRUE);
    m_tempoSlider.ShowWindow(SW_SHOW);
    x += m_skinElement.position.Width();

    CreateLabel(m_tempoLabel, this, kLeft, true);
    SkinLabelAt(m_tempoLabel, 75, x, sliderY);
    m_tempoLabel.SetFrameColor(RGB(76, 140, 245));
    m_tempoLabel.SetTempo(song.tempo);
    x += m_skinElement.position.Width();
    m_nToolbarEnd = x;

    // The palette, zoom and track buttons; the layout skins and places them.
    for (int i = 0; i < 7; ++i)
        CreateButton(m_btnPalette[i], this, CMD_NOTE_VALUE_FIRST + i);
    CreateButton(m_btnAddTrack, this, CMD_ADD_TRACK);
    CreateButton(m_btnRemoveTrack, this, CMD_REMOVE_TRACK);

    // Zoom and the small transport buttons from the program's pictures, at the toolbar's end for now.
    struct ResourceButton {
        CSkinButton* button;
        UINT command;
        const char* tip;
    };
    const ResourceButton small[] = {
        {&m_btnZoomIn, CMD_ZOOM_IN, "Zoom In"}, {&m_btnZoomOut, CMD_ZOOM_OUT, "Zoom Out"},
        {&m_btnSmallPlay, CMD_PLAY, "Play"},    {&m_btnSmallPlayPart, CMD_PLAY_PART, "Play part"},
        {&m_btnSmallStop, CMD_STOP, "Stop"},
    };
    for (const ResourceButton& r : small) {
        CreateButton(*r.button, this, r.command, CRect(x, y, x + 20, y + 20));
        r.button->SetResourceSkin(20, 20, r.command, r.command, FALSE, this, WM_SKINCOMMAND, r.command, nullptr, 0,
                                  nullptr, 0, nullptr, 1, r.tip, "");
        r.button->ShowWindow(SW_SHOW);
    }

    CreateButton(m_btnExportSettings, this, IDC_TOOLBAR_TOOL);
    CreateButton(m_btnOpenExportFolder, this, CMD_OPEN_EXPORT_FOLDER);

    CreateLabel(m_labels[LBL_PANEL_TITLE], this, kLeft, true);
    CreateLabel(m_labels[LBL_EXPORT_FOLDER], this, kLeft, true);
    m_fadeSlider.Create(196, this);
    m_fadeSlider.ShowWindow(SW_SHOW);
    CreateButton(m_btnFadeIn, this, CMD_FADE_IN);
    m_btnFadeIn.m_bTextBesideImage = 1;
    CreateButton(m_btnFadeOut, this, CMD_FADE_OUT);
    m_btnFadeOut.m_bTextBesideImage = 1;
    CreateLabel(m_fadeLabel, this, kCentre, true);
    const ComposerLabel panel[] = {LBL_START_CAPTION, LBL_END_CAPTION, LBL_LENGTH_CAPTION, LBL_SIZE_CAPTION,
                                   LBL_RANGE_START,   LBL_RANGE_END,   LBL_DURATION,       LBL_SIZE};
    for (ComposerLabel slot : panel)
        CreateLabel(m_labels[slot], this, slot >= LBL_RANGE_START ? kCentre : kLeft, true);
    CreateButton(m_btnFixedDuration, this, CMD_FIXED_DURATION);
    m_btnFixedDuration.m_bTextBesideImage = 1;

    m_scoreView.NewScore(0);
    m_scoreView.SetStaffScale(m_nStaffScale, 0);

    m_trackPanel.Create(CTrackInstrumentPanel::IDD, this);
    m_trackPanel.ShowWindow(SW_SHOW);

    CreateButton(m_btnExport, this, IDC_EXPORT_BUTTON);
    CreateButton(m_btnLowerPanel, this, IDC_LOWER_PANEL_BUTTON);
    for (ComposerLabel slot : {LBL_STATUS_LEFT, LBL_STATUS_RIGHT}) {
        CreateLabel(m_labels[slot], this, kLeft, true);
        m_labels[slot].m_bBorder = 1;
        m_labels[slot].m_bFill = 1;
        m_labels[slot].SetFrameColor(kStatusField);
    }
    CreateLabel(m_sizeGrip, this, kLeft, true);

    SetViewMode(m_nViewMode);
    LayoutControls();
    return TRUE;
}
