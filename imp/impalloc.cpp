// Header creation, validation, pixel allocation and release of the image library.
#include "imp/impalloc.h"

#include <cstdlib>
#include <cstring>

#include "imp/imperror.h"

static const char* kModule = "impalloc";

static bool validDepth(int32_t depth)
{
    switch ((uint32_t)depth) {
    case 1:
    case 8:
    case 16:
    case 32:
    case 0x80000008u:
    case 0x80000010u:
    case 0x80000020u: return true;
    default: return false;
    }
}

// Row step and image size in 64 bits; false when either leaves the 32-bit range.
static bool computeSizes(int32_t dataOrder, int32_t depth, int32_t alignment, int32_t channels, int32_t width,
                         int32_t height, int32_t* widthStep, int32_t* imageSize)
{
    int64_t bits = impDepthBits(depth);
    int64_t a8 = 8 * (int64_t)alignment;
    int64_t rowBits = (int64_t)width * bits * (dataOrder == 0 ? channels : 1);
    int64_t step = ((rowBits + a8 - 1) & ~(a8 - 1)) / 8;
    int64_t size = step * height * (dataOrder == 0 ? 1 : channels);
    if (step > INT32_MAX || size > INT32_MAX)
        return false;
    *widthStep = (int32_t)step;
    *imageSize = (int32_t)size;
    return true;
}

int32_t impRowStep(int32_t dataOrder, int32_t depth, int32_t alignment, int32_t channels, int32_t width)
{
    int32_t step, size;
    if (alignment < 1 || !computeSizes(dataOrder, depth, alignment, channels, width, 1, &step, &size))
        return -1;
    return step;
}

// The shared validation rules; colour texts are checked only when asked.
static int32_t validateFields(int32_t channels, int32_t alphaIndex, int32_t depth, bool textsMissing, int32_t dataOrder,
                              int32_t origin, int32_t alignment, int32_t width, int32_t height, const ImpHeader* mask)
{
    if (width < 1 || height < 1)
        return -10;
    if (channels < 1)
        return -15;
    if (channels != 1 && depth == 1)
        return -16;
    if (textsMissing)
        return -14;
    if (!validDepth(depth))
        return -17;
    if (alphaIndex != 0 && alphaIndex != channels)
        return -18;
    if (dataOrder != 0 && dataOrder != 1)
        return -19;
    if (origin != 0 && origin != 1)
        return -20;
    if (alignment != 4 && alignment != 8 && alignment != 16 && alignment != 32)
        return -21;
    if (mask) {
        if (mask->depth != 1)
            return -117;
        if (mask->tileInfo)
            return -26;
        int32_t r = impCheckImage(mask);
        if (r != 0)
            return r - 100;
    }
    return 0;
}

int32_t impCheckImage(const ImpHeader* image)
{
    int32_t status = 0;
    if (!image)
        status = -9;
    else if ((image->imageData == nullptr) == (image->tileInfo == nullptr))
        status = -12;
    else if (!image->tileInfo && image->imageSize < 1)
        status = -10;
    else if (!image->tileInfo && image->widthStep < 1)
        status = -13;
    if (status == 0)
        status = validateFields(image->channels, image->alphaIndex, image->depth, false, image->dataOrder,
                                image->origin, image->alignment, image->width, image->height, image->maskImage);
    if (status == 0 && image->tileInfo) {
        const ImpTileSpec* t = image->tileInfo;
        if (!t->callBack)
            status = -22;
        else if (t->width < 1 || t->height < 1 || t->width % 8 || t->height % 8)
            status = -23;
    }
    if (status == 0 && image->roi) {
        const ImpRoiRecord* r = image->roi;
        if (r->coi < 0 || r->coi > image->channels)
            status = -24;
        else if (r->height < 1 || r->width < 1)
            status = -25;
        else if (r->offsetX < 0 || r->offsetY < 0)
            status = -11;
    }
    if (status != 0)
        impSetStatus(status);
    return status;
}

ImpHeader* impCreateImageHeader(int32_t channels, int32_t alphaIndex, int32_t depth, const char* colorModel,
                                const char* channelSequence, int32_t dataOrder, int32_t origin, int32_t alignment,
                                int32_t width, int32_t height, ImpRoiRecord* roi, ImpHeader* maskImage, void* userTag,
                                ImpTileSpec* tileInfo)
{
    int32_t status = validateFields(channels, alphaIndex, depth, !colorModel || !channelSequence, dataOrder, origin,
                                    alignment, width, height, maskImage);
    if (status != 0) {
        impRaiseError(status, "impCreateImageHeader", "Incorrect data-ins", kModule, 148);
        return nullptr;
    }
    int32_t widthStep, imageSize;
    if (!computeSizes(dataOrder, depth, alignment, channels, width, height, &widthStep, &imageSize)) {
        impRaiseError(-10, "impCreateImageHeader", "Image size exceeds 32 bits", kModule, 148);
        return nullptr;
    }
    ImpHeader* h = static_cast<ImpHeader*>(impAlignedMalloc(sizeof(ImpHeader)));
    if (!h) {
        impRaiseError(IMP_StsNoMem, "impCreateImageHeader", "Out of memory", kModule, 150);
        return nullptr;
    }
    memset(h, 0, sizeof(ImpHeader));
    h->headerSize = IMP_HEADER_SIZE;
    h->headerId = 0;
    h->channels = channels;
    h->alphaIndex = alphaIndex;
    h->depth = depth;
    // Copy up to four characters, stopping at the text's end and padding with zeros.
    for (int i = 0, end = 0; i < 4; ++i) {
        if (!end && colorModel[i] == 0)
            end = 1;
        h->colorModel[i] = end ? 0 : colorModel[i];
    }
    for (int i = 0, end = 0; i < 4; ++i) {
        if (!end && channelSequence[i] == 0)
            end = 1;
        h->channelSequence[i] = end ? 0 : channelSequence[i];
    }
    h->dataOrder = dataOrder;
    h->origin = origin;
    h->alignment = alignment;
    h->width = width;
    h->height = height;
    h->roi = roi;
    h->maskImage = maskImage;
    h->userTag = userTag;
    h->tileInfo = tileInfo;
    h->widthStep = widthStep;
    h->imageSize = imageSize;
    impSetImageBorder(h, 0, 15, 0);
    return h;
}

void impAllocateImage(ImpHeader* image, int32_t doFill, int32_t fillValue)
{
    const char* fn = "impAllocateImage";
    if (!image) {
        impRaiseError(-5, fn, "( image == ((void *)0) )", kModule, 256);
        return;
    }
    if (image->imageData) {
        impRaiseError(-5, fn, "( image->imageData != ((void *)0) )", kModule, 257);
        return;
    }
    if (image->tileInfo) {
        impRaiseError(-5, fn, "( image->tileInfo != ((void *)0) )", kModule, 258);
        return;
    }
    if (image->depth == 32) {
        impRaiseError(-5, fn, "( image->depth == 32 )", kModule, 259);
        return;
    }
    int32_t status = validateFields(image->channels, image->alphaIndex, image->depth, false, image->dataOrder,
                                    image->origin, image->alignment, image->width, image->height, image->maskImage);
    if (status != 0) {
        impRaiseError(status, fn, "Incorrect data-ins", kModule, 269);
        return;
    }
    int32_t widthStep, imageSize;
    if (!computeSizes(image->dataOrder, image->depth, image->alignment, image->channels, image->width, image->height,
                      &widthStep, &imageSize)) {
        impRaiseError(-10, fn, "Image size exceeds 32 bits", kModule, 271);
        return;
    }
    char* raw = static_cast<char*>(malloc((size_t)image->alignment + (size_t)imageSize - 1));
    if (!raw) {
        image->rawData = nullptr;
        image->imageData = nullptr;
        impRaiseError(IMP_StsNoMem, fn, "Out of memory", kModule, 273);
        return;
    }
    uintptr_t a = (uintptr_t)image->alignment;
    image->rawData = raw;
    image->imageData = (char*)(((uintptr_t)raw + a - 1) & ~(a - 1));
    image->imageSize = imageSize;
    image->widthStep = widthStep;
    if (doFill)
        impFillImageData(image, doFill, fillValue, impDepthBits(image->depth));
}

void impFillImageData(ImpHeader* image, int32_t doFill, int32_t fillValue, int32_t bits)
{
    if (!doFill || !image || !image->imageData)
        return;
    uint32_t word;
    switch (bits) {
    case 1: word = (fillValue & 1) ? 0xFFFFFFFFu : 0; break;
    case 8: word = ((uint32_t)fillValue & 0xFF) * 0x01010101u; break;
    case 16: word = ((uint32_t)fillValue & 0xFFFF) * 0x00010001u; break;
    default: word = (uint32_t)fillValue; break;
    }
    for (int32_t i = 0; i + 4 <= image->imageSize; i += 4)
        memcpy(image->imageData + i, &word, 4);
}

void impReleaseImageParts(ImpHeader* image, int32_t flags)
{
    if (!image)
        return;
    if ((flags & IMP_RELEASE_ROI) && image->roi) {
        impAlignedFree(image->roi);
        image->roi = nullptr;
    }
    if ((flags & IMP_RELEASE_MASK) && image->maskImage) {
        impReleaseImageParts(image->maskImage, 15);
        image->maskImage = nullptr;
    }
    if ((flags & IMP_RELEASE_TILE) && image->tileInfo) {
        impAlignedFree(image->tileInfo);
        image->tileInfo = nullptr;
    }
    if ((flags & IMP_RELEASE_DATA) && image->rawData) {
        free(image->rawData);
        image->rawData = nullptr;
        image->imageData = nullptr;
    }
    if (flags & IMP_RELEASE_HEADER)
        impAlignedFree(image);
}

void impFreeHeader(ImpHeader* image) { impReleaseImageParts(image, IMP_RELEASE_HEADER); }

ImpRoiRecord* impAllocateRoi(int32_t coi, int32_t offsetX, int32_t offsetY, int32_t width, int32_t height)
{
    ImpRoiRecord* roi = static_cast<ImpRoiRecord*>(impAlignedMalloc(sizeof(ImpRoiRecord)));
    if (!roi) {
        impRaiseError(IMP_StsNoMem, "impAllocateRoi", "Out of memory", kModule, 330);
        return nullptr;
    }
    impFillRoi(roi, coi, offsetX, offsetY, width, height);
    return roi;
}

void impFillRoi(ImpRoiRecord* roi, int32_t coi, int32_t offsetX, int32_t offsetY, int32_t width, int32_t height)
{
    if (!roi)
        return;
    roi->coi = coi;
    roi->offsetX = offsetX;
    roi->offsetY = offsetY;
    roi->width = width;
    roi->height = height;
}

int32_t impClampToDepth(int32_t depth, int32_t value)
{
    int32_t lo, hi;
    switch ((uint32_t)depth) {
    case 1:
        lo = 0;
        hi = 1;
        break;
    case 8:
        lo = 0;
        hi = 255;
        break;
    case 0x80000008u:
        lo = -128;
        hi = 127;
        break;
    case 16:
        lo = 0;
        hi = 65535;
        break;
    case 0x80000010u:
        lo = -32768;
        hi = 32767;
        break;
    default: return value;
    }
    return value < lo ? lo : value > hi ? hi : value;
}

void impSetImageBorder(ImpHeader* image, int32_t kind, int32_t sides, int32_t value)
{
    if (!image)
        return;
    int32_t v = impClampToDepth(image->depth, value);
    for (int i = 0; i < 4; ++i) {
        if (sides & (1 << i)) {
            image->borderKind[i] = kind;
            image->borderValue[i] = v;
        }
    }
}
