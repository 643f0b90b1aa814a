// CPageBitmap: the 24-bit page on which the score view composes its pictures.
#pragma once

#include "gdi/afxgdi.h"
#include "imagelib/imagelib.h"
#include "imp/imp_types.h"

class CPageBitmap {
public:
    CPageBitmap();
    ~CPageBitmap();
    CPageBitmap(const CPageBitmap&) = delete;
    CPageBitmap& operator=(const CPageBitmap&) = delete;

    void Free();
    void InitEmpty(int a, int b, int bitsPerPixel);
    int Allocate(int kind, int width, int height, int bitsPerPixel, int colorOrder, int reserved, int orientation);
    int CreateFilled(int width, int height, COLORREF colour);
    int CreateFilledIn(int kind, int width, int height, COLORREF colour);
    int LoadFromDibResource(UINT id, LPCSTR type);
    int LoadFile(LPCSTR path, int bitsPerPixel, int colorOrder);
    int CopyFrom(const CPageBitmap& source);
    uint8_t* BeginAccess();
    void EndAccess();
    int CombineFrom(int x, int y, int width, int height, const CPageBitmap& source, int srcX, int srcY, int flags);
    int SetRectRegion(int unused, const RECT* rect, int mode);
    int AdjustInRegion(int amount);
    int FreeRegion();
    HDC GetDc();
    int ReleaseDc(HDC dc);
    CDC* GetCdc();
    int PaintTo(HDC target, const RECT* srcRect, const RECT* srcClip, const RECT* dstRect, const RECT* dstClip,
                DWORD rop);
    bool IsEmpty() const;
    int ResizeLinear(int width, int height);

    int Width() const { return bitmap.width; }
    int Height() const { return bitmap.height; }
    const ImageLibBitmap& Record() const { return bitmap; }

    static int ResizeWithImp(CPageBitmap* page, int width, int height, int mode);
    static int ResizeImpCore(CPageBitmap* page, int width, int height, int mode);
    static ImpHeader* MakeImpHeader(const ImageLibBitmap& record);

private:
    ImageLibBitmap bitmap;
    CDC dc;
    HDC attachedDc = nullptr;
};
