// CExportDoneDialog: the modal dialog that ends an export: names the new ringtone and offers to open it, to
// open the export folder, or to go on.
#pragma once

#include "skinui/skin_dialog.h"

class CExportDoneDialog : public CSkinDialog {
public:
    enum { IDD = 263 };
    static constexpr int kMessageId = 3045;
    static constexpr int kOpenFileId = 1200;
    static constexpr int kOpenFolderId = 1201;
    static constexpr int kContinueId = 1202;
    enum Choice { kOpenFile = 0, kOpenFolder = 1, kContinue = 2 };

    CExportDoneDialog(CString strOutputPath, CString strTitle, CWnd* pParent = nullptr);

    CString m_strFolder;  // drive and directory of the output file
    CString m_strOutputPath;
    CString m_strShownPath;  // the output path as the user reads it
    int m_nChoice = kOpenFile;
    CString m_strMessage;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // The go-on button: ends the dialog, then does what the chosen radio button says.
    void OnCancel() override;
    // Puts the message in its box with the path shortened to the box's width where it is wider.
    void ShowFittedMessage();
    afx_msg void OnOpenFileChosen();
    afx_msg void OnOpenFolderChosen();
    afx_msg void OnContinueChosen();
    DECLARE_MESSAGE_MAP()
};
