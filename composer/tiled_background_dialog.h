// CTiledBackgroundDialog: a dialog base whose background is a small resource picture repeated across the
// whole client area.
#pragma once

#include "imaging/raster_image.h"
#include "ui/dialog.h"

class CTiledBackgroundDialog : public CDialog {
public:
    CTiledBackgroundDialog(UINT templateId, CWnd* parent = nullptr);

    // Loads the tile from a "DIB" resource at 24 bits per pixel; answers whether that worked.
    BOOL LoadTile(UINT resourceId);

    CRasterImage m_tile{RASTER_TYPE_BMP};
    CRasterImage m_background{RASTER_TYPE_BMP};  // the tiles composed at the client area's size

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()

private:
    void Compose(int width, int height);
};
