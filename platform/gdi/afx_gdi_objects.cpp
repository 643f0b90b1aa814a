// CGdiObject and its kinds: handle attachment, the wrappers made for bare handles, and the creation helpers.
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "gdi/afxgdi.h"
#include "gdi/gdi_objects.h"
#include "gdi/gdi_wrappers.h"
#include "kernel/resources.h"

namespace {

std::mutex& MapLock()
{
    static std::mutex m;
    return m;
}

// Wrappers attached by their owners, and wrappers made by FromHandle for bare handles.
std::unordered_map<HGDIOBJ, CGdiObject*>& Permanent()
{
    static std::unordered_map<HGDIOBJ, CGdiObject*> m;
    return m;
}

std::unordered_map<HGDIOBJ, std::unique_ptr<CGdiObject>>& Temporary()
{
    static std::unordered_map<HGDIOBJ, std::unique_ptr<CGdiObject>> m;
    return m;
}

// Wrappers of stock objects live as long as the objects: callers keep them across message-loop turns.
std::unordered_map<HGDIOBJ, std::unique_ptr<CGdiObject>>& StockWrappers()
{
    static std::unordered_map<HGDIOBJ, std::unique_ptr<CGdiObject>> m;
    return m;
}

std::unique_ptr<CGdiObject> MakeWrapper(HGDIOBJ object)
{
    switch (GetObjectType(object)) {
    case OBJ_PEN: return std::make_unique<CPen>();
    case OBJ_BRUSH: return std::make_unique<CBrush>();
    case OBJ_FONT: return std::make_unique<CFont>();
    case OBJ_BITMAP: return std::make_unique<CBitmap>();
    case OBJ_PAL: return std::make_unique<CPalette>();
    case OBJ_REGION: return std::make_unique<CRgn>();
    default: return std::make_unique<CGdiObject>();
    }
}

}  // namespace

namespace gdi {

void ForgetTemporaryObject(HGDIOBJ object)
{
    std::unique_ptr<CGdiObject> doomed;
    {
        std::lock_guard<std::mutex> lock(MapLock());
        auto it = Temporary().find(object);
        if (it == Temporary().end())
            return;
        doomed = std::move(it->second);
        Temporary().erase(it);
    }
    doomed->m_hObject = nullptr;
}

}  // namespace gdi

CGdiObject::~CGdiObject() { DeleteObject(); }

HGDIOBJ CGdiObject::GetSafeHandle() const { return this ? m_hObject : nullptr; }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ object)
{
    if (!object)
        return nullptr;
    std::lock_guard<std::mutex> lock(MapLock());
    auto p = Permanent().find(object);
    if (p != Permanent().end())
        return p->second;
    std::shared_ptr<gdi::Object> target = gdi::Lookup(object);
    auto& temp = (target && target->stock) ? StockWrappers()[object] : Temporary()[object];
    if (!temp)
        temp = MakeWrapper(object);
    temp->m_hObject = object;  // a caller may have detached it
    return temp.get();
}

void CGdiObject::DeleteTempMap()
{
    std::unordered_map<HGDIOBJ, std::unique_ptr<CGdiObject>> doomed;
    {
        std::lock_guard<std::mutex> lock(MapLock());
        doomed.swap(Temporary());
    }
    for (auto& entry : doomed)
        entry.second->m_hObject = nullptr;  // temporary wrappers never delete the handle
}

BOOL CGdiObject::Attach(HGDIOBJ object)
{
    if (!object)
        return FALSE;
    m_hObject = object;
    std::lock_guard<std::mutex> lock(MapLock());
    Permanent()[object] = this;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ object = m_hObject;
    if (object) {
        std::lock_guard<std::mutex> lock(MapLock());
        auto p = Permanent().find(object);
        if (p != Permanent().end() && p->second == this)
            Permanent().erase(p);
    }
    m_hObject = nullptr;
    return object;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    return ::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int index) { return Attach(::GetStockObject(index)); }

CBrush::CBrush(CBitmap* bitmap) { CreatePatternBrush(bitmap); }

BOOL CBrush::CreatePatternBrush(CBitmap* bitmap)
{
    return bitmap ? Attach(::CreatePatternBrush((HBITMAP)bitmap->m_hObject)) : FALSE;
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* font, CDC* dc)
{
    if (!font)
        return FALSE;
    LOGFONT lf = *font;
    HDC hdc = dc ? dc->m_hAttribDC ? dc->m_hAttribDC : dc->m_hDC : nullptr;
    int dpi = hdc ? ::GetDeviceCaps(hdc, LOGPIXELSY) : 96;
    int height = dpi * lf.lfHeight / 720;
    lf.lfHeight = height < 0 ? height : -height;
    return CreateFontIndirect(&lf);
}

BOOL CFont::CreatePointFont(int pointSize, LPCTSTR faceName, CDC* dc)
{
    LOGFONT lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = pointSize;
    if (faceName) {
        for (int i = 0; i < LF_FACESIZE - 1 && faceName[i]; ++i)
            lf.lfFaceName[i] = faceName[i];
    }
    return CreatePointFontIndirect(&lf, dc);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    return Attach(::CreateCompatibleBitmap(dc ? dc->m_hDC : nullptr, width, height));
}

CSize CBitmap::GetBitmapDimension() const
{
    SIZE s{0, 0};
    ::GetBitmapDimensionEx((HBITMAP)m_hObject, &s);
    return CSize(s);
}

int CPalette::GetEntryCount()
{
    WORD count = 0;
    if (!::GetObject(m_hObject, sizeof count, &count))
        return 0;
    return count;
}

void GdiDeleteTempObjects()
{
    CGdiObject::DeleteTempMap();
    CDC::DeleteTempMap();
}

HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name)
{
    HRSRC resource = FindResource(instance, name, RT_BITMAP);
    if (!resource)
        return nullptr;
    HGLOBAL data = LoadResource(instance, resource);
    const void* bytes = LockResource(data);
    DWORD size = SizeofResource(instance, resource);
    if (!bytes)
        return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateBitmapFromDib(screen, bytes, size, PackedDibBitsOffset(bytes, size));
    ReleaseDC(nullptr, screen);
    return bitmap;
}
