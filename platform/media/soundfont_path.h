// Search for the General MIDI SoundFont used by the built-in synthesizer and the renderer.
#pragma once

#include <string>
#include <vector>

// Folder of the running executable, without a trailing slash.
std::string ExecutableFolder();

// Every SoundFont that exists, best first: the *.sf2 files in programFolder (by name),
// then the system-wide General MIDI SoundFonts.
std::vector<std::string> SoundFontCandidates(const std::string& programFolder);

// The first candidate beside the running executable or on the system; "" when none exists.
std::string FindSoundFont();
