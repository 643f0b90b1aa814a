// Free functions on packed DIB blocks (info or core header, colour table, rows).
#pragma once

#include "gdi/afxgdi.h"

int GetDibWidth(const BYTE* header);
int GetDibHeight(const BYTE* header);
int GetDibColorCount(const BYTE* header);
int GetDibPaletteBytes(const BYTE* header);
const BYTE* GetDibBits(const BYTE* header);
bool BuildDibPalette(const BYTE* dib, CPalette* paletteObject);
int PaintDibRect(HDC dc, const RECT& destRect, const BYTE* dib, const RECT& sourceRect, CPalette* paletteObject);
// The "DIB" resource with that id, less its 14-byte file header, in a block the caller frees with FreeDib.
BYTE* LoadDibResource(UINT id, HMODULE module);
void FreeDib(BYTE* dib);
