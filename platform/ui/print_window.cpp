// PrintWindow: copies what a window shows on the screen, native controls included, into a device context.
#include <gtk/gtk.h>

#include "ui/wx_windows.h"

BOOL PrintWindow(HWND hWnd, HDC dc, UINT)
{
    WindowState* s = StateOf(hWnd);
    if (!s || !dc || !s->outer)
        return FALSE;
    wxWindow* w = s->surface ? static_cast<wxWindow*>(s->surface) : s->outer;
    wxSize z = w->GetClientSize();
    if (z.x <= 0 || z.y <= 0)
        return FALSE;
    // Paint what is pending first, then read the screen itself: the toolkit's screen context keeps the
    // first picture it read.
    w->Update();
    wxPoint origin = w->ClientToScreen(wxPoint(0, 0));
    gdk_display_sync(gdk_display_get_default());
    GdkPixbuf* shot = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), origin.x, origin.y, z.x, z.y);
    if (!shot)
        return FALSE;
    int channels = gdk_pixbuf_get_n_channels(shot), stride = gdk_pixbuf_get_rowstride(shot);
    const guchar* base = gdk_pixbuf_get_pixels(shot);
    std::vector<uint32_t> pixels((size_t)z.x * z.y);
    for (int y = 0; y < z.y; ++y)
        for (int x = 0; x < z.x; ++x) {
            const guchar* p = base + (size_t)y * stride + (size_t)x * channels;
            pixels[(size_t)y * z.x + x] = (uint32_t)p[2] | ((uint32_t)p[1] << 8) | ((uint32_t)p[0] << 16);
        }
    g_object_unref(shot);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = z.x;
    bi.bmiHeader.biHeight = -z.y;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return SetDIBitsToDevice(dc, 0, 0, z.x, z.y, 0, 0, 0, z.y, pixels.data(), &bi, DIB_RGB_COLORS) > 0;
}
