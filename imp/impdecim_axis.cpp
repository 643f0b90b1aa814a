// Source index and leftover of every column or row of a decimation, by the plain routines' running sums.
#include "imp/impalloc.h"
#include "imp/impdecim_fast.h"

DecimAxis::~DecimAxis()
{
    impAlignedFree(at);
    impAlignedFree(frac);
}

bool DecimAxis::build(int64_t n, double start, float ratio)
{
    count = n < 0 ? 0 : n;
    at = (int64_t*)impAlignedMalloc(8 * count + 8);
    frac = (double*)impAlignedMalloc(8 * count + 8);
    if (!at || !frac)
        return false;
    double v = start;
    for (int64_t i = 0; i < count; ++i, v += ratio) {
        at[i] = (int64_t)v;
        frac[i] = v - (double)at[i];
    }
    end = v;
    return true;
}
