// CSkinElement: one "textbtnNN" section of the current skin's skin.ini, and its loader.
#pragma once

#include "kernel/cstring.h"
#include "kernel/geometry.h"

class CSkinElement {
public:
    CRect position;         // "position" = left,top,width,height
    CString bgimage;        // skin folder + "bgimage" ("NULL" when missing)
    CString title;          // "title", translated
    CString tip;            // "tip", translated
    CString fntname;        // "fntname", translated; a font file name becomes skin folder + name
    int fntsize = 0;        // "fntsize"
    COLORREF fntcolor = 0;  // "fntcolor" = red,green,blue
    CRect fntcolorNumbers;  // the raw "fntcolor" triple as a rectangle read gives it
};

// The current skin's folder, ending in a backslash: "skin-com\skin-N\" of the composer,
// "skin\skin-N\" of the converter.
CString GetSkinFolder(int skin);

// Fills out from section Format("textbtn%02d", element). While the main dialog exists, also
// stores the skin number and the transparent colour (range) there; sets g_crSkinTransparent.
void LoadSkinElement(int element, CSkinElement* out);
