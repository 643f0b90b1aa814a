// Row routines and the checked driver shared by impAnd, impOr and impXorS.
#pragma once

#include <algorithm>

#include "imp/impalloc.h"
#include "imp/imperror.h"
#include "imp/implogic.h"
#include "imp/implogic_frame.h"
#include "imp/implogic_rows.h"
#include "imp/implogic_walk.h"

namespace implogic {

// Source byte that lines up with destination byte i (source offset s, destination offset sD, width bits wanted).
inline unsigned char alignedByte(const unsigned char* row, int32_t s, int32_t sD, int32_t i, int32_t width)
{
    if (s == sD)
        return row[i];
    if (s < sD) {
        int32_t shift = sD - s;
        if (i == 0)
            return (unsigned char)(row[0] >> shift);
        return (unsigned char)((((unsigned)row[i - 1] << 8) | row[i]) >> shift);
    }
    int32_t shift = s - sD;
    bool next = 8 * (i + 1) <= s + width - 1;
    return (unsigned char)(((((unsigned)row[i] << 8) | (next ? row[i + 1] : 0)) << shift) >> 8);
}

// Bit kernel: destination bits sD .. sD + width - 1 of each row become A op B (or A op pattern bit).
template <typename Op>
void bits1u(const unsigned char* a, const unsigned char* b, unsigned char* d, int32_t sA, int32_t sB, int32_t sD,
            int32_t width, int32_t height, int64_t stepA, int64_t stepB, int64_t stepD, unsigned char pattern)
{
    if (width <= 0 || height <= 0)
        return;
    int32_t last = sD + width - 1, n = last / 8;
    unsigned char S = (unsigned char)(0xFF >> sD), E = (unsigned char)(0xFF << (7 - (last & 7)));
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t i = 0; i <= n; ++i) {
            unsigned char va = alignedByte(a, sA, sD, i, width);
            unsigned char vb = b ? alignedByte(b, sB, sD, i, width) : pattern;
            unsigned char v = Op::apply(va, vb);
            unsigned char m = 0xFF;
            if (i == 0)
                m &= S;
            if (i == n)
                m &= E;
            d[i] = (unsigned char)((d[i] & ~m) | (v & m));
        }
        a += stepA;
        if (b)
            b += stepB;
        d += stepD;
    }
}

inline bool maskBit(const unsigned char* row, int64_t x) { return (row[x >> 3] >> (7 - (x & 7))) & 1; }

// Masked 1-bit routine, bit by bit.
template <typename Op>
void bits1uMasked(const ImpHeader* A, const ImpHeader* B, ImpHeader* D, const ImpHeader* M, bool patternBit)
{
    int32_t wa, ha, wb = INT32_MAX, hb = INT32_MAX, wd, hd, wm, hm, sA, sB = 0, sD, sM;
    const unsigned char* pa = (const unsigned char*)impLogicRoiStart(A, &wa, &ha, 0, &sA);
    const unsigned char* pb = B ? (const unsigned char*)impLogicRoiStart(B, &wb, &hb, 0, &sB) : nullptr;
    unsigned char* pd = (unsigned char*)impLogicRoiStart(D, &wd, &hd, 0, &sD);
    const unsigned char* pm = (const unsigned char*)impLogicRoiStart(M, &wm, &hm, 0, &sM);
    int32_t w = std::min({wa, wb, wd, wm}), h = std::min({ha, hb, hd, hm});
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            if (!maskBit(pm, sM + x))
                continue;
            bool v = Op::template apply<unsigned>(maskBit(pa, sA + x), pb ? maskBit(pb, sB + x) : patternBit) & 1;
            unsigned char bit = (unsigned char)(0x80 >> ((sD + x) & 7));
            if (v)
                pd[(sD + x) >> 3] |= bit;
            else
                pd[(sD + x) >> 3] &= (unsigned char)~bit;
        }
        pa += A->widthStep;
        if (pb)
            pb += B->widthStep;
        pd += D->widthStep;
        pm += M->widthStep;
    }
}

// Element routine for 8, 16 and 32-bit depths, masked or not; B null means the constant pattern.
template <typename T, typename Op>
void elements(const ImpHeader* A, const ImpHeader* B, ImpHeader* D, const ImpHeader* M, int32_t fA, int32_t fB,
              int32_t fD, int32_t nch, T pattern)
{
    // The constant repeated over 32 bits: rows start on element boundaries, so byte runs keep its order.
    const uint32_t wide = sizeof(T) == 1   ? (uint32_t)pattern * 0x01010101u
                          : sizeof(T) == 2 ? (uint32_t)pattern * 0x00010001u
                                           : (uint32_t)pattern;
    bool planar = D->dataOrder == 1;
    int32_t planes = planar ? nch : 1, per = planar ? 1 : nch;
    int32_t cA = planar ? 1 : A->channels, cB = planar || !B ? 1 : B->channels, cD = planar ? 1 : D->channels;
    for (int32_t p = 0; p < planes; ++p) {
        int32_t wa, ha, wb = INT32_MAX, hb = INT32_MAX, wd, hd, wm = INT32_MAX, hm = INT32_MAX, bit, sM = 0;
        const char* pa = impLogicRoiStart(A, &wa, &ha, fA + (planar ? p : 0), &bit);
        const char* pb = B ? impLogicRoiStart(B, &wb, &hb, fB + (planar ? p : 0), &bit) : nullptr;
        char* pd = impLogicRoiStart(D, &wd, &hd, fD + (planar ? p : 0), &bit);
        const unsigned char* pm = M ? (const unsigned char*)impLogicRoiStart(M, &wm, &hm, 0, &sM) : nullptr;
        int32_t w = std::min({wa, wb, wd, wm}), h = std::min({ha, hb, hd, hm});
        bool flat = !pm && cA == per && cD == per && (!B || cB == per);
        for (int32_t y = 0; y < h; ++y) {
            const T* a = (const T*)(pa + (int64_t)y * A->widthStep);
            const T* b = B ? (const T*)(pb + (int64_t)y * B->widthStep) : nullptr;
            T* d = (T*)(pd + (int64_t)y * D->widthStep);
            if (flat) {
                bytes<Op>((const unsigned char*)a, (const unsigned char*)b, (unsigned char*)d,
                          (int64_t)w * per * (int64_t)sizeof(T), wide);
                continue;
            }
            const unsigned char* mrow = pm ? pm + (int64_t)y * M->widthStep : nullptr;
            for (int32_t x = 0; x < w; ++x) {
                if (mrow && !maskBit(mrow, sM + x))
                    continue;
                for (int32_t n = 0; n < per; ++n)
                    d[(int64_t)x * cD + n] = Op::apply(a[(int64_t)x * cA + n], b ? b[(int64_t)x * cB + n] : pattern);
            }
        }
    }
}

// Two equally shaped whole images (row padding included) as one run of bytes.
template <typename Op>
void whole(const ImpHeader* A, const ImpHeader* B, ImpHeader* D, uint32_t pattern)
{
    bytes<Op>((const unsigned char*)A->imageData, B ? (const unsigned char*)B->imageData : nullptr,
              (unsigned char*)D->imageData, D->imageSize, pattern);
}

// The checked two-image operation; names and lines as every caller reports them.
template <typename Op>
void binary(ImpHeader* A, ImpHeader* B, ImpHeader* D, const char* fn, const char* module)
{
    if (impCheckImage(A)) {
        impRaiseError(impGetStatus(), fn, "Incorrect Image", module, 1598);
        return;
    }
    if (impCheckImage(B)) {
        impRaiseError(impGetStatus(), fn, "Incorrect Image", module, 1599);
        return;
    }
    if (impCheckImage(D)) {
        impRaiseError(impGetStatus(), fn, "Incorrect Image", module, 1600);
        return;
    }
    if (A->depth != D->depth) {
        impRaiseError(-5, fn, "(srcImageA->depth != dstImage->depth)", module, 1602);
        return;
    }
    if (D->depth != B->depth) {
        impRaiseError(-5, fn, "(srcImageB->depth != dstImage->depth)", module, 1603);
        return;
    }
    if (A->depth != 1 && A->dataOrder != D->dataOrder) {
        impRaiseError(-5, fn, "(srcImageA->dataOrder != dstImage->dataOrder)", module, 1606);
        return;
    }
    if (A->depth != 1 && D->dataOrder != B->dataOrder) {
        impRaiseError(-5, fn, "(srcImageB->dataOrder != dstImage->dataOrder)", module, 1607);
        return;
    }
    int32_t nA = impLogicChannels(A), nB = impLogicChannels(B), nD = impLogicChannels(D);
    if (nA != nD) {
        impRaiseError(-5, fn, "(nChSrcA != nChDst)", module, 1642);
        return;
    }
    if (nB != nD) {
        impRaiseError(-5, fn, "(nChSrcB != nChDst)", module, 1643);
        return;
    }
    int32_t code;
    ImpHeader* mask = impLogicCombineMasks(A->maskImage, B->maskImage, D->maskImage, &code);
    if (code == 3)
        return;
    if (code == 2) {
        impRaiseError(-4, fn, "Out of memory", module, 1651);
        return;
    }
    auto freeMask = [&] {
        if (code == 1)
            impReleaseImageParts(mask, 3);
    };
    if (D->depth == 32) {
        freeMask();
        impRaiseError(-5, fn, "This function does not support depth 32F", module, 1671);
        return;
    }
    bool anyAlpha = A->alphaIndex || B->alphaIndex || D->alphaIndex;
    int32_t bits = impDepthBits(D->depth);
    int32_t fA = impLogicFirstChannel(A), fB = impLogicFirstChannel(B), fD = impLogicFirstChannel(D);
    auto routine = [&](ImpHeader* a, ImpHeader* b, ImpHeader* d, ImpHeader* m) {
        if (!m && impLogicIsWholeImage(a, d, anyAlpha) && impLogicIsWholeImage(b, d, anyAlpha)) {
            whole<Op>(a, b, d, 0);
        } else if (bits == 1) {
            if (m) {
                bits1uMasked<Op>(a, b, d, m, false);
            } else {
                int32_t wa, ha, wb, hb, wd, hd, sA, sB, sD;
                const unsigned char* pa = (const unsigned char*)impLogicRoiStart(a, &wa, &ha, 0, &sA);
                const unsigned char* pb = (const unsigned char*)impLogicRoiStart(b, &wb, &hb, 0, &sB);
                unsigned char* pd = (unsigned char*)impLogicRoiStart(d, &wd, &hd, 0, &sD);
                bits1u<Op>(pa, pb, pd, sA, sB, sD, std::min({wa, wb, wd}), std::min({ha, hb, hd}), a->widthStep,
                           b->widthStep, d->widthStep, 0);
            }
        } else if (bits == 8) {
            elements<uint8_t, Op>(a, b, d, m, fA, fB, fD, nA, 0);
        } else if (bits == 16) {
            elements<uint16_t, Op>(a, b, d, m, fA, fB, fD, nA, 0);
        } else {
            elements<uint32_t, Op>(a, b, d, m, fA, fB, fD, nA, 0);
        }
    };
    if (A->tileInfo || B->tileInfo || D->tileInfo) {
        static const ImpLogicTileText texts[3] = {
            {"(srcImageA->tileInfo->tileData == ((void*)(0)))", 1758, 1850},
            {"(srcImageB->tileInfo->tileData == ((void*)(0)))", 1779, 1876},
            {"(dstImage->tileInfo->tileData == ((void*)(0)))", 1802, 1898},
        };
        impLogicWalk(A, B, D, mask, routine, fn, module, texts);
    } else {
        routine(A, B, D, mask);
    }
    freeMask();
}

}  // namespace implogic
