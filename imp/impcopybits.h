// Copy of a rectangle of 1-bit pixels between arbitrary bit positions, optionally inverted.
#pragma once

#include <cstdint>

// Destination bits dstBit .. dstBit + width - 1 of each row (counted from the most significant bit of dst)
// become the source bits srcBit .. srcBit + width - 1 XOR the pattern; every other bit keeps its value.
// The pattern is laid over the destination as 16-bit units, high byte first, starting at the byte that
// holds dstBit. Only bytes that hold pixels of the block are read or written.
void impCopyBitBlock(const unsigned char* src, unsigned char* dst, int32_t srcBit, int32_t dstBit, int32_t width,
                     int32_t rows, int64_t srcStep, int64_t dstStep, uint16_t pattern);

// The same with a 32-bit pattern that is either 0 (copy) or all bits set (invert).
void impCopyBits1uXor(const unsigned char* src, unsigned char* dst, int32_t srcBit, int32_t dstBit, int32_t width,
                      int32_t height, int64_t srcStep, int64_t dstStep, int32_t pattern);
