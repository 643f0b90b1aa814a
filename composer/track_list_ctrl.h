// CTrackListCtrl: the owner-drawn track list of the track edit dialog, with its in-place instrument box,
// in-place value scroll bar, show-all header click, drag reordering and instrument preview note.
#pragma once

#include "ui/common_controls.h"
#include "ui/controls.h"

class CTrackListCtrl : public CListCtrl {
public:
    // Columns of a row.
    enum Column { kTrack = 0, kShow = 1, kInstrument = 2, kChannel = 3, kVolume = 4, kPriority = 5 };
    static constexpr int kNoLine = -100;

    void SetNotify(CWnd* notify, UINT message, WPARAM code);
    // Hides the in-place editors; the instrument box leaves its choice in the edited cell.
    void CloseEditors();
    // The text cut from its end until it and "..." fit the width (the whole text when it fits).
    static CString FitText(CDC* dc, const CString& text, int width);

    void DrawItem(LPDRAWITEMSTRUCT dis) override;

    CComboBox m_instrumentBox;
    CScrollBar m_valueBar;
    int m_nEditRow = -1;
    int m_nEditColumn = -1;
    bool m_bValueBarOpen = false;  // a value cell is being edited, its bar shown while its row is in view

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnClick(NMHDR* header, LRESULT* result);
    afx_msg void OnColumnClick(NMHDR* header, LRESULT* result);
    afx_msg void OnBeginDrag(NMHDR* header, LRESULT* result);
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

private:
    void OpenInstrumentBox(int row);
    void OpenValueBar(int row, int column);
    // Puts the value bar over the cell it edits, or hides it while that row is scrolled out of view.
    void PlaceValueBar();
    void SetDropLine(int row);

    CWnd* m_pNotify = nullptr;
    UINT m_nMessage = 0;
    WPARAM m_nCode = 0;
    BOOL m_bDragging = FALSE;
    int m_nDragRow = -1;
    int m_nTargetRow = -1;
    int m_nLineRow = kNoLine;
    int m_bAllShown = 1;
    CImageList m_imageList;
    int m_nPreviewProgram = 0;
};
