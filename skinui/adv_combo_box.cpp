// CAdvComboBox: construction, the item model and the system combo messages it answers.
#include "skinui/adv_combo_box.h"

#include <algorithm>
#include <cstring>

#include "kernel/string_resources.h"
#include "skinui/adv_combo_drop_wnd.h"
#include "skinui/adv_combo_edit.h"
#include "skinui/adv_combo_list_box.h"

namespace {

const char kClassName[] = "AdvComboBoxCtrl";

bool BeginsWith(const CString& text, LPCTSTR prefix) { return std::strncmp(text, prefix, std::strlen(prefix)) == 0; }

}  // namespace

IMPLEMENT_DYNAMIC(CAdvComboBox, CWnd)

BEGIN_MESSAGE_MAP(CAdvComboBox, CWnd)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEWHEEL()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_ENABLE()
ON_WM_CHILDACTIVATE()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_WM_CTLCOLOR()
ON_MESSAGE(WM_ACB_SELECTITEM, OnSelectItem)
ON_MESSAGE(WM_ACB_CLOSEUP, OnCloseUp)
ON_MESSAGE(WM_ACB_TOGGLEDROPDOWN, OnToggleDropDown)
ON_MESSAGE(CB_ADDSTRING, OnAddString)
ON_MESSAGE(CB_SETCURSEL, OnSetCurSelMessage)
ON_MESSAGE(CB_GETCURSEL, OnGetCurSelMessage)
ON_MESSAGE(CB_SELECTSTRING, OnSelectString)
ON_MESSAGE(CB_GETCOUNT, OnGetCount)
ON_MESSAGE(CB_RESETCONTENT, OnResetContent)
ON_MESSAGE(CB_GETLBTEXT, OnGetLBText)
ON_MESSAGE(CB_GETLBTEXTLEN, OnGetLBTextLen)
ON_MESSAGE(CB_GETTOPINDEX, OnGetTopIndex)
ON_MESSAGE(CB_SETTOPINDEX, OnSetTopIndex)
ON_EN_SETFOCUS(CAdvComboBox::EDIT_ID, OnEditSetFocus)
ON_EN_KILLFOCUS(CAdvComboBox::EDIT_ID, OnEditKillFocus)
ON_EN_CHANGE(CAdvComboBox::EDIT_ID, OnEditChange)
ON_EN_UPDATE(CAdvComboBox::EDIT_ID, OnEditUpdate)
END_MESSAGE_MAP()

CAdvComboBox::CAdvComboBox() { RegisterWindowClass(); }

CAdvComboBox::~CAdvComboBox()
{
    if (m_pDropWnd) {
        m_pDropWnd->ShowWindow(SW_HIDE);
        m_pDropWnd->DestroyWindow();
    }
    if (m_pEdit)
        m_pEdit->DestroyWindow();
}

BOOL CAdvComboBox::RegisterWindowClass()
{
    WNDCLASS wc = {};
    if (GetClassInfo(AfxGetInstanceHandle(), kClassName, &wc))
        return TRUE;
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_3DFACE + 1);
    wc.lpszClassName = kClassName;
    return AfxRegisterClass(&wc);
}

void CAdvComboBox::SetColorsAndFont(COLORREF crBackground, COLORREF crText, int nHeight)
{
    m_clrBackground = crBackground;
    m_clrText = crText;
    m_nFontHeight = nHeight;
    m_font.DeleteObject();
    m_font.CreateFont(nHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Verdana");
}

BOOL CAdvComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID)
{
    m_rcCombo = rect;
    m_dwACBStyle |= ACBS_STANDARD;
    m_bCreatedByCreate = 1;
    m_dwComboStyle = dwStyle;
    LoadItemsFromResource(nID);
    return CWnd::Create(nullptr, "", dwStyle, m_rcCombo, pParent, nID);
}

void CAdvComboBox::LoadItemsFromResource(UINT nID)
{
    CString text;
    if (!LoadStringResource(nID ? nID : (UINT)GetDlgCtrlID(), text))
        return;
    m_list.clear();
    for (int start = 0; start <= text.GetLength();) {
        int end = text.Find('\n', start);
        if (end < 0)
            end = text.GetLength();
        if (end > start)
            AddString(text.Mid(start, end - start));
        start = end + 1;
    }
}

int CAdvComboBox::AddString(LPCTSTR text)
{
    CAdvComboItem item;
    item.strText = text;
    m_list.push_back(item);
    if (!(m_dwComboStyle & CBS_SORT))
        return (int)m_list.size() - 1;
    std::stable_sort(m_list.begin(), m_list.end(), [](const CAdvComboItem& a, const CAdvComboItem& b) {
        return std::strcmp(a.strText, b.strText) < 0;
    });
    return FindString(-1, text);
}

int CAdvComboBox::FindString(int nStartAfter, LPCTSTR text) const
{
    for (int i = std::max(nStartAfter, 0); i < (int)m_list.size(); ++i)
        if (BeginsWith(m_list[i].strText, text))
            return i;
    return CB_ERR;
}

int CAdvComboBox::FindStringExact(int nStart, LPCTSTR text) const
{
    for (int i = std::max(nStart, 0); i < (int)m_list.size(); ++i)
        if (std::strcmp(m_list[i].strText, text) == 0)
            return i;
    return CB_ERR;
}

void CAdvComboBox::GetEditText(CString& text)
{
    if (m_pEdit && m_pEdit->m_hWnd)
        m_pEdit->GetWindowText(text);
    else
        text = m_strEdit;
}

int CAdvComboBox::GetCurSel()
{
    CString text;
    GetEditText(text);
    if (text.IsEmpty())
        return m_nCurSel;
    return FindStringExact(0, text);
}

int CAdvComboBox::SetCurSel(int nSelect)
{
    if (nSelect == -1) {
        m_nCurSel = -1;
        SetEditTextTo("");
        return CB_ERR;
    }
    if (nSelect < 0 || nSelect >= (int)m_list.size())
        return CB_ERR;
    m_nCurSel = nSelect;
    SetEditTextTo(m_list[nSelect].strText);
    return nSelect;
}

void CAdvComboBox::SetEditTextTo(const CString& text)
{
    m_strEdit = text;
    SetEditWindowText(text);
    if (m_hWnd)
        Invalidate();
}

void CAdvComboBox::SetEditWindowText(const CString& text)
{
    // The combo's own changes of its text are no typing: like a system combo box it reports none of them.
    if (!m_pEdit || !m_pEdit->m_hWnd)
        return;
    m_bSettingEditText = true;
    m_pEdit->SetWindowText(text);
    m_bSettingEditText = false;
}

void CAdvComboBox::Notify(UINT code)
{
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), code), (LPARAM)m_hWnd);
}

LRESULT CAdvComboBox::OnAddString(WPARAM, LPARAM lParam) { return AddString(reinterpret_cast<LPCTSTR>(lParam)); }

LRESULT CAdvComboBox::OnSetCurSelMessage(WPARAM wParam, LPARAM) { return SetCurSel((int)wParam); }

LRESULT CAdvComboBox::OnGetCurSelMessage(WPARAM, LPARAM) { return GetCurSel(); }

LRESULT CAdvComboBox::OnSelectString(WPARAM wParam, LPARAM lParam)
{
    return SetCurSel(FindStringExact((int)wParam, reinterpret_cast<LPCTSTR>(lParam)));
}

LRESULT CAdvComboBox::OnGetCount(WPARAM, LPARAM) { return (LRESULT)m_list.size(); }

LRESULT CAdvComboBox::OnResetContent(WPARAM, LPARAM)
{
    m_list.clear();
    m_nCurSel = -1;
    SetWindowText("");
    SetEditTextTo("");
    return 0;
}

LRESULT CAdvComboBox::OnGetLBText(WPARAM wParam, LPARAM lParam)
{
    int i = (int)wParam;
    if (i < 0 || i >= (int)m_list.size() || !lParam)
        return CB_ERR;
    const CString& text = m_list[i].strText;
    std::memcpy(reinterpret_cast<char*>(lParam), (LPCTSTR)text, (size_t)text.GetLength() + 1);
    return text.GetLength() + 1;
}

LRESULT CAdvComboBox::OnGetLBTextLen(WPARAM wParam, LPARAM)
{
    int i = (int)wParam;
    if (i < 0 || i >= (int)m_list.size())
        return CB_ERR;
    return m_list[i].strText.GetLength() + 1;
}

LRESULT CAdvComboBox::OnGetTopIndex(WPARAM, LPARAM)
{
    return m_pDropWnd ? m_pDropWnd->GetListBox()->GetTopIndex() : CB_ERR;
}

LRESULT CAdvComboBox::OnSetTopIndex(WPARAM wParam, LPARAM)
{
    return m_pDropWnd ? m_pDropWnd->GetListBox()->SendMessage(LB_SETTOPINDEX, wParam) : CB_ERR;
}
