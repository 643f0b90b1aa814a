// Smooth-edge pass of the warps: pixels along the warped region's border blend with their neighbour across it.
#include <cmath>

#include "imp/impalloc.h"
#include "imp/impwarp.h"
#include "imp/impwarp_geom.h"
#include "imp/ownrect.h"

namespace {

// Address of one sample; a tiled image's tile is fetched with the given mode and handed back by release().
struct SampleRef {
    ImpHeader* image;
    int32_t col = 0, row = 0;
    char* p = nullptr;

    SampleRef(ImpHeader* im, int32_t x, int32_t y, int32_t ch, int32_t mode) : image(im)
    {
        if (!im->tileInfo) {
            p = impPixelPtr(im, x, y, ch);
            return;
        }
        ImpTileSpec* t = im->tileInfo;
        col = x / t->width;
        row = y / t->height;
        t->callBack(im, col, row, mode);
        if (!t->tileData)
            return;
        ImpHeader tile = *im;
        tile.imageData = (char*)t->tileData;
        tile.width = t->width;
        tile.height = t->height;
        tile.widthStep = impTileRowStep(im);
        p = impPixelPtr(&tile, x - col * t->width, y - row * t->height, ch);
    }
    ~SampleRef()
    {
        if (image->tileInfo && p)
            image->tileInfo->callBack(image, col, row, IMP_TILE_RELEASE);
    }
};

}  // namespace

double impGetPixelValue(ImpHeader* image, int32_t x, int32_t y, int32_t channel)
{
    SampleRef s(image, x, y, channel, IMP_TILE_READ);
    if (!s.p)
        return 0.0;
    if (image->depth == 8)
        return *(const uint8_t*)s.p;
    if (image->depth == 16)
        return *(const uint16_t*)s.p;
    if (image->depth == IMP_DEPTH_32F)
        return *(const float*)s.p;
    return 0.0;
}

void impSetPixelValue(ImpHeader* image, int32_t x, int32_t y, int32_t channel, double value)
{
    SampleRef s(image, x, y, channel, IMP_TILE_WRITE);
    if (!s.p)
        return;
    if (image->depth == 8)
        *(uint8_t*)s.p = (uint8_t)std::nearbyint(std::fmin(std::fmax(value, 0.0), 255.0));
    else if (image->depth == 16)
        *(uint16_t*)s.p = (uint16_t)std::nearbyint(std::fmin(std::fmax(value, 0.0), 65535.0));
    else if (image->depth == IMP_DEPTH_32F)
        *(float*)s.p = (float)value;
}

void impWarpSmoothEdges(ImpHeader* dst, const double corners[8], const int32_t bounds[4], int32_t orientation)
{
    if (dst->depth == 1)
        return;
    double poly[2 * IMP_POLYGON_MAX];
    int32_t n = 4;
    impClipPolygonToRect(corners, poly, &n, bounds[0], bounds[1], bounds[2], bounds[3]);
    if (n < 3)
        return;
    int32_t first = 0, count = dst->channels;
    if (dst->roi && dst->roi->coi > 0)
        first = dst->roi->coi - 1, count = 1;
    else if (dst->alphaIndex != 0)
        count = dst->channels - 1;
    for (int32_t i = 0; i < n; ++i) {
        double x0 = poly[2 * i], y0 = poly[2 * i + 1];
        double dx = poly[2 * ((i + 1) % n)] - x0, dy = poly[2 * ((i + 1) % n) + 1] - y0;
        if (dx == 0.0 || dy == 0.0)
            continue;
        bool byColumns = std::fabs(dy) <= std::fabs(dx);
        double lo = byColumns ? std::fmin(x0, x0 + dx) : std::fmin(y0, y0 + dy);
        double hi = byColumns ? std::fmax(x0, x0 + dx) : std::fmax(y0, y0 + dy);
        for (double t = std::ceil(lo); t <= std::floor(hi); t += 1.0) {
            // e: where the edge crosses this column (row); p the pixel inside, q the one outside.
            double e = byColumns ? (t - x0) * dy / dx + y0 : (t - y0) * dx / dy + x0;
            bool up = byColumns ? dx > 0.0 : dy <= 0.0;
            if (orientation)
                up = !up;
            double p = up ? std::floor(e) : std::ceil(e), q = up ? std::ceil(e) : std::floor(e);
            if (e == p)
                continue;
            for (int32_t k = first; k < first + count; ++k) {
                int32_t px = (int32_t)(byColumns ? t : p), py = (int32_t)(byColumns ? p : t);
                int32_t qx = (int32_t)(byColumns ? t : q), qy = (int32_t)(byColumns ? q : t);
                double v = std::fabs(e - p) * impGetPixelValue(dst, px, py, k) +
                           std::fabs(e - q) * impGetPixelValue(dst, qx, qy, k);
                impSetPixelValue(dst, qx, qy, k, v);
            }
        }
    }
}
