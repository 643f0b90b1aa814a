// Tile walk of the logical operations: bands of tile rows, then tile columns, one routine call per piece.
#include "imp/implogic_walk.h"

#include <algorithm>
#include <climits>

#include "imp/impalloc.h"
#include "imp/imperror.h"
#include "imp/implogic_frame.h"

void impLogicTileSetup(const ImpHeader* image, ImpHeader* piece, const ImpLogicRect* rect, ImpLogicTileWalk* walk)
{
    *walk = ImpLogicTileWalk{};
    if (!image->tileInfo)
        return;
    const ImpTileSpec* t = image->tileInfo;
    walk->tiled = 1;
    piece->tileInfo = nullptr;
    piece->widthStep = impRowStep(image->dataOrder, image->depth, image->alignment, image->channels, t->width);
    piece->width = t->width;
    piece->height = t->height;
    piece->imageSize = piece->widthStep * t->height * (image->dataOrder == 1 ? image->channels : 1);
    walk->tileWidth = t->width;
    walk->tileHeight = t->height;
    walk->firstCol = rect->x0 / t->width;
    walk->tileRow = rect->y0 / t->height;
    walk->firstX0 = t->width * walk->firstCol;
    walk->firstX1 = walk->firstX0 + t->width;
    walk->rowY0 = t->height * walk->tileRow;
    walk->rowY1 = walk->rowY0 + t->height;
}

namespace {

struct Operand {
    ImpHeader* image = nullptr;
    ImpHeader piece{};
    ImpRoiRecord roi{};
    ImpLogicRect rect{};
    ImpLogicTileWalk walk{};
    int32_t x = 0, y = 0;
    int32_t mode = 1;
    void* held = nullptr;  // tile in hand
    const ImpLogicTileText* text = nullptr;

    void setUp(ImpHeader* im, int32_t w, int32_t h)
    {
        image = im;
        piece = *im;
        roi = ImpRoiRecord{im->roi ? im->roi->coi : 0, 0, 0, 0, 0};
        piece.roi = &roi;
        piece.maskImage = nullptr;
        rect.x1 = rect.x0 + w;
        rect.y1 = rect.y0 + h;
        impLogicTileSetup(im, &piece, &rect, &walk);
        x = rect.x0;
        y = rect.y0;
    }

    bool request(int32_t col, int32_t row)
    {
        image->tileInfo->callBack(image, col, row, mode);
        held = image->tileInfo->tileData;
        piece.imageData = (char*)held;
        return held != nullptr;
    }

    void giveBack()
    {
        if (!held)
            return;
        image->tileInfo->tileData = held;
        image->tileInfo->callBack(image, walk.curCol, walk.tileRow, IMP_TILE_RELEASE);
        held = nullptr;
    }
};

}  // namespace

bool impLogicWalk(ImpHeader* srcA, ImpHeader* srcB, ImpHeader* dst, ImpHeader* mask, const ImpLogicRowRoutine& routine,
                  const char* funcName, const char* module, const ImpLogicTileText texts[3])
{
    Operand ops[3];  // sources that are not the destination, then the destination
    int n = 0;
    ImpHeader* sources[2] = {srcA, srcB};
    int sourceIndex[2] = {-1, -1};
    for (int i = 0; i < 2; ++i) {
        if (!sources[i] || sources[i] == dst)
            continue;
        ops[n].text = &texts[i];
        impLogicRoiRect(sources[i], &ops[n].rect);
        sourceIndex[i] = n++;
    }
    Operand& d = ops[n];
    d.text = &texts[2];
    d.mode = IMP_TILE_WRITE;
    impLogicRoiRect(dst, &d.rect);
    int count = n + 1;
    Operand m;
    if (mask)
        impLogicRoiRect(mask, &m.rect);
    else
        m.rect = ImpLogicRect{0, 0, 0, 0, INT_MAX, INT_MAX};
    int32_t h = m.rect.height, w = m.rect.width;
    for (int i = 0; i < count; ++i) {
        h = std::min(h, ops[i].rect.height);
        w = std::min(w, ops[i].rect.width);
    }
    if (h <= 0 || w <= 0)
        return true;
    for (int i = 0; i < n; ++i)
        ops[i].setUp(sources[sourceIndex[0] == i ? 0 : 1], w, h);
    d.setUp(dst, w, h);
    if (mask)
        m.setUp(mask, w, h);

    auto fail = [&](Operand& op, bool atBand) {
        for (int i = 0; i < count; ++i)
            ops[i].giveBack();
        impRaiseError(IMP_StsBadArg, funcName, op.text->context, module,
                      atBand ? op.text->bandLine : op.text->columnLine);
        return false;
    };

    while (d.y < d.rect.y1) {
        int32_t band = INT_MAX;
        for (int i = 0; i < count; ++i) {
            Operand& op = ops[i];
            if (!op.walk.tiled) {
                op.roi.offsetY = op.y;
                op.roi.height = op.rect.y1 - op.y;
            } else {
                if (op.y >= op.walk.rowY1) {
                    op.walk.tileRow += 1;
                    op.walk.rowY0 += op.walk.tileHeight;
                    op.walk.rowY1 += op.walk.tileHeight;
                }
                op.walk.curCol = op.walk.firstCol;
                if (!op.request(op.walk.firstCol, op.walk.tileRow))
                    return fail(op, true);
                op.roi.offsetY = op.y - op.walk.rowY0;
                op.roi.height = std::min(op.walk.rowY1, op.rect.y1) - op.y;
            }
            band = std::min(band, op.roi.height);
        }
        if (mask) {
            m.roi.offsetY = m.y;
            m.roi.height = m.rect.y1 - m.y;
            band = std::min(band, m.roi.height);
            m.roi.height = band;
        }
        for (int i = 0; i < count; ++i) {
            Operand& op = ops[i];
            op.roi.height = band;
            op.walk.curX0 = op.walk.firstX0;
            op.walk.curX1 = op.walk.firstX1;
            op.walk.curCol = op.walk.firstCol;
            op.x = op.rect.x0;
        }
        m.x = m.rect.x0;
        while (d.x < d.rect.x1) {
            int32_t part = INT_MAX;
            for (int i = 0; i < count; ++i) {
                Operand& op = ops[i];
                if (!op.walk.tiled) {
                    op.roi.offsetX = op.x;
                    op.roi.width = op.rect.x1 - op.x;
                } else {
                    if (op.x >= op.walk.curX1) {
                        op.giveBack();
                        op.walk.curCol += 1;
                        op.walk.curX0 += op.walk.tileWidth;
                        op.walk.curX1 += op.walk.tileWidth;
                        if (!op.request(op.walk.curCol, op.walk.tileRow))
                            return fail(op, false);
                    }
                    op.roi.offsetX = op.x - op.walk.curX0;
                    op.roi.width = std::min(op.walk.curX1, op.rect.x1) - op.x;
                }
                part = std::min(part, op.roi.width);
            }
            if (mask) {
                m.roi.offsetX = m.x;
                m.roi.width = std::min(part, m.rect.x1 - m.x);
                part = m.roi.width;
            }
            for (int i = 0; i < count; ++i)
                ops[i].roi.width = part;
            ImpHeader* a = srcA == dst ? &d.piece : &ops[sourceIndex[0]].piece;
            ImpHeader* b = !srcB ? nullptr : srcB == dst ? &d.piece : &ops[sourceIndex[1]].piece;
            routine(a, b, &d.piece, mask ? &m.piece : nullptr);
            for (int i = 0; i < count; ++i)
                ops[i].x += part;
            m.x += part;
        }
        for (int i = 0; i < count; ++i) {
            if (ops[i].walk.tiled)
                ops[i].giveBack();
            ops[i].y += band;
        }
        m.y += band;
    }
    return true;
}
