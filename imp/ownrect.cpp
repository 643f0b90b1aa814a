// Pixel addresses, region and channel of interest and tile geometry.
#include "imp/ownrect.h"

#include <algorithm>
#include <cstring>

#include "imp/impalloc.h"

char* impPixelPtr(const ImpHeader* image, int32_t x, int32_t y, int32_t channel)
{
    int64_t bpc = impBytesPerChannel(image->depth);
    int64_t off = (int64_t)y * image->widthStep;
    if (image->dataOrder == 1)
        off += x * bpc + (int64_t)channel * image->height * image->widthStep;
    else
        off += x * bpc * image->channels + channel * bpc;
    return image->imageData + off;
}

int32_t impRoiSize(const ImpHeader* image, int32_t* height, int32_t* width, int32_t clip)
{
    const ImpRoiRecord* r = image->roi;
    if (!r) {
        *height = image->height;
        *width = image->width;
        return 1;
    }
    if (r->width < 1 || r->height < 1)
        return 0;
    int32_t w = r->width, h = r->height;
    if (clip) {
        if (r->offsetX >= image->width || r->offsetY >= image->height)
            return 0;
        int32_t ox = r->offsetX, oy = r->offsetY;
        if (ox < 0) {
            w += ox;
            ox = 0;
        }
        if (oy < 0) {
            h += oy;
            oy = 0;
        }
        w = std::min(w, image->width - ox);
        h = std::min(h, image->height - oy);
    }
    *height = h;
    *width = w;
    return 1;
}

int32_t impRoiSize2(const ImpHeader* a, const ImpHeader* b, int32_t* height, int32_t* width, int32_t clip)
{
    return impRoiSize3(a, b, nullptr, height, width, clip);
}

int32_t impRoiSize3(const ImpHeader* a, const ImpHeader* b, const ImpHeader* c, int32_t* height, int32_t* width,
                    int32_t clip)
{
    const ImpHeader* list[3] = {a, b, c};
    int32_t h = INT32_MAX, w = INT32_MAX;
    for (const ImpHeader* im : list) {
        if (!im)
            continue;
        int32_t ih, iw;
        if (!impRoiSize(im, &ih, &iw, clip))
            return 0;
        h = std::min(h, ih);
        w = std::min(w, iw);
    }
    *height = h;
    *width = w;
    return 1;
}

int32_t impRoiBounds(const ImpHeader* image, int32_t rect[4], int32_t clip)
{
    const ImpRoiRecord* r = image->roi;
    if (!r) {
        rect[0] = 0;
        rect[1] = 0;
        rect[2] = image->width - 1;
        rect[3] = image->height - 1;
        return 1;
    }
    if (r->width < 1 || r->height < 1)
        return 0;
    int64_t x0 = r->offsetX, y0 = r->offsetY, x1 = x0 + r->width - 1, y1 = y0 + r->height - 1;
    if (clip) {
        if (x1 < 0 || y1 < 0 || x0 >= image->width || y0 >= image->height)
            return 0;
        x0 = std::max<int64_t>(x0, 0);
        y0 = std::max<int64_t>(y0, 0);
        x1 = std::min<int64_t>(x1, image->width - 1);
        y1 = std::min<int64_t>(y1, image->height - 1);
    }
    rect[0] = (int32_t)x0;
    rect[1] = (int32_t)y0;
    rect[2] = (int32_t)x1;
    rect[3] = (int32_t)y1;
    return 1;
}

// Channel rule shared by impRoiStart and impRoiCursor: 0 when nothing is to be processed.
static int32_t channelRule(const ImpHeader* image, int32_t* count, int32_t* first, int32_t* coiOut)
{
    int32_t coi = image->roi ? image->roi->coi : 0;
    if (image->alphaIndex != 0 && coi == 0)
        coi = -1;
    if (!image->roi && image->alphaIndex != 0 && image->channels == 1)
        return 0;
    *count = coi == 0 ? image->channels : coi == -1 ? image->channels - 1 : 1;
    *first = coi >= 1 ? coi - 1 : 0;
    *coiOut = coi;
    return 1;
}

static char* startAddress(const ImpHeader* image, int32_t x0, int32_t y0, int32_t coi)
{
    int64_t bpc = impBytesPerChannel(image->depth);
    int64_t off = (int64_t)y0 * image->widthStep;
    if (image->depth == 1)
        return image->imageData + off;
    if (image->dataOrder == 0) {
        off += (int64_t)x0 * image->channels * bpc;
        if (coi > 1)
            off += (coi - 1) * bpc;
    } else {
        off += x0 * bpc;
        if (coi > 1)
            off += (int64_t)(coi - 1) * image->height * image->widthStep;
    }
    return image->imageData + off;
}

int32_t impRoiStart(const ImpHeader* image, char** start, int32_t* rowStep, int32_t* channelsToProcess,
                    int32_t* planeStep, int32_t* bitOffset)
{
    int32_t count, first, coi;
    if (!channelRule(image, &count, &first, &coi))
        return 0;
    int32_t x0 = image->roi ? std::max(0, image->roi->offsetX) : 0;
    int32_t y0 = image->roi ? std::max(0, image->roi->offsetY) : 0;
    *start = startAddress(image, x0, y0, coi);
    *rowStep = image->widthStep;
    *channelsToProcess = count;
    *planeStep = image->height * image->widthStep;
    *bitOffset = image->depth == 1 ? x0 : 0;
    return 1;
}

int32_t impRoiCursor(const ImpHeader* image, ImpRowCursor* cursor, int32_t clip)
{
    int32_t count, first, coi;
    if (!channelRule(image, &count, &first, &coi))
        return 0;
    int32_t x0 = image->roi ? image->roi->offsetX : 0;
    int32_t y0 = image->roi ? image->roi->offsetY : 0;
    if (clip) {
        x0 = std::max(0, x0);
        y0 = std::max(0, y0);
    }
    cursor->start = startAddress(image, x0, y0, coi);
    cursor->rowStep = image->widthStep;
    cursor->planeStep = image->height * image->widthStep;
    cursor->channelsToProcess = count;
    cursor->channels = image->channels;
    cursor->firstChannel = first;
    cursor->bitOffset = image->depth == 1 ? x0 : 0;
    return 1;
}

int32_t impRoiStartBits(const ImpHeader* image, char** start, int32_t* rowStep, int32_t* bitOffset)
{
    if (image->depth != 1)
        return 0;
    int32_t x0 = image->roi ? std::max(0, image->roi->offsetX) : 0;
    int32_t y0 = image->roi ? std::max(0, image->roi->offsetY) : 0;
    *start = image->imageData + (int64_t)y0 * image->widthStep + (x0 >> 3);
    *rowStep = image->widthStep;
    *bitOffset = x0 & 7;
    return 1;
}

void impRoiTiles(const ImpHeader* image, int32_t areaHeight, int32_t areaWidth, int32_t* xInTile, int32_t* yInTile,
                 int32_t* tileHeight, int32_t* tileWidth, int32_t* firstColumn, int32_t* firstRow, int32_t* tileColumns,
                 int32_t* tileRows)
{
    int32_t tw = image->tileInfo ? image->tileInfo->width : 128;
    int32_t th = image->tileInfo ? image->tileInfo->height : 128;
    int32_t x0 = image->roi ? std::max(0, image->roi->offsetX) : 0;
    int32_t y0 = image->roi ? std::max(0, image->roi->offsetY) : 0;
    *tileWidth = tw;
    *tileHeight = th;
    *firstColumn = x0 / tw;
    *firstRow = y0 / th;
    *xInTile = x0 % tw;
    *yInTile = y0 % th;
    *tileColumns = (x0 + areaWidth - 1) / tw - *firstColumn + 1;
    *tileRows = (y0 + areaHeight - 1) / th - *firstRow + 1;
}

int32_t impTileRowStep(const ImpHeader* image)
{
    if (impCheckImage(image) != 0 || !image->tileInfo)
        return 0;
    return std::max(
        0, impRowStep(image->dataOrder, image->depth, image->alignment, image->channels, image->tileInfo->width));
}

bool impFetchTileRow(ImpHeader* image, void** tiles, int32_t count, int32_t firstColumn, int32_t tileRow,
                     int32_t columnStep)
{
    bool anyNull = false;
    for (int32_t i = 0; i < count; ++i) {
        image->tileInfo->callBack(image, firstColumn + i * columnStep, tileRow, IMP_TILE_READ);
        tiles[i] = image->tileInfo->tileData;
        if (!tiles[i])
            anyNull = true;
    }
    return anyNull;
}

void impReleaseTileRow(ImpHeader* image, void** tiles, int32_t count, int32_t firstColumn, int32_t tileRow,
                       int32_t columnStep)
{
    for (int32_t i = count - 1; i >= 0; --i) {
        image->tileInfo->tileData = tiles[i];
        image->tileInfo->callBack(image, firstColumn + i * columnStep, tileRow, IMP_TILE_RELEASE);
    }
}
