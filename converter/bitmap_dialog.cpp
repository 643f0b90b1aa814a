// CBitmapDialog: background painting, the window region cut from the background, and dragging by the background.
#include "converter/bitmap_dialog.h"

BEGIN_MESSAGE_MAP(CBitmapDialog, CDialog)
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CBitmapDialog::CBitmapDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

CBitmapDialog::~CBitmapDialog() = default;

void CBitmapDialog::SetBackground(const CString& imagePath, const CString& title)
{
    m_background.LoadFile(imagePath, 0);
    m_background.IncreaseBpp(24);
    m_title = title;
}

BOOL CBitmapDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowRegion();
    if (!m_title.IsEmpty())
        SetWindowText(m_title);
    return TRUE;
}

static bool InRange(BYTE value, BYTE low, BYTE high) { return value >= low && value <= high; }

HRGN BuildTransparentRegion(const CRasterImage& image, COLORREF low, COLORREF high)
{
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    HRGN region = CreateRectRgn(0, 0, width, height);
    HRGN run = CreateRectRgn(0, 0, 0, 0);
    // One rectangle per run of transparent pixels in a row gives the same region as one per pixel.
    for (int i = 0; i < height; ++i) {
        const int line = height - i - 1;
        int start = -1;
        for (int j = 0; j <= width; ++j) {
            bool transparent = false;
            if (j < width) {
                RGBQUAD c = image.GetPixelColor(j, i);
                transparent = InRange(c.rgbRed, GetRValue(low), GetRValue(high)) &&
                              InRange(c.rgbGreen, GetGValue(low), GetGValue(high)) &&
                              InRange(c.rgbBlue, GetBValue(low), GetBValue(high));
            }
            if (transparent && start < 0) {
                start = j;
            } else if (!transparent && start >= 0) {
                SetRectRgn(run, start, line, j, line + 1);
                CombineRgn(region, region, run, RGN_DIFF);
                start = -1;
            }
        }
    }
    DeleteObject(run);
    return region;
}

void CBitmapDialog::SetWindowRegion()
{
    if (m_background.IsEmpty())
        return;
    CRect window;
    GetWindowRect(&window);
    MoveWindow(window.left, window.top, m_background.GetWidth(), m_background.GetHeight(), TRUE);
    // The window owns the region it is given and deletes the one it had.
    SetWindowRgn(BuildTransparentRegion(m_background, m_transLow, m_transHigh), TRUE);
}

BOOL CBitmapDialog::OnEraseBkgnd(CDC* dc)
{
    if (m_background.IsEmpty())
        return CDialog::OnEraseBkgnd(dc);
    CRect client;
    GetClientRect(&client);
    m_background.Draw(dc->GetSafeHdc(), client.left, client.top);
    return TRUE;
}

void CBitmapDialog::OnLButtonDown(UINT flags, CPoint point)
{
    if (m_dragEnabled)
        PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    CDialog::OnLButtonDown(flags, point);
}
