// The redraw pipeline: pages at the zoomed size, the current row's mark, partial redraws, the play cursor's
// place on the window and the rows given to shown tracks.
#include <gtest/gtest.h>

#include <string>

#include "kernel/prompt_service.h"
#include "render/visible_tracks.h"
#include "view_fixture.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

// y of row n's middle staff line on the working page.
int MiddleLine(const CScoreView& view, int n)
{
    return (int)(view.rowOrigin + n * view.staffSpacingPx + 11 * view.unit);
}

TEST(ScoreRedraw, PagesFollowTheZoomWhileTheContentKeepsThePageSize)
{
    for (double zoom : {1.0, 2.0, 0.5}) {
        CScoreView view;
        PrepareHeadlessView(view, 600, 0, zoom);
        view.RedrawScore(true);
        EXPECT_EQ(view.pageBitmap.Width(), (int)(600 * zoom)) << zoom;
        EXPECT_EQ(view.pageBitmap.Height(), (int)(view.pageHeight * zoom)) << zoom;
        EXPECT_EQ(view.cleanPageBitmap.Width(), view.pageBitmap.Width()) << zoom;
        EXPECT_EQ(view.GetContentSize(), CSize(view.pageWidth, view.pageHeight)) << zoom;
        EXPECT_EQ(view.editRowMark, -1);
        EXPECT_EQ(view.crossPoint, CPoint(-1, -1));
    }
}

TEST(ScoreRedraw, TheCurrentRowIsMarkedAcrossTheWholeZoomedPage)
{
    for (double zoom : {1.0, 2.0}) {
        CScoreView view;
        ShowOnly(view, {0, 2});
        view.currentTrack = 2;
        PrepareHeadlessView(view, 400, 0, zoom);
        view.RedrawScore(true);
        int between = (int)(view.unit / 2);  // between two staff lines
        int rightEdge = view.pageBitmap.Width() - 3;
        EXPECT_NE(PagePixel(view, rightEdge, MiddleLine(view, 1) + between), kWhite) << zoom;
        EXPECT_EQ(PagePixel(view, rightEdge, MiddleLine(view, 0) + between), kWhite) << zoom;
    }
}

TEST(ScoreRedraw, AHiddenCurrentTrackMarksNoRow)
{
    CScoreView view;
    ShowOnly(view, {0, 1});
    view.currentTrack = 5;
    PrepareHeadlessView(view, 400, 0, 1.0);
    view.RedrawScore(true);
    for (int n : {0, 1})
        EXPECT_EQ(PagePixel(view, 395, MiddleLine(view, n) + 4), kWhite);
}

TEST(ScoreRedraw, APartialRedrawRestoresOnlyTheBandOfTheEditedRows)
{
    CScoreView view;
    view.currentTrack = 9;  // unmarked rows keep the page white
    PrepareHeadlessView(view, 400, 0, 1.0);
    view.RedrawScore(true);
    view.pageBitmap.GetDc();
    RECT all = {0, 0, view.pageBitmap.Width(), view.pageBitmap.Height()};
    view.pageBitmap.GetCdc()->FillSolidRect(&all, RGB(0, 0, 0));
    view.pageBitmap.ReleaseDc(nullptr);

    view.staffMiddleY = view.editRowY = 10;  // near the top: the band starts at 0
    view.nearestRowIndex = 0;
    view.RedrawScore(false);
    int s = (int)view.staffSpacingPx;
    EXPECT_EQ(view.editRowMark, 0);
    int bottom = 10 + s + s / 2;  // both rows equal: one and a half spacings below
    int whiteInside = 0, whiteBelow = 0;
    for (int y = bottom - 8; y < bottom; ++y)
        whiteInside += PagePixel(view, 395, y) == kWhite;
    for (int y = bottom; y < bottom + 8; ++y)
        whiteBelow += PagePixel(view, 395, y) == kWhite;
    EXPECT_EQ(PagePixel(view, 395, 0), kWhite);
    EXPECT_GT(whiteInside, 4);
    EXPECT_EQ(whiteBelow, 0);
}

TEST(ScoreRedraw, ThePlayCursorStandsWhereThePageIsShownOnTheWindow)
{
    CScoreView view;
    PrepareHeadlessView(view, 300, 0, 2.0);
    view.RedrawScore(true);
    view.ScrollTo(-100, -40);
    ASSERT_EQ(view.GetScrollPosition(), CPoint(-100, -40));
    CPoint top, bottom;
    ASSERT_TRUE(view.PlayCursorLine(150, top, bottom));
    EXPECT_EQ(top, CPoint(50, 0));
    EXPECT_EQ(bottom.x, 50);
    EXPECT_EQ(bottom.y, view.GetPlacementRect().bottom);
    EXPECT_FALSE(view.PlayCursorLine(60, top, bottom));    // scrolled out to the left
    EXPECT_FALSE(view.PlayCursorLine(1200, top, bottom));  // past the page
}

TEST(ScoreRedraw, ATrackShownInTheLastSlotGetsARow)
{
    CScoreView view;
    ShowOnly(view, {29});
    EXPECT_EQ(view.GetNthVisibleTrack(false, 0), 29);
    EXPECT_EQ(view.GetNthVisibleTrack(false, 1), kNoShownTrack);
    PrepareHeadlessView(view, 400, 0, 1.0);
    view.RedrawScore(true);
    EXPECT_EQ(PagePixel(view, 300, MiddleLine(view, 0)), kBlack);
}

TEST(ScoreRedraw, TheBarAfterTheLastMeasureLiesPastItsContent)
{
    CScoreView view;
    PrepareHeadlessView(view, 400, 0, 1.0);
    view.RedrawScore(true);
    int length199 = view.score.measureTable[199].numerator * (192 / view.score.measureTable[199].denominator);
    EXPECT_EQ(view.BarX(200), (int)(view.ContentX(199) + length199 * view.noteSpacing + 10.0));
}

TEST(ScoreRedraw, RepeatSignsStandOnTheirBarLinesAndTheFirstRowReachesNoRowAbove)
{
    CScoreView view;
    view.score.InsertMeasureMark(0, 1);
    view.currentTrack = 9;
    PrepareHeadlessView(view, 900, 0, 1.0);
    view.RedrawScore(true);
    int x = view.BarX(1);
    int between = MiddleLine(view, 0) + 4;
    EXPECT_EQ(PagePixel(view, x + 2, between), kBlack);  // the thick bar of the sign
    EXPECT_EQ(PagePixel(view, x - view.stripOriginX - 100 + 2, between), kWhite);
    EXPECT_EQ(PagePixel(view, x + 2, MiddleLine(view, 0) - 3 * (int)view.unit), kWhite);
    EXPECT_EQ(PagePixel(view, x + 2, MiddleLine(view, 1) - 3 * (int)view.unit), kBlack);  // joins row 0
}

// A broken grace chain is told once, after the painting: the repaint the message box lets happen under it lays
// out again and stays quiet, and so does a later redraw while the chain stays broken.
TEST(ScoreRedraw, ABrokenGraceChainIsToldOnceAfterThePainting)
{
    struct RepaintingPrompts : RecordingPromptService {
        int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT style) override
        {
            if (++shown < 3)
                view->RedrawScore(true);
            return RecordingPromptService::ShowMessage(owner, text, caption, style);
        }
        CScoreView* view = nullptr;
        int shown = 0;
    };
    CScoreView view;
    view.score.NewSong(1, 4, 2);
    AddNotes(view.score, 0, {{0, 48, 72, 0, 0, 0, -13}, {48, 48, 74}});
    RepaintingPrompts prompts;
    prompts.view = &view;
    SetPromptService(&prompts);
    PaintNoteSong(view, 1.0);
    view.RedrawScore(true);
    SetPromptService(nullptr);
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0].text, "前装饰音链有误！");
}

}  // namespace
