// CTrackListCtrl: the owner-drawn track list of the track edit dialog, with its in-place instrument box,
// in-place value scroll bar, show-all header click, drag reordering and instrument preview note.
#include "composer/track_list_ctrl.h"

#include <algorithm>
#include <cstdlib>

#include "song/instrument_names.h"
#include "song/midi_device.h"

namespace {

constexpr int kInstrumentBoxId = 100;
constexpr int kValueBarId = 101;
constexpr int kTrackImagesId = 159;
constexpr int kPreviewTimer = 0;
constexpr int kPreviewNote = 72;
constexpr int kPreviewChannel = 15;
constexpr int kPrograms = 129;

// The highest value each value column takes through its scroll bar.
int UpperBound(int column)
{
    switch (column) {
    case CTrackListCtrl::kChannel: return 16;
    case CTrackListCtrl::kVolume: return 127;
    default: return 40;
    }
}

}  // namespace

BEGIN_MESSAGE_MAP(CTrackListCtrl, CListCtrl)
ON_WM_CREATE()
ON_NOTIFY_REFLECT(NM_CLICK, CTrackListCtrl::OnClick)
ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, CTrackListCtrl::OnColumnClick)
ON_NOTIFY_REFLECT(LVN_BEGINDRAG, CTrackListCtrl::OnBeginDrag)
ON_WM_VSCROLL()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_TIMER()
END_MESSAGE_MAP()

void CTrackListCtrl::SetNotify(CWnd* notify, UINT message, WPARAM code)
{
    m_pNotify = notify;
    m_nMessage = message;
    m_nCode = code;
}

int CTrackListCtrl::OnCreate(LPCREATESTRUCT cs)
{
    if (CListCtrl::OnCreate(cs) == -1)
        return -1;
    m_instrumentBox.Create(WS_CHILD | CBS_DROPDOWNLIST | WS_VSCROLL, CRect(0, 0, 100, 300), this, kInstrumentBoxId);
    for (int program = 0; program < kPrograms; ++program) {
        CString entry;
        entry.Format("%d %s", program, LocalInstrumentName(program));
        m_instrumentBox.AddString(entry);
    }
    m_valueBar.Create(WS_CHILD | SBS_VERT, CRect(0, 0, 0, 0), this, kValueBarId);
    m_imageList.Create(kTrackImagesId, 16, 0, RGB(255, 0, 0));
    SetImageList(&m_imageList, LVSIL_STATE);
    return 0;
}

void CTrackListCtrl::CloseEditors()
{
    if (m_instrumentBox.IsWindowVisible()) {
        const int program = m_instrumentBox.GetCurSel();
        CString name;
        if (program >= 0 && program < kPrograms)
            name = g_englishInstrumentNames ? InstrumentName(program) : ChineseInstrumentName(program);
        else
            m_instrumentBox.GetWindowText(name);
        SetItemText(m_nEditRow, kInstrument, name);
        m_instrumentBox.ShowWindow(SW_HIDE);
    }
    m_valueBar.ShowWindow(SW_HIDE);
    m_bValueBarOpen = false;
}

void CTrackListCtrl::OnClick(NMHDR* header, LRESULT* result)
{
    *result = 0;
    auto* click = reinterpret_cast<NMITEMACTIVATE*>(header);
    CloseEditors();
    const int row = click->iItem;
    if (row < 0)
        return;
    const bool shown = GetItemText(row, kShow) == "1";
    switch (click->iSubItem) {
    case kShow: SetItemText(row, kShow, shown ? "0" : "1"); break;
    case kInstrument:
        if (shown)
            OpenInstrumentBox(row);
        break;
    case kChannel:
    case kVolume:
    case kPriority:
        if (shown)
            OpenValueBar(row, click->iSubItem);
        break;
    }
}

void CTrackListCtrl::OpenInstrumentBox(int row)
{
    CRect cell;
    GetSubItemRect(row, kInstrument, LVIR_BOUNDS, cell);
    m_instrumentBox.MoveWindow(cell.left, cell.top, cell.Width(), 300);
    const CString name = GetItemText(row, kInstrument);
    int program = 0;
    while (program < kPrograms && name != LocalInstrumentName(program))
        ++program;
    m_instrumentBox.SetCurSel(program < kPrograms ? program : -1);
    m_nEditRow = row;
    m_nEditColumn = kInstrument;
    m_instrumentBox.ShowWindow(SW_SHOW);
}

void CTrackListCtrl::OpenValueBar(int row, int column)
{
    m_nEditRow = row;
    m_nEditColumn = column;
    m_bValueBarOpen = true;
    PlaceValueBar();
}

void CTrackListCtrl::PlaceValueBar()
{
    CRect cell, header, client;
    GetSubItemRect(m_nEditRow, m_nEditColumn, LVIR_BOUNDS, cell);
    GetItemRect(GetTopIndex(), &header, LVIR_BOUNDS);
    GetClientRect(&client);
    if (cell.top < header.top || cell.bottom > client.bottom) {
        m_valueBar.ShowWindow(SW_HIDE);
        return;
    }
    const int width = GetSystemMetrics(SM_CXVSCROLL);
    m_valueBar.MoveWindow(cell.right - width, cell.top, width, cell.Height());
    m_valueBar.ShowWindow(SW_SHOW);
}

void CTrackListCtrl::OnVScroll(UINT code, UINT pos, CScrollBar* bar)
{
    if (bar == nullptr || bar->m_hWnd != m_valueBar.m_hWnd) {
        CListCtrl::OnVScroll(code, pos, bar);
        // The bar stays over the cell it edits while that row is in view.
        if (m_bValueBarOpen)
            PlaceValueBar();
        return;
    }
    int value = atoi(GetItemText(m_nEditRow, m_nEditColumn));
    if (code == SB_LINEUP || code == SB_PAGEUP)
        ++value;
    else if (code == SB_LINEDOWN || code == SB_PAGEDOWN)
        --value;
    value = std::clamp(value, 1, UpperBound(m_nEditColumn));
    CString text;
    text.Format("%d", value);
    SetItemText(m_nEditRow, m_nEditColumn, text);
}

void CTrackListCtrl::OnColumnClick(NMHDR* header, LRESULT* result)
{
    *result = 0;
    if (reinterpret_cast<NMLISTVIEW*>(header)->iSubItem != kShow)
        return;
    m_bAllShown = !m_bAllShown;
    for (int row = 0; row < GetItemCount(); ++row)
        SetItemText(row, kShow, m_bAllShown ? "1" : "0");
}

BOOL CTrackListCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(lParam) == m_instrumentBox.m_hWnd && m_instrumentBox.IsWindowVisible()) {
        const int program = m_instrumentBox.GetCurSel();
        if (program >= 0 && program < kPrograms && program != m_nPreviewProgram) {
            m_nPreviewProgram = program;
            SetTimer(kPreviewTimer, 1000, nullptr);
            PlayPreviewNote(kPreviewChannel, program, kPreviewNote, 100);
        }
    }
    return CListCtrl::OnCommand(wParam, lParam);
}

void CTrackListCtrl::OnTimer(UINT_PTR id)
{
    if (id != kPreviewTimer) {
        CListCtrl::OnTimer(id);
        return;
    }
    PlayPreviewNote(kPreviewChannel, m_nPreviewProgram, kPreviewNote, 0);
    KillTimer(kPreviewTimer);
    PlayPreviewNote(kPreviewChannel, 0, kPreviewNote, 0);
}

void CTrackListCtrl::OnBeginDrag(NMHDR* header, LRESULT* result)
{
    *result = 0;
    m_bDragging = TRUE;
    m_nDragRow = reinterpret_cast<NMLISTVIEW*>(header)->iItem;
    m_nTargetRow = m_nDragRow;
    SetCapture();
}

void CTrackListCtrl::SetDropLine(int row)
{
    // The line is part of its row's painting, so that it goes away exactly with the next paint.
    for (int changed : {m_nLineRow, row})
        if (changed != kNoLine)
            RedrawItems(changed, changed);
    m_nLineRow = row;
}

void CTrackListCtrl::OnMouseMove(UINT flags, CPoint point)
{
    if (m_bDragging) {
        const int row = HitTest(point);
        if (row >= 0 && row != m_nTargetRow) {
            m_nTargetRow = row;
            // Dropping on the row just above puts the row where it already is: no line.
            SetDropLine(row != m_nDragRow - 1 ? row : kNoLine);
        }
    }
    CListCtrl::OnMouseMove(flags, point);
}

void CTrackListCtrl::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_bDragging) {
        m_bDragging = FALSE;
        ReleaseCapture();
        SetDropLine(kNoLine);
        if (m_pNotify)
            m_pNotify->PostMessage(m_nMessage, m_nCode, m_nDragRow * 256 + m_nTargetRow);
    }
    CListCtrl::OnLButtonUp(flags, point);
}

CString CTrackListCtrl::FitText(CDC* dc, const CString& text, int width)
{
    if (dc->GetTextExtent(text).cx <= width)
        return text;
    std::string cut(text);
    while (!cut.empty() && dc->GetTextExtent(CString(cut + "...")).cx > width)
        cut.pop_back();
    return CString(cut + "...");
}

void CTrackListCtrl::DrawItem(LPDRAWITEMSTRUCT dis)
{
    CDC* dc = CDC::FromHandle(dis->hDC);
    const int row = static_cast<int>(dis->itemID);
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    const CRect bounds(dis->rcItem);
    dc->FillSolidRect(&bounds, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    dc->SetTextColor(GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    dc->SetBkMode(TRANSPARENT);
    const int stateImage = static_cast<int>(GetItemState(row, LVIS_STATEIMAGEMASK) >> 12);
    const int imageTop = bounds.top + (bounds.Height() - 16) / 2;
    ImageList_DrawEx(m_imageList, stateImage, dis->hDC, bounds.left, imageTop, 16, 16, CLR_NONE, CLR_NONE,
                     ILD_TRANSPARENT);
    int left = bounds.left;
    const int columns = 6;
    for (int column = 0; column < columns; ++column) {
        const int width = GetColumnWidth(column);
        CRect cell(left, bounds.top, left + width, bounds.bottom);
        left += width;
        if (column == kShow) {
            ImageList_DrawEx(m_imageList, GetItemText(row, kShow) == "1" ? 1 : 0, dis->hDC, cell.left + 2, imageTop, 16,
                             16, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
            continue;
        }
        if (column == kTrack)
            cell.left += 16;  // beside the state image
        const int margin = column == kTrack ? 4 : 12;
        const CString text = FitText(dc, GetItemText(row, column), cell.Width() - margin);
        CRect textRect(cell.left + 2, cell.top, cell.right - 2, cell.bottom);
        dc->DrawText(text, &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (dis->itemState & ODS_FOCUS)
        dc->DrawFocusRect(&bounds);
    if (row == m_nLineRow)
        dc->FillSolidRect(bounds.left, bounds.bottom - 1, bounds.Width(), 1, RGB(0, 0, 0));
}
