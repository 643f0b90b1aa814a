// CSkinLabel: the setters; each repaints the label when its window exists.
#include "skinui/skin_label.h"

namespace {

// A picture that cannot be loaded leaves the image empty, not holding the one of an earlier skin.
void LoadPicture(CRasterImage& image, const CString& path)
{
    image.Destroy();
    image.LoadFile(path, 0);
    image.IncreaseBpp(24);
}

}  // namespace

BEGIN_MESSAGE_MAP(CSkinLabel, CSkinStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

CSkinLabel::CSkinLabel() = default;

void CSkinLabel::InvalidateIfCreated(BOOL erase)
{
    if (m_hWnd)
        Invalidate(erase);
}

void CSkinLabel::SetSkin(CString strImagePath, CString strText, CString strFontName, int nFontSize, COLORREF crText)
{
    if (!strImagePath.IsEmpty())
        LoadPicture(m_imgBack, strImagePath);
    m_strText = strText;
    m_strFontName = strFontName;
    m_nFontSize = nFontSize;
    m_crText = crText;
    // A label without a picture draws its text on what lies beneath: the old text must go first.
    InvalidateIfCreated(TRUE);
}

void CSkinLabel::SetTextFont(CString strText, CString strFontName, int nFontSize, COLORREF crText)
{
    m_strText = strText;
    m_strFontName = strFontName;
    m_nFontSize = nFontSize;
    m_crText = crText;
    // A label without a picture draws its text on what lies beneath: the old text must go first.
    InvalidateIfCreated(TRUE);
}

void CSkinLabel::SetText(CString strText)
{
    m_strText = strText;
    InvalidateIfCreated(TRUE);
}

void CSkinLabel::SetTempo(int nTempo)
{
    m_strText.Format("Tempo = %d", nTempo);
    InvalidateIfCreated(FALSE);
}

void CSkinLabel::SetNumber(int n)
{
    m_strText.Format("%d", n);
    InvalidateIfCreated(FALSE);
}

void CSkinLabel::SetImages(CString strBackPath, CString strProgressPath, CRect rcProgress)
{
    m_strText.Empty();
    if (!strBackPath.IsEmpty())
        LoadPicture(m_imgBack, strBackPath);
    if (!strProgressPath.IsEmpty())
        LoadPicture(m_imgProgress, strProgressPath);
    m_rcProgress = rcProgress;
}

void CSkinLabel::SetPercent(int nPercent)
{
    m_nPercent = nPercent;
    InvalidateIfCreated(FALSE);
}

void CSkinLabel::LoadBackgroundResource(UINT nID)
{
    m_imgBack.LoadResource(nID, "DIB", 0);
    m_imgBack.IncreaseBpp(24);
}

void CSkinLabel::Refresh() { InvalidateIfCreated(FALSE); }
