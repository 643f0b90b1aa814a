// A packed DIB loaded from a bitmap resource of the program.
#pragma once

#include "imaging/packed_dib.h"

// 1 when the bitmap resource with that id was loaded into dib, else 0 (dib then holds no bitmap).
inline int LoadDibResource(CPackedDib* dib, WORD id) { return dib->LoadFromResource(id, nullptr) ? 1 : 0; }
