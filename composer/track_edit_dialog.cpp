// CTrackEditDialog: the modeless track editor (template 158) over the score view's per-track arrays; it
// writes the user's values back into them and notifies the view.
#include "composer/track_edit_dialog.h"

#include <cstdlib>

#include "services/language_text.h"

namespace {

CString Number(int value)
{
    CString text;
    text.Format("%d", value);
    return text;
}

}  // namespace

CTrackEditDialog::CTrackEditDialog() : CDialog(IDD) {}

CTrackEditDialog::~CTrackEditDialog()
{
    if (m_list.m_hWnd)
        m_list.DestroyWindow();
}

void CTrackEditDialog::SetTracks(CWnd* notify, UINT message, WPARAM code, CString* names, int* show, int* priorities,
                                 int* volumes, int* channels)
{
    m_pNotify = notify;
    m_nMessage = message;
    m_nCode = code;
    m_list.SetNotify(notify, message, code);
    m_pNames = names;
    m_pShow = show;
    m_pPriorities = priorities;
    m_pVolumes = volumes;
    m_pChannels = channels;
    for (int i = 0; i < kTracks; ++i) {
        m_strShow[i] = show[i] ? "1" : "0";
        m_strPriority[i] = priorities[i] ? Number(priorities[i]) : CString();
    }
}

void CTrackEditDialog::FillRows()
{
    if (!m_pNames)
        return;
    for (int i = 0; i < kTracks; ++i) {
        // A track without SP-MIDI data (priority 0) leaves its three value cells empty.
        const bool values = m_pPriorities[i] != 0;
        m_strShow[i] = m_pShow[i] ? "1" : "0";
        m_strChannel[i] = values ? Number(m_pChannels[i] + 1) : CString();
        m_strVolume[i] = values ? Number(m_pVolumes[i]) : CString();
        m_strPriority[i] = values ? Number(m_pPriorities[i]) : CString();
        if (!m_list.m_hWnd)
            continue;
        m_list.SetItemText(i, CTrackListCtrl::kTrack, " " + Number(i + 1) + " ");
        m_list.SetItemText(i, CTrackListCtrl::kShow, m_strShow[i]);
        m_list.SetItemText(i, CTrackListCtrl::kInstrument, m_pNames[i]);
        m_list.SetItemText(i, CTrackListCtrl::kChannel, m_strChannel[i]);
        m_list.SetItemText(i, CTrackListCtrl::kVolume, m_strVolume[i]);
        m_list.SetItemText(i, CTrackListCtrl::kPriority, m_strPriority[i]);
    }
}

void CTrackEditDialog::ReadRows()
{
    m_list.CloseEditors();
    if (!m_pNames)
        return;
    for (int i = 0; i < kTracks; ++i) {
        m_pShow[i] = m_list.GetItemText(i, CTrackListCtrl::kShow) == "1";
        m_pNames[i] = m_list.GetItemText(i, CTrackListCtrl::kInstrument);
        // Empty cells (a track without SP-MIDI data) keep the track's values, as closing the editor does.
        const CString channel = m_list.GetItemText(i, CTrackListCtrl::kChannel);
        const CString volume = m_list.GetItemText(i, CTrackListCtrl::kVolume);
        const CString priority = m_list.GetItemText(i, CTrackListCtrl::kPriority);
        if (!channel.IsEmpty())
            m_pChannels[i] = atoi(channel) - 1;
        if (!volume.IsEmpty())
            m_pVolumes[i] = atoi(volume);
        if (!priority.IsEmpty())
            m_pPriorities[i] = atoi(priority);
    }
}

BOOL CTrackEditDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(GetLanguageText("trackedittitle"));
    GetDlgItem(IDOK)->SetWindowText(GetLanguageText("close"));

    // The template's list becomes the track list, with the same style and place and a sunken edge.
    CWnd* placeholder = GetDlgItem(kListId);
    CRect rect;
    placeholder->GetWindowRect(&rect);
    ScreenToClient(&rect);
    const DWORD style = placeholder->GetStyle();
    const DWORD listStyle = static_cast<DWORD>(placeholder->SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
    placeholder->DestroyWindow();
    m_list.CreateEx(WS_EX_CLIENTEDGE, WC_LISTVIEW, "", style, rect, this, kListId);
    m_list.SetExtendedStyle(listStyle);

    const struct {
        const char* key;
        int width;
    } columns[] = {{"track", 50},   {"showhide", 70}, {"instrumentname", 170},
                   {"channel", 70}, {"volume", 70},   {"priorityinspmidi", 100}};
    for (int c = 0; c < 6; ++c)
        m_list.InsertColumn(c, GetLanguageText(columns[c].key), LVCFMT_LEFT, columns[c].width);
    for (int i = 0; i < kTracks; ++i) {
        m_list.InsertItem(LVIF_TEXT | LVIF_STATE, i, " " + Number(i + 1) + " ", INDEXTOSTATEIMAGEMASK(2),
                          LVIS_STATEIMAGEMASK, 0, 0);
    }
    FillRows();
    return TRUE;
}

bool CTrackEditDialog::HasSharedPriority()
{
    int uses[kTracks + 1] = {};
    for (int i = 0; i < kTracks; ++i) {
        if (m_list.GetItemText(i, CTrackListCtrl::kShow) != "1")
            continue;
        int priority = atoi(m_list.GetItemText(i, CTrackListCtrl::kPriority));
        if (priority > kTracks)
            priority = i;
        if (priority >= 1 && ++uses[priority] > 1)
            return true;
    }
    return false;
}

void CTrackEditDialog::OnOK()
{
    if (!m_pNames) {
        ShowWindow(SW_HIDE);  // no tracks were given: nothing to write back
        return;
    }
    if (HasSharedPriority()) {
        MessageBox(GetLanguageText("sameprioritytip"));
        return;
    }
    ReadRows();
    if (m_pNotify)
        m_pNotify->PostMessage(m_nMessage, m_nCode, 0);
    EndDialog(IDOK);
    ShowWindow(SW_HIDE);  // the editor is modeless: closing it hides it
}

// Escape and the close box leave the editor open; only its close button ends it.
void CTrackEditDialog::OnCancel() {}
