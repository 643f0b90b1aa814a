// impXorS: bitwise exclusive-or of an image with a constant.
#include "imp/implogic_ops.h"

void impXorS(ImpHeader* srcImage, ImpHeader* dstImage, int32_t value)
{
    const char* fn = "impXorS";
    const char* module = "impxors";
    ImpHeader *S = srcImage, *D = dstImage;
    if (impCheckImage(S)) {
        impRaiseError(impGetStatus(), fn, "Incorrect Image", module, 1092);
        return;
    }
    if (impCheckImage(D)) {
        impRaiseError(impGetStatus(), fn, "Incorrect Image", module, 1093);
        return;
    }
    if (S->depth != D->depth) {
        impRaiseError(-5, fn, "(srcImage->depth != dstImage->depth)", module, 1095);
        return;
    }
    if (S->depth != 1 && S->dataOrder != D->dataOrder) {
        impRaiseError(-5, fn, "(srcImage->dataOrder != dstImage->dataOrder)", module, 1098);
        return;
    }
    int32_t nS = impLogicChannels(S), nD = impLogicChannels(D);
    if (nS != nD) {
        impRaiseError(-5, fn, "(nChSrc != nChDst)", module, 1124);
        return;
    }
    int32_t code;
    ImpHeader* mask = impLogicCombineMasks(S->maskImage, D->maskImage, nullptr, &code);
    if (code == 3)
        return;
    if (code == 2) {
        impRaiseError(-4, fn, "Out of memory", module, 1131);
        return;
    }
    auto freeMask = [&] {
        if (code == 1)
            impReleaseImageParts(mask, 3);
    };
    int32_t bits = impDepthBits(D->depth);
    uint32_t pattern = bits == 1    ? ((value & 1) ? 0xFFFFFFFFu : 0)
                       : bits == 8  ? ((uint32_t)value & 0xFF) * 0x01010101u
                       : bits == 16 ? ((uint32_t)value & 0xFFFF) * 0x00010001u
                                    : (uint32_t)value;
    if (D->depth == 32) {
        freeMask();
        impRaiseError(-5, fn, "This function does not support depth 32F", module, 1156);
        return;
    }
    bool anyAlpha = S->alphaIndex || D->alphaIndex;
    int32_t fS = impLogicFirstChannel(S), fD = impLogicFirstChannel(D);
    auto routine = [&](ImpHeader* s, ImpHeader*, ImpHeader* d, ImpHeader* m) {
        if (bits == 1) {
            if (m) {
                implogic::bits1uMasked<implogic::XorOp>(s, nullptr, d, m, pattern & 1);
            } else {
                int32_t ws, hs, wd, hd, sS, sD;
                const unsigned char* ps = (const unsigned char*)impLogicRoiStart(s, &ws, &hs, 0, &sS);
                unsigned char* pd = (unsigned char*)impLogicRoiStart(d, &wd, &hd, 0, &sD);
                impCopyBits1uXor(ps, pd, sS, sD, std::min(ws, wd), std::min(hs, hd), s->widthStep, d->widthStep,
                                 (int32_t)pattern);
            }
        } else if (bits == 8) {
            implogic::elements<uint8_t, implogic::XorOp>(s, nullptr, d, m, fS, 0, fD, nS, (uint8_t)pattern);
        } else if (bits == 16) {
            implogic::elements<uint16_t, implogic::XorOp>(s, nullptr, d, m, fS, 0, fD, nS, (uint16_t)pattern);
        } else {
            implogic::elements<uint32_t, implogic::XorOp>(s, nullptr, d, m, fS, 0, fD, nS, pattern);
        }
    };
    if (S->tileInfo || D->tileInfo) {
        static const ImpLogicTileText texts[3] = {
            {"(srcImage->tileInfo->tileData == ((void*)(0)))", 1224, 1286},
            {nullptr, 0, 0},
            {"(dstImage->tileInfo->tileData == ((void*)(0)))", 1247, 1311},
        };
        impLogicWalk(S, nullptr, D, mask, routine, fn, module, texts);
    } else if (!mask && impLogicIsWholeImage(S, D, anyAlpha)) {
        implogic::whole<implogic::XorOp>(S, nullptr, D, pattern);
    } else {
        routine(S, nullptr, D, mask);
    }
    freeMask();
}
