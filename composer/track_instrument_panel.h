// CTrackInstrumentPanel: the child panel listing the shown tracks, each a numbered caption above a box of the
// General MIDI instruments; a choice in any box gives every row's instrument to its track.
#pragma once

#include <memory>

#include "skinui/adv_combo_box.h"
#include "skinui/skin_label.h"
#include "ui/dialog.h"

class CTrackInstrumentPanel : public CDialog {
public:
    enum { IDD = 195 };
    static constexpr int kRows = 30;
    static constexpr int kCaptionId = 8888;
    static constexpr int kBoxId = 12345;
    static constexpr COLORREF kBackground = RGB(192, 192, 192);

    explicit CTrackInstrumentPanel(CWnd* parent = nullptr);
    ~CTrackInstrumentPanel() override;

    // Shows or hides a row; a shown row selects the program and sits at position index of the column.
    void SetRow(int row, int program, int top, int rowHeight, int index, BOOL show);

    CSkinLabel m_captions[kRows];
    std::unique_ptr<CAdvComboBox> m_boxes[kRows];

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    afx_msg void ApplyInstruments();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<CAdvComboBox> CreateBox();
};
