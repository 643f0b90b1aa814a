// CPageBitmap: filled pages, JPEG loading from a file and a resource, combine, device context and resize.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

#include "imaging/page_bitmap.h"
#include "imp/imperror.h"
#include "kernel/resources.h"
#include "tests/support/temp_folder.h"

namespace {

// A small JPEG whose left half is red and right half blue.
std::vector<unsigned char> makeJpeg(int width, int height)
{
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = width;
    c.image_height = height;
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 95, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<unsigned char> row(3 * width);
    for (int x = 0; x < width; ++x) {
        bool left = x < width / 2;
        row[3 * x] = left ? 255 : 0;
        row[3 * x + 1] = 0;
        row[3 * x + 2] = left ? 0 : 255;
    }
    while (c.next_scanline < c.image_height) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::vector<unsigned char> data(out, out + size);
    free(out);
    return data;
}

const uint8_t* pixel(const CPageBitmap& page, int x, int y)
{
    return page.Record().memory + y * page.Record().bytesPerLine + 3 * x;
}

}  // namespace

TEST(PageBitmap, NewObjectIsEmpty)
{
    CPageBitmap page;
    EXPECT_TRUE(page.IsEmpty());
    EXPECT_EQ(page.GetCdc(), nullptr);
    EXPECT_EQ(page.ReleaseDc(nullptr), 0);
}

TEST(PageBitmap, FilledWhitePageAndResize)
{
    CPageBitmap page;
    ASSERT_EQ(page.CreateFilled(659, 436, 0xFFFFFF), 1);
    EXPECT_EQ(page.Record().bytesPerLine, (659 * 3 + 3) / 4 * 4);
    for (int y = 0; y < 436; y += 35)
        for (int x = 0; x < 659; x += 17)
            EXPECT_EQ(pixel(page, x, y)[1], 255);
    int mode = impGetReportMode();
    EXPECT_EQ(page.ResizeLinear(718, 474), 1);
    EXPECT_EQ(impGetReportMode(), mode);
    EXPECT_EQ(page.Width(), 718);
    EXPECT_EQ(page.Height(), 474);
    EXPECT_EQ(page.Record().colorOrder, 1);
    for (int y = 0; y < 474; y += 13)
        for (int x = 0; x < 718; x += 7)
            ASSERT_EQ(pixel(page, x, y)[2], 255) << x << "," << y;
    EXPECT_EQ(page.ResizeLinear(718, 474), 1);
    EXPECT_EQ(page.ResizeLinear(0, 5), -11);
}

TEST(PageBitmap, SingleRowPageIsLeftAlone)
{
    CPageBitmap page;
    ASSERT_EQ(page.CreateFilled(10, 1, 0x000000), 1);
    EXPECT_EQ(page.ResizeLinear(20, 2), 0);
    EXPECT_EQ(page.Width(), 10);
}

TEST(PageBitmap, LoadJpegFileAndResource)
{
    std::vector<unsigned char> jpeg = makeJpeg(16, 8);
    TempFolder folder;
    std::string path = folder.Linux("page_bitmap_test.jpg");
    FILE* f = fopen(path.c_str(), "wb");
    fwrite(jpeg.data(), 1, jpeg.size(), f);
    fclose(f);
    CPageBitmap page;
    ASSERT_EQ(page.LoadFile(path.c_str(), 24, 1), 1);
    EXPECT_EQ(page.Width(), 16);
    EXPECT_EQ(page.Height(), 8);
    // Blue first in memory: the red left half has its high byte last.
    EXPECT_GT(pixel(page, 1, 1)[2], 200);
    EXPECT_LT(pixel(page, 1, 1)[0], 60);
    EXPECT_GT(pixel(page, 14, 1)[0], 200);
    EXPECT_EQ(page.LoadFile(folder.Linux("missing.jpg").c_str(), 24, 1), 0);

    static std::vector<unsigned char> stored = jpeg;
    static const EmbeddedResource table[] = {{"DIB", "799", stored.data(), (unsigned)stored.size()}};
    RegisterResourceTable(table, 1);
    CPageBitmap fromResource;
    EXPECT_EQ(fromResource.LoadFromDibResource(799, "DIB"), 1);
    EXPECT_EQ(fromResource.Width(), 16);
    CPageBitmap missing;
    EXPECT_EQ(missing.LoadFromDibResource(798, "DIB"), 0);
    EXPECT_TRUE(missing.IsEmpty());
    static const unsigned char garbage[] = "not a picture at all";
    static const EmbeddedResource bad[] = {{"DIB", "797", garbage, sizeof garbage}};
    RegisterResourceTable(bad, 1);
    CPageBitmap broken;
    EXPECT_EQ(broken.LoadFromDibResource(797, "DIB"), 0);
    EXPECT_TRUE(broken.IsEmpty());
}

TEST(PageBitmap, CombineCopiesOnlyTheBand)
{
    CPageBitmap clean, work;
    clean.CreateFilled(20, 10, 0xFFFFFF);
    work.CreateFilled(20, 10, 0x000000);
    EXPECT_EQ(work.CombineFrom(0, 3, 20, 3, clean, 0, 3, 288), 1);
    EXPECT_EQ(pixel(work, 5, 2)[0], 0);
    EXPECT_EQ(pixel(work, 5, 3)[0], 255);
    EXPECT_EQ(pixel(work, 5, 5)[0], 255);
    EXPECT_EQ(pixel(work, 5, 6)[0], 0);
    RECT band{0, 3, 20, 6};
    work.SetRectRegion(0, &band, 1);
    EXPECT_EQ(work.AdjustInRegion(-100), 1);
    work.FreeRegion();
    EXPECT_LT(pixel(work, 5, 4)[0], 255);
    EXPECT_EQ(pixel(work, 5, 7)[0], 0);
}

TEST(PageBitmap, AdjustInRegionMapsEveryByteValueByThePerMilleRule)
{
    // Each byte v becomes v + v * amount / 1000 (truncated), held to 0..255, for every byte value and for
    // amounts darkening, brightening and beyond the full scale; bytes outside the region keep their value.
    for (int amount : {-5000, -1000, -999, -333, -100, -1, 0, 1, 7, 100, 999, 1000, 4321}) {
        CPageBitmap page;
        page.CreateFilled(100, 3, 0);
        const ImageLibBitmap& record = page.Record();
        auto byteAt = [&](int y, int i) -> uint8_t& { return record.memory[y * record.bytesPerLine + i]; };
        for (int y = 0; y < 3; ++y)
            for (int i = 0; i < 300; ++i)
                byteAt(y, i) = (uint8_t)(i * 7 + y);
        RECT band{3, 1, 100, 2};
        page.SetRectRegion(0, &band, 0);
        EXPECT_EQ(page.AdjustInRegion(amount), 1);
        page.FreeRegion();
        for (int y = 0; y < 3; ++y)
            for (int i = 0; i < 300; ++i) {
                int v = (uint8_t)(i * 7 + y);
                int want = y == 1 && i >= 9 ? std::clamp(v + v * amount / 1000, 0, 255) : v;
                ASSERT_EQ(byteAt(y, i), want) << "amount " << amount << " row " << y << " byte " << i;
            }
    }
}

TEST(PageBitmap, DeviceContextAndCopy)
{
    CPageBitmap page;
    page.CreateFilled(8, 8, 0xFFFFFF);
    HDC dc = page.GetDc();
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(page.GetDc(), dc);
    EXPECT_NE(page.GetCdc(), nullptr);
    EXPECT_EQ(page.ReleaseDc((HDC)1), 0);
    EXPECT_EQ(page.ReleaseDc(nullptr), 1);
    EXPECT_EQ(page.GetCdc(), nullptr);
    CPageBitmap copy;
    EXPECT_EQ(copy.CopyFrom(page), 1);
    EXPECT_EQ(copy.Width(), 8);
    CPageBitmap empty, target;
    EXPECT_NE(target.CopyFrom(empty), 1);
    EXPECT_TRUE(target.IsEmpty());
    page.Free();
    EXPECT_TRUE(page.IsEmpty());
}

TEST(PageBitmap, PaintToCopiesRectangleTopDown)
{
    CPageBitmap source, red, target;
    source.CreateFilled(8, 6, 0xFFFFFF);
    red.CreateFilled(8, 6, RGB(255, 0, 0));
    source.CombineFrom(0, 0, 8, 2, red, 0, 0, 288);
    target.CreateFilled(8, 6, 0x000000);
    HDC dc = target.GetDc();
    ASSERT_NE(dc, nullptr);
    RECT rect{0, 0, 8, 6};
    EXPECT_EQ(source.PaintTo(dc, &rect, nullptr, &rect, nullptr, SRCCOPY), 1);
    target.ReleaseDc(nullptr);
    EXPECT_EQ(pixel(target, 3, 0)[2], 255);  // red, blue first in memory
    EXPECT_EQ(pixel(target, 3, 0)[0], 0);
    EXPECT_EQ(pixel(target, 3, 5)[0], 255);  // white
    RECT half{0, 3, 8, 6}, topHalf{0, 0, 8, 3};
    target.CreateFilled(8, 6, 0x000000);
    dc = target.GetDc();
    source.PaintTo(dc, &topHalf, nullptr, &half, nullptr, SRCCOPY);
    target.ReleaseDc(nullptr);
    EXPECT_EQ(pixel(target, 1, 3)[2], 255);
    EXPECT_EQ(pixel(target, 1, 3)[0], 0);
    EXPECT_EQ(pixel(target, 1, 0)[2], 0);
}
