// Fonts of native controls: the face and the character height our own text takes from the same font.
#include <gtk/gtk.h>
#include <wx/wx.h>
#include <wx/fontutil.h>

#include "ui/wx_windows.h"

wxFont WxFontOf(HFONT font)
{
    LOGFONTA lf{};
    if (!font || GetObject(font, sizeof(lf), &lf) != sizeof(lf)) {
        font = DefaultGuiFont();
        GetObject(font, sizeof(lf), &lf);
    }
    // The rasterizer says which face it draws with and how tall its characters are (cell minus leading).
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    char face[LF_FACESIZE] = {};
    GetTextFace(dc, sizeof face, face);
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    int em = std::max<int>(1, tm.tmHeight - tm.tmInternalLeading);
    wxFontInfo info(10);
    info.FaceName(wxString::FromUTF8(face)).Italic(lf.lfItalic != 0).Underlined(lf.lfUnderline != 0);
    info.Weight(lf.lfWeight >= 700 ? wxFONTWEIGHT_BOLD : wxFONTWEIGHT_NORMAL);
    wxNativeFontInfo native = *wxFont(info).GetNativeFontInfo();
    pango_font_description_set_absolute_size(native.description, em * PANGO_SCALE);
    return wxFont(native);
}
