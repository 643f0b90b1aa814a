// CDC: attachment and wrappers for bare handles, object selection, origins, and the composite drawing members.
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "gdi/afxgdi.h"
#include "gdi/gdi_wrappers.h"

namespace {

std::mutex& MapLock()
{
    static std::mutex m;
    return m;
}

std::unordered_map<HDC, CDC*>& Permanent()
{
    static std::unordered_map<HDC, CDC*> m;
    return m;
}

std::unordered_map<HDC, std::unique_ptr<CDC>>& Temporary()
{
    static std::unordered_map<HDC, std::unique_ptr<CDC>> m;
    return m;
}

}  // namespace

namespace gdi {

void ForgetTemporaryDc(HDC hdc)
{
    std::unique_ptr<CDC> doomed;
    {
        std::lock_guard<std::mutex> lock(MapLock());
        auto it = Temporary().find(hdc);
        if (it == Temporary().end())
            return;
        doomed = std::move(it->second);
        Temporary().erase(it);
    }
    doomed->m_hDC = doomed->m_hAttribDC = nullptr;
}

}  // namespace gdi

CDC::~CDC()
{
    if (m_hDC)
        ::DeleteDC(Detach());
}

HDC CDC::GetSafeHdc() const { return this ? m_hDC : nullptr; }

CDC* CDC::FromHandle(HDC hdc)
{
    if (!hdc)
        return nullptr;
    std::lock_guard<std::mutex> lock(MapLock());
    auto p = Permanent().find(hdc);
    if (p != Permanent().end())
        return p->second;
    auto& temp = Temporary()[hdc];
    if (!temp) {
        temp = std::make_unique<CDC>();
        temp->m_hDC = temp->m_hAttribDC = hdc;
    }
    return temp.get();
}

void CDC::DeleteTempMap()
{
    std::unordered_map<HDC, std::unique_ptr<CDC>> doomed;
    {
        std::lock_guard<std::mutex> lock(MapLock());
        doomed.swap(Temporary());
    }
    for (auto& entry : doomed)
        entry.second->m_hDC = entry.second->m_hAttribDC = nullptr;
}

BOOL CDC::Attach(HDC hdc)
{
    if (!hdc)
        return FALSE;
    m_hDC = m_hAttribDC = hdc;
    std::lock_guard<std::mutex> lock(MapLock());
    Permanent()[hdc] = this;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hdc = m_hDC;
    if (hdc) {
        std::lock_guard<std::mutex> lock(MapLock());
        auto p = Permanent().find(hdc);
        if (p != Permanent().end() && p->second == this)
            Permanent().erase(p);
    }
    m_hDC = m_hAttribDC = nullptr;
    return hdc;
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    return ::DeleteDC(Detach());
}

CGdiObject* CDC::SelectGdiObject(CGdiObject* object)
{
    if (!object || !object->m_hObject)
        return nullptr;
    return CGdiObject::FromHandle(::SelectObject(m_hDC, object->m_hObject));
}

int CDC::SelectObject(CRgn* region) { return ::SelectClipRgn(m_hDC, region ? (HRGN)region->m_hObject : nullptr); }

CGdiObject* CDC::SelectStockObject(int index)
{
    HGDIOBJ stock = ::GetStockObject(index);
    if (!stock)
        return nullptr;
    return CGdiObject::FromHandle(::SelectObject(m_hDC, stock));
}

CPalette* CDC::SelectPalette(CPalette* palette, BOOL background)
{
    if (!palette)
        return nullptr;
    return CPalette::FromHandle(::SelectPalette(m_hDC, (HPALETTE)palette->m_hObject, background));
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    POINT old{0, 0};
    ::SetBrushOrgEx(m_hDC, x, y, &old);
    return CPoint(old);
}

CPoint CDC::GetBrushOrg() const
{
    POINT p{0, 0};
    ::GetBrushOrgEx(m_hDC, &p);
    return CPoint(p);
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT old{0, 0};
    ::SetViewportOrgEx(m_hDC, x, y, &old);
    return CPoint(old);
}

CPoint CDC::OffsetViewportOrg(int dx, int dy)
{
    POINT old{0, 0};
    ::OffsetViewportOrgEx(m_hDC, dx, dy, &old);
    return CPoint(old);
}

CPoint CDC::GetViewportOrg() const
{
    POINT p{0, 0};
    ::GetViewportOrgEx(m_hDC, &p);
    return CPoint(p);
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT old{0, 0};
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return CPoint(old);
}

CPoint CDC::OffsetWindowOrg(int dx, int dy)
{
    POINT old{0, 0};
    ::OffsetWindowOrgEx(m_hDC, dx, dy, &old);
    return CPoint(old);
}

CPoint CDC::GetWindowOrg() const
{
    POINT p{0, 0};
    ::GetWindowOrgEx(m_hDC, &p);
    return CPoint(p);
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT old{0, 0};
    ::MoveToEx(m_hDC, x, y, &old);
    return CPoint(old);
}

CPoint CDC::GetCurrentPosition() const
{
    POINT p{0, 0};
    ::GetCurrentPositionEx(m_hDC, &p);
    return CPoint(p);
}

// The background colour is left at the fill colour, as the class library leaves it.
void CDC::FillSolidRect(LPCRECT rect, COLORREF colour)
{
    ::SetBkColor(m_hDC, colour);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF colour)
{
    RECT r{x, y, x + cx, y + cy};
    FillSolidRect(&r, colour);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight)
{
    Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx, y, -1, cy, bottomRight);
    FillSolidRect(x, y + cy, cx, -1, bottomRight);
}

CSize CDC::GetTextExtent(LPCTSTR text, int length) const
{
    SIZE s{0, 0};
    ::GetTextExtentPoint32A(m_hAttribDC ? m_hAttribDC : m_hDC, text, length, &s);
    return CSize(s);
}

CSize CDC::GetTabbedTextExtent(LPCTSTR text, int length, int tabCount, LPINT tabs) const
{
    DWORD d = ::GetTabbedTextExtentA(m_hDC, text, length, tabCount, tabs);
    return CSize(LOWORD(d), HIWORD(d));
}

int CDC::GetTextFace(CString& face) const
{
    int n = ::GetTextFaceA(m_hDC, 0, nullptr);
    if (n <= 0) {
        face.Empty();
        return 0;
    }
    std::vector<char> buffer((size_t)n + 1, 0);
    int got = ::GetTextFaceA(m_hDC, n + 1, buffer.data());
    face = CString(buffer.data());
    return got;
}
