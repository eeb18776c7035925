// Copies wide enough for the vector row loops: every keyed row loop this
// processor offers against a pixel-by-pixel model, and whole copies through
// TransparentBlt and BitBlt across orientations, clipping and overlap, with
// images large enough to lie on huge pages.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "PlatformTestSupport.h"
#include "Platform/Surface.h"

using namespace testsupport;

namespace {

const COLORREF kKey = RGB(255, 0, 255);
const uint32_t kKeyBGR = 0x00FF00FFu;  // B, G, R from the lowest byte
const COLORREF kBackground = RGB(1, 2, 3);

const int kPatterns = 7;

// Source rows that put key and non-key pixels in every arrangement a run of
// 16 can have: all key, none, mixed, whole groups of 4 and 8 either way, and
// colours one step from the key; the fourth byte is set at random and is not
// part of the colour.
std::vector<uint32_t> SourceRow(int iWidth, int iPattern, std::mt19937& rng) {
    const uint32_t auiNearKey[] = {0x00FE00FFu, 0x00FF01FFu, 0x00FF00FEu, 0x007F007Fu};
    std::vector<uint32_t> v(static_cast<size_t>(iWidth));
    std::vector<bool> vGroupKey(static_cast<size_t>(iWidth / 4 + 1));
    for (size_t i = 0; i < vGroupKey.size(); ++i) vGroupKey[i] = rng() % 2 == 0;
    for (int x = 0; x < iWidth; ++x) {
        bool bKey;
        switch (iPattern) {
        case 0: bKey = rng() % 2 == 0; break;       // scattered
        case 1: bKey = (x / 16) % 2 == 0; break;    // runs of 16
        case 2: bKey = (x / 5) % 3 == 0; break;     // runs across run borders
        case 3: bKey = vGroupKey[x / 4]; break;     // groups of 4
        case 4: bKey = vGroupKey[x / 8]; break;     // groups of 8
        case 5: bKey = true; break;
        default: bKey = false; break;
        }
        const uint32_t uiFourth = static_cast<uint32_t>(rng() % 2 ? 0xA5 : 0) << 24;
        const uint32_t uiColour = rng() % 4 == 0 ? auiNearKey[rng() % 4] : rng() & 0xFFFFFFu;
        v[static_cast<size_t>(x)] = uiFourth | (bKey ? kKeyBGR : uiColour);
    }
    return v;
}

}  // namespace

TEST(PlatformKeyedRow, EveryLoopStoresExactlyTheNonKeyPixels) {
    std::mt19937 rng(12345);
    const std::vector<platform::KeyedRowLoop> vLoops = platform::KeyedRowLoops();
    ASSERT_FALSE(vLoops.empty());
    for (size_t iLoop = 0; iLoop < vLoops.size(); ++iLoop) {
        for (int iWidth = 0; iWidth <= 70; ++iWidth) {
            for (int iPattern = 0; iPattern < kPatterns; ++iPattern) {
                for (int iRepeat = 0; iRepeat < (iPattern == 3 || iPattern == 4 ? 20 : 1); ++iRepeat) {
                const std::vector<uint32_t> vSrc = SourceRow(iWidth, iPattern, rng);
                // Guards on both sides of the row must stay as they are.
                std::vector<uint32_t> vDst(static_cast<size_t>(iWidth) + 8);
                for (uint32_t& ui : vDst) ui = rng();
                std::vector<uint32_t> vExpected = vDst;
                for (int x = 0; x < iWidth; ++x)
                    if ((vSrc[x] & 0xFFFFFFu) != kKeyBGR) vExpected[x + 4] = vSrc[x];
                vLoops[iLoop](reinterpret_cast<uint8_t*>(vDst.data() + 4),
                              reinterpret_cast<const uint8_t*>(vSrc.data()), iWidth, kKeyBGR);
                ASSERT_EQ(vExpected, vDst) << "loop " << iLoop << ", width " << iWidth << ", pattern " << iPattern;
                }
            }
        }
    }
}

TEST(PlatformBlit, WideTransparentBltKeysExactlyInEveryPlacementAndOrientation) {
    std::mt19937 rng(777);
    for (bool bSrcTopDown : {false, true}) {
        for (bool bDstTopDown : {false, true}) {
            TestBitmap src(67, 5, 32, bSrcTopDown);
            for (int y = 0; y < 5; ++y) {
                const std::vector<uint32_t> vRow = SourceRow(67, y, rng);
                for (int x = 0; x < 67; ++x) std::memcpy(src.At(x, y), &vRow[x], 4);
            }
            TestBitmap dst(80, 9, 32, bDstTopDown);
            for (int x : {-70, -33, -1, 0, 3, 13, 40, 79}) {
                for (int y : {-3, 0, 2, 6}) {
                    dst.Fill(kBackground);
                    ASSERT_TRUE(TransparentBlt(dst.m_hDC, x, y, 67, 5, src.m_hDC, 0, 0, 67, 5, kKey));
                    for (int dy = 0; dy < 9; ++dy)
                        for (int dx = 0; dx < 80; ++dx) {
                            const int sx = dx - x, sy = dy - y;
                            COLORREF crExpected = kBackground;
                            if (sx >= 0 && sx < 67 && sy >= 0 && sy < 5 && src.Get(sx, sy) != kKey)
                                crExpected = src.Get(sx, sy);
                            ASSERT_EQ(dst.Get(dx, dy), crExpected)
                                << bSrcTopDown << bDstTopDown << " at " << x << "," << y << ": " << dx << "," << dy;
                        }
                }
            }
        }
    }
}

TEST(PlatformBlit, WideCopiesWithinOneBitmapReadTheSourceBeforeWriting) {
    for (bool bKeyed : {false, true}) {
        for (int iShift : {-2, 2}) {
            TestBitmap bmp(50, 8, 32);
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 50; ++x) bmp.Set(x, y, (x + y) % 7 == 0 ? kKey : Distinct(x, y));
            if (bKeyed)
                ASSERT_TRUE(TransparentBlt(bmp.m_hDC, iShift, iShift, 45, 6, bmp.m_hDC, 1, 1, 45, 6, kKey));
            else
                ASSERT_TRUE(BitBlt(bmp.m_hDC, iShift, iShift, 45, 6, bmp.m_hDC, 1, 1, SRCCOPY));
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 50; ++x) {
                    const COLORREF crBefore = (x + y) % 7 == 0 ? kKey : Distinct(x, y);
                    const int sx = x - iShift + 1, sy = y - iShift + 1;
                    const bool bInside = x >= iShift && x < iShift + 45 && y >= iShift && y < iShift + 6;
                    const COLORREF crSource = (sx + sy) % 7 == 0 ? kKey : Distinct(sx, sy);
                    const COLORREF crExpected = bInside && !(bKeyed && crSource == kKey) ? crSource : crBefore;
                    ASSERT_EQ(bmp.Get(x, y), crExpected) << bKeyed << " shift " << iShift << ": " << x << "," << y;
                }
        }
    }
}

TEST(PlatformBlit, ImagesOfWindowSizeAndMoreAreWholeAndCopyExactly) {
    // 1.2 MB and 9.8 MB of pixels: the sizes the game's images come in.
    for (int iWidth : {640, 5120}) {
        TestBitmap big(iWidth, 480, 32, true);
        ASSERT_NE(big.m_pBits, nullptr);
        const size_t cbAll = big.Stride() * 480;
        EXPECT_EQ(0, big.m_pBits[0]);
        EXPECT_EQ(0, big.m_pBits[cbAll - 1]);
        for (int y = 0; y < 480; y += 7)
            for (int x = 0; x < iWidth; x += 3) big.Set(x, y, x % 2 ? kKey : Distinct(x % 200, y % 100));
        big.Set(iWidth - 1, 479, RGB(9, 8, 7));

        TestBitmap window(640, 480, 32, false);
        window.Fill(kBackground);
        const int xPart = iWidth - 640;
        ASSERT_TRUE(TransparentBlt(window.m_hDC, 0, 0, 640, 480, big.m_hDC, xPart, 0, 640, 480, kKey));
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                const COLORREF cr = big.Get(xPart + x, y);
                ASSERT_EQ(window.Get(x, y), cr == kKey ? kBackground : cr) << x << "," << y;
            }
        EXPECT_EQ(window.Get(639, 479), RGB(9, 8, 7));
    }
}
