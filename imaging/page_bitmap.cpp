// CPageBitmap: creation, loading, copying, combining, regions, device context and painting.
#include "imaging/page_bitmap.h"

#include "kernel/resources.h"

CPageBitmap::CPageBitmap() { InitEmpty(0, 0, 0); }

CPageBitmap::~CPageBitmap() { Free(); }

void CPageBitmap::Free()
{
    ReleaseDc(nullptr);
    FreeRegion();
    EndAccess();
    ImageLibFreeBitmap(&bitmap);
    bitmap.height = 0;
    bitmap.width = 0;
}

void CPageBitmap::InitEmpty(int, int, int bitsPerPixel) { ImageLibInitBitmap(&bitmap, bitsPerPixel); }

int CPageBitmap::Allocate(int kind, int width, int height, int bitsPerPixel, int colorOrder, int, int orientation)
{
    Free();
    InitEmpty(0, 0, 0);
    return ImageLibAllocateBitmap(&bitmap, width, height, bitsPerPixel, colorOrder, orientation);
}

int CPageBitmap::CreateFilled(int width, int height, COLORREF colour)
{
    return CreateFilledIn(1, width, height, colour);
}

int CPageBitmap::CreateFilledIn(int kind, int width, int height, COLORREF colour)
{
    Free();
    InitEmpty(0, 0, 0);
    int r = Allocate(kind, width, height, 24, 1, 0, 0);
    if (r != 1)
        return r;
    uint8_t* p = BeginAccess();
    if (!p)
        return 0;
    uint8_t b0 = (uint8_t)(colour >> 16), b1 = (uint8_t)(colour >> 8), b2 = (uint8_t)colour;
    for (int y = 0; y < height; ++y) {
        uint8_t* row = p + (int64_t)y * bitmap.bytesPerLine;
        for (int x = 0; x < width; ++x) {
            row[3 * x] = b0;
            row[3 * x + 1] = b1;
            row[3 * x + 2] = b2;
        }
    }
    EndAccess();
    return 1;
}

int CPageBitmap::LoadFromDibResource(UINT id, LPCSTR type)
{
    HMODULE module = AfxGetResourceHandle();
    HRSRC found = FindResource(module, MAKEINTRESOURCE(id & 0xFFFF), type);
    if (!found)
        return 0;
    HGLOBAL loaded = LoadResource(module, found);
    if (!loaded)
        return 0;
    const void* data = LockResource(loaded);
    DWORD size = SizeofResource(module, found);
    ImageLibDecodeJpegMemory(data, size, &bitmap, 24, IMAGELIB_ORDER_BGR);
    return ImageLibHoldsPicture(&bitmap);
}

int CPageBitmap::LoadFile(LPCSTR path, int bitsPerPixel, int colorOrder)
{
    Free();
    int r = ImageLibDecodeJpegFile(path, &bitmap, bitsPerPixel, colorOrder);
    if (r != 1)
        return r;
    return ImageLibHoldsPicture(&bitmap);
}

int CPageBitmap::CopyFrom(const CPageBitmap& source)
{
    Free();
    InitEmpty(0, 0, 0);
    int r = ImageLibCopyBitmap(&bitmap, &source.bitmap);
    if (r != 1)
        return r;
    return ImageLibHoldsPicture(&bitmap);
}

uint8_t* CPageBitmap::BeginAccess() { return ImageLibBeginAccess(&bitmap); }

void CPageBitmap::EndAccess() { ImageLibEndAccess(&bitmap); }

int CPageBitmap::CombineFrom(int x, int y, int width, int height, const CPageBitmap& source, int srcX, int srcY,
                             int flags)
{
    return ImageLibCombine(&bitmap, x, y, width, height, &source.bitmap, srcX, srcY, flags);
}

int CPageBitmap::SetRectRegion(int, const RECT* rect, int mode) { return ImageLibSetRectRegion(&bitmap, rect, mode); }

int CPageBitmap::AdjustInRegion(int amount) { return ImageLibAdjustInRegion(&bitmap, amount); }

int CPageBitmap::FreeRegion() { return ImageLibFreeRegion(&bitmap); }

HDC CPageBitmap::GetDc()
{
    if (!attachedDc) {
        attachedDc = ImageLibGetDC(&bitmap);
        if (attachedDc)
            dc.Attach(attachedDc);
    }
    return attachedDc;
}

int CPageBitmap::ReleaseDc(HDC h)
{
    if (!h)
        h = attachedDc;
    if (h != attachedDc)
        return 0;
    if (attachedDc)
        dc.Detach();
    attachedDc = nullptr;
    return ImageLibReleaseDC(h);
}

CDC* CPageBitmap::GetCdc() { return attachedDc ? &dc : nullptr; }

int CPageBitmap::PaintTo(HDC target, const RECT* srcRect, const RECT* srcClip, const RECT* dstRect, const RECT* dstClip,
                         DWORD rop)
{
    return ImageLibPaint(target, &bitmap, srcRect, srcClip, dstRect, dstClip, rop);
}

bool CPageBitmap::IsEmpty() const { return bitmap.width == 0 || bitmap.height == 0; }
