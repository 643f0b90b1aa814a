// Channel counts, region starts, the flat-buffer test and mask combination of the logical operations.
#include "imp/implogic_frame.h"

#include <algorithm>
#include <climits>

#include "imp/impalloc.h"
#include "imp/ownrect.h"

int32_t impLogicChannels(const ImpHeader* image)
{
    if (image->roi && image->roi->coi != 0)
        return 1;
    return image->channels - (image->alphaIndex != 0 ? 1 : 0);
}

int32_t impLogicFirstChannel(const ImpHeader* image)
{
    return image->roi && image->roi->coi != 0 ? image->roi->coi - 1 : 0;
}

void impLogicRoiRect(const ImpHeader* image, ImpLogicRect* rect)
{
    if (!image->roi) {
        rect->x0 = 0;
        rect->y0 = 0;
        rect->height = image->height;
        rect->width = image->width;
        return;
    }
    const ImpRoiRecord* r = image->roi;
    rect->x0 = r->offsetX;
    rect->y0 = r->offsetY;
    rect->height = std::min(r->height, image->height - r->offsetY);
    rect->width = std::min(r->width, image->width - r->offsetX);
}

char* impLogicRoiStart(const ImpHeader* image, int32_t* width, int32_t* height, int32_t channel, int32_t* bitOffset)
{
    int64_t bits = impDepthBits(image->depth);
    int64_t step = image->widthStep;
    if (!image->roi) {
        *width = image->width;
        *height = image->height;
        *bitOffset = 0;
        if (image->dataOrder == 0)
            return image->imageData + (channel * bits >> 3);
        return image->imageData + channel * image->height * step;
    }
    const ImpRoiRecord* r = image->roi;
    *width = std::max(0, std::min(r->width, image->width - r->offsetX));
    *height = std::max(0, std::min(r->height, image->height - r->offsetY));
    *bitOffset = r->offsetX & 7;
    if (image->dataOrder == 0)
        return image->imageData + r->offsetY * step + (((int64_t)r->offsetX * image->channels + channel) * bits >> 3);
    return image->imageData + channel * image->height * step + r->offsetY * step + ((int64_t)r->offsetX * bits >> 3);
}

static bool coversWhole(const ImpHeader* im)
{
    const ImpRoiRecord* r = im->roi;
    if (!r)
        return true;
    return r->offsetX == 0 && r->offsetY == 0 && r->width >= im->width && r->height >= im->height &&
           (r->coi == 0 || (r->coi == 1 && im->channels == 1));
}

int32_t impLogicIsWholeImage(const ImpHeader* image, const ImpHeader* dst, int32_t anyAlpha)
{
    if (anyAlpha)
        return 0;
    if (image->height != dst->height || image->width != dst->width || image->imageSize != dst->imageSize ||
        image->alignment != dst->alignment)
        return 0;
    return coversWhole(image) && coversWhole(dst) ? 1 : 0;
}

ImpHeader* impLogicCombineMasks(ImpHeader* m1, ImpHeader* m2, ImpHeader* m3, int32_t* code)
{
    ImpHeader* masks[3];
    int n = 0;
    for (ImpHeader* m : {m1, m2, m3})
        if (m)
            masks[n++] = m;
    *code = 0;
    if (n == 0)
        return nullptr;
    if (n == 1)
        return masks[0];
    *code = 1;
    const unsigned char* rows[3];
    int32_t offs[3];
    int32_t w = INT_MAX, h = INT_MAX;
    for (int i = 0; i < n; ++i) {
        int32_t mw, mh;
        rows[i] = (const unsigned char*)impLogicRoiStart(masks[i], &mw, &mh, 0, &offs[i]);
        w = std::min(w, mw);
        h = std::min(h, mh);
    }
    if (w == 0 || h == 0) {
        *code = 3;
        return nullptr;
    }
    ImpHeader* out =
        impCreateImageHeader(1, 0, 1, "GRAY", "G", 1, masks[0]->origin, 8, w, h, nullptr, nullptr, nullptr, nullptr);
    if (out)
        impAllocateImage(out, 0, 0);
    if (!out || !out->imageData) {
        impReleaseImageParts(out, 3);
        *code = 2;
        return nullptr;
    }
    int32_t lastByte = (w - 1) / 8;
    int32_t lastBits = (w - 1) & 7;
    unsigned char endMask = (unsigned char)(0xFF << (7 - lastBits));
    for (int32_t y = 0; y < h; ++y) {
        unsigned char* d = (unsigned char*)out->imageData + (int64_t)y * out->widthStep;
        for (int32_t i = 0; i <= lastByte; ++i) {
            unsigned char v = 0xFF;
            for (int k = 0; k < n; ++k) {
                const unsigned char* r = rows[k] + (int64_t)y * masks[k]->widthStep;
                // The byte after the last is read only when the row's pixels reach into it.
                bool readNext = i < lastByte || offs[k] > 7 - lastBits;
                unsigned char b =
                    offs[k] == 0 ? r[i] : (unsigned char)((((r[i] << 8) | (readNext ? r[i + 1] : 0)) << offs[k]) >> 8);
                v &= b;
            }
            if (i < lastByte)
                d[i] = v;
            else
                d[i] = (unsigned char)((d[i] & ~endMask) | (v & endMask));
        }
    }
    return out;
}
