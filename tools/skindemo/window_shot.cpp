// Window captures through PrintWindow, composed and saved as a BMP picture.
#include "window_shot.h"

#include "imaging/raster_image.h"

namespace {

// Paints the window's client area into picture at the offset given (pixels outside the picture are cut).
void Capture(CWnd* wnd, CRasterImage& picture, CPoint offset)
{
    CRect r;
    wnd->GetClientRect(&r);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = r.Width();
    info.bmiHeader.biHeight = -r.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP shot = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!shot)
        return;
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, shot);
    if (PrintWindow(wnd->GetSafeHwnd(), mem, 0)) {
        const BYTE* p = static_cast<const BYTE*>(bits);
        for (int y = 0; y < r.Height(); ++y)
            for (int x = 0; x < r.Width(); ++x) {
                const BYTE* px = p + ((size_t)y * r.Width() + x) * 4;
                // Rows of the picture count from its bottom.
                picture.SetPixelColor(offset.x + x, picture.GetHeight() - 1 - (offset.y + y), RGB(px[2], px[1], px[0]));
            }
    }
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(shot);
}

}  // namespace

bool WriteWindowShot(CWnd* wnd, const std::vector<CWnd*>& overlays, const char* path)
{
    CRect r;
    wnd->GetClientRect(&r);
    CRasterImage picture(RASTER_TYPE_BMP);
    if (!picture.Create(r.Width(), r.Height(), 24))
        return false;
    Capture(wnd, picture, CPoint(0, 0));
    for (CWnd* overlay : overlays) {
        CPoint at(0, 0);
        overlay->ClientToScreen(&at);
        wnd->ScreenToClient(&at);
        Capture(overlay, picture, at);
    }
    return picture.SaveFile(path, RASTER_TYPE_BMP) != FALSE;
}
