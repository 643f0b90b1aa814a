// Editing steps replayed through a score view before it is painted: a reviewer's record of a session.
#include "edit_script.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

#include "scoreview/score_pages.h"
#include "scoreview/score_view.h"

const char* const kEditScriptHelp =
    "An editing script holds one step a line; '#' starts a comment. Points are window points of a view\n"
    "1000 pixels wide, at the zoom given.\n"
    "  mode N               the edit mode: 0 pan, 1 eraser, 2 note entry, 3 texts, 4..8 symbols, 5 curve marks\n"
    "  palette GROUP VALUE  a palette choice, as the composer's palette buttons send it: group 137 takes\n"
    "                       0..6 the note value (whole to 64th), 10+ the dot mode, 20 no tuplet, 21..25 a\n"
    "                       tuplet run (21 triplets); groups 138..142 the symbol of a row; 155 the text kind\n"
    "                       (1050 + kind)\n"
    "  grid N               the editing grid in 64ths (4 a sixteenth, 1 a 64th), as the composer's grid sets it\n"
    "  move X Y             the mouse moves there with no button down\n"
    "  click X Y            move there, left button down and up\n"
    "  drag X1 Y1 X2 Y2 [N] left button down at the first point, N moves (default 1) with the button down\n"
    "                       to the second point, button up there\n"
    "  press X Y            left button down there, without a move first (the curve mark being drawn stays\n"
    "                       under the mouse)\n"
    "  release X Y          left button up there\n"
    "  rclick X Y           move there and right button down: beside the notes in note entry the note value\n"
    "                       steps on; over a note nothing more happens (the menu would wait for a choice)\n"
    "  menu ID              a note menu command for the note under the mouse: 4400..4404 accidental +2..-2,\n"
    "                       4406 stem up, 4407 stem down, 4410 + N move to track N\n"
    "  key NAME down|up     a key goes down or up (NAME: space, or a virtual key number); while the space bar\n"
    "                       is down a drag pans the page in any mode\n"
    "  undo                 the undo button\n";

namespace {

// Keys the script holds down, released when it ends.
using HeldKeys = std::set<int>;

void Send(CScoreView& view, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (view.m_hWnd)
        view.SendMessage(message, wParam, lParam);
    else
        view.WindowProc(message, wParam, lParam);
}

void Mouse(CScoreView& view, UINT message, UINT flags, int x, int y) { Send(view, message, flags, MAKELPARAM(x, y)); }

void Key(int vk, bool down)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(vk);
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

int KeyCode(const std::string& name)
{
    if (name == "space")
        return VK_SPACE;
    char* end = nullptr;
    long code = std::strtol(name.c_str(), &end, 10);
    return name.empty() || *end || code <= 0 || code > 255 ? 0 : static_cast<int>(code);
}

// One line read whole before anything runs: its verb and numbers (a key's code and state as two numbers).
struct Line {
    std::string verb;
    std::vector<int> n;
};

bool Number(const std::string& word, int& value)
{
    char* end = nullptr;
    long number = std::strtol(word.c_str(), &end, 10);
    value = static_cast<int>(number);
    return !word.empty() && !*end && number >= INT16_MIN && number <= INT16_MAX;
}

bool MenuCommand(int id)
{
    return (id >= CScoreView::kMenuAccidentalFirst && id <= CScoreView::kMenuAccidentalFirst + 4) ||
           id == CScoreView::kMenuStemUp || id == CScoreView::kMenuStemDown ||
           (id >= CScoreView::kMenuMoveFirst && id <= CScoreView::kMenuMoveLast);
}

// Reads a line's words into a step; false when the verb is unknown or its words do not fit it.
bool Read(const std::vector<std::string>& words, Line& line)
{
    static const struct {
        const char* verb;
        size_t least, most;
    } verbs[] = {{"mode", 1, 1},   {"palette", 2, 2}, {"grid", 1, 1},    {"move", 2, 2},
                 {"click", 2, 2},  {"press", 2, 2},   {"release", 2, 2}, {"drag", 4, 5},
                 {"rclick", 2, 2}, {"menu", 1, 1},    {"key", 2, 2},     {"undo", 0, 0}};
    line.verb = words[0];
    size_t count = words.size() - 1;
    for (const auto& v : verbs) {
        if (line.verb != v.verb)
            continue;
        if (count < v.least || count > v.most)
            return false;
        if (line.verb == "key") {
            int vk = KeyCode(words[1]);
            if (!vk || (words[2] != "down" && words[2] != "up"))
                return false;
            line.n = {vk, words[2] == "down"};
            return true;
        }
        line.n.resize(count);
        for (size_t i = 0; i < count; ++i)
            if (!Number(words[i + 1], line.n[i]))
                return false;
        if (line.verb == "drag" && count == 4)
            line.n.push_back(1);
        if (line.verb == "drag")
            return line.n[4] >= 1 && line.n[4] <= 1000;
        if (line.verb == "grid")
            return line.n[0] > 0;
        return line.verb != "menu" || MenuCommand(line.n[0]);
    }
    return false;
}

void Apply(CScoreView& view, const Line& line, HeldKeys& held)
{
    const std::string& verb = line.verb;
    const std::vector<int>& n = line.n;
    if (verb == "mode") {
        view.SetEditMode(n[0]);
    } else if (verb == "palette") {
        view.SetPaletteChoice(n[0], n[1]);
    } else if (verb == "grid") {
        view.SetGridValue(n[0]);
    } else if (verb == "move") {
        Mouse(view, WM_MOUSEMOVE, 0, n[0], n[1]);
    } else if (verb == "click") {
        Mouse(view, WM_MOUSEMOVE, 0, n[0], n[1]);
        Mouse(view, WM_LBUTTONDOWN, MK_LBUTTON, n[0], n[1]);
        Mouse(view, WM_LBUTTONUP, 0, n[0], n[1]);
    } else if (verb == "press") {
        Mouse(view, WM_LBUTTONDOWN, MK_LBUTTON, n[0], n[1]);
    } else if (verb == "release") {
        Mouse(view, WM_LBUTTONUP, 0, n[0], n[1]);
    } else if (verb == "drag") {
        Mouse(view, WM_MOUSEMOVE, 0, n[0], n[1]);
        Mouse(view, WM_LBUTTONDOWN, MK_LBUTTON, n[0], n[1]);
        for (int i = 1; i <= n[4]; ++i)
            Mouse(view, WM_MOUSEMOVE, MK_LBUTTON, n[0] + (n[2] - n[0]) * i / n[4], n[1] + (n[3] - n[1]) * i / n[4]);
        Mouse(view, WM_LBUTTONUP, 0, n[2], n[3]);
    } else if (verb == "rclick") {
        Mouse(view, WM_MOUSEMOVE, 0, n[0], n[1]);
        if (!view.hoveredNote)
            Mouse(view, WM_RBUTTONDOWN, MK_RBUTTON, n[0], n[1]);
    } else if (verb == "menu") {
        Send(view, WM_COMMAND, static_cast<WPARAM>(n[0]), 0);
    } else if (verb == "key") {
        Key(n[0], n[1] != 0);
        if (n[1])
            held.insert(n[0]);
        else
            held.erase(n[0]);
    } else if (verb == "undo") {
        view.OnUndo();
    }
}

}  // namespace

void PrepareScriptView(CScoreView& view, double zoom)
{
    // The spacing grows with the zoom, as the glyphs do, so that a zoomed page shows the zoom-1 picture enlarged.
    view.noteSpacing *= zoom;
    PrepareHeadlessView(view, kEditScriptWindowWidth, 0, zoom);
}

bool RunEditScript(CScoreView& view, const std::string& path)
{
    std::ifstream file(path);
    if (!file) {
        std::fprintf(stderr, "scorepng: cannot read %s\n", path.c_str());
        return false;
    }
    view.RedrawScore(true);
    HeldKeys held;
    bool read = true;
    std::string text;
    for (int number = 1; read && std::getline(file, text); ++number) {
        std::istringstream words(text.substr(0, text.find('#')));
        std::vector<std::string> split;
        for (std::string word; words >> word;)
            split.push_back(word);
        if (split.empty())
            continue;
        Line line;
        read = Read(split, line);
        if (read)
            Apply(view, line, held);
        else
            std::fprintf(stderr, "scorepng: %s:%d: cannot read \"%s\"\n", path.c_str(), number, text.c_str());
    }
    for (int vk : held)
        Key(vk, false);
    return read;
}
