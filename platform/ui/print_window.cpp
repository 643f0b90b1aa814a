// PrintWindow: copies what a window shows on the screen, native controls included, into a device context.
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
    wxPoint origin = w->ClientToScreen(wxPoint(0, 0));
    wxBitmap shot(z.x, z.y, 24);
    {
        wxMemoryDC mem(shot);
        wxScreenDC screen;
        mem.Blit(0, 0, z.x, z.y, &screen, origin.x, origin.y);
    }
    wxImage img = shot.ConvertToImage();
    const unsigned char* rgb = img.GetData();
    std::vector<uint32_t> pixels((size_t)z.x * z.y);
    for (size_t i = 0; i < pixels.size(); ++i, rgb += 3)
        pixels[i] = (uint32_t)rgb[2] | ((uint32_t)rgb[1] << 8) | ((uint32_t)rgb[0] << 16);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = z.x;
    bi.bmiHeader.biHeight = -z.y;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return SetDIBitsToDevice(dc, 0, 0, z.x, z.y, 0, 0, 0, z.y, pixels.data(), &bi, DIB_RGB_COLORS) > 0;
}
