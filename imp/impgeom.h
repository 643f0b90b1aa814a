// Geometry entry points of the image library: resize, zoom and decimate.
#pragma once

#include "imp/imp_types.h"

int32_t impResize(ImpHeader* srcImage, ImpHeader* dstImage, int32_t xDst, int32_t xSrc, int32_t yDst, int32_t ySrc,
                  int32_t interpolate);
int32_t impZoom(ImpHeader* srcImage, ImpHeader* dstImage, int32_t xDst, int32_t xSrc, int32_t yDst, int32_t ySrc,
                int32_t interpolate);
int32_t impZoomCore(ImpHeader* src, ImpHeader* dst, double xRatio, double yRatio, int32_t interpolate, double xStart,
                    double yStart, double xStep, double yStep, int32_t limit);
int32_t impDecimate(ImpHeader* srcImage, ImpHeader* dstImage, int32_t xDst, int32_t xSrc, int32_t yDst, int32_t ySrc,
                    int32_t interpolate);
