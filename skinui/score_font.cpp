// The process-wide music font description and note colour that the score view hands to the toolkit.
#include "skinui/score_font.h"

#include <cstring>

namespace {

struct ScoreFont {
    LOGFONT font;
    COLORREF note = RGB(0, 0, 0);
    ScoreFont() : font{} { std::strncpy(font.lfFaceName, "8888 8888", LF_FACESIZE - 1); }
};

ScoreFont& TheScoreFont()
{
    static ScoreFont scoreFont;
    return scoreFont;
}

}  // namespace

void SetScoreFont(const LOGFONT& font, COLORREF crNote)
{
    TheScoreFont().font = font;
    TheScoreFont().note = crNote;
}

const LOGFONT& GetScoreFont() { return TheScoreFont().font; }

COLORREF GetScoreNoteColor() { return TheScoreFont().note; }
