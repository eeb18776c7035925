// Bitmaps and the copies between them: every destination pixel checked against a
// pixel-by-pixel model, for both source depths, both orientations, clipping at every
// edge and rows wide enough for the vector loops.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "Platform/Surface.h"
#include "Platform/Win32.h"

namespace {

const COLORREF kKey = RGB(255, 0, 255);

// A DIB section in a memory DC, read and written where Windows keeps its bytes:
// rows padded to 4 bytes, the bottom row first unless top-down.
struct Dib {
    int m_iWidth, m_iHeight, m_iBits;
    bool m_bTopDown;
    uint8_t* m_pBits = nullptr;
    HDC m_hDC = CreateCompatibleDC(nullptr);
    HBITMAP m_hBitmap;

    Dib(int iWidth, int iHeight, int iBits, bool bTopDown)
        : m_iWidth(iWidth), m_iHeight(iHeight), m_iBits(iBits), m_bTopDown(bTopDown) {
        BITMAPINFO bmi{};
        bmi.bmiHeader = {40, iWidth, bTopDown ? -iHeight : iHeight, 1, WORD(iBits), BI_RGB, 0, 0, 0, 0, 0};
        m_hBitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_pBits), nullptr, 0);
        SelectObject(m_hDC, m_hBitmap);
    }
    ~Dib() {
        EXPECT_TRUE(DeleteDC(m_hDC) && DeleteObject(m_hBitmap));  // the DC gives its bitmap up
        EXPECT_FALSE(DeleteObject(m_hBitmap) || DeleteDC(m_hDC));   // and both are gone
    }
    uint8_t* At(int x, int y) const {
        return m_pBits + (m_bTopDown ? y : m_iHeight - 1 - y) * ((m_iWidth * m_iBits + 31) / 32 * 4) + x * m_iBits / 8;
    }
    COLORREF Get(int x, int y) const { return RGB(At(x, y)[2], At(x, y)[1], At(x, y)[0]); }
    void Set(int x, int y, COLORREF cr) const {  // a 32-bit pixel's fourth byte is no part of its colour
        const uint8_t aBytes[4] = {GetBValue(cr), GetGValue(cr), GetRValue(cr), uint8_t((x + y) % 3 ? 0xA5 : 0)};
        std::copy(aBytes, aBytes + m_iBits / 8, At(x, y));
    }
    std::vector<COLORREF> Pixels() const {
        std::vector<COLORREF> v;
        for (int y = 0; y < m_iHeight; ++y)
            for (int x = 0; x < m_iWidth; ++x) v.push_back(Get(x, y));
        return v;
    }
};

// Rows with keyed runs of 16, scattered keys, colours one step from the key, and
// a run that starts all key.
COLORREF Pattern(int x, int y) {
    const COLORREF crOwn = RGB(10 + x % 200, 100 + y, 200 - x / 200);
    switch (y % 4) {
    case 0: return (x / 16) % 2 ? kKey : crOwn;
    case 1: return x % 3 == 0 ? kKey : crOwn;
    case 2: return x % 4 == 1 ? RGB(254, 0, 255) : x % 4 == 2 ? RGB(255, 1, 255) : crOwn;
    default: return x < 20 ? kKey : crOwn;
    }
}

enum Op { Copy, Keyed, Fill };

}  // namespace

TEST(PlatformBlit, EveryPixelLandsWhereTheModelPutsIt) {
    const struct {
        Op op;
        int iSrcWidth, iSrcHeight, iSrcBits;  // no bits: the destination is the source
        bool bSrcTopDown;
        int iDstWidth, iDstHeight, iDstBits;
        bool bDstTopDown;
        std::vector<int> vX, vY;  // every placement is tried
        int iWidth, iHeight, xSrc, ySrc;
        BOOL bResult;
    } aRows[] = {
        // Opaque: clipped at every edge and wholly outside; the source corner outside the source or inside it.
        {Copy, 3, 3, 24, false, 4, 4, 32, true, {-3, -2, 0, 1, 3, 4}, {-3, -1, 0, 2, 4}, 3, 3, 0, 0, TRUE},
        {Copy, 3, 3, 32, true, 4, 4, 24, false, {-1, 0, 2}, {0, 1}, 3, 3, -1, -1, TRUE},
        {Copy, 5, 4, 24, false, 4, 4, 24, true, {-1, 1}, {0, 3}, 5, 4, 1, 2, TRUE},
        {Copy, 6, 1, 32, false, 8, 2, 32, false, {-1, 3}, {0, 1}, 6, 1, 0, 0, TRUE},  // one row
        {Copy, 67, 5, 32, false, 80, 9, 32, true, {-70, -33, -1, 0, 13, 79}, {-3, 0, 6}, 67, 5, 0, 0, TRUE},
        {Copy, 3, 3, 32, true, 4, 4, 32, true, {INT_MIN, -1, INT_MAX - 1}, {INT_MIN, -1}, INT_MAX, INT_MAX, 0, 0, TRUE},
        {Copy, 0, 0, 0, false, 50, 8, 32, false, {3}, {3}, 45, 6, 1, 1, TRUE},  // within one image
        {Copy, 0, 0, 0, false, 50, 8, 24, true, {-1}, {0}, 45, 6, 1, 1, TRUE},
        // Keyed: both depths each way, wide rows in either orientation, a strip's third frame.
        {Keyed, 3, 4, 24, false, 4, 4, 32, false, {-3, -2, 0, 1, 3, 4}, {-4, -1, 0, 2, 4}, 3, 4, 0, 0, TRUE},
        {Keyed, 3, 4, 24, true, 4, 4, 24, true, {-1, 1}, {-1, 1}, 3, 4, 0, 0, TRUE},
        {Keyed, 3, 4, 32, false, 4, 4, 24, false, {-1, 1}, {-1, 1}, 3, 4, 0, 0, TRUE},
        {Keyed, 6, 1, 32, false, 8, 2, 24, true, {-1, 3}, {0, 1}, 6, 1, 0, 0, TRUE},  // one row
        {Keyed, 67, 5, 32, false, 80, 9, 32, true, {-70, -33, -1, 0, 3, 13, 40, 79}, {-3, 0, 6}, 67, 5, 0, 0, TRUE},
        {Keyed, 67, 5, 32, true, 80, 9, 32, false, {-1, 13}, {0, 2}, 67, 5, 0, 0, TRUE},
        {Keyed, 80, 6, 32, true, 30, 10, 32, true, {-5, 0, 15}, {-2, 3}, 20, 6, 40, 0, TRUE},
        {Keyed, 1300, 480, 32, true, 640, 480, 32, false, {0}, {0}, 640, 480, 660, 0, TRUE},
        {Keyed, 0, 0, 0, false, 50, 8, 32, false, {-1, 3}, {-1, 3}, 45, 6, 1, 1, TRUE},
        // Keyed copies refuse a source rectangle that leaves the source, or is empty.
        {Keyed, 3, 3, 32, true, 4, 4, 32, true, {0}, {0}, 3, 3, -1, 0, FALSE},
        {Keyed, 3, 3, 24, true, 4, 4, 32, true, {0}, {0}, 3, 3, 0, 1, FALSE},
        {Keyed, 3, 3, 32, true, 4, 4, 32, true, {0}, {0}, 2, 3, 2, 0, FALSE},
        {Keyed, 3, 3, 32, true, 4, 4, 32, true, {0}, {0}, 3, 3, INT_MAX, 0, FALSE},
        {Keyed, 3, 3, 32, true, 4, 4, 32, true, {0}, {0}, 0, 3, 0, 0, FALSE},
        // Fills, clipped; an inverted rectangle fills nothing.
        {Fill, 0, 0, 0, false, 4, 3, 32, true, {-2, 0, 3, 4}, {-1, 1, 3}, 4, 9, 0, 0, TRUE},
        {Fill, 0, 0, 0, false, 4, 3, 24, false, {-2, 3}, {-9, 1}, 4, 9, 0, 0, TRUE},
        {Fill, 0, 0, 0, false, 4, 3, 32, false, {3}, {2}, -2, -2, 0, 0, TRUE},
    };
    for (const auto& row : aRows) {
        Dib dst(row.iDstWidth, row.iDstHeight, row.iDstBits, row.bDstTopDown);
        std::unique_ptr<Dib> pOwn;
        if (row.iSrcBits) pOwn.reset(new Dib(row.iSrcWidth, row.iSrcHeight, row.iSrcBits, row.bSrcTopDown));
        const Dib* pSrc = pOwn ? pOwn.get() : &dst;
        for (int x : row.vX) {
            for (int y : row.vY) {
                SCOPED_TRACE(testing::Message() << "row " << &row - aRows << " at " << x << "," << y);
                for (int dy = 0; dy < dst.m_iHeight; ++dy)
                    for (int dx = 0; dx < dst.m_iWidth; ++dx) dst.Set(dx, dy, RGB(1, 2, 3));
                for (int sy = 0; sy < pSrc->m_iHeight; ++sy)
                    for (int sx = 0; sx < pSrc->m_iWidth; ++sx) pSrc->Set(sx, sy, Pattern(sx, sy));
                const std::vector<COLORREF> vBefore = dst.Pixels(), vSource = pSrc->Pixels();
                HBRUSH hBrush = CreateSolidBrush(RGB(9, 8, 7));
                const RECT rc = {x, y, LONG(int64_t(x) + row.iWidth), LONG(int64_t(y) + row.iHeight)};
                const BOOL bResult =
                    row.op == Fill ? FillRect(dst.m_hDC, &rc, hBrush)
                    : row.op == Copy
                        ? BitBlt(dst.m_hDC, x, y, row.iWidth, row.iHeight, pSrc->m_hDC, row.xSrc, row.ySrc, SRCCOPY)
                        : TransparentBlt(dst.m_hDC, x, y, row.iWidth, row.iHeight, pSrc->m_hDC, row.xSrc, row.ySrc,
                                         row.iWidth, row.iHeight, kKey);
                DeleteObject(hBrush);
                ASSERT_EQ(bResult, row.bResult);
                for (int dy = 0; dy < dst.m_iHeight; ++dy) {
                    for (int dx = 0; dx < dst.m_iWidth; ++dx) {
                        const int64_t sx = int64_t(row.xSrc) + dx - x, sy = int64_t(row.ySrc) + dy - y;
                        const bool bInside = row.bResult && dx >= x && dy >= y && dx < int64_t(x) + row.iWidth &&
                                             dy < int64_t(y) + row.iHeight;
                        COLORREF cr = vBefore[dy * dst.m_iWidth + dx];
                        if (bInside && row.op == Fill) {
                            cr = RGB(9, 8, 7);
                        } else if (bInside && sx >= 0 && sy >= 0 && sx < pSrc->m_iWidth && sy < pSrc->m_iHeight) {
                            const COLORREF crSource = vSource[sy * pSrc->m_iWidth + sx];
                            if (row.op == Copy || crSource != kKey) cr = crSource;
                        }
                        ASSERT_EQ(dst.Get(dx, dy), cr) << "pixel " << dx << "," << dy;
                    }
                }
            }
        }
    }
}

TEST(PlatformBlit, EveryKeyedRowLoopStoresExactlyTheNonKeyPixels) {
    std::mt19937 rng(12345);
    for (platform::KeyedRowLoop pfnLoop : platform::KeyedRowLoops()) {  // the widest is the one used above
        for (int iWidth = 0; iWidth <= 50; ++iWidth) {
            for (int iRun : {1, 4, 8, 16, 64}) {  // keys and colours come in runs of this many
                std::vector<uint32_t> vSrc(iWidth), vDst(iWidth + 8), vExpected;
                for (uint32_t& ui : vDst) ui = rng();
                vExpected = vDst;
                bool bKey = false;
                for (int x = 0; x < iWidth; ++x) {
                    if (x % iRun == 0) bKey = rng() % 2;
                    vSrc[x] = (rng() & 0xFF000000u) | (bKey ? 0xFF00FFu : rng() % 2 ? 0xFE00FFu : rng() & 0xFFFFFFu);
                    if (!bKey) vExpected[x + 4] = vSrc[x];
                }
                pfnLoop(reinterpret_cast<uint8_t*>(&vDst[4]), reinterpret_cast<const uint8_t*>(vSrc.data()), iWidth,
                        0xFF00FFu);
                ASSERT_EQ(vDst, vExpected) << "width " << iWidth << ", runs of " << iRun;
            }
        }
    }
}

TEST(PlatformBlit, RefusedCallsLeaveNoTrace) {
    Dib src(3, 3, 32, true), dst(4, 4, 32, true);
    const RECT rc = {0, 0, 4, 4};
    EXPECT_FALSE(BitBlt(dst.m_hDC, 0, 0, 2, 2, src.m_hDC, 0, 0, 0x00EE0086u));
    EXPECT_FALSE(BitBlt(dst.m_hDC, 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY));
    EXPECT_FALSE(TransparentBlt(dst.m_hDC, 0, 0, 2, 2, src.m_hDC, 0, 0, 1, 1, kKey));  // no stretching
    EXPECT_EQ(FillRect(dst.m_hDC, &rc, nullptr), 0);
    EXPECT_EQ(GetPixel(dst.m_hDC, 4, 0) & GetPixel(dst.m_hDC, 0, -1), CLR_INVALID);
    EXPECT_EQ(GetPixel(dst.m_hDC, 3, 0) | GetPixel(dst.m_hDC, 0, 3), RGB(0, 0, 0));  // the last inside
    // Only RGB images of 24 or 32 bits a pixel, no side longer than 16384, are made.
    const std::pair<BITMAPINFOHEADER, bool> aHeaders[] = {
        {{40, 16384, -1, 1, 24, BI_RGB, 0, 0, 0, 0, 0}, true},  {{40, 1, 16384, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, true},
        {{40, 16385, 1, 1, 24, BI_RGB, 0, 0, 0, 0, 0}, false},  {{40, 1, -16385, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, false},
        {{40, 1, INT_MIN, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, false}, {{40, 0, 1, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, false},
        {{40, 4, 4, 1, 16, BI_RGB, 0, 0, 0, 0, 0}, false},      {{40, 4, 4, 1, 32, BI_BITFIELDS, 0, 0, 0, 0, 0}, false},
        {{12, 4, 4, 1, 24, BI_RGB, 0, 0, 0, 0, 0}, false},      {{39, 4, 4, 1, 24, BI_RGB, 0, 0, 0, 0, 0}, false}};
    for (const auto& header : aHeaders) {
        const BITMAPINFO bmi = {header.first, {}};
        HBITMAP hBitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, nullptr, nullptr, 0);
        EXPECT_EQ(hBitmap != nullptr, header.second) << header.first.biWidth << "x" << header.first.biHeight;
        DeleteObject(hBitmap);
    }
    EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, nullptr, nullptr, 0), nullptr);
    EXPECT_EQ(dst.Pixels(), std::vector<COLORREF>(16, RGB(0, 0, 0)));
    const RECT rcIn = {10, 20, 30, 40};  // the right and bottom edges lie outside
    EXPECT_EQ(std::vector<BOOL>({PtInRect(&rcIn, {10, 20}), PtInRect(&rcIn, {29, 39}), PtInRect(&rcIn, {30, 39}),
                                 PtInRect(&rcIn, {29, 40}), PtInRect(&rcIn, {9, 25}), PtInRect(nullptr, {10, 20})}),
              std::vector<BOOL>({TRUE, TRUE, FALSE, FALSE, FALSE, FALSE}));
    // A bitmap or brush selected into a context is not deleted; the bitmap is selected into no other.
    HBRUSH hBrush = CreateSolidBrush(0);
    HGDIOBJ hOldBrush = SelectObject(dst.m_hDC, hBrush);
    EXPECT_FALSE(DeleteObject(dst.m_hBitmap) || SelectObject(src.m_hDC, dst.m_hBitmap) || DeleteObject(hBrush));
    EXPECT_TRUE(SelectObject(dst.m_hDC, hOldBrush) == hBrush && DeleteObject(hBrush));
    // A context's first brush is a stock one: "deleted", it stays.
    EXPECT_TRUE(DeleteObject(hOldBrush) && FillRect(dst.m_hDC, &rc, static_cast<HBRUSH>(hOldBrush)));
}

// A copy onto a window writes what differs and names the smallest rectangle of
// the window holding it, so that its display sends only that.
TEST(PlatformBlit, ACopyNotingChangeNamesTheSmallestRectangleThatChanged) {
    const struct {
        int x, y;                                    // where the 40x6 source lands on the 48x8 window
        std::vector<std::pair<int, int>> vChanged;  // source pixels unlike the window's beneath them
        int iSrcBits;                                // a 24-bit source is copied whole
        RECT rcExpected;
    } aRows[] = {
        {0, 0, {}, 32, {0, 0, 0, 0}},
        {0, 0, {{0, 0}}, 32, {0, 0, 1, 1}},
        {4, 1, {{39, 5}}, 32, {43, 6, 44, 7}},
        {4, 1, {{3, 2}, {20, 0}, {7, 4}}, 32, {7, 1, 25, 6}},
        {-2, -1, {{0, 0}, {5, 3}}, 32, {3, 2, 4, 3}},  // the first lands outside
        {10, 5, {}, 24, {10, 5, 48, 8}},
    };
    for (const auto& row : aRows) {
        SCOPED_TRACE(testing::Message() << "row " << &row - aRows);
        std::vector<uint8_t> vDst(48 * 8 * 4), vSrc(40 * 6 * 4);
        const platform::Surface dst{vDst.data(), 48, 8, 32, 48 * 4, true};
        const platform::Surface src{vSrc.data(), 40, 6, row.iSrcBits, 40 * row.iSrcBits / 8, true};
        auto Byte = [](int x, int y, int i) { return uint8_t(x * 5 + y * 31 + i); };
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 48 * 4; ++x) vDst[y * 48 * 4 + x] = Byte(x / 4, y, x % 4);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 40; ++x)
                for (int i = 0; i < src.BytesPerPixel(); ++i)
                    src.Row(y)[x * src.BytesPerPixel() + i] =
                        Byte(x + row.x, y + row.y, i) ^ (std::count(row.vChanged.begin(), row.vChanged.end(),
                                                                    std::make_pair(x, y)) ? 0x80 : 0);
        const std::vector<uint8_t> vBefore = vDst;
        RECT rc;
        platform::CopyPixelsNotingChange(dst, row.x, row.y, 40, 6, src, 0, 0, rc);
        EXPECT_EQ(std::vector<LONG>({rc.left, rc.top, rc.right, rc.bottom}),
                  std::vector<LONG>({row.rcExpected.left, row.rcExpected.top, row.rcExpected.right,
                                     row.rcExpected.bottom}));
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 48; ++x)
                for (int i = 0; i < 3; ++i) {
                    const bool bInside = x >= row.x && y >= row.y && x < row.x + 40 && y < row.y + 6;
                    ASSERT_EQ(vDst[(y * 48 + x) * 4 + i],
                              bInside ? src.Row(y - row.y)[(x - row.x) * src.BytesPerPixel() + i]
                                      : vBefore[(y * 48 + x) * 4 + i])
                        << "pixel " << x << "," << y;
                }
    }
}
