// The pictures as stored in resources/: format and size of every bitmap, the colour key, the art against the places
// the game puts its sprites, and the icon groups. (How the running game shows them: the frames of tests/golden; the
// window icon decoded: tests/sdl/.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "support/ResourceFiles.h"

namespace {

const uint32_t kKey = 0xFF00FF;
bool NearKey(uint32_t c) { return (c >> 16) >= 0xF0 && (c >> 8 & 0xFF) <= 0x10 && (c & 0xFF) >= 0xF0; }

enum Use { kSprite, kOpaque, kUnused };  // kOpaque covers the whole window; kUnused is loaded, never shown
struct Art { int iId; int iFrames, iFrameWidth, iHeight; Use use; };
const Art kArt[] = {  // in resource ID order from 2000: frames, frame width, height, use
    {2000, 8, 115, 85, kSprite}, {2001, 8, 115, 85, kSprite}, {2002, 8, 115, 85, kSprite}, {2003, 2, 115, 85, kSprite},
    {2004, 1, 115, 85, kSprite}, {2005, 1, 115, 85, kSprite}, {2006, 6, 115, 85, kSprite}, {2007, 1, 115, 85, kSprite},
    {2008, 6, 115, 85, kSprite}, {2009, 1, 640, 480, kSprite}, {2010, 5, 640, 480, kSprite}, {2011, 1, 640, 480, kSprite},
    {2012, 1, 640, 480, kSprite}, {2013, 8, 640, 480, kSprite}, {2014, 8, 640, 480, kSprite}, {2015, 1, 640, 480, kSprite},
    {2016, 1, 640, 480, kOpaque}, {2017, 1, 640, 167, kSprite}, {2018, 1, 640, 480, kOpaque}, {2019, 1, 640, 480, kOpaque},
    {2020, 4, 10, 10, kUnused},
};
void PrintTo(const Art& art, std::ostream* pOut) { *pOut << art.iId; }
std::string Name(const Art& art) {
    const std::string sFile = Table()[art.iId].second;
    return sFile.substr(0, sFile.find('.'));
}

// The pixels of a 24-bit bottom-up file as 0xRRGGBB, top row first; read once.
struct Image {
    int iWidth = 0;
    std::vector<uint32_t> vPx;
    uint32_t At(int x, int y) const { return vPx[size_t(y) * iWidth + x]; }
};
const Image& Picture(int iId) {
    static std::map<int, Image> mCache;
    if (mCache.count(iId)) return mCache[iId];
    const Bytes d = File(iId);
    Image& img = mCache[iId];
    const int w = d.size() >= 54 ? int(U32(d, 18)) : 0, h = d.size() >= 54 ? int(U32(d, 22)) : 0;
    const size_t cbStride = (size_t(w) * 3 + 3) & ~size_t(3);
    if (w <= 0 || h <= 0 || d.size() < 54 + cbStride * h) return img;
    img.iWidth = w;
    for (int y = h - 1; y >= 0; --y)
        for (const uint8_t* p = &d[54 + cbStride * y]; p < &d[54 + cbStride * y] + 3 * w; p += 3)
            img.vPx.push_back(uint32_t(p[2]) << 16 | p[1] << 8 | p[0]);
    return img;
}

struct Rect { int l, t, r, b; };
double KeyShare(const Art& art, int iFrame, Rect rc) {
    long n = 0;
    for (int y = rc.t; y < rc.b; ++y)
        for (int x = rc.l; x < rc.r; ++x) n += Picture(art.iId).At(iFrame * art.iFrameWidth + x, y) == kKey;
    return double(n) / (double(rc.r - rc.l) * (rc.b - rc.t));
}

class EveryBitmap : public ::testing::TestWithParam<Art> {};

TEST_P(EveryBitmap, IsAStripOfItsFramesUncompressed24BitBottomUp) {
    const Art& art = GetParam();
    EXPECT_EQ(Table()[art.iId].first, "BITMAP");
    const Bytes d = File(art.iId);
    ASSERT_GE(d.size(), 54u);
    const uint32_t cbPixels = ((uint32_t(art.iFrames * art.iFrameWidth) * 3 + 3) & ~3u) * art.iHeight;
    // "BM", file size, pixel offset (no colour table), header size, width, height (positive: bottom-up), planes,
    // bits per pixel, BI_RGB, pixel bytes (rows padded to 4 bytes), colours used; then the real size
    const std::vector<uint32_t> vHeader = {U16(d, 0),  U32(d, 2),  U32(d, 10), U32(d, 14), U32(d, 18), U32(d, 22),
                                           U16(d, 26), U16(d, 28), U32(d, 30), U32(d, 34), U32(d, 46), 54 + cbPixels},
                                vWanted = {0x4D42, 54 + cbPixels, 54, 40, uint32_t(art.iFrames * art.iFrameWidth),
                                           uint32_t(art.iHeight), 1, 24, 0, cbPixels, 0, uint32_t(d.size())};
    EXPECT_EQ(vHeader, vWanted);
}

// A pixel almost the key shows as a pink speck; one beside the key that leans to magenta, as a purple rim.
TEST_P(EveryBitmap, ShowsWhatLiesBehindOnlyThroughThePureKeyInEveryFrame) {
    const Art& art = GetParam();
    const Image& img = Picture(art.iId);
    const int w = art.iFrameWidth, h = art.iHeight;
    ASSERT_EQ(img.iWidth, art.iFrames * w);
    for (int f = 0; f < art.iFrames; ++f) {
        const double dKey = KeyShare(art, f, {0, 0, w, h});
        EXPECT_TRUE(art.use == kOpaque ? dKey == 0 : dKey > 0 && dKey < 1) << "frame " << f << " key share " << dKey;
        int iDiffer = 0;
        for (int y = 0; y < h && art.iFrames > 1; ++y)
            for (int x = 0; x < w; ++x) iDiffer += img.At(f * w + x, y) != img.At((f + 1) % art.iFrames * w + x, y);
        EXPECT_TRUE(art.iFrames == 1 || iDiffer > std::max(1, w * h / 400)) << "frame " << f << " like the next";
    }
    int iSpecks = 0, iRims = 0;
    auto Key = [&](int x, int y) { return x >= 0 && y >= 0 && x < img.iWidth && y < h && img.At(x, y) == kKey; };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < img.iWidth; ++x) {
            const uint32_t c = img.At(x, y);
            iSpecks += c != kKey && NearKey(c);
            iRims += c != kKey && (Key(x - 1, y) || Key(x + 1, y) || Key(x, y - 1) || Key(x, y + 1)) &&
                     std::min(c >> 16, c & 0xFF) > (c >> 8 & 0xFF) + 40;
        }
    EXPECT_EQ(iSpecks, 0);
    EXPECT_EQ(iRims, 0);
}

INSTANTIATE_TEST_SUITE_P(Resources, EveryBitmap, ::testing::ValuesIn(kArt),
                         [](const ::testing::TestParamInfo<Art>& info) { return Name(info.param); });

// Where the game puts its sprites: the share of key pixels allowed in a rectangle of every frame of the pictures.
struct Place { std::vector<int> vIds; Rect rc; double dMinKey, dMaxKey; const char* szWhy; };
const std::vector<int> kBodies = {2009, 2013, 2014, 2015}, kFish = {2000, 2001, 2002, 2004, 2006, 2007, 2008};
const Place kPlaces[] = {
    {kBodies, {200, 200, 435, 285}, 0, 0, "the fish swims between x 200 and 320 at y 200 in the water"},
    {kBodies, {265, 200, 380, 365}, 0, 0, "the blended fish sinks from y 200 to 280 inside the jar"},
    {kBodies, {0, 0, 100, 480}, 1, 1, "the kitchen shows left of the blender"},
    {kBodies, {580, 0, 640, 480}, 1, 1, "the kitchen shows right of the blender"},
    {kBodies, {0, 470, 640, 480}, 1, 1, "the blender stands on the counter, not below it"},
    {kBodies, {200, 440, 440, 462}, 0, 0.1, "the base rests on the counter"},
    {{2011}, {205, 200, 430, 455}, 0.9, 1, "the fish falls to y 460 behind the upturned glass"},
    {{2011}, {0, 0, 80, 480}, 1, 1, "the kitchen shows beside the upturned blender"},
    {{2012}, {215, 330, 420, 450}, 0, 0, "the water fills the upturned jar as it starts to fall"},
    {{2017}, {0, 0, 640, 140}, 0, 0, "the banner is solid across the top"},
    {{2017}, {0, 160, 640, 167}, 1e-6, 1, "the banner's lower edge is shaped, not a hard line"},
    {{2003, 2005}, {0, 84, 115, 85}, 0, 0.99, "a fish on the floor rests on its bottom row"},
    {kFish, {0, 84, 115, 85}, 1, 1, "nothing cut off at the bottom edge"},
};

TEST(Scene, ArtLiesWhereTheGameDrawsIt) {
    std::vector<Place> vPlaces(std::begin(kPlaces), std::end(kPlaces));
    for (Rect rc : {Rect{0, 0, 1, 85}, Rect{114, 0, 115, 85}, Rect{0, 0, 115, 1}})  // and at the other edges
        vPlaces.push_back({{2000, 2001, 2002, 2003, 2004, 2005, 2006, 2007, 2008}, rc, 1, 1, "nothing cut off"});
    for (const Place& place : vPlaces)
        for (int iId : place.vIds) {
            const Art& art = kArt[iId - 2000];
            ASSERT_EQ(Picture(iId).iWidth, art.iFrames * art.iFrameWidth) << iId;
            for (int f = 0; f < art.iFrames; ++f) {
                const double d = KeyShare(art, f, place.rc);
                EXPECT_TRUE(d >= place.dMinKey && d <= place.dMaxKey) << Name(art) << "/" << f << ": " << place.szWhy;
            }
        }
}

TEST(Scene, SwimmingRightMirrorsLeftAndThePanicCoversTheFrontView) {
    const Image &left = Picture(2000), &right = Picture(2001), &front = Picture(2002), &panic = Picture(2006);
    const Image& giveUp = Picture(2007);
    ASSERT_TRUE(left.iWidth == 920 && right.iWidth == 920 && front.iWidth == 920 && panic.iWidth == 690);
    ASSERT_EQ(giveUp.iWidth, 115);
    for (int f = 0; f < 8; ++f) {
        int iUnmirrored = 0;
        for (int y = 0; y < 85; ++y)
            for (int x = 0; x < 115; ++x)
                iUnmirrored += (left.At(f * 115 + x, y) == kKey) != (right.At(f * 115 + 114 - x, y) == kKey);
        EXPECT_EQ(iUnmirrored, 0) << "frame " << f;
        for (int p = 0; p < 7; ++p) {  // the six panic frames and the resigned fish, over the front view's body
            int iShowing = 0;
            for (int y = 26; y < 70; ++y)
                for (int x = 40; x < 76; ++x)
                    iShowing += front.At(f * 115 + x, y) != kKey &&
                                (p < 6 ? panic.At(p * 115 + x, y) : giveUp.At(x, y)) == kKey;
            EXPECT_EQ(iShowing, 0) << "the front view, frame " << f << ", shows through overlay " << p;
        }
    }
}

// The looping turn is drawn from frame 1 on, so frame 0 is its last pose before the upturned blender (z-order 21)
// over its falling water (10) takes over.
TEST(Scene, TheTurnLeavesTheCalmBlenderAndEndsWhereTheFallBegins) {
    const Image &turning = Picture(2010), &calm = Picture(2009), &upturned = Picture(2011), &water = Picture(2012);
    ASSERT_TRUE(turning.iWidth == 3200 && calm.iWidth == 640 && upturned.iWidth == 640 && water.iWidth == 640);
    auto Agreement = [&](int iFrame, const Image& top, const Image* pUnder) {
        long lSame = 0;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                lSame += turning.At(iFrame * 640 + x, y) == (top.At(x, y) == kKey && pUnder ? pUnder : &top)->At(x, y);
        return double(lSame) / (640 * 480);
    };
    EXPECT_GT(Agreement(0, upturned, &water), 0.97);
    for (int f = 1; f < 5; ++f) {
        EXPECT_LT(Agreement(f, calm, nullptr), 0.9) << "frame " << f << " shows the calm blender";
        EXPECT_LT(Agreement(f, upturned, &water), 0.9) << "frame " << f << " is already upside down";
    }
}

// The table holds the bitmaps above and two icon groups, each with every size the window may ask for at every
// depth.
TEST(Icons, TwoGroupsHoldEverySizeAtEveryDepth) {
    std::set<int> setIds = {1000, 1001}, setListed;
    for (const Art& art : kArt) setIds.insert(art.iId);
    for (const auto& entry : Table()) setListed.insert(entry.first);
    EXPECT_EQ(setListed, setIds);
    const std::multiset<std::pair<int, int>> setWanted = {{16, 4}, {16, 8}, {16, 32}, {32, 4},   {32, 8},  {32, 32},
                                                          {48, 4}, {48, 8}, {48, 32}, {256, 8}, {256, 32}};
    for (int iGroup : {1000, 1001}) {
        EXPECT_EQ(Table()[iGroup].first, "ICON");
        const Bytes d = File(iGroup);
        ASSERT_TRUE(d.size() >= 6 && U16(d, 0) == 0 && U16(d, 2) == 1) << iGroup << " is no icon file";
        std::multiset<std::pair<int, int>> setFound;
        for (size_t e = 6; e < 6 + 16 * U16(d, 4) && e + 16 <= d.size(); e += 16)
            setFound.insert({d[e] ? d[e] : 256, U16(d, e + 6)});
        EXPECT_EQ(setFound, setWanted) << iGroup;
    }
}

}  // namespace
