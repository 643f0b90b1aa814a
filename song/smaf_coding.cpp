// SMAF lengths and time conversions.
#include "song/smaf_coding.h"

#include <algorithm>

#include "services/rounding.h"
#include "song/score.h"

namespace {

const int kLongUnit = 16512;

}  // namespace

void SmafEncodeLength(std::vector<uint8_t>& out, int value)
{
    if (value < 0)
        value = 0;
    if (value < 128) {
        out.push_back(static_cast<uint8_t>(value));
        return;
    }
    if (value >= 16511) {
        out.push_back(0xFF);
        out.push_back(0x7F);
        return;
    }
    out.push_back(static_cast<uint8_t>(0x80 | ((value - 128) >> 7)));
    out.push_back(static_cast<uint8_t>((value - 128) & 0x7F));
}

int SmafSplitLongDuration(std::vector<uint8_t>& out, int value)
{
    for (int q = value / kLongUnit; q > 0; --q) {
        out.insert(out.end(), {0xFF, 0x7F, 0xFF, 0x00});
    }
    return value % kLongUnit;
}

int SmafDecodeLength(const uint8_t* bytes, int available, int* consumed)
{
    if (available < 1) {
        *consumed = 0;
        return 0;
    }
    if (bytes[0] < 0x80) {
        *consumed = 1;
        return bytes[0];
    }
    if (available < 2) {
        *consumed = 0;
        return 0;
    }
    *consumed = 2;
    if (bytes[0] == 0xFF && bytes[1] == 0x7F)
        return kLongUnit;
    return ((bytes[0] & 0x7F) << 7) + bytes[1] + 128;
}

int SmafTicksToUnits(const CScore& song, int a, int b)
{
    double q = 60000.0 / (std::max(song.TempoAt(b), 1) * 4.0);
    // Far ticks at a slow tempo pass the 32-bit range in units: each side is capped, so their
    // difference still fits.
    auto units = [&](int tick) { return RoundHalfAway(std::clamp(tick * q / song.division, -1e9, 1e9)); };
    return units(a) - units(b);
}

int SmafUnitsToTicks(const CScore& song, long long units)
{
    // Long files pass the 32-bit range of units x division: the product is taken wide and capped.
    double ticks = static_cast<double>(units) * song.division / (60000.0 / (std::max(song.TempoAt(0), 1) * 4.0));
    return RoundHalfAway(std::clamp(ticks, 0.0, static_cast<double>(kMaxFileTick)));
}
