// The numbered-text files lan\*.txt: finding one by the language it names, and following the chosen language.
#pragma once

#include <vector>

#include "kernel/cstring.h"

// Lists the names of the lan\*.txt files (between the last backslash and the last dot) into `names`, in listing
// order, and returns the index of the first one whose text 1 equals `language`, or -1 when none does.
int FindLegacyLanguage(const CString& language, std::vector<CString>* names);

// Names the numbered-text file after the current language: the file whose text 1 equals the [common] "name" of
// lang\langNNN.ini (NNN = common.ini [common] "curlang"); "English" when no file names that language.
void FollowCurrentLanguage();
