// CRasterImage: an in-memory device-independent picture (header, palette, rows in one block) with its codec type.
#pragma once

#include <cstdio>

#include "gdi/afxgdi.h"
#include "kernel/cstring.h"

class CWnd;

enum RasterCodecType {
    RASTER_TYPE_BMP = 0,
    RASTER_TYPE_JPEG = 1,
};

class CRasterImage {
public:
    explicit CRasterImage(int type = RASTER_TYPE_BMP);
    CRasterImage(int width, int height, int bitsPerPixel, int type);
    CRasterImage(const char* path, int type);
    CRasterImage(const CRasterImage&) = delete;
    CRasterImage& operator=(const CRasterImage&) = delete;
    virtual ~CRasterImage();

    // Creation and lifetime.
    BYTE* Create(int width, int height, int bitsPerPixel);
    void Destroy();
    bool IsValid() const { return buffer != nullptr; }
    bool IsEmpty() const { return header.biWidth == 0 && header.biHeight == 0; }

    // Accessors.
    int GetWidth() const { return header.biWidth; }
    int GetHeight() const { return header.biHeight; }
    int GetBpp() const { return header.biBitCount; }
    int GetRowWidth() const { return rowWidth; }
    int GetPaletteCount() const { return paletteCount; }
    int GetType() const { return type; }
    BYTE* GetBits() const { return buffer; }
    BYTE* GetPixelRows() const;
    int GetPaletteSize() const { return paletteCount * 4; }
    int GetBufferSize() const;
    const char* GetLastError() const { return lastError; }
    const BITMAPINFOHEADER& GetHeader() const { return header; }
    BYTE GetQuality() const { return quality; }
    void SetQuality(BYTE value) { quality = value; }
    int GetTransparentIndex() const { return transparentIndex; }
    void SetTransparentIndex(int index) { transparentIndex = index; }
    void SetTransparentColor(RGBQUAD color) { transparentColor = color; }
    void SetTransparentColor(COLORREF color);

    // Palette.
    RGBQUAD* GetPalette() const;
    RGBQUAD GetPaletteColor(int index) const;
    void SetPalette(const RGBQUAD* entries, int count);
    void SetPaletteFromArrays(int count, const BYTE* red, const BYTE* green = nullptr, const BYTE* blue = nullptr);
    void SetGreyPalette();
    bool IsGrayScale() const;
    int GetNearestIndex(RGBQUAD color) const;

    // Pixels: y is the row in memory (0 = bottom row) unless said otherwise.
    BYTE GetPixelIndex(int x, int y) const;
    void SetPixelIndex(int x, int y, BYTE index);
    RGBQUAD GetPixelColor(int x, int y) const;
    void SetPixelQuad(int x, int y, RGBQUAD quad);
    void SetPixelColor(int x, int y, COLORREF color);
    BYTE* GetPixelAddress(int x, int yFromTop) const;
    void SwapRedBlue(BYTE* row, int length) const;

    // Copying and ownership.
    void CopyFrom(const CRasterImage* other);
    void Transfer(CRasterImage* from);
    void Ghost(const CRasterImage* from);

    // Files and resources.
    bool LoadFile(const char* path, int type);
    bool SaveFile(const char* path, int type);
    bool Decode(FILE* file, int type);
    bool Encode(FILE* file, int type);
    bool LoadResource(UINT id, const char* resourceType, int type);

    // Drawing and the device-bitmap cache.
    bool Draw(HDC dc, int x, int y, int width = -1, int height = -1, int sourceX = 0, int sourceY = 0,
              int sourceWidth = -1, int sourceHeight = -1);
    bool DrawRect(HDC dc, const RECT& sourceRect, const RECT& destRect);
    HBITMAP MakeDeviceBitmap(HDC dc);
    CDC* GetMemDc(CWnd* owner);
    CDC* GetCdc() { return &memDc; }
    bool ReleaseMemDc();
    void ReadBackDeviceBitmap();
    void RenderRegionFrom(CRasterImage* source, const RECT& rect);

    // Transforms.
    BYTE* CreateFilled(int width, int height, int bitsPerPixel, DWORD color);
    bool CopyRectFrom(int x, int y, int width, int height, const CRasterImage* source, int sourceX, int sourceY);
    bool Resample(int newWidth, int newHeight, int mode);
    bool IncreaseBpp(int bitsPerPixel);
    void ApplyChannelTable(const BYTE* table, int channel);
    void UnpackTo24(const BYTE* source, DWORD redMask, DWORD greenMask, DWORD blueMask, int bitCount);

protected:
    void SetLastError(const char* text);
    void ResetFields();
    // Frees this picture (unless shared) and takes the other's header, fields and buffer pointer.
    void TakePictureOf(const CRasterImage& from);
    bool DrawTransparent(HDC dc, int x, int y, int width, int height);

    friend class CRasterRowIterator;

    CWnd* owner = nullptr;
    CDC memDc;
    HDC memDcHandle = nullptr;
    CBitmap deviceBitmap;
    CBitmap* previousBitmap = nullptr;
    BYTE* buffer = nullptr;
    BITMAPINFOHEADER header{};
    // Fields from rowWidth to the end are reset together.
    int rowWidth = 0;
    BYTE* pixelRows = nullptr;
    intptr_t notOwner = 0;
    int type = RASTER_TYPE_BMP;
    char lastError[256] = {};
    int transparentIndex = -1;
    RGBQUAD transparentColor{};
    BYTE quality = 75;
    int paletteCount = 0;
};

// RGBQUAD <-> 0x00BBGGRR colour value.
COLORREF QuadToColor(RGBQUAD quad);
RGBQUAD ColorToQuad(COLORREF color);
