// Walk of the logical operations over tiled images: pieces that a row routine handles like plain images.
#pragma once

#include <functional>

#include "imp/imp_types.h"
#include "imp/implogic_frame.h"

// Row routine over piece headers: (source A, source B or null, destination, mask or null).
typedef std::function<void(ImpHeader*, ImpHeader*, ImpHeader*, ImpHeader*)> ImpLogicRowRoutine;

// What a failing tile request reports for one operand.
struct ImpLogicTileText {
    const char* context;
    int32_t bandLine, columnLine;
};

struct ImpLogicTileWalk {
    int32_t tiled, firstX0, curX0, firstX1, curX1, rowY0, rowY1, firstCol, curCol, tileRow, tileHeight, tileWidth;
};

// Fills the walk record and turns the piece header into a description of one tile.
void impLogicTileSetup(const ImpHeader* image, ImpHeader* piece, const ImpLogicRect* rect, ImpLogicTileWalk* walk);

// Runs the routine over every piece; false after a reported tile fault.
bool impLogicWalk(ImpHeader* srcA, ImpHeader* srcB, ImpHeader* dst, ImpHeader* mask, const ImpLogicRowRoutine& routine,
                  const char* funcName, const char* module, const ImpLogicTileText texts[3]);
