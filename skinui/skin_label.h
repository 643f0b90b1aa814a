// CSkinLabel: a text label over an optional skin picture or flat field, its font shrunk to fit, with an optional
// percent bar.
#pragma once

#include "imaging/raster_image.h"
#include "skinui/skin_static.h"

class CSkinLabel : public CSkinStatic {
public:
    CSkinLabel();

    void SetSkin(CString strImagePath, CString strText, CString strFontName, int nFontSize, COLORREF crText);
    void SetTextFont(CString strText, CString strFontName, int nFontSize, COLORREF crText);
    void SetText(CString strText);
    const CString& GetText() const { return m_strText; }
    void SetTempo(int nTempo);
    void SetNumber(int n);
    void SetFrameColor(COLORREF crFrame) { m_crFrame = crFrame; }
    void SetAlignment(int nAlign) { m_nAlign = nAlign; }
    void SetImages(CString strBackPath, CString strProgressPath, CRect rcProgress);
    void SetPercent(int nPercent);
    void LoadBackgroundResource(UINT nID);
    void Refresh();

    // Paints the whole label as WM_PAINT does.
    void Paint(CDC* dc);
    // The font (cx = character width, cy = height) that fits `cells` text cells into a label of that size.
    static CSize FitFont(int labelWidth, int labelHeight, int cells, int fontSize);
    // Text cells of a UTF-8 text: one per single-byte character, two per wider one.
    static int TextCells(const CString& text);

    int m_bBorder = 0;
    int m_bFill = 0;

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    void InvalidateIfCreated(BOOL erase);
    void PaintField(CDC* dc, const CRect& r);
    void PaintText(CDC* dc, const CRect& r);
    void PaintPercent(CDC* dc);

    CString m_strText = "=100";
    int m_nPaintMode = 1;  // 1 normal text; nothing selects another look
    CRasterImage m_imgBack;
    COLORREF m_crFrame = RGB(64, 67, 210);
    COLORREF m_crText = RGB(255, 255, 255);
    int m_nFontSize = 14;
    CString m_strFontName = "Arial";
    CRasterImage m_imgProgress;
    CRect m_rcProgress;
    int m_nPercent = 0;
    int m_nAlign = 0;
};
