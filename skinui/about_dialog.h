// CAboutDialog: the modal about box with the product title and version, the rights line, the support mail
// link and a button that opens the log folder.
#pragma once

#include "skinui/skin_dialog.h"

// The maker's name on the rights line and the support mail address.
extern const char* const g_szBrandText;
extern const char* const g_szSupportMail;

class CAboutDialog : public CSkinDialog {
public:
    // The composer's template and the converter's.
    enum { IDD = 100, IDD_CONVERTER = 200 };
    enum { IDC_ABOUT_PICTURE = 128, IDC_ABOUT_VERSION = 510, IDC_ABOUT_RIGHTS = 511, IDC_ABOUT_MAIL = 512 };
    enum { IDC_ABOUT_LOG_FOLDER = 3041 };

    CAboutDialog(CString strTitle, CWnd* pParent);
    ~CAboutDialog() override;

    afx_msg void OnMailLink();
    afx_msg void OnOpenLogFolder();

protected:
    BOOL OnInitDialog() override;
    DECLARE_MESSAGE_MAP()
};
