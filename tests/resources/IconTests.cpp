// The two icon groups: real multi-image .ico files with every size and depth
// the window may ask for, each image with its AND mask.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "resources/ResourceFiles.h"

using namespace res;

namespace {

struct IconImage {
    int size = 0;
    int bpp = 0;
    uint32_t bytes = 0, offset = 0;
    bool png = false;
};

std::vector<IconImage> Directory(const std::vector<uint8_t>& file) {
    std::vector<IconImage> out;
    if (file.size() < 6) return out;
    int count = U16(file, 4);
    for (int i = 0; i < count && 6 + 16 * (i + 1) <= int(file.size()); ++i) {
        size_t e = 6 + 16 * size_t(i);
        IconImage img;
        img.size = file[e] == 0 ? 256 : file[e];
        img.bpp = U16(file, e + 6);
        img.bytes = U32(file, e + 8);
        img.offset = U32(file, e + 12);
        img.png = img.offset + 8 <= file.size() && file[img.offset] == 0x89 && file[img.offset + 1] == 'P';
        out.push_back(img);
    }
    return out;
}

bool MaskBit(const std::vector<uint8_t>& file, const IconImage& img, size_t maskStart, int x, int y) {
    size_t stride = ((img.size + 31) / 32) * 4;
    size_t row = maskStart + stride * size_t(img.size - 1 - y);  // bottom-up
    return (file[row + x / 8] >> (7 - x % 8)) & 1;
}

class EveryIcon : public ::testing::TestWithParam<int> {
protected:
    std::vector<uint8_t> file;
    void SetUp() override { file = ReadFile(ResourceDir() + "/" + ResourceTable()[GetParam()].file); }
};

TEST_P(EveryIcon, HoldsEverySizeAtEveryDepth) {
    ASSERT_GE(file.size(), 6u);
    EXPECT_EQ(U16(file, 0), 0) << "reserved";
    EXPECT_EQ(U16(file, 2), 1) << "type: icon";
    std::set<std::pair<int, int>> want = {{16, 4}, {16, 8}, {16, 32}, {32, 4}, {32, 8}, {32, 32},
                                          {48, 4}, {48, 8}, {48, 32}, {256, 8}, {256, 32}};
    std::set<std::pair<int, int>> got;
    for (const auto& img : Directory(file)) got.insert({img.size, img.bpp});
    EXPECT_EQ(got, want);
    EXPECT_EQ(Directory(file).size(), want.size()) << "no duplicate images";
}

TEST_P(EveryIcon, ImagesLieInsideTheFileWithoutOverlapping) {
    auto dir = Directory(file);
    std::vector<std::pair<uint32_t, uint32_t>> spans;
    for (const auto& img : dir) {
        EXPECT_GE(img.offset, 6u + 16u * dir.size());
        EXPECT_LE(uint64_t(img.offset) + img.bytes, file.size());
        for (const auto& s : spans) EXPECT_TRUE(img.offset >= s.second || img.offset + img.bytes <= s.first);
        spans.push_back({img.offset, img.offset + img.bytes});
    }
}

TEST_P(EveryIcon, BitmapEntriesHaveTheirHeaderPaletteColoursAndMask) {
    for (const auto& img : Directory(file)) {
        if (img.png) {
            // PNG header: IHDR with width, height (big-endian), bit depth and colour type
            EXPECT_EQ(img.size, 256) << "only the largest images may be PNG-encoded";
            size_t ihdr = img.offset + 16;
            ASSERT_LE(ihdr + 10, file.size());
            auto be32 = [&](size_t at) { return uint32_t(file[at]) << 24 | file[at + 1] << 16 | file[at + 2] << 8 | file[at + 3]; };
            EXPECT_EQ(be32(ihdr), 256u);
            EXPECT_EQ(be32(ihdr + 4), 256u);
            EXPECT_EQ(file[ihdr + 8], 8) << "8 bits a sample";
            EXPECT_EQ(file[ihdr + 9], img.bpp == 32 ? 6 : 3) << "RGBA for 32 bits, a palette for 8";
            continue;
        }
        size_t h = img.offset;
        ASSERT_LE(h + 40, file.size());
        EXPECT_EQ(U32(file, h), 40u);
        EXPECT_EQ(I32(file, h + 4), img.size);
        EXPECT_EQ(I32(file, h + 8), img.size * 2) << "colour and mask halves";
        EXPECT_EQ(U16(file, h + 14), img.bpp);
        EXPECT_EQ(U32(file, h + 16), 0u) << "BI_RGB";
        size_t palette = img.bpp <= 8 ? 4u << img.bpp : 0;
        size_t xorStride = ((size_t(img.size) * img.bpp + 31) / 32) * 4;
        size_t andStride = ((size_t(img.size) + 31) / 32) * 4;
        ASSERT_EQ(img.bytes, 40 + palette + (xorStride + andStride) * img.size) << img.size << "@" << img.bpp;

        // the face is round: transparent corners, solid middle, in the mask and in the alpha
        size_t mask = h + 40 + palette + xorStride * img.size;
        int c = img.size / 2, last = img.size - 1;
        EXPECT_TRUE(MaskBit(file, img, mask, 0, 0) && MaskBit(file, img, mask, last, 0) &&
                    MaskBit(file, img, mask, 0, last) && MaskBit(file, img, mask, last, last))
            << img.size << "@" << img.bpp << " corners";
        EXPECT_FALSE(MaskBit(file, img, mask, c, c)) << img.size << "@" << img.bpp << " centre";
        if (img.bpp == 32) {
            auto alphaAt = [&](int x, int y) { return file[h + 40 + xorStride * size_t(img.size - 1 - y) + 4 * x + 3]; };
            EXPECT_EQ(alphaAt(0, 0), 0);
            EXPECT_EQ(alphaAt(c, c), 255);
        }
    }
}

TEST_P(EveryIcon, DirectoryColourCountMatchesTheDepth) {
    auto dir = Directory(file);
    for (size_t i = 0; i < dir.size(); ++i) {
        const auto& img = dir[i];
        int colours = file[6 + 16 * i + 2];
        EXPECT_EQ(colours, img.bpp == 4 ? 16 : 0) << img.size << "@" << img.bpp;
        EXPECT_EQ(U16(file, 6 + 16 * i + 4), 1) << "planes";
    }
}

INSTANTIATE_TEST_SUITE_P(Resources, EveryIcon, ::testing::Values(1000, 1001));

}  // namespace
