// CSkinStatic: the static-control base of the skinned label and image static; no behaviour of its own.
#pragma once

#include "ui/ui.h"

class CSkinStatic : public CStatic {
public:
    CSkinStatic() = default;
    ~CSkinStatic() override = default;
};
