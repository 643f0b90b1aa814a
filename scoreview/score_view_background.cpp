// CScoreView: the page background picture and the working and clean pages prepared from it.
#include "scoreview/score_view.h"

#include "kernel/program_paths.h"
#include "services/rounding.h"
#include "services/settings_ini.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr const char* kUserBackground = "tempbg.jpg";

}  // namespace

void CScoreView::PrepareBackground(int w, int h)
{
    if (backgroundBitmap.IsEmpty()) {
        pageBitmap.CreateFilled(w, h, kWhite);
    } else {
        pageBitmap.CopyFrom(backgroundBitmap);
        pageBitmap.ResizeLinear(w, h);
    }
    cleanPageBitmap.CopyFrom(pageBitmap);
}

void CScoreView::PrepareBackgroundForRect(const RECT& rect)
{
    PrepareBackground(RoundHalfAway(zoom * (rect.right - rect.left)), RoundHalfAway(zoom * (rect.bottom - rect.top)));
}

void CScoreView::LoadBackground()
{
    CSettingsIni settings;
    int b = settings.GetInt("main", "background");
    if (b < 0 || b > 5)
        b = 0;
    // The picture of an earlier load is freed first: a resource load does not free what it replaces.
    backgroundBitmap.Free();
    if (b <= 3) {
        backgroundBitmap.LoadFromDibResource(backgroundResourceBase + b, "DIB");
    } else if (b == 5) {
        backgroundBitmap.CreateFilled(659, 436, kWhite);
    } else {
        std::string path = GetProgramFolder() + kUserBackground;
        if (backgroundBitmap.LoadFile(path.c_str(), 24, 1) != 1 || backgroundBitmap.IsEmpty()) {
            backgroundBitmap.Free();
            backgroundBitmap.LoadFromDibResource(backgroundResourceBase, "DIB");
        }
    }
    pageBitmap.CopyFrom(backgroundBitmap);
    cleanPageBitmap.CopyFrom(backgroundBitmap);
    RedrawScore(true);
    if (m_hWnd)
        Invalidate(TRUE);
}
