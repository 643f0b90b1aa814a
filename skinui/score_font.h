// The score view's process-wide music font description and note colour, as the skinned controls read them.
#pragma once

#include "ui/ui.h"

// The program calls this once its score view exists; until then the description is the face "8888 8888"
// with every other attribute 0, and the note colour black.
void SetScoreFont(const LOGFONT& font, COLORREF crNote);
const LOGFONT& GetScoreFont();
COLORREF GetScoreNoteColor();
