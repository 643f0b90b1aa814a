// CSkinImageStatic: a static control showing a DIB-resource picture; keys pressed on it go to its parent.
#pragma once

#include "imaging/raster_image.h"
#include "skinui/skin_static.h"

class CSkinImageStatic : public CSkinStatic {
public:
    void SetImageResource(UINT nId);
    void Redraw();

protected:
    afx_msg void OnPaint();
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnKeyUp(UINT key, UINT repeat, UINT flags);
    DECLARE_MESSAGE_MAP()

private:
    void Paint(CDC* dc);

    UINT m_nResourceId = 0;
    CRasterImage m_imgSource;
    CRasterImage m_imgShown;
};
