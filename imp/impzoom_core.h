// Shared pieces of impZoom: the clipped region of an image and the walks over tiled images.
#pragma once

#include "imp/imp_types.h"

struct ImpZoomExtent {
    int32_t offX, offY, width, height, lastX, lastY, first, count;
};

// Region clipped to the image and limited by the image's mask; processed channels.
ImpZoomExtent impZoomRegion(const ImpHeader* image);

int32_t impZoomTileGrid(const ImpHeader* src, const ImpHeader* dst, double xRatio, double yRatio, int32_t* height,
                        int32_t* width, int32_t* xOffset, int32_t* yOffset, int32_t* tileHeight, int32_t* tileWidth,
                        int32_t* firstColumn, int32_t* firstRow, int32_t* columns, int32_t* rows);

// The walks for a tiled source, a tiled destination or both.
int32_t impZoomTiled(ImpHeader* src, ImpHeader* dst, double xRatio, double yRatio, int32_t interpolate, double xStep,
                     double yStep);
