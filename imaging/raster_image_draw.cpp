// CRasterImage drawing into device contexts, transparent drawing, and the memory-DC cache.
#include "imaging/raster_image.h"

namespace {

const BITMAPINFO* InfoOf(const BYTE* buffer) { return reinterpret_cast<const BITMAPINFO*>(buffer); }

// Stretches the monochrome mask with AND, then the colour copy with OR, onto the destination.
bool StretchMasked(HDC dc, HBITMAP mask, int x, int y, int width, int height, HDC colourCopy, int imageWidth,
                   int imageHeight)
{
    HDC screen = ::GetDC(nullptr);
    HDC maskDc = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ previous = ::SelectObject(maskDc, mask);
    ::SetStretchBltMode(dc, COLORONCOLOR);
    bool ok = ::StretchBlt(dc, x, y, width, height, maskDc, 0, 0, imageWidth, imageHeight, SRCAND) &&
              ::StretchBlt(dc, x, y, width, height, colourCopy, 0, 0, imageWidth, imageHeight, SRCPAINT);
    ::SelectObject(maskDc, previous);
    ::DeleteDC(maskDc);
    return ok;
}

}  // namespace

bool CRasterImage::Draw(HDC dc, int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth,
                        int sourceHeight)
{
    if (!buffer || !dc)
        return false;
    if (width < 0)
        width = GetWidth();
    if (height < 0)
        height = GetHeight();
    if (sourceWidth < 0)
        sourceWidth = GetWidth();
    if (sourceHeight < 0)
        sourceHeight = GetHeight();
    if (transparentIndex != -1) {
        DrawTransparent(dc, x, y, width, height);
        return true;
    }
    if (sourceX < 0)
        sourceX = 0;
    if (sourceY < 0)
        sourceY = 0;
    ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchDIBits(dc, x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight, GetPixelRows(),
                    InfoOf(buffer), DIB_RGB_COLORS, SRCCOPY);
    return true;
}

bool CRasterImage::DrawTransparent(HDC dc, int x, int y, int width, int height)
{
    int imageWidth = GetWidth(), imageHeight = GetHeight();
    HDC colourDc = ::CreateCompatibleDC(dc);
    HBITMAP colourBitmap = ::CreateCompatibleBitmap(dc, imageWidth, imageHeight);
    HGDIOBJ previousColour = ::SelectObject(colourDc, colourBitmap);
    ::SetStretchBltMode(colourDc, COLORONCOLOR);
    ::StretchDIBits(colourDc, 0, 0, imageWidth, imageHeight, 0, 0, imageWidth, imageHeight, GetPixelRows(),
                    InfoOf(buffer), DIB_RGB_COLORS, SRCCOPY);

    RGBQUAD key = GetBpp() < 24 ? GetPaletteColor(transparentIndex) : transparentColor;
    COLORREF keyColour = RGB(key.rgbRed, key.rgbGreen, key.rgbBlue);

    HDC maskDc = ::CreateCompatibleDC(dc);
    HBITMAP mask = ::CreateBitmap(imageWidth, imageHeight, 1, 1, nullptr);
    HGDIOBJ previousMask = ::SelectObject(maskDc, mask);
    ::SetBkColor(colourDc, keyColour);
    ::BitBlt(maskDc, 0, 0, imageWidth, imageHeight, colourDc, 0, 0, SRCCOPY);

    ::SetTextColor(colourDc, RGB(255, 255, 255));
    ::SetBkColor(colourDc, RGB(0, 0, 0));
    ::BitBlt(colourDc, 0, 0, imageWidth, imageHeight, maskDc, 0, 0, SRCAND);
    ::SelectObject(maskDc, previousMask);
    ::DeleteDC(maskDc);

    bool ok = StretchMasked(dc, mask, x, y, width, height, colourDc, imageWidth, imageHeight);
    ::SelectObject(colourDc, previousColour);
    ::DeleteDC(colourDc);
    ::DeleteObject(mask);
    ::DeleteObject(colourBitmap);
    return ok;
}

bool CRasterImage::DrawRect(HDC dc, const RECT& sourceRect, const RECT& destRect)
{
    return Draw(dc, destRect.left, destRect.top, destRect.right - destRect.left, destRect.bottom - destRect.top,
                sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left,
                sourceRect.bottom - sourceRect.top);
}

HBITMAP CRasterImage::MakeDeviceBitmap(HDC dc)
{
    if (!buffer || !dc)
        return nullptr;
    return ::CreateDIBitmap(dc, &header, CBM_INIT, GetPixelRows(), InfoOf(buffer), DIB_RGB_COLORS);
}

CDC* CRasterImage::GetMemDc(CWnd* ownerWindow)
{
    if (memDcHandle)
        return &memDc;
    owner = ownerWindow;
    // Every window surface here is a 32-bit device surface, so the screen stands for the owner's window.
    HDC windowDc = ::GetDC(nullptr);
    memDc.Attach(::CreateCompatibleDC(windowDc));
    memDcHandle = memDc.m_hDC;
    deviceBitmap.Attach(MakeDeviceBitmap(windowDc));
    previousBitmap = memDc.SelectObject(&deviceBitmap);
    ::ReleaseDC(nullptr, windowDc);
    return &memDc;
}

bool CRasterImage::ReleaseMemDc()
{
    if (!memDcHandle)
        return false;
    ReadBackDeviceBitmap();
    if (previousBitmap)
        memDc.SelectObject(previousBitmap);
    previousBitmap = nullptr;
    ::DeleteDC(memDc.Detach());
    deviceBitmap.DeleteObject();
    memDcHandle = nullptr;
    owner = nullptr;
    return true;
}

void CRasterImage::ReadBackDeviceBitmap()
{
    if (!deviceBitmap.m_hObject || !buffer)
        return;
    HDC screen = ::GetDC(nullptr);
    // The bitmap must not be selected into a context while its bits are read.
    if (previousBitmap)
        memDc.SelectObject(previousBitmap);
    int lines = ::GetDIBits(screen, static_cast<HBITMAP>(deviceBitmap.m_hObject), 0, GetHeight(), GetPixelRows(),
                            reinterpret_cast<BITMAPINFO*>(buffer), DIB_RGB_COLORS);
    if (previousBitmap)
        previousBitmap = memDc.SelectObject(&deviceBitmap);
    if (lines == 0)
        SetLastError("GetDIBits failed");
    ::ReleaseDC(nullptr, screen);
}

void CRasterImage::RenderRegionFrom(CRasterImage* source, const RECT& rect)
{
    if (rect.right - rect.left == 0 || rect.bottom - rect.top == 0 || !source || source->IsEmpty())
        return;
    RECT bounds = {0, 0, source->GetWidth(), source->GetHeight()};
    RECT clipped;
    if (!::IntersectRect(&clipped, &rect, &bounds))
        return;
    int width = clipped.right - clipped.left, height = clipped.bottom - clipped.top;
    if (!CreateFilled(width, height, source->GetBpp(), 0xFFFFFF) || source->GetBpp() < 24)
        return;
    CDC* dc = GetMemDc(nullptr);
    RECT destination = {0, 0, width, height};
    source->DrawRect(dc->m_hDC, clipped, destination);
    ReleaseMemDc();
}
