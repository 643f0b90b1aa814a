// Editing steps replayed through a score view before it is painted: a reviewer's record of a session.
#include "edit_script.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "scoreview/score_view.h"

namespace {

void Move(CScoreView& view, CPoint p, UINT flags = 0) { view.OnMouseMove(flags, p); }

bool Step(CScoreView& view, std::istringstream& line, const std::string& verb)
{
    int a = 0, b = 0, c = 0, d = 0;
    if (verb == "mode" && line >> a) {
        view.SetEditMode(a);
    } else if (verb == "palette" && line >> a >> b) {
        view.SetPaletteChoice(a, b);
    } else if (verb == "move" && line >> a >> b) {
        Move(view, CPoint(a, b));
    } else if (verb == "click" && line >> a >> b) {
        Move(view, CPoint(a, b));
        view.OnLButtonDown(MK_LBUTTON, CPoint(a, b));
        view.OnLButtonUp(0, CPoint(a, b));
    } else if (verb == "drag" && line >> a >> b >> c >> d) {
        Move(view, CPoint(a, b));
        view.OnLButtonDown(MK_LBUTTON, CPoint(a, b));
        Move(view, CPoint(c, d), MK_LBUTTON);
        view.OnLButtonUp(0, CPoint(c, d));
    } else if (verb == "rclick" && line >> a >> b) {
        Move(view, CPoint(a, b));
        if (!view.hoveredNote)
            view.OnRButtonDown(MK_RBUTTON, CPoint(a, b));
    } else if (verb == "menu" && line >> a) {
        if (a >= CScoreView::kMenuAccidentalFirst && a <= CScoreView::kMenuAccidentalFirst + 4)
            view.OnNoteAccidental(a);
        else if (a == CScoreView::kMenuStemUp || a == CScoreView::kMenuStemDown)
            view.OnNoteStem(a);
        else if (a >= CScoreView::kMenuMoveFirst && a <= CScoreView::kMenuMoveLast)
            view.OnMoveNoteToTrack(a);
        else
            return false;
    } else if (verb == "undo") {
        view.OnUndo();
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool RunEditScript(CScoreView& view, const std::string& path)
{
    std::ifstream file(path);
    if (!file) {
        std::fprintf(stderr, "scorepng: cannot read %s\n", path.c_str());
        return false;
    }
    view.RedrawScore(true);
    std::string text;
    for (int number = 1; std::getline(file, text); ++number) {
        std::istringstream line(text.substr(0, text.find('#')));
        std::string verb;
        if (!(line >> verb))
            continue;
        if (!Step(view, line, verb)) {
            std::fprintf(stderr, "scorepng: %s:%d: cannot read \"%s\"\n", path.c_str(), number, text.c_str());
            return false;
        }
    }
    return true;
}
