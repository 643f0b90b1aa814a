// CKeySignatureDialog: the modal key signature (template 150) with its staff preview and note moving.
#pragma once

#include "ui/controls.h"
#include "ui/dialog.h"

class CDC;

class CKeySignatureDialog : public CDialog {
public:
    enum { IDD = 150 };
    static constexpr int kMoveNotesId = 1034;
    static constexpr int kUpId = 1035;
    static constexpr int kDownId = 1036;
    static constexpr int kScrollId = 1037;
    static constexpr int kStaffBitmap = 2000;

    CKeySignatureDialog(int key, CWnd* parent = nullptr);

    int m_key;            // -7 .. +7: flats negative, sharps positive
    int m_moveNotes = 0;  // 1: the notes after the cursor follow the key
    int m_direction = 0;  // 0 up, 1 down
    CScrollBar m_scroll;

    // The staff picture with the key's accidentals, as the dialog shows it.
    void DrawPreview(CDC* dc);

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    afx_msg void OnPaint();
    afx_msg void OnVScroll(UINT code, UINT position, CScrollBar* bar);
    afx_msg void OnMoveNotes();
    afx_msg void OnUp();
    afx_msg void OnDown();
    DECLARE_MESSAGE_MAP()
};
