// CRasterImage loading and saving: files, resources and the codec dispatch.
#include "imaging/raster_image.h"

#include <cstring>

#include "imaging/bmp_image.h"
#include "imaging/jpeg_image.h"
#include "kernel/path_map.h"
#include "kernel/resources.h"

namespace {

const char kUnsupported[] = "Unsupported operation for this format";

}  // namespace

bool CRasterImage::LoadFile(const char* path, int codecType)
{
    if (!path)
        return false;
    FILE* file = std::fopen(MapPath(path).c_str(), "rb");
    if (!file)
        return false;
    bool ok = Decode(file, codecType);
    std::fclose(file);
    return ok;
}

bool CRasterImage::SaveFile(const char* path, int codecType)
{
    if (!path)
        return false;
    FILE* file = std::fopen(MapPath(path).c_str(), "wb");
    if (!file)
        return false;
    bool ok = Encode(file, codecType);
    std::fclose(file);
    return ok;
}

bool CRasterImage::Decode(FILE* file, int codecType)
{
    CRasterImage* codec = nullptr;
    CBmpImage bmp;
    CJpegImage jpeg;
    if (codecType == RASTER_TYPE_BMP)
        codec = &bmp;
    else if (codecType == RASTER_TYPE_JPEG)
        codec = &jpeg;
    if (!codec) {
        SetLastError(kUnsupported);
        return false;
    }
    // A failed load keeps the caller's codec type, transparency and quality settings.
    int keptType = type, keptIndex = transparentIndex;
    BYTE keptQuality = quality;
    codec->Transfer(this);
    bool ok = codecType == RASTER_TYPE_BMP ? bmp.Decode(file) : jpeg.Decode(file);
    if (ok) {
        Transfer(codec);
        return true;
    }
    char text[sizeof(lastError)];
    std::memcpy(text, codec->lastError, sizeof(text));
    Destroy();
    std::memcpy(lastError, text, sizeof(lastError));
    type = keptType;
    transparentIndex = keptIndex;
    quality = keptQuality;
    return false;
}

bool CRasterImage::Encode(FILE* file, int codecType)
{
    CBmpImage bmp;
    CJpegImage jpeg;
    bool ok;
    if (codecType == RASTER_TYPE_BMP) {
        bmp.Ghost(this);
        ok = bmp.Encode(file);
        if (!ok)
            SetLastError(bmp.GetLastError());
    } else if (codecType == RASTER_TYPE_JPEG) {
        jpeg.Ghost(this);
        ok = jpeg.Encode(file);
        if (!ok)
            SetLastError(jpeg.GetLastError());
    } else {
        SetLastError(kUnsupported);
        return false;
    }
    return ok;
}

bool CRasterImage::LoadResource(UINT id, const char* resourceType, int codecType)
{
    HMODULE module = AfxGetResourceHandle();
    HRSRC found = ::FindResource(module, MAKEINTRESOURCE(id), resourceType);
    if (!found)
        return false;
    HGLOBAL loaded = ::LoadResource(module, found);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    DWORD size = ::SizeofResource(module, found);
    if (!data || size == 0)
        return false;
    // The resource bytes are decoded exactly as a file's would be.
    FILE* file = fmemopen(const_cast<void*>(data), size, "rb");
    if (!file)
        return false;
    bool ok = Decode(file, codecType);
    std::fclose(file);
    return ok;
}
