// Lets the handle functions drop the class-library wrappers made for a handle when the handle goes away.
#pragma once

#include "kernel/windef.h"

namespace gdi {

void ForgetTemporaryDc(HDC hdc);
void ForgetTemporaryObject(HGDIOBJ object);

}  // namespace gdi
