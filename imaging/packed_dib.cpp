// CPackedDib loading, palette realisation and painting.
#include "imaging/packed_dib.h"

#include "kernel/prompt_service.h"

CPackedDib::~CPackedDib()
{
    FreeDib(dib);
    delete palette;
}

bool CPackedDib::LoadFromResource(UINT id, HMODULE module)
{
    BYTE* loaded = LoadDibResource(id, module);
    if (!loaded)
        return false;
    FreeDib(dib);
    dib = loaded;
    Init();
    return true;
}

void CPackedDib::Init()
{
    delete palette;
    palette = nullptr;
    if (!dib)
        return;
    // Sizes are stored unsigned in the block; anything above the largest int is refused.
    DWORD width = static_cast<DWORD>(GetDibWidth(dib)), height = static_cast<DWORD>(GetDibHeight(dib));
    if (width > 0x7FFFFFFF || height > 0x7FFFFFFF) {
        FreeDib(dib);
        dib = nullptr;
        AfxMessageBox("IDS_DIB_TOO_BIG", MB_ICONINFORMATION);
        return;
    }
    size.cx = static_cast<LONG>(width);
    size.cy = static_cast<LONG>(height);
    palette = new CPalette;
    if (!BuildDibPalette(dib, palette)) {
        delete palette;
        palette = nullptr;
    }
}

void CPackedDib::PaintRect(HDC dc, int x, int y, int sourceX, int sourceY, int width, int height)
{
    if (!dib)
        return;
    if (!(sourceX <= size.cx && width <= size.cx && sourceY <= size.cy && height <= size.cy)) {
        AfxMessageBox("所给参数超过图象尺寸！", MB_ICONQUESTION);
        return;
    }
    // The source rectangle is cut to the picture so that no row outside it is addressed.
    if (sourceX < 0)
        sourceX = 0;
    if (sourceY < 0)
        sourceY = 0;
    if (sourceX + width > size.cx)
        width = size.cx - sourceX;
    if (sourceY + height > size.cy)
        height = size.cy - sourceY;
    if (width <= 0 || height <= 0)
        return;
    RECT dest = {x, y, x + width, y + height};
    RECT source = {sourceX, sourceY, sourceX + width, sourceY + height};
    PaintDibRect(dc, dest, dib, source, palette);
}

bool CPackedDib::RealizePalette()
{
    if (paletteRealised)
        return true;
    paletteRealised = 1;
    if (!dib)
        return false;
    if (!palette)
        return true;
    // Every surface here is true-colour, so the screen context realises the palette as the main window's would.
    HDC screen = ::GetDC(nullptr);
    HPALETTE previous = ::SelectPalette(screen, static_cast<HPALETTE>(palette->m_hObject), FALSE);
    if (previous)
        ::RealizePalette(screen);
    ::ReleaseDC(nullptr, screen);
    return true;
}
