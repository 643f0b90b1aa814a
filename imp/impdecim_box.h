// The area-weighted sum over one destination cell's source box, shared by the decimation row routines.
#pragma once

#include <cstdint>

// Partial covers at or below this weight add nothing.
inline constexpr double kDecimWeightFloor = (double)1e-4f;

// Sums sample(row, col) over the box from (top, left) to (bottom, right): inner cells weigh 1, the edge
// rows and columns their partial cover. The order of the additions is part of the result.
template <class Sample>
inline double decimBoxSum(int64_t top, int64_t bottom, double topW, double botW, int64_t left, int64_t right,
                          double leftW, double rightW, Sample sample) {
  double sum = 0.0;
  for (int64_t i = top + 1; i < bottom; ++i)
    for (int64_t j = left + 1; j < right; ++j) sum += sample(i, j);
  auto edgeRow = [&](int64_t row, double w) {
    for (int64_t j = left + 1; j < right; ++j) sum += sample(row, j) * w;
    if (leftW > kDecimWeightFloor) sum += sample(row, left) * leftW * w;
    if (rightW > kDecimWeightFloor) sum += sample(row, right) * rightW * w;
  };
  if (topW > kDecimWeightFloor) edgeRow(top, topW);
  if (botW > kDecimWeightFloor) edgeRow(bottom, botW);
  if (leftW > kDecimWeightFloor)
    for (int64_t i = top + 1; i < bottom; ++i) sum += sample(i, left) * leftW;
  if (rightW > kDecimWeightFloor)
    for (int64_t i = top + 1; i < bottom; ++i) sum += sample(i, right) * rightW;
  return sum;
}
