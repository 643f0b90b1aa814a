// The demo dialog: every control of the layer, a timer driving the progress bar and the canvas.
#pragma once

#include "demo_button.h"
#include "demo_canvas.h"
#include "painted_edit.h"
#include "shaped_window.h"
#include "ui/ui.h"

class CDemoDialog : public CDialog {
public:
    CDemoDialog() : CDialog(9000) {}

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnShaped();
    afx_msg void OnPush();
    afx_msg void OnColour(UINT id);
    DECLARE_MESSAGE_MAP()

public:
    // Opens the shaped window at a screen point (beside the dialog when the point is null).
    void OpenShaped(const POINT* at = nullptr);

private:
    CDemoButton m_drawn;
    CDemoCanvas m_canvas;
    CListCtrl m_list;
    CComboBox m_combo;
    CListBox m_listBox;
    CScrollBar m_scroll;
    CProgressCtrl m_progress;
    CSliderCtrl m_slider;
    CShapedWindow m_shaped;
    CPaintedEdit m_painted;
    CString m_name = "Kestrin";
    int m_checked = 1;
    int m_progressPos = 0;
};
