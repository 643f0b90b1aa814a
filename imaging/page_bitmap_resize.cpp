// CPageBitmap resize through the image library's linear resampler.
#include "imaging/page_bitmap.h"
#include "imp/impalloc.h"
#include "imp/imperror.h"
#include "imp/impgeom.h"

int CPageBitmap::ResizeLinear(int width, int height) { return ResizeWithImp(this, width, height, 2); }

int CPageBitmap::ResizeWithImp(CPageBitmap* page, int width, int height, int mode)
{
    if (!page || page->bitmap.width == 0 || !(page->bitmap.flags & IMAGELIB_ALLOCATED))
        return 0;
    if (width == page->bitmap.width && height == page->bitmap.height)
        return 1;
    page->BeginAccess();
    int r = ResizeImpCore(page, width, height, mode);
    page->EndAccess();
    return r;
}

ImpHeader* CPageBitmap::MakeImpHeader(const ImageLibBitmap& record)
{
    int bpp = record.bitsPerPixel;
    int channels = bpp <= 8 ? 1 : bpp / 8;
    const char* model = bpp == 8 ? "GRAY" : "RGB";
    const char* sequence = record.colorOrder == 0 ? "RGB" : record.colorOrder == 1 ? "BGR" : "GRAY";
    bool swapped = record.orientation == 4 || record.orientation == 8;
    ImpHeader* h = impCreateImageHeader(channels, 0, IMP_DEPTH_8U, model, sequence, 0, record.orientation != 0 ? 1 : 0,
                                        4, swapped ? record.height : record.width,
                                        swapped ? record.width : record.height, nullptr, nullptr, nullptr, nullptr);
    if (!h)
        return nullptr;
    h->imageData = (char*)record.pixels;
    h->rawData = (char*)record.pixels;
    return h;
}

int CPageBitmap::ResizeImpCore(CPageBitmap* page, int width, int height, int mode)
{
    if (width < 1 || height < 1)
        return -11;
    int interpolate = mode == 2 ? IMP_INTER_LINEAR : IMP_INTER_NN;
    ImageLibBitmap dest;
    ImageLibInitBitmap(&dest, page->bitmap.bitsPerPixel);
    int32_t savedMode = impGetReportMode();
    impSetReportMode(2);
    int result = -1;
    ImpHeader* srcHeader = MakeImpHeader(page->bitmap);
    ImpHeader* dstHeader = nullptr;
    // The header leaves out the bitmap's last row; a one-row picture leaves nothing to scale from.
    if (srcHeader && srcHeader->height > 1) {
        srcHeader->height -= 1;
        srcHeader->imageSize -= srcHeader->widthStep;
        if (ImageLibAllocateBitmap(&dest, width, height, page->bitmap.bitsPerPixel, page->bitmap.colorOrder,
                                   page->bitmap.orientation) == 1) {
            dstHeader = MakeImpHeader(dest);
            if (dstHeader) {
                impSetStatus(0);
                impResize(srcHeader, dstHeader, width, srcHeader->width, height, srcHeader->height, interpolate);
                result = impGetStatus() == 0 ? 1 : 0;
            }
        }
    } else if (srcHeader) {
        result = 0;
    }
    if (result == 1) {
        ImageLibFreeBitmap(&page->bitmap);
        ImageLibHandOverBitmap(&page->bitmap, &dest);
    } else {
        ImageLibFreeBitmap(&dest);
    }
    if (srcHeader)
        impReleaseImageParts(srcHeader, 1);
    if (dstHeader)
        impReleaseImageParts(dstHeader, 1);
    impSetReportMode(savedMode);
    return result;
}
