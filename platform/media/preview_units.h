// Units of the preview player: 100 ns positions, and volumes in hundredths of a decibel.
#pragma once

#include <cmath>
#include <cstdint>

constexpr int64_t kNanosecondsPer100ns = 100;

// 0 is full (1.0), -10000 and below silent (0.0); each -2000 divides the amplitude by ten.
inline double LinearVolume(long hundredthsOfDecibel)
{
    if (hundredthsOfDecibel <= -10000)
        return 0.0;
    return std::pow(10.0, hundredthsOfDecibel / 2000.0);
}
