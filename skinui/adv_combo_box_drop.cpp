// CAdvComboBox: opening, closing and choosing from the drop-down, the keyboard and autocompletion.
#include "skinui/adv_combo_box.h"

#include <cstring>

#include "skinui/adv_combo_drop_wnd.h"
#include "skinui/adv_combo_edit.h"
#include "skinui/adv_combo_list_box.h"

namespace {

// Set while autocompletion replaces an edit's text: the update that this causes only notifies.
bool g_bAutoCompleting = false;

constexpr UINT kDropWndId = 6;

}  // namespace

void CAdvComboBox::CreateDropDown(const std::vector<CAdvComboItem>& items)
{
    m_pDropWnd = std::make_unique<CAdvComboDropWnd>(this, items, m_dwACBStyle);
    CRect r;
    GetWindowRect(&r);
    CRect work;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    r.top = r.bottom;
    r.bottom = work.bottom;
    m_pDropWnd->Create(WS_CHILD | WS_BORDER, r, CWnd::GetDesktopWindow(), kDropWndId);
    m_pDropWnd->GetListBox()->SetCurSel(m_nCurSel);
    m_pDropWnd->SendMessage(WM_SETFONT, (WPARAM)(m_pFont ? (HFONT)*m_pFont : nullptr), TRUE);
    Notify(CBN_DROPDOWN);
}

void CAdvComboBox::OpenDropDown()
{
    if (!m_pDropWnd)
        CreateDropDown(m_list);
    m_pDropWnd->ShowWindow(SW_SHOW);
    m_bDropListVisible = 1;
}

void CAdvComboBox::CloseDropDown()
{
    if (!m_pDropWnd)
        return;
    m_pDropWnd->GetWindowRect(&m_rcDropWnd);
    m_pDropWnd->ShowWindow(SW_HIDE);
    m_bDropListVisible = 0;
    m_pDropWnd->DestroyWindow();
    m_pDropWnd.reset();
    InvalidateButton();
    if (m_bSelItem)
        m_bSelItem = 0;
    else
        Notify(CBN_SELENDCANCEL);
    Notify(CBN_CLOSEUP);
}

void CAdvComboBox::ToggleDropDown()
{
    if (m_bDropListVisible)
        CloseDropDown();
    else
        OpenDropDown();
}

LRESULT CAdvComboBox::OnToggleDropDown(WPARAM, LPARAM)
{
    ToggleDropDown();
    return 1;
}

LRESULT CAdvComboBox::OnCloseUp(WPARAM, LPARAM)
{
    CloseDropDown();
    return 1;
}

LRESULT CAdvComboBox::OnSelectItem(WPARAM wParam, LPARAM)
{
    // A row the drop-down does not hold (Enter with nothing selected) chooses nothing.
    int row = (int)wParam;
    if (!m_pDropWnd || row < 0 || row >= (int)m_pDropWnd->GetItems().size()) {
        CloseDropDown();
        return 1;
    }
    CString text = m_pDropWnd->GetItems()[row].strText;
    m_strEdit = text;
    m_nCurSel = FindStringExact(0, text);
    SetWindowText(text);
    SetEditWindowText(text);
    if (m_pEdit)
        m_pEdit->SetFocus();
    m_bSelItem = 1;
    Notify(CBN_SELENDOK);
    Invalidate();
    CloseDropDown();
    InvalidateButton();
    Notify(CBN_SELCHANGE);
    return 1;
}

void CAdvComboBox::SelectEnabledFrom(int nFrom, int nStep)
{
    int before = m_nCurSel;
    for (int i = nFrom; i >= 0 && i < (int)m_list.size(); i += nStep)
        if (!m_list[i].bDisabled) {
            m_nCurSel = i;
            SetEditTextTo(m_list[i].strText);
            break;
        }
    if (m_nCurSel != before) {
        Notify(CBN_SELENDOK);
        Notify(CBN_SELCHANGE);
    }
}

void CAdvComboBox::SelectPrevItem()
{
    if (m_pDropWnd) {
        CAdvComboListBox* list = m_pDropWnd->GetListBox();
        int row = list->GetCurSel();
        if (row >= 1)
            list->SetCurSel(row - 1);
        return;
    }
    bool none = m_nCurSel < 0 || m_nCurSel >= (int)m_list.size();
    SelectEnabledFrom(none ? (int)m_list.size() - 1 : m_nCurSel - 1, -1);
}

void CAdvComboBox::SelectNextItem()
{
    if (m_pDropWnd) {
        CAdvComboListBox* list = m_pDropWnd->GetListBox();
        int row = list->GetCurSel();
        if (row + 1 < list->GetCount())
            list->SetCurSel(row + 1);
        return;
    }
    bool none = m_nCurSel < 0 || m_nCurSel >= (int)m_list.size();
    SelectEnabledFrom(none ? 0 : m_nCurSel + 1, 1);
}

BOOL CAdvComboBox::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_SYSKEYDOWN && (msg->wParam == VK_UP || msg->wParam == VK_DOWN)) {
        ToggleDropDown();
        Invalidate();
        return CWnd::PreTranslateMessage(msg);
    }
    if (msg->message != WM_KEYDOWN)
        return CWnd::PreTranslateMessage(msg);
    m_bAutoAppend = 1;
    switch (msg->wParam) {
    case VK_RETURN:
        if (!m_pDropWnd)
            break;
        SendMessage(WM_ACB_SELECTITEM, (WPARAM)m_pDropWnd->GetListBox()->GetCurSel());
        return TRUE;
    case VK_ESCAPE:
        if (m_pDropWnd) {
            CloseDropDown();
            Invalidate();
        }
        return TRUE;
    case VK_F4:
        ToggleDropDown();
        Invalidate();
        return TRUE;
    case VK_UP: SelectPrevItem(); return TRUE;
    case VK_DOWN: SelectNextItem(); return TRUE;
    case VK_BACK:
    case VK_DELETE: m_bAutoAppend = 0; break;
    case VK_RIGHT: {
        if (!(m_dwACBStyle & ACBS_AUTOAPPEND))
            break;
        if (!m_pEdit)
            return TRUE;
        int start = 0, end = 0;
        m_pEdit->GetSel(start, end);
        int length = m_pEdit->GetWindowTextLength();
        if (start == length && end == length) {
            AutoComplete();
            return TRUE;
        }
        break;
    }
    }
    return CWnd::PreTranslateMessage(msg);
}

void CAdvComboBox::OnEditUpdate()
{
    if (m_bSettingEditText)
        return;
    if (!g_bAutoCompleting)
        AutoComplete();
    else if (!m_bDropListVisible)
        Notify(CBN_EDITUPDATE);
}

void CAdvComboBox::AutoComplete()
{
    if (!m_pEdit || GetFocus() != m_pEdit.get()) {
        if (!m_bDropListVisible)
            Notify(CBN_EDITUPDATE);
        return;
    }
    CString text;
    m_pEdit->GetWindowText(text);
    if ((m_dwACBStyle & ACBS_AUTOAPPEND) && m_bAutoAppend) {
        if (text.IsEmpty())
            return;
        int i = FindString(-1, text);
        if (i >= 0) {
            g_bAutoCompleting = true;
            m_pEdit->SetWindowText(m_list[i].strText);
            g_bAutoCompleting = false;
        }
    }
    if (m_dwACBStyle & ACBS_AUTOSUGGEST) {
        if (text.IsEmpty()) {
            CloseDropDown();
            return;
        }
        std::vector<CAdvComboItem> found;
        for (const CAdvComboItem& item : m_list)
            if (std::strncmp(item.strText, text, (size_t)text.GetLength()) == 0)
                found.push_back(item);
        CloseDropDown();
        if (!found.empty()) {
            CreateDropDown(found);
            m_pDropWnd->ShowWindow(SW_SHOW);
            m_bDropListVisible = 1;
        }
    }
    if (!m_bDropListVisible)
        Notify(CBN_EDITUPDATE);
}
