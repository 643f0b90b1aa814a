// Copies a font descriptor, face name included, as the renderer and the song's text records need.
#pragma once

#include "kernel/windef.h"

// Copies every field of source into destination; the face name always ends in a NUL.
// Returns destination's face name.
char* CopyLogFont(LOGFONTA* destination, const LOGFONTA* source);
