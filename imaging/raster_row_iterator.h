// CRasterRowIterator: a cursor over the pixel rows of a CRasterImage (rows in memory order, 0 = bottom).
#pragma once

#include "imaging/raster_image.h"

class CRasterRowIterator {
public:
    void Attach(CRasterImage* target);
    BYTE* SetRow(int n);
    void MoveToTop();
    bool PrevRow();
    BYTE* GetRowPointer() const { return rowPointer; }
    void WriteRow(const BYTE* source, int n);
    void ReadRow(BYTE* destination, int n) const;

private:
    int row = 0;
    BYTE* rowPointer = nullptr;
    CRasterImage* image = nullptr;
};
