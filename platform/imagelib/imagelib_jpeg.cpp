// JPEG decoding into 24-bit bitmaps with rows aligned to 4 bytes.
#include <csetjmp>
#include <cstdio>
#include <string>

extern "C" {
#include <jpeglib.h>
}

#include "imagelib/imagelib.h"
#include "kernel/path_map.h"

namespace {

struct ErrorTrap {
    jpeg_error_mgr mgr;
    jmp_buf jump;
};

void onError(j_common_ptr info) { longjmp(((ErrorTrap*)info->err)->jump, 1); }
void onMessage(j_common_ptr) {}

// Creates a decompressor whose errors jump back through the trap and whose warnings stay silent.
void createDecompressor(jpeg_decompress_struct* cinfo, ErrorTrap* trap)
{
    cinfo->err = jpeg_std_error(&trap->mgr);
    trap->mgr.error_exit = onError;
    trap->mgr.output_message = onMessage;
    jpeg_create_decompress(cinfo);
}

// Decodes from a source already attached to the decompressor.
int32_t decode(jpeg_decompress_struct* cinfo, ErrorTrap* trap, ImageLibBitmap* bitmap, int32_t bitsPerPixel,
               int32_t colorOrder)
{
    if (setjmp(trap->jump)) {
        jpeg_destroy_decompress(cinfo);
        return IMAGELIB_ERROR_DECODE;
    }
    jpeg_read_header(cinfo, TRUE);
    cinfo->out_color_space = JCS_RGB;
    jpeg_start_decompress(cinfo);
    ImageLibBitmap fresh;
    if (ImageLibAllocateBitmap(&fresh, (int32_t)cinfo->output_width, (int32_t)cinfo->output_height, bitsPerPixel,
                               colorOrder, 0) != 1) {
        jpeg_destroy_decompress(cinfo);
        return IMAGELIB_ERROR_DECODE;
    }
    // The decoded rows go straight into the bitmap and are swapped to blue-first in place.
    while (cinfo->output_scanline < cinfo->output_height) {
        uint8_t* row = fresh.memory + (int64_t)cinfo->output_scanline * fresh.bytesPerLine;
        if (setjmp(trap->jump)) {
            ImageLibFreeBitmap(&fresh);
            jpeg_destroy_decompress(cinfo);
            return IMAGELIB_ERROR_DECODE;
        }
        jpeg_read_scanlines(cinfo, &row, 1);
        if (colorOrder == IMAGELIB_ORDER_BGR)
            for (uint32_t x = 0; x < cinfo->output_width; ++x)
                std::swap(row[3 * x], row[3 * x + 2]);
    }
    jpeg_finish_decompress(cinfo);
    jpeg_destroy_decompress(cinfo);
    ImageLibHandOverBitmap(bitmap, &fresh);
    return 1;
}

}  // namespace

int32_t ImageLibDecodeJpegFile(const char* path, ImageLibBitmap* bitmap, int32_t bitsPerPixel, int32_t colorOrder)
{
    if (!path)
        return IMAGELIB_ERROR_DECODE;
    FILE* f = fopen(MapPath(path).c_str(), "rb");
    if (!f)
        return IMAGELIB_ERROR_DECODE;
    jpeg_decompress_struct cinfo;
    ErrorTrap trap;
    createDecompressor(&cinfo, &trap);
    jpeg_stdio_src(&cinfo, f);
    int32_t r = decode(&cinfo, &trap, bitmap, bitsPerPixel, colorOrder);
    fclose(f);
    return r;
}

int32_t ImageLibDecodeJpegMemory(const void* data, size_t size, ImageLibBitmap* bitmap, int32_t bitsPerPixel,
                                 int32_t colorOrder)
{
    if (!data || size == 0)
        return IMAGELIB_ERROR_DECODE;
    jpeg_decompress_struct cinfo;
    ErrorTrap trap;
    createDecompressor(&cinfo, &trap);
    jpeg_mem_src(&cinfo, (const unsigned char*)data, (unsigned long)size);
    return decode(&cinfo, &trap, bitmap, bitsPerPixel, colorOrder);
}
