// Random image headers, regions, masks, borders and kernels fed to impConvolve2D and impBlur.
#include <cstdlib>
#include <vector>

#include "imp/impalloc.h"
#include "imp/impblur.h"
#include "imp/impcnv2d.h"
#include "imp/imperror.h"

namespace {

// Takes values from the input, zeros once it runs out.
struct Bytes {
    const uint8_t* p;
    size_t n;
    uint32_t take(uint32_t bound)
    {
        uint32_t v = 0;
        for (int i = 0; i < 4 && n; ++i, --n)
            v = v << 8 | *p++;
        return bound ? v % bound : v;
    }
    int32_t any() { return (int32_t)take(0); }
};

const int32_t kDepths[] = {IMP_DEPTH_1U,  IMP_DEPTH_8U,  IMP_DEPTH_8S, IMP_DEPTH_16U,
                           IMP_DEPTH_16S, IMP_DEPTH_32S, IMP_DEPTH_32F};

ImpHeader* makeImage(Bytes& in, int32_t depth, int32_t order)
{
    int32_t channels = depth == IMP_DEPTH_1U ? 1 : 1 + (int32_t)in.take(4);
    int32_t alpha = in.take(3) == 0 ? channels : 0;
    ImpHeader* h = impCreateImageHeader(channels, alpha, depth, "RGB", "BGR", order, 0, 4, 1 + (int32_t)in.take(40),
                                        1 + (int32_t)in.take(24), nullptr, nullptr, nullptr, nullptr);
    if (!h)
        return nullptr;
    h->rawData = h->imageData = (char*)malloc((size_t)h->imageSize);  // any depth, released with the image
    for (int32_t i = 0; i < h->imageSize; ++i)
        h->imageData[i] = (char)in.take(256);
    if (in.take(2)) {
        h->roi = impAllocateRoi((int32_t)in.take(channels + 1), (int32_t)in.take(h->width + 2) - 1,
                                (int32_t)in.take(h->height + 2) - 1, (int32_t)in.take(50), (int32_t)in.take(30));
    }
    for (int side = 0; side < 4; ++side) {
        h->borderKind[side] = (int32_t)in.take(4);
        h->borderValue[side] = in.any();
    }
    if (in.take(4) == 0) {
        ImpHeader* m = impCreateImageHeader(1, 0, IMP_DEPTH_1U, "GRAY", "GRAY", 0, 0, 4, 1 + (int32_t)in.take(40),
                                            1 + (int32_t)in.take(24), nullptr, nullptr, nullptr, nullptr);
        if (m) {
            impAllocateImage(m, 0, 0);
            for (int32_t i = 0; m->imageData && i < m->imageSize; ++i)
                m->imageData[i] = (char)in.take(256);
            h->maskImage = m;
        }
    }
    return h;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    impSetReportMode(2);
    Bytes in{data, size};
    int32_t depth = kDepths[in.take(7)], order = depth == IMP_DEPTH_1U ? 0 : (int32_t)in.take(2);
    ImpHeader* src = makeImage(in, depth, order);
    ImpHeader* dst = in.take(4) == 0 ? src : makeImage(in, in.take(8) == 0 ? kDepths[in.take(7)] : depth, order);
    std::vector<ImpKernel*> kernels;
    int32_t n = 1 + (int32_t)in.take(11);
    for (int32_t k = 0; k < n; ++k) {
        int32_t cols = 1 + (int32_t)in.take(7), rows = 1 + (int32_t)in.take(7);
        std::vector<int32_t> w((size_t)cols * rows);
        int32_t range = (int32_t)in.take(4);
        for (int32_t& v : w)
            v = range == 3 ? in.any() : (int32_t)in.take(1u << (4 * range + 2)) - (1 << (4 * range + 1));
        ImpKernel* kernel = impCreateConvKernel(cols, rows, (int32_t)in.take(cols + 1), (int32_t)in.take(rows + 1),
                                                w.data(), (int32_t)in.take(40) - 4);
        if (kernel)
            kernels.push_back(kernel);
    }
    if (src && dst) {
        if (!kernels.empty())
            impConvolve2D(src, dst, kernels.data(), (int32_t)kernels.size(), (int32_t)in.take(6));
        int32_t cols = (int32_t)in.take(9), rows = (int32_t)in.take(9);
        impBlur(src, dst, cols, rows, (int32_t)in.take(cols + 1), (int32_t)in.take(rows + 1));
    }
    for (ImpKernel* k : kernels)
        impDeleteConvKernel(k);
    if (dst != src)
        impReleaseImageParts(dst, 31);
    impReleaseImageParts(src, 31);
    impSetStatus(0);
    return 0;
}
