// CAppearanceDialog: the modal choice of the score's background picture, the skin and the language
// (template 187); the caller reads the three chosen list positions afterwards.
#pragma once

#include "ui/controls.h"
#include "ui/dialog.h"

class CAppearanceDialog : public CDialog {
public:
    enum { IDD = 187 };
    static constexpr int kBackgroundListId = 1137;
    static constexpr int kLanguageListId = 1174;
    static constexpr int kSkinListId = 1175;
    // Background entries: four default images, then these.
    static constexpr int kMyPicture = 4;
    static constexpr int kBlankBackground = 5;

    CAppearanceDialog(int languageIndex, int skinIndex, CWnd* parent = nullptr);

    int m_nBackground;  // from the settings at construction
    int m_nLanguage;    // list positions, 0-based
    int m_nSkin;
    CListBox m_skinList;
    CListBox m_languageList;
    CListBox m_backgroundList;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSelChangeBackground();
    afx_msg void OnSelChangeLanguage();
    afx_msg void OnSelChangeSkin();
    DECLARE_MESSAGE_MAP()

private:
    // Makes the lightened copy of a picture of the user's; answers whether there is one.
    static bool MakeOwnBackground(const CString& path);
    void ResetBackground();
};
