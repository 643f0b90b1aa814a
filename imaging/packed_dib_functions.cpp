// Packed DIB block helpers: sizes, colour table, palette building, painting and resource loading.
#include "imaging/packed_dib_functions.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "imaging/little_endian.h"
#include "kernel/resources.h"

namespace {

bool IsInfoHeader(const BYTE* header) { return ReadLe32(header) == 40; }

}  // namespace

int GetDibWidth(const BYTE* header)
{
    return IsInfoHeader(header) ? static_cast<int>(ReadLe32(header + 4)) : ReadLe16(header + 4);
}

int GetDibHeight(const BYTE* header)
{
    return IsInfoHeader(header) ? static_cast<int>(ReadLe32(header + 8)) : ReadLe16(header + 6);
}

int GetDibColorCount(const BYTE* header)
{
    if (IsInfoHeader(header) && ReadLe32(header + 32) != 0)
        return ReadLe32(header + 32) & 0xFFFF;
    int bits = IsInfoHeader(header) ? ReadLe16(header + 14) : ReadLe16(header + 10);
    return bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
}

int GetDibPaletteBytes(const BYTE* header) { return GetDibColorCount(header) * (IsInfoHeader(header) ? 4 : 3); }

const BYTE* GetDibBits(const BYTE* header) { return header + ReadLe32(header) + GetDibPaletteBytes(header); }

bool BuildDibPalette(const BYTE* dib, CPalette* paletteObject)
{
    if (!dib || !paletteObject)
        return false;
    int colours = GetDibColorCount(dib);
    if (colours == 0)
        return false;
    std::vector<BYTE> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * colours);
    LOGPALETTE* logical = reinterpret_cast<LOGPALETTE*>(block.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(colours);
    int entryBytes = IsInfoHeader(dib) ? 4 : 3;
    const BYTE* table = dib + ReadLe32(dib);
    for (int i = 0; i < colours; ++i) {
        logical->palPalEntry[i].peRed = table[i * entryBytes + 2];
        logical->palPalEntry[i].peGreen = table[i * entryBytes + 1];
        logical->palPalEntry[i].peBlue = table[i * entryBytes];
        logical->palPalEntry[i].peFlags = 0;
    }
    return paletteObject->CreatePalette(logical) != FALSE;
}

int PaintDibRect(HDC dc, const RECT& destRect, const BYTE* dib, const RECT& sourceRect, CPalette* paletteObject)
{
    if (!dib)
        return 0;
    HPALETTE previous = nullptr;
    if (paletteObject)
        previous = ::SelectPalette(dc, static_cast<HPALETTE>(paletteObject->m_hObject), TRUE);
    ::SetStretchBltMode(dc, COLORONCOLOR);
    int dibHeight = GetDibHeight(dib);
    int sourceHeight = sourceRect.bottom - sourceRect.top;
    int result =
        ::SetDIBitsToDevice(dc, destRect.left, destRect.top, destRect.right - destRect.left,
                            destRect.bottom - destRect.top, sourceRect.left, dibHeight - sourceRect.top - sourceHeight,
                            0, dibHeight, GetDibBits(dib), reinterpret_cast<const BITMAPINFO*>(dib), DIB_RGB_COLORS);
    if (previous)
        ::SelectPalette(dc, previous, TRUE);
    return result;
}

BYTE* LoadDibResource(UINT id, HMODULE module)
{
    if (!module)
        module = AfxGetResourceHandle();
    HRSRC found = ::FindResource(module, MAKEINTRESOURCE(id), "DIB");
    if (!found)
        return nullptr;
    HGLOBAL loaded = ::LoadResource(module, found);
    const BYTE* data = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    DWORD size = ::SizeofResource(module, found);
    // A resource too short to hold a file header and an info header is no picture.
    if (!data || size < 14 + 40)
        return nullptr;
    BYTE* block = static_cast<BYTE*>(std::calloc(size, 1));
    if (!block)
        return nullptr;
    std::memcpy(block, data + 14, size - 14);
    return block;
}

void FreeDib(BYTE* dib) { std::free(dib); }
