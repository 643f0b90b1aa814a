// CTiledBackgroundDialog: a dialog base whose background is a small resource picture repeated across the
// whole client area.
#include "composer/tiled_background_dialog.h"

BEGIN_MESSAGE_MAP(CTiledBackgroundDialog, CDialog)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CTiledBackgroundDialog::CTiledBackgroundDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

BOOL CTiledBackgroundDialog::LoadTile(UINT resourceId)
{
    m_tile.LoadResource(resourceId, "DIB", RASTER_TYPE_BMP);
    return m_tile.IncreaseBpp(24);
}

void CTiledBackgroundDialog::Compose(int width, int height)
{
    m_background.CreateFilled(width, height, 24, RGB(255, 255, 255));
    const int tileWidth = m_tile.GetWidth(), tileHeight = m_tile.GetHeight();
    // One more tile than fits in each direction covers the right and bottom edges.
    for (int row = 0; row <= height / tileHeight; ++row)
        for (int column = 0; column <= width / tileWidth; ++column)
            m_background.CopyRectFrom(column * tileWidth, row * tileHeight, tileWidth, tileHeight, &m_tile, 0, 0);
}

BOOL CTiledBackgroundDialog::OnEraseBkgnd(CDC* dc)
{
    if (m_tile.IsEmpty())
        return CDialog::OnEraseBkgnd(dc);
    CRect client;
    GetClientRect(&client);
    if (m_background.GetWidth() != client.Width() || m_background.GetHeight() != client.Height())
        Compose(client.Width(), client.Height());
    m_background.Draw(dc->m_hDC, 0, 0);
    return TRUE;
}
