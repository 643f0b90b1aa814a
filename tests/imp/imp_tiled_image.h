// A tiled image for tests: tiles are copied out of a plain backing image and back into it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "imp_test_util.h"

// A tiled header whose tiles are copied out of and back into a plain image.
struct TiledImage {
    TestImage backing;
    ImpHeader* h = nullptr;
    std::map<std::pair<int, int>, std::vector<char>> tiles;
    int fetched = 0, released = 0, failAfter = -1;

    TiledImage(int channels, int depth, int width, int height, int tile = 8, int tileHeight = 0, int order = 0)
        : backing(channels, depth, width, height, order)
    {
        auto* spec = (ImpTileSpec*)impAlignedMalloc(sizeof(ImpTileSpec));
        *spec = ImpTileSpec{&TiledImage::callBack, 0, nullptr, tile, tileHeight ? tileHeight : tile};
        h = impCreateImageHeader(channels, 0, depth, "RGB", "BGR", order, 0, 4, width, height, nullptr, nullptr, this,
                                 spec);
    }
    ~TiledImage() { impReleaseImageParts(h, 31); }

    // Bytes of one tile row that lie in the image, and where they start in an image row.
    void span(int col, int64_t* offset, int64_t* bytes) const
    {
        int bpp = impDepthBits(h->depth) * (h->dataOrder == 1 ? 1 : h->channels), tw = h->tileInfo->width;
        int pixels = std::min(tw, h->width - col * tw);
        *offset = (int64_t)col * tw * bpp / 8;
        *bytes = ((int64_t)pixels * bpp + 7) / 8;
    }

    static void callBack(ImpHeader* image, int32_t col, int32_t row, int32_t mode)
    {
        auto* self = (TiledImage*)image->userTag;
        int th = image->tileInfo->height;
        int planes = image->dataOrder == 1 ? image->channels : 1;
        int32_t step =
            impRowStep(image->dataOrder, image->depth, image->alignment, image->channels, image->tileInfo->width);
        int64_t offset, bytes;
        self->span(col, &offset, &bytes);
        const ImpHeader* b = self->backing.h;
        auto rowOf = [&](std::vector<char>& t, int p, int y) { return &t[((size_t)p * th + y) * step]; };
        auto imageRow = [&](int p, int y) {
            return b->imageData + ((int64_t)p * b->height + row * th + y) * b->widthStep + offset;
        };
        if (mode != IMP_TILE_RELEASE) {
            if (self->failAfter == 0) {
                image->tileInfo->tileData = nullptr;
                return;
            }
            if (self->failAfter > 0)
                --self->failAfter;
            std::vector<char>& t = self->tiles[{col, row}];
            t.assign((size_t)step * th * planes, 0);
            for (int p = 0; p < planes; ++p)
                for (int y = 0; y < th && row * th + y < image->height; ++y)
                    memcpy(rowOf(t, p, y), imageRow(p, y), bytes);
            image->tileInfo->tileData = t.data();
            ++self->fetched;
            return;
        }
        std::vector<char>& t = self->tiles[{col, row}];
        EXPECT_EQ(image->tileInfo->tileData, t.data());
        for (int p = 0; p < planes; ++p)
            for (int y = 0; y < th && row * th + y < image->height; ++y)
                memcpy(imageRow(p, y), rowOf(t, p, y), bytes);
        ++self->released;
    }
};
