// Dialog data exchange: controls to members and back, with the class library's validation messages.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "ui/commctrl.h"
#include "ui/dialog.h"

namespace {

// Thrown by CDataExchange::Fail and caught by UpdateData.
struct DataExchangeFailure {};

CString ControlText(HWND control)
{
    CString text;
    int n = ::GetWindowTextLength(control);
    char* buffer = text.GetBufferSetLength(n);
    ::GetWindowText(control, buffer, n + 1);
    text.ReleaseBuffer();
    return text;
}

void Complain(CDataExchange* dx, const char* text)
{
    ::MessageBox(dx->m_pDlgWnd ? dx->m_pDlgWnd->GetSafeHwnd() : nullptr, text, GetMessageBoxTitle().c_str(),
                 MB_ICONEXCLAMATION | MB_OK);
    dx->Fail();
}

template <class T>
void ExchangeSigned(CDataExchange* dx, int id, T& value, long long lo, long long hi)
{
    HWND control = dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        char buffer[32];
        std::snprintf(buffer, sizeof(buffer), "%lld", (long long)value);
        ::SetWindowText(control, buffer);
        return;
    }
    CString text = ControlText(control);
    text.Trim();
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(text, &end, 10);
    if (text.IsEmpty() || *end || errno || v < lo || v > hi)
        Complain(dx, "Please enter an integer.");
    value = (T)v;
}

template <class T>
void ExchangeUnsigned(CDataExchange* dx, int id, T& value, unsigned long long hi)
{
    HWND control = dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        char buffer[32];
        std::snprintf(buffer, sizeof(buffer), "%llu", (unsigned long long)value);
        ::SetWindowText(control, buffer);
        return;
    }
    CString text = ControlText(control);
    text.Trim();
    char* end = nullptr;
    errno = 0;
    if (text.IsEmpty() || text[0] == '-')
        Complain(dx, "Please enter a positive integer.");
    unsigned long long v = std::strtoull(text, &end, 10);
    if (*end || errno || v > hi)
        Complain(dx, "Please enter a positive integer.");
    value = (T)v;
}

template <class T>
void ExchangeFloat(CDataExchange* dx, int id, T& value, int digits)
{
    HWND control = dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        char buffer[64];
        std::snprintf(buffer, sizeof(buffer), "%.*g", digits, (double)value);
        ::SetWindowText(control, buffer);
        return;
    }
    CString text = ControlText(control);
    text.Trim();
    char* end = nullptr;
    double v = std::strtod(text, &end);
    if (text.IsEmpty() || *end || !std::isfinite(v))
        Complain(dx, "Please enter a number.");
    value = (T)v;
}

// A control whose value is read and set by one message each, the value going in wParam.
void ExchangeByMessages(CDataExchange* dx, int id, int& value, UINT getMessage, UINT setMessage)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = (int)::SendMessage(control, getMessage, 0, 0);
    else
        ::SendMessage(control, setMessage, (WPARAM)value, 0);
}

template <class T>
void CheckRange(CDataExchange* dx, T value, T lo, T hi, const char* format)
{
    if (!dx->m_bSaveAndValidate || (value >= lo && value <= hi))
        return;
    CString text;
    text.Format(format, lo, hi);
    Complain(dx, text);
}

}  // namespace

CDataExchange::CDataExchange(CWnd* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog)
{
}

HWND CDataExchange::PrepareCtrl(int id)
{
    HWND control = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), id);
    m_hWndLastControl = control;
    m_bEditLastControl = FALSE;
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int id)
{
    HWND control = PrepareCtrl(id);
    m_bEditLastControl = TRUE;
    return control;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw DataExchangeFailure{};
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const DataExchangeFailure&) {
        return FALSE;
    }
    return TRUE;
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.m_hWnd)
        return;
    HWND h = dx->PrepareCtrl(id);
    if (h)
        control.SubclassWindow(h);
}

void DDX_Text(CDataExchange* dx, int id, CString& value)
{
    HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = ControlText(control);
    else
        ::SetWindowText(control, value);
}

void DDX_Text(CDataExchange* dx, int id, int& value) { ExchangeSigned(dx, id, value, INT32_MIN, INT32_MAX); }
void DDX_Text(CDataExchange* dx, int id, long& value) { ExchangeSigned(dx, id, value, INT32_MIN, INT32_MAX); }
void DDX_Text(CDataExchange* dx, int id, short& value) { ExchangeSigned(dx, id, value, INT16_MIN, INT16_MAX); }
void DDX_Text(CDataExchange* dx, int id, UINT& value) { ExchangeUnsigned(dx, id, value, UINT32_MAX); }
void DDX_Text(CDataExchange* dx, int id, BYTE& value) { ExchangeUnsigned(dx, id, value, 255); }
void DDX_Text(CDataExchange* dx, int id, double& value) { ExchangeFloat(dx, id, value, 15); }
void DDX_Text(CDataExchange* dx, int id, float& value) { ExchangeFloat(dx, id, value, 6); }

void DDX_Check(CDataExchange* dx, int id, int& value) { ExchangeByMessages(dx, id, value, BM_GETCHECK, BM_SETCHECK); }

void DDX_Radio(CDataExchange* dx, int id, int& value)
{
    // The group runs from this button to the next control with WS_GROUP.
    HWND first = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    for (HWND c = first; c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (c != first && (::GetWindowLong(c, GWL_STYLE) & WS_GROUP))
            break;
        if (!(::SendMessage(c, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
            continue;
        if (dx->m_bSaveAndValidate) {
            if (::SendMessage(c, BM_GETCHECK, 0, 0))
                value = index;
        } else {
            ::SendMessage(c, BM_SETCHECK, index == value, 0);
        }
        ++index;
    }
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index)
{
    ExchangeByMessages(dx, id, index, CB_GETCURSEL, CB_SETCURSEL);
}

void DDX_CBString(CDataExchange* dx, int id, CString& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value = ControlText(control);
    } else if (::SendMessage(control, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(const char*)value) == CB_ERR) {
        ::SetWindowText(control, value);
    }
}

void DDX_CBStringExact(CDataExchange* dx, int id, CString& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value = ControlText(control);
        return;
    }
    LRESULT i = ::SendMessage(control, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(const char*)value);
    if (i == CB_ERR)
        ::SetWindowText(control, value);
    else
        ::SendMessage(control, CB_SETCURSEL, (WPARAM)i, 0);
}

void DDX_LBIndex(CDataExchange* dx, int id, int& index)
{
    ExchangeByMessages(dx, id, index, LB_GETCURSEL, LB_SETCURSEL);
}

void DDX_LBString(CDataExchange* dx, int id, CString& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        int i = (int)::SendMessage(control, LB_GETCURSEL, 0, 0);
        value.Empty();
        if (i >= 0) {
            int n = (int)::SendMessage(control, LB_GETTEXTLEN, (WPARAM)i, 0);
            ::SendMessage(control, LB_GETTEXT, (WPARAM)i, (LPARAM)value.GetBufferSetLength(n));
            value.ReleaseBuffer();
        }
    } else {
        ::SendMessage(control, LB_SELECTSTRING, (WPARAM)-1, (LPARAM)(const char*)value);
    }
}

void DDX_Scroll(CDataExchange* dx, int id, int& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = ::GetScrollPos(control, SB_CTL);
    else
        ::SetScrollPos(control, SB_CTL, value, TRUE);
}

void DDX_Slider(CDataExchange* dx, int id, int& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = (int)::SendMessage(control, TBM_GETPOS, 0, 0);
    else
        ::SendMessage(control, TBM_SETPOS, TRUE, value);
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minVal, int maxVal)
{
    CheckRange(dx, value, minVal, maxVal, "Please enter an integer between %d and %d.");
}

void DDV_MinMaxLong(CDataExchange* dx, long value, long minVal, long maxVal)
{
    CheckRange(dx, value, minVal, maxVal, "Please enter an integer between %ld and %ld.");
}

void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minVal, UINT maxVal)
{
    CheckRange(dx, value, minVal, maxVal, "Please enter an integer between %u and %u.");
}

void DDV_MinMaxByte(CDataExchange* dx, BYTE value, BYTE minVal, BYTE maxVal)
{
    CheckRange<int>(dx, value, minVal, maxVal, "Please enter an integer between %d and %d.");
}

void DDV_MinMaxDouble(CDataExchange* dx, const double& value, double minVal, double maxVal)
{
    CheckRange(dx, value, minVal, maxVal, "Please enter a number between %g and %g.");
}

void DDV_MinMaxFloat(CDataExchange* dx, const float& value, float minVal, float maxVal)
{
    CheckRange<double>(dx, value, minVal, maxVal, "Please enter a number between %g and %g.");
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int count)
{
    if (dx->m_bSaveAndValidate && value.GetLength() > count) {
        CString text;
        text.Format("Enter no more than %d characters.", count);
        Complain(dx, text);
    } else if (!dx->m_bSaveAndValidate && dx->m_hWndLastControl && dx->m_bEditLastControl) {
        ::SendMessage(dx->m_hWndLastControl, EM_LIMITTEXT, (WPARAM)count, 0);
    }
}
