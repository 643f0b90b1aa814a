// The demo dialog.
#include "demo_dialog.h"

BEGIN_MESSAGE_MAP(CDemoDialog, CDialog)
ON_WM_TIMER()
ON_WM_HSCROLL()
ON_COMMAND(IDM_SHAPED, OnShaped)
ON_BN_CLICKED(9004, OnPush)
ON_BN_CLICKED(9005, OnShaped)
ON_COMMAND_RANGE(IDM_RED, IDM_BLUE, OnColour)
END_MESSAGE_MAP()

void CDemoDialog::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, 9005, m_drawn);
    DDX_Control(dx, 9007, m_combo);
    DDX_Control(dx, 9008, m_listBox);
    DDX_Control(dx, 9009, m_list);
    DDX_Control(dx, 9010, m_scroll);
    DDX_Control(dx, 9011, m_progress);
    DDX_Control(dx, 9012, m_slider);
    DDX_Control(dx, 9013, m_canvas);
    DDX_Control(dx, 9015, m_painted);
    DDX_Text(dx, 9006, m_name);
    DDX_Check(dx, 9001, m_checked);
}

BOOL CDemoDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    CheckRadioButton(9002, 9003, 9003);
    m_painted.SetWindowText("Type here");
    for (const char* s : {"Piano", "Organ", "Guitar", "Strings"})
        m_combo.AddString(s);
    m_combo.SetCurSel(0);
    for (const char* s : {"song.mid", "tune.mmf", "ring.sms", "theme.mid"})
        m_listBox.AddString(s);
    m_listBox.SetCurSel(1);
    m_list.InsertColumn(0, "File", LVCFMT_LEFT, 80);
    m_list.InsertColumn(1, "Length", LVCFMT_LEFT, 55);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    const char* files[][2] = {{"intro.wav", "0:12"}, {"clip.mp3", "0:30"}, {"video.avi", "1:05"}};
    for (int i = 0; i < 3; ++i) {
        m_list.InsertItem(i, files[i][0]);
        m_list.SetItemText(i, 1, files[i][1]);
    }
    m_list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    m_scroll.SetScrollRange(0, 100);
    m_scroll.SetScrollPos(30);
    m_progress.SetRange(0, 100);
    m_progress.SetPos(40);
    m_slider.SetRange(0, 10);
    m_slider.SetPos(3);
    SetTimer(1, 100, nullptr);
    return TRUE;
}

void CDemoDialog::OnTimer(UINT_PTR id)
{
    if (id != 1) {
        CDialog::OnTimer(id);
        return;
    }
    m_progressPos = (m_progressPos + 2) % 101;
    m_progress.SetPos(m_progressPos);
    m_canvas.Step();
}

void CDemoDialog::OnHScroll(UINT code, UINT pos, CScrollBar* bar)
{
    if (bar && bar->GetSafeHwnd() == m_scroll.GetSafeHwnd()) {
        int now = m_scroll.GetScrollPos();
        switch (code) {
        case SB_LINELEFT: now -= 1; break;
        case SB_LINERIGHT: now += 1; break;
        case SB_PAGELEFT: now -= 10; break;
        case SB_PAGERIGHT: now += 10; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: now = (int)pos; break;
        }
        m_scroll.SetScrollPos(now);
        return;
    }
    CDialog::OnHScroll(code, pos, bar);
}

void CDemoDialog::OnShaped() { OpenShaped(); }

void CDemoDialog::OpenShaped(const POINT* at)
{
    if (m_shaped.GetSafeHwnd())
        return;
    CRect r;
    GetWindowRect(&r);
    m_shaped.CreateAt(at ? at->x : r.right + 10, at ? at->y : r.top);
}

void CDemoDialog::OnPush()
{
    UpdateData(TRUE);
    CString text;
    text.Format("Hello, %s. The box is %s.", m_name.GetString(), m_checked ? "checked" : "not checked");
    AfxMessageBox(text, MB_OK | MB_ICONINFORMATION);
}

void CDemoDialog::OnColour(UINT id) { m_canvas.SendMessage(WM_COMMAND, id, 0); }
