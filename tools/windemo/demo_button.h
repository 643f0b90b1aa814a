// The demo's owner-drawn button: a rounded face that sinks while pressed.
#pragma once

#include "ui/ui.h"

class CDemoButton : public CButton {
public:
    void DrawItem(LPDRAWITEMSTRUCT dis) override;
};
