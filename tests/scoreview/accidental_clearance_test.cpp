// Accidentals of real songs, page by page: each keeps clear of every other accidental and of the ink of the
// notes around it (heads, stems, flags, beams and dots of its own chord and of the chord before it).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "render/music_font_resource.h"
#include "song/song_files.h"
#include "tests/support/test_data.h"
#include "tools/scorepng/script/edit_script.h"
#include "view_fixture.h"

namespace {

struct DrawnAccidental {
    int x = 0, y = 0;
    char glyph = 0;
    LOGFONT font{};
};

bool IsAccidental(char glyph) { return glyph >= 0x5E && glyph <= 0x62; }

// Paints through the page's context, leaving out the accidentals of the note font and noting where they go.
class AccidentalRecorder : public CDC {
public:
    AccidentalRecorder(HDC page, int noteFontHeight) : m_noteHeight(noteFontHeight) { m_hDC = m_hAttribDC = page; }
    ~AccidentalRecorder() override { m_hDC = m_hAttribDC = nullptr; }

    using CDC::SelectObject;
    CFont* SelectObject(CFont* font) override
    {
        if (font)
            font->GetLogFont(&m_font);
        return CDC::SelectObject(font);
    }
    BOOL TextOut(int x, int y, LPCTSTR text, int length) override
    {
        if (length == 1 && IsAccidental(text[0]) && m_font.lfHeight == m_noteHeight &&
            !std::strcmp(m_font.lfFaceName, kMusicFontFace)) {
            drawn.push_back({x, y, text[0], m_font});
            return TRUE;
        }
        return CDC::TextOut(x, y, text, length);
    }

    std::vector<DrawnAccidental> drawn;

private:
    int m_noteHeight;
    LOGFONT m_font{};
};

using Ink = std::vector<std::pair<int, int>>;

// The pixels a glyph inks, relative to where it is drawn.
const Ink& GlyphInk(const LOGFONT& font, char glyph)
{
    static std::map<std::pair<int, char>, Ink> cache;
    Ink& ink = cache[{font.lfHeight, glyph}];
    if (!ink.empty())
        return ink;
    constexpr int kSize = 400, kOrigin = 100;
    CPageBitmap scratch;
    scratch.CreateFilled(kSize, kSize, RGB(255, 255, 255));
    scratch.GetDc();
    CDC* dc = scratch.GetCdc();
    CFont face;
    face.CreateFontIndirect(&font);
    CFont* old = dc->SelectObject(&face);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(RGB(0, 0, 0));
    dc->TextOut(kOrigin, kOrigin, &glyph, 1);
    dc->SelectObject(old);
    scratch.ReleaseDc(nullptr);
    const std::vector<uint32_t> pixels = PagePixels(scratch);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            if (pixels[(size_t)y * kSize + x] != 0xFFFFFF)
                ink.emplace_back(x - kOrigin, y - kOrigin);
    return ink;
}

// Paints every page of the song and collects the accidentals that touch note ink or another accidental.
std::vector<std::string> TouchingAccidentals(const char* file, double zoom, int* checked)
{
    std::vector<std::string> faults;
    CScoreView view;
    if (OpenSongFile(view.score, TestDataPath(file).c_str()) != 1) {
        faults.push_back("cannot open");
        return faults;
    }
    PrepareScriptView(view, zoom);
    const int last = LastSongMeasure(view);
    for (int measure = 0, page = 0; measure <= last && measure < kStripMeasureCount; ++page) {
        ScrollToMeasure(view, measure);
        view.RedrawScore(true);
        const int width = view.pageBitmap.Width(), height = view.pageBitmap.Height();
        // Again without the accidentals, on the clean page with the current row marked as before.
        view.pageBitmap.CombineFrom(0, 0, width, height, view.cleanPageBitmap, 0, 0, 288);
        view.MarkCurrentTrackRow();
        AccidentalRecorder recorder(view.pageBitmap.GetDc(), (int)(11 * view.unit));
        view.PaintPage(&recorder);
        view.pageBitmap.ReleaseDc(nullptr);
        const std::vector<uint32_t> rest = PagePixels(view.pageBitmap);
        auto noteInk = [&](int x, int y) {
            return x >= 0 && y >= 0 && x < width && y < height && rest[(size_t)y * width + x] == view.noteColour;
        };
        std::vector<std::set<std::pair<int, int>>> placed;
        for (const DrawnAccidental& a : recorder.drawn) {
            std::set<std::pair<int, int>> pixels;
            for (auto [dx, dy] : GlyphInk(a.font, a.glyph))
                pixels.insert({a.x + dx, a.y + dy});
            placed.push_back(pixels);
        }
        for (size_t i = 0; i < placed.size(); ++i) {
            const DrawnAccidental& a = recorder.drawn[i];
            char where[96];
            std::snprintf(where, sizeof where, "%s zoom %g page %d: '%c' at (%d, %d)", file, zoom, page, a.glyph, a.x,
                          a.y);
            bool touches = false;
            // Touching: on or beside (left, right, above, below) a pixel of the other ink.
            for (auto [x, y] : placed[i])
                for (auto [dx, dy] : {std::pair{0, 0}, {1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                    touches = touches || noteInk(x + dx, y + dy);
            if (touches)
                faults.push_back(std::string(where) + " touches note ink");
            for (size_t j = i + 1; j < placed.size(); ++j) {
                bool shared = false;
                for (auto [x, y] : placed[i])
                    for (auto [dx, dy] : {std::pair{0, 0}, {1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                        shared = shared || placed[j].count({x + dx, y + dy});
                if (shared)
                    faults.push_back(std::string(where) + " touches the accidental at (" +
                                     std::to_string(recorder.drawn[j].x) + ", " + std::to_string(recorder.drawn[j].y) +
                                     ")");
            }
            ++*checked;
        }
        measure = NextPageMeasure(view, measure);
    }
    return faults;
}

TEST(AccidentalClearance, AccidentalsOfRealSongsTouchNoOtherInk)
{
    const std::pair<const char*, double> cases[] = {
        {"midi/TheEntertainer.mid", 1.0},
        {"midi/TheEntertainer.mid", 2.0},
        {"midi/bach_846.mid", 1.0},
    };
    for (const auto& [file, zoom] : cases) {
        int checked = 0;
        const std::vector<std::string> faults = TouchingAccidentals(file, zoom, &checked);
        EXPECT_GT(checked, 20) << file;
        for (size_t i = 0; i < faults.size() && i < 20; ++i)
            ADD_FAILURE() << faults[i];
        EXPECT_EQ(faults.size(), 0u) << file << " zoom " << zoom << ": of " << checked;
    }
}

}  // namespace
