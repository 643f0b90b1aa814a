// Cursors and icons: the stock cursors and those of the program's resources.

#include <map>
#include <set>

#include "kernel/path_map.h"
#include "kernel/resources.h"
#include "ui/wx_windows.h"

namespace {

// Each further initialisation would add every handler again, with a complaint for each on the terminal.
void InitImageHandlersOnce()
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_CUR))
        wxInitAllImageHandlers();
}

struct CursorRecord {
    wxCursor cursor;
};

struct IconRecord {
    wxIcon icon;
};

// The program's resource cursors and icons are kept for the process's lifetime: the maps are never destroyed,
// so that no record is freed after the window system has gone, and every record stays reachable.
std::map<uintptr_t, CursorRecord*>& g_resourceCursors = *new std::map<uintptr_t, CursorRecord*>;
std::map<uintptr_t, IconRecord*>& g_resourceIcons = *new std::map<uintptr_t, IconRecord*>;
HCURSOR g_current = nullptr;
// Icons and cursors loaded from files belong to their caller, who destroys them.
std::set<void*> g_loadedFromFiles;

bool IsStock(HCURSOR c) { return reinterpret_cast<uintptr_t>(c) >= 32512 && reinterpret_cast<uintptr_t>(c) <= 32700; }

wxStockCursor StockOf(uintptr_t id)
{
    switch (id) {
    case 32513: return wxCURSOR_IBEAM;
    case 32514: return wxCURSOR_WAIT;
    case 32515: return wxCURSOR_CROSS;
    case 32516: return wxCURSOR_POINT_LEFT;
    case 32642:
    case 32643: return id == 32642 ? wxCURSOR_SIZENWSE : wxCURSOR_SIZENESW;
    case 32644: return wxCURSOR_SIZEWE;
    case 32645: return wxCURSOR_SIZENS;
    case 32646: return wxCURSOR_SIZING;
    case 32648: return wxCURSOR_NO_ENTRY;
    case 32649: return wxCURSOR_HAND;
    case 32650: return wxCURSOR_ARROWWAIT;
    case 32651: return wxCURSOR_QUESTION_ARROW;
    default: return wxCURSOR_ARROW;
    }
}

bool LoadImageResource(LPCSTR name, LPCSTR type, wxBitmapType format, wxImage& out)
{
    HRSRC res = FindResource(nullptr, name, type);
    if (!res)
        return false;
    HGLOBAL data = LoadResource(nullptr, res);
    DWORD size = SizeofResource(nullptr, res);
    if (!data || !size)
        return false;
    InitImageHandlersOnce();
    wxMemoryInputStream in(LockResource(data), size);
    wxLogNull quiet;
    return out.LoadFile(in, format) && out.IsOk();
}

}  // namespace

wxCursor WxCursorOf(HCURSOR cursor)
{
    if (!cursor)
        return wxNullCursor;
    if (IsStock(cursor))
        return wxCursor(StockOf(reinterpret_cast<uintptr_t>(cursor)));
    return reinterpret_cast<CursorRecord*>(cursor)->cursor;
}

HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name)
{
    if (!instance && IS_INTRESOURCE(name))
        return reinterpret_cast<HCURSOR>(const_cast<char*>(name));
    uintptr_t key = IS_INTRESOURCE(name) ? reinterpret_cast<uintptr_t>(name) : std::hash<std::string>{}(name);
    auto it = g_resourceCursors.find(key);
    if (it != g_resourceCursors.end())
        return reinterpret_cast<HCURSOR>(it->second);
    wxImage img;
    if (!LoadImageResource(name, RT_CURSOR, wxBITMAP_TYPE_CUR, img))
        return nullptr;
    auto* rec = new CursorRecord{wxCursor(img)};
    g_resourceCursors[key] = rec;
    return reinterpret_cast<HCURSOR>(rec);
}

HCURSOR SetCursor(HCURSOR cursor)
{
    HCURSOR old = g_current;
    if (cursor == g_current)
        return old;
    g_current = cursor;
    if (wxTheApp)
        wxSetCursor(cursor && !(IsStock(cursor) && reinterpret_cast<uintptr_t>(cursor) == 32512) ? WxCursorOf(cursor)
                                                                                                 : wxNullCursor);
    return old;
}

HCURSOR GetCursor() { return g_current; }

int ShowCursor(BOOL show)
{
    static int count = 0;
    count += show ? 1 : -1;
    return count;
}

BOOL DestroyCursor(HCURSOR cursor)
{
    if (g_loadedFromFiles.erase(cursor))
        delete reinterpret_cast<CursorRecord*>(cursor);
    return TRUE;
}

HICON LoadIcon(HINSTANCE instance, LPCSTR name)
{
    if (!instance && IS_INTRESOURCE(name) && reinterpret_cast<uintptr_t>(name) >= 32512)
        return reinterpret_cast<HICON>(const_cast<char*>(name));
    uintptr_t key = IS_INTRESOURCE(name) ? reinterpret_cast<uintptr_t>(name) : std::hash<std::string>{}(name);
    auto it = g_resourceIcons.find(key);
    if (it != g_resourceIcons.end())
        return reinterpret_cast<HICON>(it->second);
    wxImage img;
    if (!LoadImageResource(name, RT_ICON, wxBITMAP_TYPE_ICO, img) &&
        !LoadImageResource(name, RT_GROUP_ICON, wxBITMAP_TYPE_ICO, img))
        return nullptr;
    auto* rec = new IconRecord;
    rec->icon.CopyFromBitmap(wxBitmap(img));
    g_resourceIcons[key] = rec;
    return reinterpret_cast<HICON>(rec);
}

BOOL DestroyIcon(HICON icon)
{
    if (g_loadedFromFiles.erase(icon))
        delete reinterpret_cast<IconRecord*>(icon);
    return TRUE;
}

wxIcon WxIconOf(HICON icon)
{
    if (!icon || reinterpret_cast<uintptr_t>(icon) < 0x10000)
        return wxNullIcon;
    return reinterpret_cast<IconRecord*>(icon)->icon;
}

HANDLE LoadImage(HINSTANCE instance, LPCSTR name, UINT type, int, int, UINT flags)
{
    if (!(flags & LR_LOADFROMFILE)) {
        if (type == IMAGE_BITMAP)
            return LoadBitmapA(instance, name);
        if (type == IMAGE_ICON)
            return LoadIcon(instance ? instance : AfxGetInstanceHandle(), name);
        if (type == IMAGE_CURSOR)
            return LoadCursor(instance ? instance : AfxGetInstanceHandle(), name);
        return nullptr;
    }
    if (!name || IS_INTRESOURCE(name))
        return nullptr;
    wxString path = wxString::FromUTF8(MapPath(name));
    if (type == IMAGE_BITMAP) {
        // A BMP file: the bitmap is made from its header and bits as they stand.
        wxFile file;
        if (!wxFileExists(path) || !file.Open(path))
            return nullptr;
        std::vector<unsigned char> data(file.Length());
        if (data.size() < 54 || file.Read(data.data(), data.size()) != (ssize_t)data.size() || data[0] != 'B' ||
            data[1] != 'M')
            return nullptr;
        // The file header (14 bytes) gives where the rows start; the DIB follows it.
        uint32_t offset = data[10] | (data[11] << 8) | (data[12] << 16) | ((uint32_t)data[13] << 24);
        if (offset < 14)
            return nullptr;
        return CreateBitmapFromDib(nullptr, data.data() + 14, data.size() - 14, offset - 14);
    }
    wxImage img;
    {
        wxLogNull quiet;
        InitImageHandlersOnce();
        if (!img.LoadFile(path, type == IMAGE_CURSOR ? wxBITMAP_TYPE_CUR : wxBITMAP_TYPE_ICO) || !img.IsOk())
            return nullptr;
    }
    if (type == IMAGE_CURSOR) {
        auto* cursor = new CursorRecord{wxCursor(img)};
        g_loadedFromFiles.insert(cursor);
        return reinterpret_cast<HANDLE>(cursor);
    }
    auto* rec = new IconRecord;
    rec->icon.CopyFromBitmap(wxBitmap(img));
    g_loadedFromFiles.insert(rec);
    return reinterpret_cast<HANDLE>(rec);
}
