// One destination cell's source box and its area-weighted sum, shared by the decimation row routines.
#pragma once

#include <cstdint>

// Partial covers at or below this weight add nothing.
inline constexpr double kDecimWeightFloor = (double)1e-4f;

// A cell's cover along one axis: the first and last source index it touches, their partial weights, and
// where the next cell starts.
struct DecimSpan {
    int64_t first, last;
    double firstW, lastW;
    double end;
};

// The span from start over ratio source units; one running past the count of source units (count, spaced
// step apart over extent) is moved back to end on the last.
inline DecimSpan decimSpan(double start, double ratio, int64_t step, int64_t extent, int64_t count)
{
    double from = start, end = start + ratio;
    int64_t first = (int64_t)from, last = (int64_t)end;
    if (last * step >= extent) {
        from = count - ratio;
        end = (double)count;
        last = count;
        first = (int64_t)from;
    }
    return {first, last, 1 - (from - first), end - last, end};
}

// Sums sample(row, col) over the box: inner cells weigh 1, the edge rows and columns their partial cover.
// The order of the additions is part of the result.
template <class Sample>
inline double decimBoxSum(const DecimSpan& rows, const DecimSpan& cols, Sample sample)
{
    int64_t top = rows.first, bottom = rows.last, left = cols.first, right = cols.last;
    double topW = rows.firstW, botW = rows.lastW, leftW = cols.firstW, rightW = cols.lastW;
    double sum = 0.0;
    for (int64_t i = top + 1; i < bottom; ++i)
        for (int64_t j = left + 1; j < right; ++j)
            sum += sample(i, j);
    auto edgeRow = [&](int64_t row, double w) {
        for (int64_t j = left + 1; j < right; ++j)
            sum += sample(row, j) * w;
        if (leftW > kDecimWeightFloor)
            sum += sample(row, left) * leftW * w;
        if (rightW > kDecimWeightFloor)
            sum += sample(row, right) * rightW * w;
    };
    if (topW > kDecimWeightFloor)
        edgeRow(top, topW);
    if (botW > kDecimWeightFloor)
        edgeRow(bottom, botW);
    if (leftW > kDecimWeightFloor)
        for (int64_t i = top + 1; i < bottom; ++i)
            sum += sample(i, left) * leftW;
    if (rightW > kDecimWeightFloor)
        for (int64_t i = top + 1; i < bottom; ++i)
            sum += sample(i, right) * rightW;
    return sum;
}
