// CRasterRowIterator row movement and row copies.
#include "imaging/raster_row_iterator.h"

#include <cstring>

void CRasterRowIterator::Attach(CRasterImage* target)
{
    image = target;
    rowPointer = target ? target->GetPixelRows() : nullptr;
    row = 0;
}

BYTE* CRasterRowIterator::SetRow(int n)
{
    if (image && image->pixelRows && n >= 0 && n < image->GetHeight()) {
        row = n;
        rowPointer = image->pixelRows + static_cast<size_t>(n) * image->rowWidth;
    }
    return rowPointer;
}

void CRasterRowIterator::MoveToTop()
{
    if (!image || !image->pixelRows)
        return;
    row = image->GetHeight() - 1;
    rowPointer = image->pixelRows + static_cast<size_t>(row) * image->rowWidth;
}

bool CRasterRowIterator::PrevRow()
{
    if (--row < 0)
        return false;
    if (rowPointer)
        rowPointer -= image->rowWidth;
    return true;
}

void CRasterRowIterator::WriteRow(const BYTE* source, int n)
{
    if (!rowPointer || !source)
        return;
    int limit = image->rowWidth;
    std::memcpy(rowPointer, source, (n < 0 || n > limit) ? limit : n);
}

void CRasterRowIterator::ReadRow(BYTE* destination, int n) const
{
    if (!destination || n < 1 || !rowPointer)
        return;
    std::memcpy(destination, rowPointer, n < image->rowWidth ? n : image->rowWidth);
}
