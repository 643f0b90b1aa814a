// JPEG decoding and encoding with libjpeg; library errors come back as a false result with a text.
#include "imaging/jpeg_image.h"

#include <algorithm>
#include <csetjmp>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

#include "imaging/image_size_limit.h"
#include "imaging/raster_row_iterator.h"

namespace {

struct JpegErrorManager {
    jpeg_error_mgr standard;
    jmp_buf jumpBack;
    char message[JMSG_LENGTH_MAX];
};

// Replaces libjpeg's exit so that a corrupt file or a failing write ends the call, not the process.
void JpegErrorExit(j_common_ptr info)
{
    JpegErrorManager* manager = reinterpret_cast<JpegErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    longjmp(manager->jumpBack, 1);
}

// Messages must not print to the console.
void JpegSilentMessage(j_common_ptr) {}

// A warning of damaged image data (a premature end of the file among them) ends the call like an error,
// so that a truncated or corrupt file never loads as if whole. Other warnings (stray bytes between
// markers, unknown revisions or transforms, a bad ICC marker) leave the picture whole and pass, as many
// cameras write them.
void JpegWarningIsError(j_common_ptr info, int level)
{
    if (level >= 0)
        return;
    switch (info->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_BOGUS_PROGRESSION: (*info->err->error_exit)(info); break;
    default: break;
    }
}

// Installs the error exit into a coder's error manager.
jpeg_error_mgr* UseErrorManager(JpegErrorManager& errors)
{
    jpeg_error_mgr* manager = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = JpegErrorExit;
    errors.standard.output_message = JpegSilentMessage;
    errors.standard.emit_message = JpegWarningIsError;
    errors.message[0] = '\0';
    return manager;
}

}  // namespace

bool CJpegImage::Decode(FILE* file)
{
    if (!file)
        return false;
    CRasterRowIterator iterator;
    jpeg_decompress_struct info;
    JpegErrorManager errors;
    info.err = UseErrorManager(errors);
    if (setjmp(errors.jumpBack)) {
        jpeg_destroy_decompress(&info);
        SetLastError(errors.message);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    // The size is checked before libjpeg allocates for the whole frame.
    if (!FitsImageLimit(info.image_width, info.image_height, info.num_components == 1 ? 8 : 24)) {
        jpeg_destroy_decompress(&info);
        SetLastError("Can't allocate memory");
        return false;
    }
    jpeg_start_decompress(&info);
    int components = info.output_components;
    if (!Create(info.output_width, info.output_height, components == 4 ? 24 : 8 * components)) {
        jpeg_destroy_decompress(&info);
        SetLastError("Can't allocate memory");
        return false;
    }
    if (components == 1) {
        SetGreyPalette();
    }
    iterator.Attach(this);
    JSAMPARRAY line = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                info.output_width * components, 1);
    iterator.MoveToTop();
    while (info.output_scanline < info.output_height) {
        jpeg_read_scanlines(&info, line, 1);
        if (components == 4) {
            // CMYK (as Adobe writes it, inverted) becomes a 3-byte blue, green, red pixel per 4 bytes.
            BYTE* p = line[0];
            for (JDIMENSION x = 0; x < info.output_width; ++x) {
                int k = p[4 * x + 3];
                BYTE c = static_cast<BYTE>(p[4 * x] * k / 255), m = static_cast<BYTE>(p[4 * x + 1] * k / 255),
                     y = static_cast<BYTE>(p[4 * x + 2] * k / 255);
                p[3 * x] = y;
                p[3 * x + 1] = m;
                p[3 * x + 2] = c;
            }
        }
        iterator.WriteRow(line[0], rowWidth);
        iterator.PrevRow();
    }
    jpeg_finish_decompress(&info);
    if (components == 3) {
        for (int y = 0; y < GetHeight(); ++y) {
            BYTE* row = pixelRows + static_cast<size_t>(y) * rowWidth;
            for (int x = 0; x < GetWidth(); ++x)
                std::swap(row[3 * x], row[3 * x + 2]);
        }
    }
    jpeg_destroy_decompress(&info);
    return true;
}

bool CJpegImage::Encode(FILE* file)
{
    if (!file || !buffer)
        return false;
    if (GetPalette() && !IsGrayScale()) {
        SetLastError("JPEG can save only RGB or GreyScale images");
        return false;
    }
    bool grey = GetPalette() != nullptr;
    int bitCount = GetBpp();
    CRasterRowIterator iterator;
    jpeg_compress_struct info;
    JpegErrorManager errors;
    info.err = UseErrorManager(errors);
    if (setjmp(errors.jumpBack)) {
        jpeg_destroy_compress(&info);
        SetLastError(errors.message);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = GetWidth();
    info.image_height = GetHeight();
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    // 1- and 4-bit grey lines are widened to a byte a pixel, which can be longer than the stored row.
    JDIMENSION lineBytes = static_cast<JDIMENSION>(std::max<long>(rowWidth, GetWidth()) + 8);
    JSAMPARRAY line = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, lineBytes, 1);
    iterator.Attach(this);
    iterator.MoveToTop();
    while (info.next_scanline < info.image_height) {
        iterator.ReadRow(line[0], rowWidth);
        if (grey && bitCount < 8) {
            // Widened from the last pixel back, so that no packed byte is overwritten before it is read.
            BYTE* p = line[0];
            for (int x = GetWidth() - 1; x >= 0; --x) {
                p[x] = bitCount == 1 ? static_cast<BYTE>((p[x >> 3] >> (7 - (x & 7))) & 1)
                                     : static_cast<BYTE>((x & 1) ? p[x >> 1] & 15 : p[x >> 1] >> 4);
            }
        } else if (!grey) {
            if (bitCount == 32) {
                // 32-bit pictures are written from the first three bytes of each pixel.
                for (int x = 0; x < GetWidth(); ++x)
                    std::memmove(line[0] + 3 * x, line[0] + 4 * x, 3);
            }
            SwapRedBlue(line[0], rowWidth);
        }
        iterator.PrevRow();
        jpeg_write_scanlines(&info, line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}
