// CComposerDlg: the composer's main window: score view, toolbar, side panels, lower panel and status row, the
// one command dispatcher, the export job and the settings these share.
#pragma once

#include "audio/ffmpeg_process.h"
#include "composer/commands.h"
#include "composer/position_marker_bar.h"
#include "composer/progress_dialog.h"
#include "composer/track_instrument_panel.h"
#include "scoreview/score_view.h"
#include "services/skin_element.h"
#include "skinui/skin_button.h"
#include "skinui/skin_dialog.h"
#include "skinui/skin_label.h"
#include "skinui/skin_range_bar.h"
#include "skinui/skin_slider.h"

// Window ids and codes of the main window.
enum {
    IDD_COMPOSER = 129,
    IDC_HSCROLL_BAR = 1170,
    IDC_VSCROLL_BAR = 1172,
    IDC_SCORE_VIEW = 100,
    IDC_LABEL = 8888,          // every label
    IDC_TOOLBAR_TOOL = 10003,  // the tooltip id of the toolbar buttons; also the export-settings button's id
    IDC_EXPORT_BUTTON = 2003,  // the Export button
    IDC_LOWER_PANEL_BUTTON = CMD_LOWER_PANEL,  // an id of its own, apart from Export's
    IDC_CLOSE_COMMAND = 1106,                  // WM_COMMAND that closes the window
    TIMER_SIZE_DRAG = 1003,                    // 100 ms while the size grip is dragged
    TIMER_AMR_WATCH = 2,                       // the watcher of the AMR hand-over file
};

// Slots of m_labels (the side and lower panel labels), with the skin element each one wears.
enum ComposerLabel {
    LBL_PANEL_TITLE,     // element 26
    LBL_EXPORT_FOLDER,   // element 15: the export folder path
    LBL_START_CAPTION,   // element 30
    LBL_END_CAPTION,     // element 31
    LBL_LENGTH_CAPTION,  // element 32
    LBL_SIZE_CAPTION,    // element 33
    LBL_RANGE_START,     // element 21: the marked range's start time
    LBL_RANGE_END,       // element 22: its end time
    LBL_DURATION,        // element 34: its length
    LBL_SIZE,            // element 35: the estimated ringtone size
    LBL_STATUS_LEFT,     // the song's path
    LBL_STATUS_RIGHT,    // the edit position
    LBL_COUNT
};

class CComposerDlg : public CSkinDialog {
public:
    explicit CComposerDlg(CWnd* parent = nullptr);
    ~CComposerDlg() override;

    // Set-up and teardown.
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void SetPageSize(int width, int height);

    // Controls.
    BOOL CreateControls();

    // Layout.
    void LayoutControls();
    void LayoutToolbar();
    void ApplyPanelVisibility();
    void ShowPaletteForEditMode();
    void SetViewMode(int mode);

    // Command dispatch: every WM_USER+100 of the main window.
    afx_msg LRESULT OnUserMessage(WPARAM id, LPARAM value);
    void NewSong();
    // The Open command; a path given (the song named on the command line) is opened without the file dialog.
    void OpenSong(const CString& path = CString());

    // Song open, appearance, note zoom and page commands.
    void OnOpenSong(CString path = CString());
    void OnAppearance();
    // Takes the language, skin and background chosen (numbers from 1, the background from 0) into effect at once.
    void ApplyAppearance(int language, int skin, int background);
    void OnNoteZoom();
    void ReadPaperSettings();
    void PreparePrintout();
    void DrawVersionText(CDC* dc);

    // Status texts, range texts and track panel rows.
    void UpdateStatusTexts();
    void UpdateRangeTexts(BOOL log);
    void ApplyRangeBarCursor();
    void ApplyRangeBarRange();
    void ResetRangeBar();
    void UpdateTrackPanel();

    // The ringtone export and the export settings.
    void ExportRingtone(CString outputPath);
    void ChooseExportFolder();
    void ApplyExportSettings();
    // Shows the export folder in its label, its middle left out when the whole would shrink the font.
    void ShowExportFolder();
    void ToggleFixedDuration();
    void ApplyFadeTime(BOOL log);
    void ShowAboutBox();

    // Window events.
    afx_msg void OnCloseCommand();
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg void OnPaint();
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* scrollBar);
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* scrollBar);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    // The size grip's rectangle in client coordinates: element 85's size at the bottom-right corner.
    CRect SizeGripRect();

    // Members, in declaration order.
    int m_nSkin = 1;
    int m_nLanguage = 0;
    double m_dFixedSpan = 10.0;  // the fixed-duration span, percent of the song length
    int m_nFadeTime = 10;        // percent; common.ini "fidetime"
    int m_bFadeIn = 1;
    int m_bFadeOut = 1;
    int m_bFixedDuration = 0;
    int m_nRangeStartSeconds = 0;  // of the duration text
    int m_nRangeEndSeconds = 0;
    double m_dRangeDuration = 0;  // seconds of the marked range
    CString m_strLastOutput;      // the path text: the automatic name of the last export
    COLORREF m_crTransparent = RGB(192, 192, 192);
    int m_nViewMode = 0;
    int m_nDpi = 0;  // the paper settings
    int m_nPaperWidth = 0;
    int m_nPaperHeight = 0;
    CScoreView m_scoreView;
    int m_nMeasuresPerLine = 2;  // 1..10
    int m_nStaffScale = 13;      // 1..50
    // The AMR hand-over watcher (timer 2): the target, two companion files and the watched file.
    CString m_strAmrTarget;
    CString m_strAmrCompanion;
    CString m_strAmrWatched = "c:\\tempamrfile.amr";
    CString m_strAmrCompanion2;
    long long m_nAmrLastSize = -1;
    int m_nAmrUnchangedPolls = 0;
    CProgressDialog* m_pProgressDialog = nullptr;
    CFfmpegProcess m_ffmpeg;
    CString m_strExportFolder;  // ends in a backslash
    int m_nExportSample = 0;    // indices of the current format section
    int m_nExportBitrate = 0;
    int m_nExportChannel = 0;  // 0 mono, else stereo
    CScrollBar m_hScrollBar;   // control 1170, below the score view
    CScrollBar m_vScrollBar;   // control 1172, right of it
    HICON m_hIcon = nullptr;
    CSkinElement m_skinElement;  // every skin element is read into this one record
    CPositionMarkerBar m_markerBar;
    CSkinRangeBar m_rangeBar;
    CSkinSlider m_fadeSlider;
    CSkinLabel m_fadeLabel;
    CSkinButton m_btnFadeIn;
    CSkinButton m_btnFadeOut;
    CSkinButton m_btnFixedDuration;
    int m_bLowerPanel = 0;
    CSkinButton m_btnLowerPanel;
    CSkinLabel m_labels[LBL_COUNT];
    CSkinLabel m_separators[6];  // number 2 is never shown
    CSkinButton m_btnSmallPlay;
    CSkinButton m_btnSmallPlayPart;
    CSkinButton m_btnSmallStop;
    CSkinButton m_btnPlay;
    CSkinButton m_btnPlayPart;
    CSkinButton m_btnStop;
    CSkinButton m_btnExport;
    CSkinButton m_btnExportSettings;
    CSkinButton m_btnOpenExportFolder;
    CSkinButton m_btnNew;
    CSkinButton m_btnOpen;
    CSkinButton m_btnSaveAs;
    int m_nToolbarHeight = 0;
    int m_nToolbarEnd = 0;
    CSkinButton m_btnEditMode[3];  // edit modes 0, 1, 2 (commands 3011..3013)
    int m_bToolGroup = 0;
    CSkinButton m_btnToolGroup;
    CSkinButton m_btnTrackEditor;
    CSkinButton m_btnClef;
    CSkinButton m_btnKeySignature;
    CSkinButton m_btnTimeSignature;
    CSkinButton m_btnMeasures;
    CSkinButton m_btnNoteZoom;
    CSkinButton m_btnAppearance;
    CSkinButton m_btnMidiDevices;
    CSkinSlider m_tempoSlider;
    CSkinLabel m_tempoLabel;
    CSkinButton m_btnPalette[7];  // commands 47..53
    CSkinButton m_btnZoomIn;
    CSkinButton m_btnZoomOut;
    CSkinButton m_btnAddTrack;
    CSkinButton m_btnRemoveTrack;
    CSkinButton m_btnHomePage;
    CSkinLabel m_sizeGrip;  // element 85 at the bottom-right corner
    int m_nMinWidth = 0;
    int m_nMinHeight = 0;
    CTrackInstrumentPanel m_trackPanel;
    // 1 while an export runs: New, Open, Close and another export wait for its end.
    int m_bExporting = 0;
    // The song named on the command line, opened once the window is set up (empty: none).
    CString m_strStartupSong;

protected:
    void OnOK() override {}
    void OnCancel() override {}
    DECLARE_MESSAGE_MAP()

private:
    // Re-skins a button from its element (kind 2) with up to two bound variables, and moves it to (x, y).
    void SkinButtonAt(CSkinButton& button, int element, WPARAM command, int x, int y, int* var1 = nullptr,
                      int value1 = 0, int* var2 = nullptr, int value2 = 0);
    // Re-skins a label from its element (picture and text) and moves it to (x, y).
    void SkinLabelAt(CSkinLabel& label, int element, int x, int y);
    // Places a toolbar separator 3 pixels right of a control, as high as it.
    void PlaceSeparator(int number, const CRect& before);
    // Centres the window on the screen at that size.
    void CentreWindow(int width, int height);
};
