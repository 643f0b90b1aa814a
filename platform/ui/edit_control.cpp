// The edit class: single- and multi-line text fields as toolkit text controls, with the edit messages and
// notifications.
#include "ui/wx_windows.h"

namespace {

struct EditData {
    bool settingText = false;  // WM_SETTEXT on a multi-line edit sends no change notification
};

EditData& DataOf(WindowState* s)
{
    if (!s->extra)
        s->extra = std::make_shared<EditData>();
    return *static_cast<EditData*>(s->extra.get());
}

wxTextCtrl* TextOf(WindowState* s) { return dynamic_cast<wxTextCtrl*>(s->native); }

std::string Utf8(const wxString& s) { return std::string(s.utf8_str()); }

// Texts are bytes and the toolkit counts characters: offsets are converted through the control's text.
long ByteOffset(wxTextCtrl* t, long chars)
{
    wxString v = t->GetValue();
    if (chars < 0 || (size_t)chars >= v.length())
        return (long)Utf8(v).size();
    return (long)Utf8(v.Left((size_t)chars)).size();
}

long CharOffset(wxTextCtrl* t, long bytes)
{
    std::string v = Utf8(t->GetValue());
    if (bytes < 0 || (size_t)bytes >= v.size())
        return (long)wxString::FromUTF8(v).length();
    while (bytes > 0 && (static_cast<unsigned char>(v[(size_t)bytes]) & 0xC0) == 0x80)
        --bytes;  // an offset inside a character counts from its first byte
    return (long)wxString::FromUTF8(v.substr(0, (size_t)bytes)).length();
}

// The length in bytes of the line holding a byte offset (the caret's line for -1).
LRESULT LineLength(wxTextCtrl* t, long bytes)
{
    long at = bytes < 0 ? t->GetInsertionPoint() : CharOffset(t, bytes);
    long x = 0, line = 0;
    if (!t->PositionToXY(at, &x, &line))
        return 0;
    return (LRESULT)Utf8(t->GetLineText(line)).size();
}

}  // namespace

wxWindow* CreateEditControl(WindowState* s, wxWindow* parent, const wxRect& rect)
{
    long style = 0;
    if (s->style & ES_MULTILINE)
        style |= wxTE_MULTILINE;
    if (s->style & ES_READONLY)
        style |= wxTE_READONLY;
    if (s->style & ES_PASSWORD)
        style |= wxTE_PASSWORD;
    if (s->style & ES_CENTER)
        style |= wxTE_CENTRE;
    else if (s->style & ES_RIGHT)
        style |= wxTE_RIGHT;
    if ((s->style & ES_MULTILINE) && (s->style & ES_WANTRETURN))
        style |= wxTE_PROCESS_ENTER;
    style |= (s->exStyle & WS_EX_CLIENTEDGE) ? wxBORDER_SUNKEN
             : (s->style & WS_BORDER)        ? wxBORDER_SIMPLE
                                             : wxBORDER_NONE;
    auto* t = new wxTextCtrl(parent, wxID_ANY, wxString::FromUTF8(s->text), rect.GetPosition(), rect.GetSize(), style);
    HWND h = s->hwnd;
    t->Bind(wxEVT_TEXT, [h](wxCommandEvent&) {
        WindowState* st = StateOf(h);
        if (!st || DataOf(st).settingText)
            return;
        NotifyParent(st, EN_UPDATE);
        NotifyParent(StateOf(h), EN_CHANGE);
    });
    return t;
}

LRESULT CALLBACK EditProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowState* s = StateOf(h);
    if (!s)
        return 0;
    wxTextCtrl* t = TextOf(s);
    if (!t)
        return NativeDefault(h, message, wParam, lParam);
    switch (message) {
    case WM_SETTEXT: {
        std::string text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        s->text = text;
        bool multi = (s->style & ES_MULTILINE) != 0;
        DataOf(s).settingText = multi;
        t->SetValue(wxString::FromUTF8(text));
        if ((s = StateOf(h)) != nullptr)
            DataOf(s).settingText = false;
        return TRUE;
    }
    case WM_GETTEXT: return CopyWindowText(Utf8(t->GetValue()), wParam, lParam);
    case WM_GETTEXTLENGTH: return (LRESULT)Utf8(t->GetValue()).size();
    case EM_GETSEL: {
        long from, to;
        t->GetSelection(&from, &to);
        from = ByteOffset(t, from);
        to = ByteOffset(t, to);
        if (wParam)
            *reinterpret_cast<DWORD*>(wParam) = (DWORD)from;
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = (DWORD)to;
        return MAKELRESULT(from, to);
    }
    case EM_SETSEL: {
        long from = (long)(int)wParam, to = (long)(int)lParam;
        if (from < 0) {
            t->SelectNone();
            return 0;
        }
        t->SetSelection(CharOffset(t, from), to < 0 ? -1 : CharOffset(t, to));
        return 0;
    }
    case EM_LINELENGTH: return LineLength(t, (long)(int)wParam);
    case EM_REPLACESEL: t->WriteText(wxString::FromUTF8(reinterpret_cast<const char*>(lParam))); return 0;
    case EM_LIMITTEXT: t->SetMaxLength((unsigned long)wParam); return 0;
    case EM_SETREADONLY:
        t->SetEditable(wParam == 0);
        if (wParam)
            s->style |= ES_READONLY;
        else
            s->style &= ~ES_READONLY;
        return TRUE;
    case EM_GETMODIFY: return t->IsModified();
    case EM_SETMODIFY:
        if (wParam)
            t->MarkDirty();
        else
            t->DiscardEdits();
        return 0;
    case EM_GETLINECOUNT: return t->GetNumberOfLines();
    case WM_SETFOCUS: NotifyParent(s, EN_SETFOCUS); return 0;
    case WM_KILLFOCUS: NotifyParent(s, EN_KILLFOCUS); return 0;
    case WM_CHAR:
        // A number field refuses anything but digits and control characters.
        if ((s->style & ES_NUMBER) && wParam >= 0x20 && (wParam < '0' || wParam > '9'))
            return 0;
        break;
    case WM_CUT: t->Cut(); return 0;
    case WM_COPY: t->Copy(); return 0;
    case WM_PASTE: t->Paste(); return 0;
    case WM_CLEAR: t->RemoveSelection(); return 0;
    case WM_UNDO: t->Undo(); return TRUE;
    case WM_GETDLGCODE:
        return DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS |
               (((s->style & ES_MULTILINE) && (s->style & ES_WANTRETURN)) ? DLGC_WANTALLKEYS : 0);
    }
    return NativeDefault(h, message, wParam, lParam);
}
