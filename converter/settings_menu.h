// The settings button's popup menu: the options item, then one item per installed skin and language.
#pragma once

#include "ui/ui.h"

enum {
    ID_SETTINGS_OPTIONS = 11101,
    ID_SKIN_FIRST = 11000,      // skin n is ID_SKIN_FIRST + n - 1
    ID_SKIN_LAST = 11100,       // room for 101 skins
    ID_LANGUAGE_FIRST = 11200,  // language m is ID_LANGUAGE_FIRST + m - 1
    ID_LANGUAGE_LAST = 11400,   // room for 201 languages
};

// Fills an empty popup menu from common.ini ("totalskin", "language") and each skin's and language's [common]
// "name"; a skin or language whose file is missing gets no item; the current ones are checked.
void BuildSettingsMenu(CMenu& menu, int currentSkin, int currentLanguage);
