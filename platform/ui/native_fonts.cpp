// Fonts of native controls: the face and the character height our own text takes from the same font.
#include <gtk/gtk.h>
#include <cmath>
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
    // The controls take the size in points, which the toolkit turns into pixels at the screen's resolution.
    GdkScreen* screen = gdk_screen_get_default();
    double dpi = screen ? gdk_screen_get_resolution(screen) : 0;
    if (dpi <= 0)
        dpi = 96;
    pango_font_description_set_size(native.description, (gint)std::lround(em * 72.0 / dpi * PANGO_SCALE));
    return wxFont(native);
}
