// CConverterDlg: the converter's main window: file list, preview, clip range, fade and format options, conversion.
#pragma once

#include "converter/bitmap_dialog.h"
#include "converter/commands.h"
#include "converter/file_list_ctrl.h"
#include "converter/startup_checks.h"
#include "kernel/collections.h"
#include "services/skin_element.h"
#include "skinui/skin_button.h"
#include "skinui/skin_label.h"
#include "skinui/skin_range_bar.h"
#include "skinui/skin_slider.h"

// The current output format: 0 .mp3, 1 .wav, 2 .mmf, 3 .amr, 4 .awb, 5 .m4r (common.ini [common] "OutputFormat").
extern int g_outputFormat;
// The current output settings of that format: sample rate in Hz, bit rate in kbit/s, channel count (2 or 1).
extern int g_sampleRate;
extern int g_bitRate;
extern int g_channels;

// Timers of the main dialog.
enum {
    TIMER_PREVIEW_POSITION = 1001,  // 100 ms while the preview plays
    TIMER_STARTUP = 1003,           // every 2000 ms for the dialog's life
};

// The slots of m_buttons, in creation order, with the skin element each one wears.
enum ConverterButton {
    BTN_CLOSE,          // element 6, id and code 1030
    BTN_MINIMIZE,       // element 8, 1032
    BTN_HOMEPAGE,       // element 9, 2002
    BTN_HELP,           // element 10, 2003
    BTN_ABOUT,          // element 42, id and code 42
    BTN_REGISTER,       // element 11, 2004
    BTN_ADD,            // element 2, 5009
    BTN_REMOVE,         // element 3, 5010
    BTN_UP,             // element 4, 5011
    BTN_DOWN,           // element 5, 5012
    BTN_PLAY,           // element 23, id and code 5014
    BTN_PAUSE,          // element 24, id 24, code 5015
    BTN_PLAY_CLIP,      // element 25, id 25, code 5021
    BTN_CONVERT,        // element 16 (45 while converting), id 2007, code 10
    BTN_OUTPUT_FOLDER,  // element 14, id 2006, code 12
    BTN_OPEN_EXPORT,    // element 41, id and code 41
    BTN_SETTINGS,       // element 38, id and code 38
    BTN_COUNT
};

// The slots of m_labels, with the skin element each one wears.
enum ConverterLabel {
    LBL_START_CAPTION,     // element 30
    LBL_END_CAPTION,       // element 31
    LBL_START_TIME,        // element 21: the clip start
    LBL_END_TIME,          // element 22: the clip end
    LBL_DURATION_CAPTION,  // element 32
    LBL_SIZE_CAPTION,      // element 33
    LBL_DURATION,          // element 34: the clip length
    LBL_SIZE,              // element 35: the estimated output size
    LBL_EXPORT_FOLDER,     // element 17: the export folder
    LBL_STATUS,            // element 15
    LBL_CLIP,              // element 26
    LBL_FADE,              // element 37: the fade length
    LBL_COUNT
};

class CConverterDlg : public CBitmapDialog {
public:
    explicit CConverterDlg(CWnd* parent = nullptr);
    ~CConverterDlg() override;

    // Set-up and teardown.
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void LoadWindowSize();

    // Controls and command dispatch.
    void CreateControls();
    afx_msg LRESULT OnSkinCommand(WPARAM code, LPARAM value);
    void RefreshPreviewButtons();
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void AskForQuit();
    void ExitProgram();
    void SetAdvancedHeight();
    void SetSimpleHeight();
    void OpenHelpPage();
    void ShowOptions();
    void ShowAbout();
    // The confirmation dialog: IDOK or IDCANCEL.
    virtual int Confirm(const CString& title, const CString& text);
    // Code 11 of the ffmpeg runner: progress in percent of the input's duration, -1 at the end of a run.
    void OnConvertProgress(LPARAM percentOfInput);

    // The media file list and the preview commands.
    void AddFiles();
    int ChooseMediaFiles(CString title, CStringArray& paths);
    void RemoveFiles();
    int DeleteSelectedFiles();
    void MoveFileUp();
    void MoveFileDown();
    afx_msg void OnDblClkList(NMHDR* notify, LRESULT* result);
    void OpenInPreview(CString path);
    void PlayPreview();
    void PausePreview();
    void StopPreview();
    void ClosePreview();

    // Settings menu, skins and languages.
    void ShowSettingsMenu();
    afx_msg void OnSelectSkin(UINT id);
    afx_msg void OnSelectLanguage(UINT id);
    void ApplySkinLayout();

    // Batch conversion (defined with the conversion engine).
    void ConvertAll();
    void ShowProgress(int percent);
    void ApplyFadeOptions();

    // Clip-info file and clip range (defined with the clip editor).
    void ReadClipInfo(CString mediaPath, double* start, double* length, double* fadeLength, int* fadeIn, int* fadeOut);
    // The same with the media duration already measured.
    void ReadClipInfoOf(CString mediaPath, double duration, double* start, double* length, double* fadeLength,
                        int* fadeIn, int* fadeOut);
    void WriteClipInfo();
    void SetCurrentFile(CString mediaPath);
    afx_msg void OnFileClick(NMHDR* notify, LRESULT* result);
    void ShowFileInfo(int logIt);
    // The range bar and info labels after a clip key changed the current file's clip (percent of the duration).
    void ShowClipRange(double startPercent, double endPercent);
    void SaveClipRange();
    void SetClipEndHere();
    void ResetClipRange();
    void OnDragFadeBar();
    void ToggleFixDuration();
    // The media duration in seconds as the clip editor measures it (an mp3 through its preview wave).
    double GetMediaDuration(const CString& mediaPath);
    // True, with a log line, while a duration is measured: the list's and the conversion's commands then wait.
    bool BusyMeasuring(const char* command);

    // Output settings (defined with the export format dialog).
    void LoadOutputSettings();
    void BrowseOutputFolder();

    // Preview wave (defined with the preview player): decodes the media once; returns the wave's duration.
    double MakePreviewWave(CString mediaPath);

    // Members, in declaration order.
    CSkinElement m_skinElement;
    CString m_currentMedia;  // the media file of the selected row; empty when none
    double m_duration = 0;   // of the current media file, seconds
    int m_active = 1;
    int m_appActive = 0;
    int Width = 500;
    int Height = 375;
    HWND m_previewWnd = nullptr;
    CString m_exportFolder;  // ends in a backslash
    int m_converting = 0;
    CSkinButton m_buttons[BTN_COUNT];
    CSkinLabel m_labels[LBL_COUNT];
    CSkinRangeBar m_rangeBar;  // m_dPos, m_dStart, m_dEnd: position, clip start and end in percent of m_duration
    CSkinSlider m_slider;      // the fade length, bound to m_fadeTime
    int m_clipMode = 0;        // 1 while the preview plays the clip range only
    int m_fadeTime = 10;       // percent of the clip length
    int m_fadeIn = 1;
    int m_fadeOut = 1;
    int m_fixSize = 0;
    int m_removeTemp = 1;
    int m_applyFadeFix = 0;
    CSkinButton m_fadeInCheck;
    CSkinButton m_fadeOutCheck;
    CSkinButton m_fixSizeCheck;
    CSkinLabel m_progressLabel;      // element 43: the row in work and its percent
    CSkinLabel m_progressFileLabel;  // element 44: the file in work
    double m_convertStart = 0;       // the clip being converted, seconds
    double m_convertLength = 0;
    double m_convertDuration = 0;  // its file's duration
    CFileListCtrl m_fileList;
    int m_headerColumn = -1;
    int m_headerDirection = 0;
    HICON m_icon = nullptr;
    HACCEL m_accel = nullptr;
    CString m_playerMedia;  // the file open in the preview player; empty when none
    int m_heightState = 0;  // 0 advanced, 1 simple
    int m_simpleHeight = 300;
    int m_advancedHeight = 413;
    int m_windowCentred = 0;  // 0 until the first start-up tick has centred the window

    // Conversion state.
    int m_cancel = 0;    // set by a cancel; the row loop stops before the next row
    int m_stopping = 0;  // 1 from a cancel until the cancelled batch has unwound; convert is ignored meanwhile
    int m_rowCount = 0;
    int m_currentRow = 0;
    CString m_currentRowFile;

    // Clip editing.
    double m_span30 = 0;      // 30 seconds in percent of m_duration
    double m_clipLength = 0;  // seconds, as shown
    double m_startMark = 0;   // preview marks, seconds
    double m_endMark = 0;

    // What the last ReadClipInfo found: the media duration it measured and the clip's percents as read.
    double m_clipInfoDuration = 0;
    double m_clipInfoStartPercent = 0;
    double m_clipInfoEndPercent = 100;
    // Above 0 while ffmpeg measures a duration under the message pump.
    int m_measuring = 0;
    // Duration, 30-second span, clip values and range bar of the current file (its clip-info file read); false
    // when another file was made current while its duration was measured, which has loaded that one instead.
    bool LoadCurrentClip();
    // The end of a batch: the conversion-done dialog with the row count, the rows done, the elapsed time and
    // the first output written ("" when none).
    virtual void ShowConvertDone(int total, int done, const CString& usedTime, const CString& firstOutput);

    // Output settings indexes of the current format.
    int m_sampleIndex = 0;
    int m_bitRateIndex = 0;
    int m_channelFlag = 0;

    // Skin and language numbers, from 1.
    int m_skin = 1;
    int m_language = 1;

protected:
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnClose();
    afx_msg void OnCommandId(UINT id);
    DECLARE_MESSAGE_MAP()

private:
    void SkinButton(CSkinButton& button, int element, WPARAM code, int* groupVar, int groupValue);
    void SkinLabel(CSkinLabel& label, int element);
    void SelectFirstRow();
    void RefreshPlayButton(CSkinButton& button, int element, int clipMode, WPARAM code);
    void OnStartupTimer();
    void OnPreviewTimer();
};

// 0 when the file does not exist, else nonzero.
int GetFileStatus(const CString& path);
// The clip-info file of a media file, in the temporary folder.
CString GetClipInfoPath(CString mediaPath);
