// impCopy and impSet over regions, channels of interest and masks.
#include "imp/impsce.h"

#include <algorithm>
#include <cstring>

#include "imp/impalloc.h"
#include "imp/imperror.h"
#include "imp/implogic.h"
#include "imp/ownrect.h"

static const char* kModule = "impsce";

namespace {

struct Region {
  char* start;
  int32_t rowStep, count, planeStep, bitOffset;
  bool planar;
  int32_t stride;  // elements between pixels
};

bool regionOf(const ImpHeader* im, Region* r) {
  if (!impRoiStart(im, &r->start, &r->rowStep, &r->count, &r->planeStep, &r->bitOffset)) return false;
  r->planar = im->dataOrder == 1;
  r->stride = r->planar ? 1 : im->channels;
  return true;
}

inline bool maskAt(const char* row, int64_t x) { return impGetBit(row, x); }

// Element copy or fill: each pixel's processed channels, under the mask when one is given.
template <typename T>
void elementRows(const Region* s, Region& d, const char* mStart, int32_t mStep, int32_t mBit, int32_t w, int32_t h,
                 T value) {
  int32_t planes = d.planar ? d.count : 1, per = d.planar ? 1 : d.count;
  for (int32_t p = 0; p < planes; ++p) {
    for (int32_t y = 0; y < h; ++y) {
      T* dr = (T*)(d.start + (int64_t)p * d.planeStep + (int64_t)y * d.rowStep);
      const T* sr = s ? (const T*)(s->start + (int64_t)p * s->planeStep + (int64_t)y * s->rowStep) : nullptr;
      const char* mr = mStart ? mStart + (int64_t)y * mStep : nullptr;
      if (!mr && d.stride == per && (!s || s->stride == per)) {
        if (sr) memmove(dr, sr, sizeof(T) * (size_t)w * per);
        else std::fill(dr, dr + (int64_t)w * per, value);
        continue;
      }
      for (int32_t x = 0; x < w; ++x) {
        if (mr && !maskAt(mr, mBit + x)) continue;
        for (int32_t n = per - 1; n >= 0; --n)
          dr[(int64_t)x * d.stride + n] = sr ? sr[(int64_t)x * s->stride + n] : value;
      }
    }
  }
}

void dispatchBits(int32_t bits, const Region* s, Region& d, const char* m, int32_t mStep, int32_t mBit, int32_t w,
                  int32_t h, int32_t value) {
  if (bits == 8) elementRows<uint8_t>(s, d, m, mStep, mBit, w, h, (uint8_t)value);
  else if (bits == 16) elementRows<uint16_t>(s, d, m, mStep, mBit, w, h, (uint16_t)value);
  else elementRows<uint32_t>(s, d, m, mStep, mBit, w, h, (uint32_t)value);
}

}  // namespace

void impCopy(ImpHeader* src, ImpHeader* dst) {
  const char* fn = "impCopy";
  if (impCheckImage(src)) { impRaiseError(impGetStatus(), fn, "Incorrect Image", kModule, 61); return; }
  if (impCheckImage(dst)) { impRaiseError(impGetStatus(), fn, "Incorrect Image", kModule, 62); return; }
  if (src->depth != dst->depth) impRaiseError(-5, fn, "srcImage->depth != dstImage->depth", kModule, 63);
  if (src->origin != dst->origin) impRaiseError(-5, fn, "srcImage->origin != dstImage->origin", kModule, 63);
  if (src->depth != 1 && !(src->channels == 1 && dst->channels == 1) && src->dataOrder != dst->dataOrder)
    impRaiseError(-5, fn, "srcImage->dataOrder != dstImage->dataOrder", kModule, 63);
  if (impGetStatus() < 0) return;
  if (src == dst) return;
  if (src->tileInfo || dst->tileInfo) { impRaiseError(-6, fn, "Tiled images are not copied", kModule, 240); return; }

  ImpHeader* mask = dst->maskImage ? dst->maskImage : src->maskImage;
  ImpHeader* both = nullptr;
  if (dst->maskImage && src->maskImage && dst->maskImage != src->maskImage) {
    int32_t mh, mw;
    if (!impRoiSize2(src->maskImage, dst->maskImage, &mh, &mw, 1) || mh < 1 || mw < 1) return;
    both = impCreateImageHeader(1, 0, 1, "GRAY", "G   ", 1, src->maskImage->origin, 4, mw, mh, nullptr, nullptr,
                                nullptr, nullptr);
    if (both) impAllocateImage(both, 0, 0);
    if (!both || !both->imageData || impGetStatus() < 0) {
      impReleaseImageParts(both, 31);
      if (impGetStatus() >= 0) impSetStatus(IMP_StsNoMem);
      impRaiseError(-1, fn, "", kModule, 72);
      return;
    }
    impAnd(src->maskImage, dst->maskImage, both);
    if (impGetStatus() < 0) {
      impReleaseImageParts(both, 31);
      impRaiseError(-1, fn, "", kModule, 77);
      return;
    }
    mask = both;
  }
  auto done = [&] { impReleaseImageParts(both, 31); };
  int32_t h, w;
  if (!impRoiSize3(src, dst, mask, &h, &w, 1) || h < 1 || w < 1) return done();

  if (mask && dst->depth == 1) {
    ImpHeader* t = impCreateImageHeader(1, 0, 1, "GRAY", "G", mask->dataOrder, mask->origin, mask->alignment, w, h,
                                        nullptr, nullptr, nullptr, nullptr);
    if (t) impAllocateImage(t, 0, 0);
    if (!t || !t->imageData) {
      impReleaseImageParts(t, 3);
      if (impGetStatus() >= 0) impSetStatus(IMP_StsNoMem);
      impRaiseError(-1, fn, "", kModule, 118);
      return done();
    }
    ImpHeader *srcMask = src->maskImage, *dstMask = dst->maskImage, *maskMask = mask->maskImage;
    mask->maskImage = nullptr;
    impCopy(mask, t);
    mask->maskImage = maskMask;
    dst->maskImage = t;
    impSet(dst, 0);
    dst->maskImage = nullptr;
    src->maskImage = nullptr;
    impAnd(src, t, t);
    impOr(dst, t, dst);
    src->maskImage = srcMask;
    dst->maskImage = dstMask;
    impReleaseImageParts(t, 3);
    if (impGetStatus() < 0) impRaiseError(-1, fn, "", kModule, 118);
    return done();
  }

  Region s, d;
  char* mStart = nullptr;
  int32_t mStep = 0, mBit = 0;
  if (!regionOf(src, &s) || !regionOf(dst, &d)) return done();
  if (mask && !impRoiStartBits(mask, &mStart, &mStep, &mBit)) return done();
  if (s.count != d.count) {
    impRaiseError(-5, fn, "Number of processed channels of srcImage != Number of processed channels of dstImage",
                  kModule, 281);
    return done();
  }
  int32_t bits = impDepthBits(dst->depth);
  if (bits == 1) {
    impCopyBits1uXor((const unsigned char*)s.start, (unsigned char*)d.start, s.bitOffset, d.bitOffset, w, h,
                     s.rowStep, d.rowStep, 0);
  } else {
    dispatchBits(bits, &s, d, mStart, mStep, mBit, w, h, 0);
  }
  done();
}

void impSet(ImpHeader* image, int32_t value) {
  const char* fn = "impSet";
  if (impCheckImage(image)) { impRaiseError(impGetStatus(), fn, "Incorrect Image", kModule, 395); return; }
  if (image->depth == 32) { impRaiseError(-17, fn, "You should use impSetFP for this image", kModule, 397); return; }
  value = impClampToDepth(image->depth, value);
  int32_t h, w;
  if (!impRoiSize2(image, image->maskImage, &h, &w, 1) || h < 1 || w < 1) return;
  if (image->tileInfo) { impRaiseError(-6, fn, "Tiled images are not filled", kModule, 500); return; }
  ImpHeader* mask = image->maskImage;
  if (mask && image->depth == 1) {
    image->maskImage = nullptr;
    if (value) {
      impOr(image, mask, image);
    } else {
      impXorS(mask, mask, 1);
      impAnd(image, mask, image);
      impXorS(mask, mask, 1);
    }
    image->maskImage = mask;
    if (impGetStatus() < 0) impRaiseError(-1, fn, "", kModule, 433);
    return;
  }
  Region d;
  char* mStart = nullptr;
  int32_t mStep = 0, mBit = 0;
  if (!regionOf(image, &d)) return;
  if (mask && !impRoiStartBits(mask, &mStart, &mStep, &mBit)) return;
  int32_t bits = impDepthBits(image->depth);
  if (bits == 1) {
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) impPutBit(d.start + (int64_t)y * d.rowStep, d.bitOffset + x, value & 1);
  } else {
    dispatchBits(bits, nullptr, d, mStart, mStep, mBit, w, h, value);
  }
}
