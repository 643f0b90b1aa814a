// CClefDialog: the modal clef choice (template 149) for the current track.
#pragma once

#include "ui/controls.h"
#include "ui/dialog.h"

class CClefDialog : public CDialog {
public:
    enum { IDD = 149 };
    static constexpr int kListId = 1033;

    CClefDialog(int clef, CWnd* parent = nullptr);

    int m_clef;  // 0 G, 1 alto, 2 tenor, 3 bass: the list's item index
    CListBox m_list;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSelChangeList();
    DECLARE_MESSAGE_MAP()
};
