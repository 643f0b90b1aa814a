// CComposerDlg: keys, closing, the size grip and the minimum size, painting while minimised, the scroll bars
// beside the score view and the dialog's timers.
#include <algorithm>

#include "composer/composer_dlg.h"
#include "kernel/cfile.h"
#include "kernel/file_api.h"
#include "services/cursor/wait_cursor.h"
#include "services/file_exists.h"
#include "services/log_writer.h"

BOOL CComposerDlg::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_BACK) {
        m_scoreView.OnUndo();
        return TRUE;
    }
    // Every other key goes to the score view only: nothing in the main window acts on Tab, Enter or Escape.
    if (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) {
        m_scoreView.PreTranslateMessage(msg);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

void CComposerDlg::OnCloseCommand()
{
    // The export pumps messages while it runs; ending the window then would pull the song from under it.
    if (m_bExporting) {
        WriteLog("Wait for the export to end - ", IDC_CLOSE_COMMAND);
        return;
    }
    CSkinDialog::OnOK();
}

void CComposerDlg::OnMove(int x, int y) { CSkinDialog::OnMove(x, y); }

void CComposerDlg::OnLButtonUp(UINT flags, CPoint point) { CSkinDialog::OnLButtonUp(flags, point); }

CRect CComposerDlg::SizeGripRect()
{
    CRect window;
    GetWindowRect(&window);
    LoadSkinElement(85, &m_skinElement);
    const int w = m_skinElement.position.Width(), h = m_skinElement.position.Height();
    return CRect(window.Width() - w, window.Height() - h, window.Width(), window.Height());
}

void CComposerDlg::OnLButtonDown(UINT flags, CPoint point)
{
    const LPARAM where = MAKELPARAM(point.x, point.y);
    if (SizeGripRect().PtInRect(point) && !m_bMaximized) {
        PostMessage(WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, where);
        SetTimer(TIMER_SIZE_DRAG, 100, nullptr);
    } else {
        // A press on the dialog's own background moves the window.
        PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, where);
    }
    CSkinDialog::OnLButtonDown(flags, point);
}

void CComposerDlg::OnTimer(UINT_PTR id)
{
    if (id == TIMER_SIZE_DRAG && GetAsyncKeyState(VK_LBUTTON) == 0) {
        KillTimer(TIMER_SIZE_DRAG);
        CRect r;
        GetWindowRect(&r);
        bool changed = false;
        if (r.Width() < m_nMinWidth) {
            r.right = r.left + m_nMinWidth;
            changed = true;
        }
        if (r.Height() < m_nMinHeight) {
            r.bottom = r.top + m_nMinHeight;
            changed = true;
        }
        if (changed)
            MoveWindow(r.left, r.top, r.Width(), r.Height(), TRUE);
        LayoutControls();
    } else if (id == TIMER_AMR_WATCH) {
        ShowWaitCursor();
        CFileStatus status;
        if (PathExists(m_strAmrWatched) && CFile::GetStatus(m_strAmrWatched, status)) {
            if ((long long)status.m_size != m_nAmrLastSize) {
                m_nAmrLastSize = (long long)status.m_size;
                m_nAmrUnchangedPolls = 0;
            } else if (++m_nAmrUnchangedPolls == 6) {
                // The file has stopped growing: hand it over.
                KillTimer(TIMER_AMR_WATCH);
                CopyFile(m_strAmrWatched, m_strAmrTarget, FALSE);
                DeleteFile(m_strAmrWatched);
                DeleteFile(m_strAmrCompanion);
                if (PathExists(m_strAmrCompanion2))
                    DeleteFile(m_strAmrCompanion2);
                RestoreCursor();
            }
        }
    }
    CSkinDialog::OnTimer(id);
}

void CComposerDlg::OnSize(UINT type, int cx, int cy)
{
    // A minimised window has no size of its own to keep: it comes back at the size it had.
    if (type == SIZE_MINIMIZED) {
        CSkinDialog::OnSize(type, cx, cy);
        return;
    }
    const bool raised = cx < m_nMinWidth || cy < m_nMinHeight;
    if (cx < m_nMinWidth)
        cx = m_nMinWidth;
    if (cy < m_nMinHeight)
        cy = m_nMinHeight;
    if (raised) {
        CRect r;
        GetWindowRect(&r);
        r.right = r.left + cx;
        r.bottom = r.top + cy;
        MoveWindow(r.left, r.top, r.Width(), r.Height(), TRUE);
        SetCursorPos(r.right, r.bottom);
    }
    // A grip drag is laid out when the button is released (timer 1003); the caption buttons' sizes at once.
    if (m_bSizedByCaption) {
        LayoutControls();
        m_bSizedByCaption = 0;
    }
    CSkinDialog::OnSize(type, cx, cy);
}

BOOL CComposerDlg::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    CPoint cursor;
    GetCursorPos(&cursor);
    CRect window;
    GetWindowRect(&window);
    cursor.Offset(-window.left, -window.top);
    if (SizeGripRect().PtInRect(cursor) && !m_bMaximized) {
        SetCursor(LoadCursor(nullptr, IDC_SIZENWSE));
        return TRUE;
    }
    return CSkinDialog::OnSetCursor(wnd, hitTest, message);
}

void CComposerDlg::OnPaint()
{
    if (!IsIconic()) {
        CSkinDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, (WPARAM)dc.GetSafeHdc(), 0);
    CRect client;
    GetClientRect(&client);
    const int x = (client.Width() - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.Height() - GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

namespace {

// The change a scroll code asks of a bar at p; p follows the line, page and thumb codes.
int ScrollChange(UINT code, UINT pos, int& p, int page)
{
    int d = 0;
    switch (code) {
    case SB_LINEUP: d = -1; break;
    case SB_LINEDOWN: d = 1; break;
    case SB_PAGEUP: d = -page; break;
    case SB_PAGEDOWN: d = page; break;
    case SB_THUMBTRACK:
        d = (int)pos - p;
        p = (int)pos;
        return d;
    default: return 0;
    }
    p += d;
    return d;
}

}  // namespace

void CComposerDlg::OnVScroll(UINT code, UINT pos, CScrollBar* scrollBar)
{
    if (scrollBar && scrollBar->m_hWnd == m_vScrollBar.m_hWnd) {
        int p = m_vScrollBar.GetScrollPos(), lo = 0, hi = 0;
        m_vScrollBar.GetScrollRange(&lo, &hi);
        const int d = ScrollChange(code, pos, p, (hi - lo) / 10);
        m_vScrollBar.SetScrollPos(std::clamp(p, lo, hi), TRUE);
        m_scoreView.ScrollBy(0, -d);
        m_scoreView.Invalidate(TRUE);
        UpdateTrackPanel();
    }
    CSkinDialog::OnVScroll(code, pos, scrollBar);
}

void CComposerDlg::OnHScroll(UINT code, UINT pos, CScrollBar* scrollBar)
{
    if (scrollBar && scrollBar->m_hWnd == m_hScrollBar.m_hWnd) {
        int p = m_hScrollBar.GetScrollPos(), lo = 0, hi = 0;
        m_hScrollBar.GetScrollRange(&lo, &hi);
        const int d = ScrollChange(code, pos, p, 10);
        m_hScrollBar.SetScrollPos(std::clamp(p, lo, hi), TRUE);
        m_scoreView.ScrollBeats(d);
        SendMessage(WM_SKINCOMMAND, NOTIFY_SCORE_VIEW, VIEW_SCROLLED);
    }
    CSkinDialog::OnHScroll(code, pos, scrollBar);
}
