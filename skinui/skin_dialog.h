// CSkinDialog: the dialog base with a caption strip painted from the skin, skinned caption buttons, dragging by
// the caption strip and the main window's notification-area icon.
#pragma once

#include "skinui/skin_button.h"
#include "skinui/skin_command.h"
#include "skinui/tray_icon.h"
#include "ui/dialog.h"

// Height of the skin's caption picture; 20 until the first caption paint (the composer's layout reads it).
extern int g_nCaptionHeight;
// The running program's title, fixed at start-up: the main window's caption and the tray icon's tip.
extern CString g_strProductTitle;
// The version string shown by the about box ("2.00").
extern CString g_strProductVersion;
// The product's home page, and the help page relative to the program folder.
extern CString g_strHomePage;
extern CString g_strHelpPage;

// The tray icon's callback to its dialog.
constexpr UINT WM_TRAYNOTIFY = WM_APP + 10;

class CSkinDialog : public CDialog {
public:
    enum CaptionMode {
        CAPTION_MAIN = 0,   // full set of caption buttons and the tray icon
        CAPTION_CHILD = 1,  // close button only
        CAPTION_FRAME = 2,  // close button and a maximise/restore pair from bitmap resources
    };
    // The caption buttons' commands in the composer.
    enum {
        ID_CAPTION_CLOSE = 300,
        ID_CAPTION_TOTRAY = 301,
        ID_CAPTION_MINIMIZE = 302,
        ID_CAPTION_MAXIMIZE = 303,
        ID_CAPTION_RESTORE = 304,
        ID_CAPTION_HOMEPAGE = 2006,
        ID_CAPTION_HELP = 2007,
        ID_CAPTION_ABOUT = 42,
    };
    // The caption buttons' commands in the converter.
    enum {
        ID_CONV_CLOSE = 1030,
        ID_CONV_TOTRAY = 1031,
        ID_CONV_MINIMIZE = 1032,
        ID_CONV_MAXIMIZE = 2000,
        ID_CONV_RESTORE = 2001,
        ID_CONV_HOMEPAGE = 2002,
        ID_CONV_HELP = 2003,
    };
    // Presses above this client y drag the window.
    static constexpr int kDragStripHeight = 21;

    CSkinDialog(UINT nIDTemplate, CWnd* pParent, CString strTitle, int nCaptionMode);
    ~CSkinDialog() override;

    // Creates the caption buttons along the top right edge (the converter's dialogs call it themselves).
    void CreateCaptionButtons();
    // Gives the caption buttons their skin again and re-places them, after a skin change.
    void ReloadCaptionButtons();

    afx_msg LRESULT OnSkinCommand(WPARAM nCommand, LPARAM lParam);
    afx_msg LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    // The caption strip and its title, as OnPaint draws them.
    void PaintCaption(CDC* pDC);

    int m_nCaptionMode;
    CString m_strTitle;
    int m_bMaximized = 0;
    int m_bSizedByCaption = 0;
    CSkinButton m_btnMinimize;
    CSkinButton m_btnToTray;
    CSkinButton m_btnClose;
    CSkinButton m_btnMaximize;
    CSkinButton m_btnRestore;
    CSkinButton m_btnHomePage;  // the converter's; no composer button carries the home page
    CSkinButton m_btnHelp;
    CSkinButton m_btnAbout;
    CTrayIcon m_trayIcon;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    DECLARE_MESSAGE_MAP()

private:
    void PlaceCaptionButtons(bool create);
    void PlaceConverterCaptionButtons(bool create);
    void PlaceFramePair(int closeLeft, bool create, UINT maximizeId, UINT restoreId);
    void OnConverterSkinCommand(WPARAM nCommand);
};
