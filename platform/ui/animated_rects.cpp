// DrawAnimatedRects: the caption bar is a window of its own above all others, moved in steps and then removed.
#include <gtk/gtk.h>

#include "ui/animated_rects.h"
#include "ui/wx_windows.h"

namespace {

constexpr int kSteps = 10;
constexpr int kStepMs = 15;

int Between(LONG from, LONG to, int step) { return (int)(from + (long long)(to - from) * step / kSteps); }

void PaintBar(GdkWindow* bar, int width, int height, COLORREF colour)
{
    cairo_rectangle_int_t whole{0, 0, width, height};
    cairo_region_t* area = cairo_region_create_rectangle(&whole);
    GdkDrawingContext* context = gdk_window_begin_draw_frame(bar, area);
    cairo_t* cr = gdk_drawing_context_get_cairo_context(context);
    cairo_set_source_rgb(cr, GetRValue(colour) / 255.0, GetGValue(colour) / 255.0, GetBValue(colour) / 255.0);
    cairo_paint(cr);
    gdk_window_end_draw_frame(bar, context);
    cairo_region_destroy(area);
}

}  // namespace

BOOL DrawAnimatedRects(HWND, int idAni, const RECT* from, const RECT* to)
{
    if (idAni != IDANI_CAPTION || !from || !to || !wxTheApp)
        return FALSE;
    GdkDisplay* display = gdk_display_get_default();
    if (!display)
        return FALSE;
    // A window the window manager leaves alone, as menus are: it is neither placed nor decorated.
    GdkWindowAttr attributes{};
    attributes.window_type = GDK_WINDOW_TEMP;
    attributes.wclass = GDK_INPUT_OUTPUT;
    attributes.width = attributes.height = 1;
    GdkWindow* bar =
        gdk_window_new(gdk_screen_get_root_window(gdk_display_get_default_screen(display)), &attributes, 0);
    if (!bar)
        return FALSE;
    const COLORREF colour = GetSysColor(COLOR_ACTIVECAPTION);
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    for (int step = 0; step <= kSteps; ++step) {
        const int left = Between(from->left, to->left, step);
        const int top = Between(from->top, to->top, step);
        const int width = std::max(1, Between(from->right, to->right, step) - left);
        const int height = std::max(1, std::min(caption, Between(from->bottom, to->bottom, step) - top));
        gdk_window_move_resize(bar, left, top, width, height);
        if (step == 0)
            gdk_window_show(bar);
        PaintBar(bar, width, height, colour);
        gdk_display_flush(display);
        g_usleep(kStepMs * 1000);
    }
    gdk_window_destroy(bar);
    gdk_display_flush(display);
    return TRUE;
}
