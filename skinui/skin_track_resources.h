// Program resources shared by the slider and the range bar: their empty child-dialog template and thumb cursor.
#pragma once

#include "ui/ui.h"

// The empty child-dialog template both controls are built on.
UINT SkinTrackTemplateId();
// The cursor shown over a draggable thumb or marker.
HCURSOR LoadSkinThumbCursor();
