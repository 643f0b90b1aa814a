// Message boxes as toolkit message dialogs: the MB_ buttons, icons and default button, answered with ID values.

#include "ui/wx_windows.h"

int ShowMessageBoxWindow(HWND owner, const std::string& text, const std::string& caption, UINT type)
{
    long style = 0;
    UINT buttons = type & MB_TYPEMASK;
    switch (buttons) {
    case MB_OKCANCEL:
    case MB_RETRYCANCEL: style = wxOK | wxCANCEL; break;
    case MB_YESNO: style = wxYES_NO; break;
    case MB_YESNOCANCEL:
    case MB_ABORTRETRYIGNORE: style = wxYES_NO | wxCANCEL; break;
    default: style = wxOK; break;
    }
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND: style |= wxICON_ERROR; break;
    case MB_ICONQUESTION: style |= wxICON_QUESTION; break;
    case MB_ICONEXCLAMATION: style |= wxICON_WARNING; break;
    case MB_ICONASTERISK: style |= wxICON_INFORMATION; break;
    }
    UINT def = type & MB_DEFMASK;
    if (def == MB_DEFBUTTON2)
        style |= (buttons == MB_OKCANCEL || buttons == MB_RETRYCANCEL) ? wxCANCEL_DEFAULT : wxNO_DEFAULT;
    else if (def == MB_DEFBUTTON3)
        style |= wxCANCEL_DEFAULT;
    if (type & (MB_TOPMOST | MB_SYSTEMMODAL))
        style |= wxSTAY_ON_TOP;
    wxMessageDialog dlg(OwnerFrameWx(owner), wxString::FromUTF8(text), wxString::FromUTF8(caption), style | wxCENTRE);
    if (buttons == MB_RETRYCANCEL)
        dlg.SetOKCancelLabels("&Retry", "Cancel");
    if (buttons == MB_ABORTRETRYIGNORE)
        dlg.SetYesNoCancelLabels("&Abort", "&Retry", "&Ignore");
    int r = dlg.ShowModal();
    switch (buttons) {
    case MB_OKCANCEL: return r == wxID_OK ? IDOK : IDCANCEL;
    case MB_RETRYCANCEL: return r == wxID_OK ? IDRETRY : IDCANCEL;
    case MB_YESNO: return r == wxID_YES ? IDYES : IDNO;
    case MB_YESNOCANCEL: return r == wxID_YES ? IDYES : r == wxID_NO ? IDNO : IDCANCEL;
    case MB_ABORTRETRYIGNORE: return r == wxID_YES ? IDABORT : r == wxID_NO ? IDRETRY : IDIGNORE;
    default: return IDOK;
    }
}
