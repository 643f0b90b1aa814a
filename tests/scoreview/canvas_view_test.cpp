// The canvas: centring, scroll ranges and the content-window mapping at several zooms.
#include <gtest/gtest.h>

#include "scoreview/canvas_view.h"

namespace {

// A canvas without a window: its client rectangle is what WM_SIZE would have given it.
struct Canvas : CCanvasView {
    Canvas(int clientWidth, int clientHeight, int contentWidth, int contentHeight, double z)
    {
        clientRect.SetRect(0, 0, clientWidth, clientHeight);
        SetContentSize(contentWidth, contentHeight);
        SetZoom(z);
    }
};

struct LayoutCase {
    double zoom;
    int scaledWidth, scaledHeight;
    CRect placement;
    int minScrollX, minScrollY;
};

TEST(CanvasView, CentresOrScrollsThePageAtEachZoom)
{
    const LayoutCase cases[] = {
        {0.5, 180, 119, CRect(160, 90, 340, 209), 0, 0},
        {1.0, 359, 237, CRect(70, 31, 429, 268), 0, 0},
        {2.0, 718, 474, CRect(0, 0, 500, 300), -218, -174},
        {2.5, 898, 593, CRect(0, 0, 500, 300), -398, -293},
    };
    for (const LayoutCase& c : cases) {
        Canvas canvas(500, 300, 359, 237, c.zoom);
        EXPECT_EQ(canvas.scaledRect.Width(), c.scaledWidth) << c.zoom;
        EXPECT_EQ(canvas.scaledRect.Height(), c.scaledHeight) << c.zoom;
        EXPECT_EQ(canvas.GetPlacementRect(), c.placement) << c.zoom;
        canvas.ScrollTo(-10000, -10000);
        EXPECT_EQ(canvas.GetScrollPosition(), CPoint(c.minScrollX, c.minScrollY)) << c.zoom;
        canvas.ScrollTo(5, 7);
        EXPECT_EQ(canvas.GetScrollPosition(), CPoint(0, 0)) << c.zoom;
    }
}

TEST(CanvasView, MapsContentToWindowAndBackThroughScrollAndPlacement)
{
    for (double zoom : {0.5, 1.0, 2.0, 4.0}) {
        Canvas canvas(500, 300, 359, 237, zoom);
        canvas.ScrollTo(-40, -30);
        for (CPoint p : {CPoint(0, 0), CPoint(100, 50), CPoint(358, 236)}) {
            CPoint window = canvas.ContentToDevice(p);
            CPoint back = canvas.DeviceToContent(window);
            EXPECT_NEAR(back.x, p.x, 1) << zoom;
            EXPECT_NEAR(back.y, p.y, 1) << zoom;
        }
        CPoint origin = canvas.ContentToDevice(CPoint(0, 0));
        EXPECT_EQ(origin, CPoint(canvas.GetPlacementRect().left + canvas.scrollX,
                                 canvas.GetPlacementRect().top + canvas.scrollY))
            << zoom;
    }
}

TEST(CanvasView, ZoomIsClampedAndAnEmptyContentTakesTheClientSize)
{
    Canvas canvas(400, 200, 0, 0, 1.0);
    EXPECT_EQ(canvas.GetContentSize(), CSize(400, 200));
    const double zooms[][2] = {{0.05, 0.1}, {12.0, 10.0}, {10.0, 10.0}, {0.1, 0.1}};
    for (const auto& z : zooms) {
        canvas.SetZoom(z[0]);
        EXPECT_EQ(canvas.GetZoom(), z[1]);
    }
}

TEST(CanvasView, ResetAtZoomOneDoesNotScroll)
{
    Canvas canvas(200, 100, 359, 237, 1.0);
    canvas.ScrollTo(-50, -40);
    canvas.ResetZoom();
    EXPECT_EQ(canvas.GetScrollPosition(), CPoint(-50, -40));
}

TEST(CanvasView, FitZoomShowsTheWholeContent)
{
    Canvas canvas(718, 300, 359, 237, 1.0);
    canvas.FitZoom();
    EXPECT_DOUBLE_EQ(canvas.GetZoom(), 300.0 / 237);
    EXPECT_LE(canvas.scaledRect.Width(), 718);
    EXPECT_LE(canvas.scaledRect.Height(), 300);
}

}  // namespace
