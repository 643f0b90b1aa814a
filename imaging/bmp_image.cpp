// BMP reading (plain, run-length, bit-field and OS/2 forms) and writing.
#include "imaging/bmp_image.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "imaging/image_size_limit.h"
#include "imaging/little_endian.h"

namespace {

// One colour field of a 16-bit pixel: its value, whatever the mask's position and width, scaled to 8 bits.
BYTE FieldTo8Bits(WORD pixel, DWORD mask)
{
    mask &= 0xFFFF;
    if (!mask)
        return 0;
    int low = 0;
    while (!(mask & (1u << low)))
        ++low;
    int high = 15;
    while (!(mask & (1u << high)))
        --high;
    int width = high - low + 1;
    DWORD value = (pixel & mask) >> low;
    return static_cast<BYTE>(width >= 8 ? value >> (width - 8) : value << (8 - width));
}

}  // namespace

bool CBmpImage::Encode(FILE* file)
{
    if (!file || !buffer)
        return false;
    BYTE fileHeader[14] = {'B', 'M'};
    WriteLe32(fileHeader + 2, GetBufferSize() + 14);
    WriteLe32(fileHeader + 10, sizeof(BITMAPINFOHEADER) + GetPaletteSize() + 14);
    std::fwrite(fileHeader, 1, sizeof(fileHeader), file);
    std::fwrite(buffer, 1, GetBufferSize(), file);
    return true;
}

bool CBmpImage::ReadInfoHeader(FILE* file, BITMAPINFOHEADER* info)
{
    if (!file || !info)
        return false;
    BYTE raw[40];
    size_t got = std::fread(raw, 1, sizeof(raw), file);
    DWORD size = got >= 4 ? ReadLe32(raw) : 0;
    coreHeader = size == 12;
    if (coreHeader && got >= 12) {
        // The OS/2 header is widened; the file moves back to just behind its 12 bytes.
        std::memset(info, 0, sizeof(*info));
        info->biSize = 40;
        info->biWidth = ReadLe16(raw + 4);
        info->biHeight = ReadLe16(raw + 6);
        info->biPlanes = ReadLe16(raw + 8);
        info->biBitCount = ReadLe16(raw + 10);
        std::fseek(file, 12 - static_cast<long>(got), SEEK_CUR);
    } else {
        if (got != sizeof(raw))
            return false;
        info->biSize = 40;
        info->biWidth = static_cast<LONG>(ReadLe32(raw + 4));
        info->biHeight = static_cast<LONG>(ReadLe32(raw + 8));
        info->biPlanes = ReadLe16(raw + 12);
        info->biBitCount = ReadLe16(raw + 14);
        info->biCompression = ReadLe32(raw + 16);
        info->biSizeImage = ReadLe32(raw + 20);
        info->biXPelsPerMeter = static_cast<LONG>(ReadLe32(raw + 24));
        info->biYPelsPerMeter = static_cast<LONG>(ReadLe32(raw + 28));
        info->biClrUsed = ReadLe32(raw + 32);
        info->biClrImportant = ReadLe32(raw + 36);
        // Longer headers (V4, V5) carry the bit-field masks first; the rest is skipped.
        extraHeaderBytes = size > 40 ? size - 40 : 0;
        if (extraHeaderBytes >= 12) {
            BYTE masks[12];
            if (std::fread(masks, 1, 12, file) != 12)
                return false;
            for (int i = 0; i < 3; ++i)
                headerMasks[i] = ReadLe32(masks + 4 * i);
            if (std::fseek(file, static_cast<long>(extraHeaderBytes - 12), SEEK_CUR) != 0)
                return false;
        } else if (extraHeaderBytes > 0 && std::fseek(file, static_cast<long>(extraHeaderBytes), SEEK_CUR) != 0) {
            return false;
        }
    }
    long long rows = info->biHeight < 0 ? -static_cast<long long>(info->biHeight) : info->biHeight;
    if (info->biSizeImage == 0 && info->biWidth > 0 && info->biWidth <= kLargestImageBytes &&
        rows <= kLargestImageBytes && info->biBitCount <= 32)
        info->biSizeImage =
            static_cast<DWORD>(((static_cast<long long>(info->biWidth) * info->biBitCount + 31) & ~31LL) / 8 * rows);
    if (info->biClrUsed == 0 && info->biBitCount <= 8)
        info->biClrUsed = 1u << info->biBitCount;
    return true;
}

bool CBmpImage::Decode(FILE* file)
{
    BYTE fileHeader[14];
    if (!file || std::fread(fileHeader, 1, sizeof(fileHeader), file) != sizeof(fileHeader)) {
        SetLastError("Not a BMP");
        return false;
    }
    DWORD pixelOffset = 0;
    if (fileHeader[0] == 'B' && fileHeader[1] == 'M') {
        pixelOffset = ReadLe32(fileHeader + 10);
    } else {
        std::fseek(file, 0, SEEK_SET);
    }
    BITMAPINFOHEADER info;
    if (!ReadInfoHeader(file, &info)) {
        SetLastError("Error reading BMP info");
        return false;
    }
    DWORD compression = info.biCompression;
    int fileBitCount = info.biBitCount;
    topDown = info.biHeight < 0;
    long long rows = topDown ? -static_cast<long long>(info.biHeight) : info.biHeight;
    if (fileBitCount == 0 || !FitsImageLimit(info.biWidth, rows, fileBitCount > 24 ? 32 : fileBitCount) ||
        !Create(info.biWidth, static_cast<int>(rows), fileBitCount > 24 ? 24 : fileBitCount)) {
        SetLastError("Can't allocate memory");
        return false;
    }
    // Masks given after a 40-byte header for bit-field pictures.
    DWORD masks[3] = {headerMasks[0], headerMasks[1], headerMasks[2]};
    if (compression == BI_BITFIELDS && (fileBitCount == 16 || fileBitCount == 32) && extraHeaderBytes < 12 &&
        !coreHeader) {
        BYTE raw[12];
        if (std::fread(raw, 1, 12, file) != 12) {
            SetLastError("Not a BMP");
            return false;
        }
        for (int i = 0; i < 3; ++i)
            masks[i] = ReadLe32(raw + 4 * i);
    }

    if (paletteCount > 0) {
        // Only the entries the file holds are read; the rest of the palette stays black.
        RGBQUAD* palette = GetPalette();
        std::memset(palette, 0, GetPaletteSize());
        DWORD colours =
            info.biClrUsed == 0 || info.biClrUsed > static_cast<DWORD>(paletteCount) ? paletteCount : info.biClrUsed;
        int entryBytes = coreHeader ? 3 : 4;
        std::vector<BYTE> raw(colours * entryBytes);
        if (std::fread(raw.data(), 1, raw.size(), file) != raw.size()) {
            SetLastError("Not a BMP");
            return false;
        }
        for (DWORD i = 0; i < colours; ++i) {
            palette[i].rgbBlue = raw[i * entryBytes];
            palette[i].rgbGreen = raw[i * entryBytes + 1];
            palette[i].rgbRed = raw[i * entryBytes + 2];
            palette[i].rgbReserved = 0;
        }
    }
    if (pixelOffset != 0 && std::fseek(file, static_cast<long>(pixelOffset), SEEK_SET) != 0) {
        SetLastError("Not a BMP");
        return false;
    }

    bool ok = true;
    if (paletteCount > 0) {
        if (compression == BI_RGB) {
            ok = std::fread(pixelRows, 1, header.biSizeImage, file) == header.biSizeImage;
        } else if (compression == BI_RLE8 || compression == BI_RLE4) {
            // A stream's pixel size must be the picture's, or its runs would not fit the rows.
            if (topDown || GetBpp() != (compression == BI_RLE4 ? 4 : 8)) {
                SetLastError("compression type not supported");
                return false;
            }
            ok = DecodeRle(file, compression == BI_RLE4);
        } else {
            SetLastError("compression type not supported");
            return false;
        }
    } else if (fileBitCount == 24) {
        if (compression != BI_RGB) {
            SetLastError("unknown compression");
            return false;
        }
        ok = std::fread(pixelRows, 1, header.biSizeImage, file) == header.biSizeImage;
    } else if (fileBitCount == 16 || fileBitCount == 32) {
        if (compression != BI_RGB && compression != BI_BITFIELDS) {
            SetLastError("unknown compression");
            return false;
        }
        if (compression == BI_RGB) {
            masks[0] = fileBitCount == 16 ? 0x7C00 : 0xFF0000;
            masks[1] = fileBitCount == 16 ? 0x03E0 : 0x00FF00;
            masks[2] = fileBitCount == 16 ? 0x001F : 0x0000FF;
        }
        ok = DecodeBitFields(file, fileBitCount, masks);
        if (!ok && lastError[0])
            return false;
    } else if (fileBitCount < 24) {
        SetLastError("unknown compression");
        return false;
    }
    if (!ok) {
        SetLastError("Not a BMP");
        return false;
    }
    if (topDown) {
        // Top-down files are stored bottom-up like every other picture.
        std::vector<BYTE> swap(rowWidth);
        for (int top = 0, bottom = GetHeight() - 1; top < bottom; ++top, --bottom) {
            BYTE* a = pixelRows + static_cast<size_t>(top) * rowWidth;
            BYTE* b = pixelRows + static_cast<size_t>(bottom) * rowWidth;
            std::memcpy(swap.data(), a, rowWidth);
            std::memcpy(a, b, rowWidth);
            std::memcpy(b, swap.data(), rowWidth);
        }
    }
    return true;
}

bool CBmpImage::DecodeBitFields(FILE* file, int fileBitCount, const DWORD masks[3])
{
    long long sourceRow = ((static_cast<long long>(GetWidth()) * fileBitCount + 31) / 32) * 4;
    std::vector<BYTE> source;
    try {
        source.resize(static_cast<size_t>(sourceRow * GetHeight()));
    } catch (const std::bad_alloc&) {
        SetLastError("can't allocate memory");
        return false;
    }
    if (std::fread(source.data(), 1, source.size(), file) != source.size())
        return false;
    UnpackTo24(source.data(), masks[0], masks[1], masks[2], fileBitCount);
    return true;
}

void CRasterImage::UnpackTo24(const BYTE* source, DWORD redMask, DWORD greenMask, DWORD blueMask, int bitCount)
{
    if (!source || !pixelRows)
        return;
    int width = GetWidth(), height = GetHeight();
    if (bitCount == 16) {
        size_t sourceRow = static_cast<size_t>((width + 1) / 2) * 4;
        for (int y = height - 1; y >= 0; --y) {
            for (int x = width - 1; x >= 0; --x) {
                WORD w = ReadLe16(source + y * sourceRow + 2 * x);
                BYTE* p = pixelRows + static_cast<size_t>(y) * rowWidth + 3 * x;
                p[0] = FieldTo8Bits(w, blueMask);
                p[1] = FieldTo8Bits(w, greenMask);
                p[2] = FieldTo8Bits(w, redMask);
            }
        }
    } else if (bitCount == 32) {
        size_t sourceRow = static_cast<size_t>(width) * 4;
        for (int y = height - 1; y >= 0; --y) {
            for (int x = width - 1; x >= 0; --x) {
                const BYTE* s = source + y * sourceRow + 4 * x;
                BYTE* p = pixelRows + static_cast<size_t>(y) * rowWidth + 3 * x;
                p[0] = s[0];
                p[1] = s[1];
                p[2] = s[2];
            }
        }
    }
}

bool CBmpImage::DecodeRle(FILE* file, bool fourBit)
{
    int width = GetWidth(), height = GetHeight();
    int row = 0, position = 0;
    // Every write is checked against the picture, so no stream can reach outside the buffer.
    auto put = [&](int value) {
        if (row < height && position < width) {
            BYTE* line = pixelRows + static_cast<size_t>(row) * rowWidth;
            if (fourBit) {
                BYTE& cell = line[position >> 1];
                cell = (position & 1) ? static_cast<BYTE>((cell & 0xF0) | (value & 15))
                                      : static_cast<BYTE>((cell & 0x0F) | ((value & 15) << 4));
            } else {
                line[position] = static_cast<BYTE>(value);
            }
        }
        ++position;
    };
    for (;;) {
        int count = std::fgetc(file);
        int code = std::fgetc(file);
        if (count == EOF || code == EOF)
            return row >= height;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(fourBit ? ((i & 1) ? (code & 15) : (code >> 4)) : code);
            continue;
        }
        if (code == 0) {
            position = 0;
            if (++row >= height)
                return true;
        } else if (code == 1) {
            return true;
        } else if (code == 2) {
            int dx = std::fgetc(file), dy = std::fgetc(file);
            if (dx == EOF || dy == EOF)
                return false;
            position += dx;
            row += dy;
            if (row >= height)
                return true;
        } else {
            int dataBytes = fourBit ? (code + 1) / 2 : code;
            for (int i = 0; i < dataBytes; ++i) {
                int value = std::fgetc(file);
                if (value == EOF)
                    return false;
                if (fourBit) {
                    put(value >> 4);
                    if (2 * i + 1 < code)
                        put(value & 15);
                } else {
                    put(value);
                }
            }
            if (dataBytes & 1)
                std::fgetc(file);
        }
    }
}
