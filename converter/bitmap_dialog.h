// CBitmapDialog: a dialog whose face and window shape come from one background picture, dragged by its background.
#pragma once

#include "imaging/raster_image.h"
#include "ui/ui.h"

class CBitmapDialog : public CDialog {
public:
    explicit CBitmapDialog(UINT templateId, CWnd* parent = nullptr);
    ~CBitmapDialog() override;

    // Loads the picture (24 bits per pixel) and keeps the title for the window's initialisation.
    void SetBackground(const CString& imagePath, const CString& title);
    // Sizes the window to the picture and cuts every pixel of the transparent range out of its region.
    void SetWindowRegion();

    BOOL OnInitDialog() override;

    CRasterImage m_background;
    COLORREF m_transLow = 0;   // lowest transparent colour, channel by channel
    COLORREF m_transHigh = 0;  // highest transparent colour
    CString m_title;
    int m_dragEnabled = 1;  // a press on the background moves the window

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

// The region of a picture's window: its width by height less every pixel whose red, green and blue each lie
// within the bounds of low and high (inclusive). The picture's rows are stored bottom-up.
HRGN BuildTransparentRegion(const CRasterImage& image, COLORREF low, COLORREF high);
