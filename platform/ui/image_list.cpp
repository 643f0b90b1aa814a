// Image lists: equal-sized pictures kept as bitmaps and drawn by index, with an optional mask colour.
#include "ui/common_controls.h"

#include <map>
#include <set>
#include <memory>
#include <vector>

namespace {

struct ImageListData {
    int cx;
    int cy;
    UINT flags;
    std::vector<HBITMAP> images;  // each cx by cy
    std::vector<COLORREF> masks;  // CLR_INVALID: drawn opaque
};

std::set<ImageListData*> g_liveLists;

ImageListData* DataOf(HIMAGELIST list)
{
    auto* d = reinterpret_cast<ImageListData*>(list);
    return g_liveLists.count(d) ? d : nullptr;
}

// Copies the part of a picture that holds one image into a new bitmap of the list's size.
HBITMAP CopyPart(HBITMAP source, int x, int cx, int cy)
{
    HDC from = CreateCompatibleDC(nullptr);
    HDC to = CreateCompatibleDC(nullptr);
    HBITMAP part = CreateBitmap(cx, cy, 1, 32, nullptr);
    HGDIOBJ oldFrom = SelectObject(from, source);
    HGDIOBJ oldTo = SelectObject(to, part);
    BitBlt(to, 0, 0, cx, cy, from, x, 0, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    return part;
}

int AddStrip(HIMAGELIST list, HBITMAP image, COLORREF mask)
{
    ImageListData* d = DataOf(list);
    BITMAP bm{};
    if (!d || !image || !GetObject(image, sizeof(bm), &bm))
        return -1;
    int first = (int)d->images.size();
    // A strip holds its images side by side; a narrower picture still makes one image.
    int x = 0;
    do {
        d->images.push_back(CopyPart(image, x, d->cx, d->cy));
        d->masks.push_back(mask);
        x += d->cx;
    } while (x + d->cx <= bm.bmWidth);
    return first;
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int)
{
    if (cx <= 0 || cy <= 0)
        return nullptr;
    auto* d = new ImageListData{cx, cy, flags, {}, {}};
    g_liveLists.insert(d);
    return reinterpret_cast<HIMAGELIST>(d);
}

BOOL ImageList_Destroy(HIMAGELIST list)
{
    ImageListData* d = DataOf(list);
    if (d && g_liveLists.erase(d) == 0)
        return FALSE;
    if (!d)
        return FALSE;
    for (HBITMAP b : d->images)
        DeleteObject(b);
    delete d;
    return TRUE;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP) { return AddStrip(list, image, CLR_INVALID); }

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask) { return AddStrip(list, image, mask); }

// Icons are not kept in image lists here: the programs add bitmap strips only.
int ImageList_ReplaceIcon(HIMAGELIST, int, HICON) { return -1; }

BOOL ImageList_Remove(HIMAGELIST list, int index)
{
    ImageListData* d = DataOf(list);
    if (!d)
        return FALSE;
    if (index < 0) {
        for (HBITMAP b : d->images)
            DeleteObject(b);
        d->images.clear();
        d->masks.clear();
        return TRUE;
    }
    if (index >= (int)d->images.size())
        return FALSE;
    DeleteObject(d->images[index]);
    d->images.erase(d->images.begin() + index);
    d->masks.erase(d->masks.begin() + index);
    return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST list) { return DataOf(list) ? (int)DataOf(list)->images.size() : 0; }

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy)
{
    ImageListData* d = DataOf(list);
    if (!d)
        return FALSE;
    *cx = d->cx;
    *cy = d->cy;
    return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT)
{
    ImageListData* d = DataOf(list);
    if (!d || index < 0 || index >= (int)d->images.size())
        return FALSE;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, d->images[index]);
    BOOL ok = d->masks[index] == CLR_INVALID
                  ? BitBlt(dc, x, y, d->cx, d->cy, mem, 0, 0, SRCCOPY)
                  : TransparentBlt(dc, x, y, d->cx, d->cy, mem, 0, 0, d->cx, d->cy, d->masks[index]);
    SelectObject(mem, old);
    DeleteDC(mem);
    return ok;
}

BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int dx, int dy, COLORREF, COLORREF, UINT)
{
    ImageListData* d = DataOf(list);
    if (!d || index < 0 || index >= (int)d->images.size())
        return FALSE;
    if (dx <= 0 || dx > d->cx)
        dx = d->cx;
    if (dy <= 0 || dy > d->cy)
        dy = d->cy;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, d->images[index]);
    BOOL ok = d->masks[index] == CLR_INVALID ? BitBlt(dc, x, y, dx, dy, mem, 0, 0, SRCCOPY)
                                             : TransparentBlt(dc, x, y, dx, dy, mem, 0, 0, dx, dy, d->masks[index]);
    SelectObject(mem, old);
    DeleteDC(mem);
    return ok;
}

namespace {

std::map<HIMAGELIST, std::unique_ptr<CImageList>> g_temporaryLists;

}  // namespace

CImageList* CImageList::FromHandle(HIMAGELIST list)
{
    if (!list)
        return nullptr;
    auto& slot = g_temporaryLists[list];
    if (!slot) {
        slot = std::make_unique<CImageList>();
        slot->m_hImageList = list;
    }
    return slot.get();
}

CImageList::~CImageList()
{
    for (auto& [handle, wrapper] : g_temporaryLists)
        if (wrapper.get() == this) {
            m_hImageList = nullptr;  // a wrapper does not own the list
            return;
        }
    if (m_hImageList) {
        g_temporaryLists.erase(m_hImageList);
        DeleteImageList();
    }
}

#pragma GCC diagnostic ignored "-Wnonnull-compare"
HIMAGELIST CImageList::GetSafeHandle() const { return this ? m_hImageList : nullptr; }

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow)
{
    DeleteImageList();
    m_hImageList = ImageList_Create(cx, cy, flags, initial, grow);
    return m_hImageList != nullptr;
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask)
{
    CBitmap strip;
    if (!strip.LoadBitmap(bitmapId))
        return FALSE;
    BITMAP bm{};
    strip.GetObject(sizeof(bm), &bm);
    if (!Create(cx, bm.bmHeight, ILC_COLOR24 | (mask != CLR_INVALID ? ILC_MASK : 0), 0, grow))
        return FALSE;
    return AddStrip(m_hImageList, (HBITMAP)strip.m_hObject, mask) >= 0;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    ImageList_Destroy(m_hImageList);
    m_hImageList = nullptr;
    return TRUE;
}

int CImageList::Add(CBitmap* bitmap, CBitmap* mask)
{
    return ImageList_Add(m_hImageList, bitmap ? (HBITMAP)bitmap->m_hObject : nullptr,
                         mask ? (HBITMAP)mask->m_hObject : nullptr);
}

int CImageList::Add(CBitmap* bitmap, COLORREF mask)
{
    return ImageList_AddMasked(m_hImageList, bitmap ? (HBITMAP)bitmap->m_hObject : nullptr, mask);
}

int CImageList::Add(HICON icon) { return ImageList_ReplaceIcon(m_hImageList, -1, icon); }

BOOL CImageList::Draw(CDC* dc, int image, POINT at, UINT style)
{
    return ImageList_Draw(m_hImageList, image, dc ? dc->m_hDC : nullptr, at.x, at.y, style);
}
