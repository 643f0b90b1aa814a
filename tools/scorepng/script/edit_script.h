// Editing steps replayed through a score view before it is painted: a reviewer's record of a session.
#pragma once

#include <string>

class CScoreView;

// The script format, as scorepng --help prints it.
extern const char* const kEditScriptHelp;

// The client width of the view a script is replayed in; its points are window points of that view.
constexpr int kEditScriptWindowWidth = 1000;

// Gives a view without a window the client area scripts are written for, at the zoom, as scorepng paints it.
void PrepareScriptView(CScoreView& view, double zoom);

// Applies the steps of a script file (see kEditScriptHelp) as window messages to the view: sent to its window
// when it has one, else handed to its window procedure. Keys still held at the end are released.
// Answers false, with a message on stderr, at the first line it cannot read.
bool RunEditScript(CScoreView& view, const std::string& path);
