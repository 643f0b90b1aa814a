// Tone tables for the appearance dialog's background adjustments.
#include "services/tone_tables.h"

#include <cmath>

static void FillRamp(int inLow, int outLow, int inHigh, int outHigh, BYTE* table)
{
    for (int i = 0; i < 256; i++) {
        int value = 0;
        if (inHigh != inLow)
            value = outLow + (outHigh - outLow) * (i - inLow) / (inHigh - inLow);
        if (value < 0)
            value = 0;
        if (value > 255)
            value = 255;
        table[i] = static_cast<BYTE>(value);
    }
}

void BuildBrightnessTable(float amount, int inLow, int outLow, int inHigh, int outHigh, BYTE* table)
{
    int whole = static_cast<int>(amount);
    if (amount >= 0) {
        inLow = 0;
        outLow = whole;
    } else {
        outLow = 0;
        inLow = -whole;
    }
    FillRamp(inLow, outLow, inHigh, outHigh, table);
}

void BuildHighlightTable(float amount, int inLow, int outLow, int inHigh, int outHigh, BYTE* table)
{
    int whole = static_cast<int>(amount);
    if (amount >= 0) {
        inHigh = 255 - whole;
        outHigh = 255;
    } else {
        inHigh = 255;
        outHigh = 255 + whole;
    }
    FillRamp(inLow, outLow, inHigh, outHigh, table);
}

void BuildGammaTable(float amount, BYTE* table)
{
    float a = -amount;
    float g = a < 0 ? (a + 255.0f) / 255.0f : 1.0f + 3.0f * a / 255.0f;
    for (int i = 0; i < 256; i++) {
        int value = static_cast<int>(255.0f * std::pow(static_cast<float>(i) / 255.0f, g));
        if (value < 0)
            value = 0;
        if (value > 255)
            value = 255;
        table[i] = static_cast<BYTE>(value);
    }
}
