// The stored bitmaps: file format, sizes, and the colour key rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "resources/ResourceFiles.h"

using namespace res;

namespace {

struct Picture {
    int id;
    int width, height;
    int frames;
    bool opaque;  // drawn over the whole window: no key pixel allowed
};

const Picture kPictures[] = {
    {2000, 920, 85, 8, false},   {2001, 920, 85, 8, false},  {2002, 920, 85, 8, false},
    {2003, 230, 85, 2, false},   {2004, 115, 85, 1, false},  {2005, 115, 85, 1, false},
    {2006, 690, 85, 6, false},   {2007, 115, 85, 1, false},  {2008, 690, 85, 6, false},
    {2009, 640, 480, 1, false},  {2010, 3200, 480, 5, false}, {2011, 640, 480, 1, false},
    {2012, 640, 480, 1, false},  {2013, 5120, 480, 8, false}, {2014, 5120, 480, 8, false},
    {2015, 640, 480, 1, false},  {2016, 640, 480, 1, true},  {2017, 640, 167, 1, false},
    {2018, 640, 480, 1, true},   {2019, 640, 480, 1, true},  {2020, 40, 10, 4, false},
};

class EveryBitmap : public ::testing::TestWithParam<Picture> {};

TEST(ResourceTable, NamesEveryResourceOnceWithAnExistingFile) {
    auto table = ResourceTable();
    std::set<int> wanted = {1000, 1001};
    for (const auto& p : kPictures) wanted.insert(p.id);
    std::set<int> found;
    for (const auto& kv : table) found.insert(kv.first);
    EXPECT_EQ(found, wanted);
    for (const auto& kv : table) {
        EXPECT_EQ(kv.second.type, kv.first < 2000 ? "ICON" : "BITMAP") << kv.first;
        EXPECT_FALSE(ReadFile(ResourceDir() + "/" + kv.second.file).empty()) << kv.second.file;
    }
}

TEST_P(EveryBitmap, HeaderIsUncompressed24BitBottomUpWithoutColourTable) {
    const Picture& p = GetParam();
    auto file = ReadFile(ResourceDir() + "/" + ResourceTable()[p.id].file);
    ASSERT_GE(file.size(), 54u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(U32(file, 2), file.size()) << "bfSize";
    EXPECT_EQ(U32(file, 10), 54u) << "pixels follow the headers directly";
    EXPECT_EQ(U32(file, 14), 40u) << "biSize";
    EXPECT_EQ(I32(file, 18), p.width);
    EXPECT_EQ(I32(file, 22), p.height) << "positive height: stored bottom-up";
    EXPECT_EQ(U16(file, 26), 1) << "biPlanes";
    EXPECT_EQ(U16(file, 28), 24) << "biBitCount";
    EXPECT_EQ(U32(file, 30), 0u) << "BI_RGB";
    uint32_t stride = (uint32_t(p.width) * 3 + 3) & ~3u;
    EXPECT_EQ(U32(file, 34), stride * p.height) << "biSizeImage with rows padded to 4 bytes";
    EXPECT_EQ(U32(file, 46), 0u) << "biClrUsed";
    EXPECT_EQ(file.size(), 54u + stride * p.height);
}

TEST_P(EveryBitmap, KeyOnlyWhereTheBackgroundShows) {
    const Picture& p = GetParam();
    Image img = LoadBitmap(p.id);
    ASSERT_EQ(img.width, p.width);
    int fw = p.width / p.frames;
    for (int f = 0; f < p.frames; ++f) {
        Image fr = Frame(img, f, fw);
        long keys = std::count_if(fr.px.begin(), fr.px.end(), [](Rgb c) { return c.IsKey(); });
        if (p.opaque) {
            EXPECT_EQ(keys, 0) << p.id << " is drawn over the whole window";
        } else {
            EXPECT_GT(keys, 0) << p.id << " frame " << f << " has no transparent pixel";
            EXPECT_LT(keys, long(fr.px.size())) << p.id << " frame " << f << " is empty";
        }
    }
}

// A pixel next to the key that leans towards magenta shows as a purple rim in
// the game; one that is almost but not exactly the key shows as a pink speck.
TEST_P(EveryBitmap, NoMagentaTintedRimsOrNearKeySpecks) {
    const Picture& p = GetParam();
    Image img = LoadBitmap(p.id);
    ASSERT_EQ(img.width, p.width);
    int rims = 0, specks = 0;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            Rgb c = img.At(x, y);
            if (c.IsKey()) continue;
            if (c.r >= 240 && c.b >= 240 && c.g <= 20) ++specks;
            bool touches = (x > 0 && img.Key(x - 1, y)) || (x + 1 < img.width && img.Key(x + 1, y)) ||
                           (y > 0 && img.Key(x, y - 1)) || (y + 1 < img.height && img.Key(x, y + 1));
            if (touches && std::min(c.r, c.b) - c.g > 40) ++rims;
        }
    EXPECT_EQ(rims, 0) << p.id;
    EXPECT_EQ(specks, 0) << p.id;
}

TEST_P(EveryBitmap, AnimationFramesAllDifferFromTheirPredecessor) {
    const Picture& p = GetParam();
    if (p.frames < 2) GTEST_SKIP() << "a still picture";
    Image img = LoadBitmap(p.id);
    int fw = p.width / p.frames;
    for (int f = 0; f < p.frames; ++f) {
        Image a = Frame(img, f, fw), b = Frame(img, (f + 1) % p.frames, fw);
        long differ = 0;
        for (size_t i = 0; i < a.px.size(); ++i)
            differ += (a.px[i].r != b.px[i].r || a.px[i].g != b.px[i].g || a.px[i].b != b.px[i].b);
        EXPECT_GT(differ, std::max<long>(1, long(a.px.size()) / 400)) << p.id << " frames " << f << " and " << (f + 1) % p.frames << " look the same";
    }
}

INSTANTIATE_TEST_SUITE_P(Resources, EveryBitmap, ::testing::ValuesIn(kPictures),
                         [](const ::testing::TestParamInfo<Picture>& info) { return std::to_string(info.param.id); });

}  // namespace
