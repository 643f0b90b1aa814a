// Editing steps replayed through a score view before it is painted: a reviewer's record of a session.
#pragma once

#include <string>

class CScoreView;

// Applies the steps of a script file, one a line ('#' starts a comment); points are window points:
//   mode N               the edit mode (0 pan, 1 eraser, 2 note entry, ...)
//   palette GROUP VALUE  a palette choice, as the composer's palette buttons send it
//   move X Y             the mouse moves there with no button down
//   click X Y            move, left press and release
//   drag X1 Y1 X2 Y2     left press at the first point, move with the button down, release at the second
//   rclick X Y           move and right press: the note value steps, or the note menu would open
//   menu ID              a note menu command for the note under the mouse (4400 .. 4404, 4406, 4407, 4410 + track)
//   undo                 the undo button
// Answers false, with a message on stderr, at the first line it cannot read.
bool RunEditScript(CScoreView& view, const std::string& path);
