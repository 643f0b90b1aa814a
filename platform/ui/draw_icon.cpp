// DrawIcon: an icon's opaque pixels drawn into a device context at a point.
#include "ui/wx_state.h"

BOOL DrawIcon(HDC dc, int x, int y, HICON icon)
{
    wxIcon wxi = WxIconOf(icon);
    if (!dc || !wxi.IsOk())
        return FALSE;
    wxBitmap bitmap;
    bitmap.CopyFromIcon(wxi);
    wxImage img = bitmap.ConvertToImage();
    if (!img.IsOk())
        return FALSE;
    const unsigned char* rgb = img.GetData();
    const unsigned char* alpha = img.HasAlpha() ? img.GetAlpha() : nullptr;
    bool masked = img.HasMask();
    for (int row = 0; row < img.GetHeight(); ++row)
        for (int col = 0; col < img.GetWidth(); ++col) {
            int i = row * img.GetWidth() + col;
            if (alpha && alpha[i] < 128)
                continue;
            if (masked && rgb[3 * i] == img.GetMaskRed() && rgb[3 * i + 1] == img.GetMaskGreen() &&
                rgb[3 * i + 2] == img.GetMaskBlue())
                continue;
            SetPixelV(dc, x + col, y + row, RGB(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]));
        }
    return TRUE;
}
