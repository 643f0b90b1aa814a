// CScoreFontLabel: one character of the music font, drawn at a zoom factor in a white box.
#pragma once

#include "ui/ui.h"

class CScoreFontLabel : public CWnd {
public:
    void SetZoom(int n);
    double GetZoom() const { return m_dZoom; }
    // The font height that a paint at the current zoom uses.
    int FontHeight() const { return (int)(20.8 * m_dZoom); }
    // Paints the whole label into the client rectangle as WM_PAINT does.
    void Paint(CDC* dc);

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    double m_dZoom = 1.0;
};
