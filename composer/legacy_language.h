// The numbered texts of lan\*.txt follow the user-interface language chosen in common.ini.
#pragma once

// Names the numbered-text file after the current language: the file whose text 1 equals the [common] "name" of
// lang\langNNN.ini (NNN = common.ini [common] "curlang"); "English" when no file names that language.
void FollowCurrentLanguage();
