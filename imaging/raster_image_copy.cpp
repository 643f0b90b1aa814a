// CRasterImage copying and the hand-over of pictures between images.
#include "imaging/raster_image.h"

#include <cstdlib>
#include <cstring>

void CRasterImage::CopyFrom(const CRasterImage* other)
{
    if (!other)
        return;
    type = other->type;
    Create(other->GetWidth(), other->GetHeight(), other->GetBpp());
    if (buffer && other->buffer)
        std::memcpy(buffer, other->buffer, GetBufferSize());
}

void CRasterImage::TakePictureOf(const CRasterImage& from)
{
    if (!notOwner)
        std::free(buffer);
    header = from.header;
    rowWidth = from.rowWidth;
    pixelRows = from.pixelRows;
    notOwner = from.notOwner;
    type = from.type;
    std::memcpy(lastError, from.lastError, sizeof(lastError));
    transparentIndex = from.transparentIndex;
    transparentColor = from.transparentColor;
    quality = from.quality;
    paletteCount = from.paletteCount;
    buffer = from.buffer;
}

void CRasterImage::Transfer(CRasterImage* from)
{
    if (!from || from == this)
        return;
    TakePictureOf(*from);
    // The source is left with no picture and every field zero, so it frees nothing.
    std::memset(&from->header, 0, sizeof(from->header));
    from->rowWidth = 0;
    from->pixelRows = nullptr;
    from->notOwner = 0;
    from->type = 0;
    std::memset(from->lastError, 0, sizeof(from->lastError));
    from->transparentIndex = 0;
    from->transparentColor = RGBQUAD{};
    from->quality = 0;
    from->paletteCount = 0;
    from->buffer = nullptr;
}

void CRasterImage::Ghost(const CRasterImage* from)
{
    if (!from || from == this)
        return;
    TakePictureOf(*from);
    notOwner = 1;
}
