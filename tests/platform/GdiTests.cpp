// Bitmaps, device contexts and blits: exact pixels, layouts and clipping.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "PlatformTestSupport.h"

using namespace testsupport;

namespace {

const COLORREF kBackground = RGB(1, 2, 3);
const COLORREF kKey = RGB(255, 0, 255);

BITMAPINFO Header(LONG lWidth, LONG lHeight, WORD wBits, DWORD dwCompression = BI_RGB) {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = lWidth;
    bmi.bmiHeader.biHeight = lHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = wBits;
    bmi.bmiHeader.biCompression = dwCompression;
    return bmi;
}

// What a copy of src to (x, y) of a destination filled with kBackground must
// leave at (dx, dy), taking the pixel by pixel view: a destination pixel
// changes only when its source pixel exists and, when keyed, is not the key.
COLORREF Expected(const TestBitmap& src, int x, int y, int w, int h, int xSrc, int ySrc, int dx, int dy,
                  bool bKeyed) {
    if (dx < x || dy < y || dx >= x + w || dy >= y + h) return kBackground;
    const int sx = xSrc + dx - x, sy = ySrc + dy - y;
    if (sx < 0 || sy < 0 || sx >= src.m_iWidth || sy >= src.m_iHeight) return kBackground;
    const COLORREF cr = src.Get(sx, sy);
    return bKeyed && cr == kKey ? kBackground : cr;
}

}  // namespace

TEST(PlatformDib, RowsArePaddedAndOrderedAsTheHeaderSays) {
    for (int iBits : {24, 32}) {
        for (bool bTopDown : {false, true}) {
            SCOPED_TRACE(testing::Message() << iBits << " bits, " << (bTopDown ? "top-down" : "bottom-up"));
            // 5 pixels of 3 bytes make 15 bytes, padded to 16.
            TestBitmap bmp(5, 3, iBits, bTopDown);
            ASSERT_NE(bmp.m_hBitmap, nullptr);
            ASSERT_NE(bmp.m_pBits, nullptr);
            EXPECT_EQ(bmp.Stride(), iBits == 24 ? 16u : 20u);
            // A fresh section is all zero, padding included.
            for (size_t i = 0; i < bmp.Stride() * 3; ++i) ASSERT_EQ(bmp.m_pBits[i], 0) << i;

            // Bytes written where Windows keeps pixel (x, y) read back as
            // that pixel.
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 5; ++x) bmp.Set(x, y, Distinct(x, y));
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 5; ++x) EXPECT_EQ(GetPixel(bmp.m_hDC, x, y), Distinct(x, y)) << x << "," << y;
            EXPECT_EQ(GetPixel(bmp.m_hDC, 5, 0), CLR_INVALID);
            EXPECT_EQ(GetPixel(bmp.m_hDC, 0, -1), CLR_INVALID);

            // The first bytes of the buffer are the bottom row unless the
            // image is top-down.
            const int iFirstRow = bTopDown ? 0 : 2;
            EXPECT_EQ(RGB(bmp.m_pBits[2], bmp.m_pBits[1], bmp.m_pBits[0]), Distinct(0, iFirstRow));
        }
    }
}

TEST(PlatformDib, BadHeadersAreRefused) {
    struct Case {
        const char* szWhat;
        BITMAPINFO bmi;
    };
    BITMAPINFO small = Header(4, 4, 24);
    small.bmiHeader.biSize = 12;
    const Case aCases[] = {
        {"8 bits", Header(4, 4, 8)},
        {"16 bits", Header(4, 4, 16)},
        {"1 bit", Header(4, 4, 1)},
        {"run-length", Header(4, 4, 24, BI_RLE8)},
        {"bit fields", Header(4, 4, 32, BI_BITFIELDS)},
        {"zero width", Header(0, 4, 24)},
        {"zero height", Header(4, 0, 24)},
        {"negative width", Header(-4, 4, 24)},
        {"too wide", Header(16385, 1, 24)},
        {"too high", Header(1, 16385, 32)},
        {"too high top-down", Header(1, -16385, 32)},
        {"most negative height", Header(1, INT32_MIN, 32)},
        {"overflowing", Header(INT32_MAX, INT32_MAX, 32)},
        {"short header", small},
    };
    for (const Case& c : aCases) {
        void* pBits = reinterpret_cast<void*>(1);
        EXPECT_EQ(CreateDIBSection(nullptr, &c.bmi, DIB_RGB_COLORS, &pBits, nullptr, 0), nullptr) << c.szWhat;
        EXPECT_EQ(pBits, nullptr) << c.szWhat;
    }
    void* pBits = nullptr;
    EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, &pBits, nullptr, 0), nullptr);

    // The largest size allowed is still made.
    BITMAPINFO largest = Header(16384, 1, 24);
    HBITMAP hBitmap = CreateDIBSection(nullptr, &largest, DIB_RGB_COLORS, &pBits, nullptr, 0);
    EXPECT_NE(hBitmap, nullptr);
    EXPECT_NE(pBits, nullptr);
    EXPECT_TRUE(DeleteObject(hBitmap));
}

TEST(PlatformDc, SelectObjectHandsBackWhatWasSelected) {
    HDC hdc = CreateCompatibleDC(nullptr);
    ASSERT_NE(hdc, nullptr);
    // A new memory DC holds a 1 x 1 stock bitmap.
    HBITMAP hA = CreateCompatibleBitmap(hdc, 8, 8);
    HBITMAP hB = CreateCompatibleBitmap(hdc, 4, 4);
    ASSERT_NE(hA, nullptr);
    ASSERT_NE(hB, nullptr);
    HGDIOBJ hStock = SelectObject(hdc, hA);
    ASSERT_NE(hStock, nullptr);
    EXPECT_EQ(SelectObject(hdc, hB), hA);
    EXPECT_EQ(SelectObject(hdc, hStock), hB);
    EXPECT_EQ(GetPixel(hdc, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(hdc, 1, 0), CLR_INVALID);

    // A selected bitmap belongs to its DC: it can be neither deleted nor
    // selected elsewhere until it is given back.
    SelectObject(hdc, hA);
    HDC hOther = CreateCompatibleDC(hdc);
    EXPECT_EQ(SelectObject(hOther, hA), nullptr);
    EXPECT_FALSE(DeleteObject(hA));
    EXPECT_EQ(SelectObject(hdc, hStock), hA);
    EXPECT_EQ(SelectObject(hOther, hA), hStock);
    EXPECT_TRUE(DeleteDC(hOther));  // gives the bitmap up
    EXPECT_TRUE(DeleteObject(hA));
    EXPECT_TRUE(DeleteObject(hB));
    EXPECT_FALSE(DeleteObject(hB));
    EXPECT_EQ(SelectObject(hdc, hB), nullptr);  // a deleted handle is refused

    HBRUSH hBrush = CreateSolidBrush(RGB(1, 2, 3));
    HGDIOBJ hOldBrush = SelectObject(hdc, hBrush);
    EXPECT_NE(hOldBrush, nullptr);
    EXPECT_FALSE(DeleteObject(hBrush));
    EXPECT_EQ(SelectObject(hdc, hOldBrush), hBrush);
    EXPECT_TRUE(DeleteObject(hBrush));

    EXPECT_TRUE(DeleteDC(hdc));
    EXPECT_FALSE(DeleteDC(hdc));
    EXPECT_EQ(SelectObject(hdc, hStock), nullptr);
}

TEST(PlatformDc, ScreenContextsAcceptDrawingThatGoesNowhere) {
    HDC hScreen = GetDC(nullptr);
    ASSERT_NE(hScreen, nullptr);
    HDC hMem = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, 2, 2);
    ASSERT_NE(hMem, nullptr);
    ASSERT_NE(hBitmap, nullptr);
    HGDIOBJ hOld = SelectObject(hMem, hBitmap);
    EXPECT_TRUE(BitBlt(hScreen, 0, 0, 2, 2, hMem, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(hScreen, 0, 0), CLR_INVALID);
    EXPECT_EQ(ReleaseDC(nullptr, hScreen), 1);
    EXPECT_FALSE(BitBlt(hScreen, 0, 0, 2, 2, hMem, 0, 0, SRCCOPY));  // released
    SelectObject(hMem, hOld);
    DeleteDC(hMem);
    DeleteObject(hBitmap);
}

TEST(PlatformDc, FillRectPaintsTheClippedRectangle) {
    TestBitmap bmp(4, 3, 24);
    bmp.Fill(kBackground);
    HBRUSH hBrush = CreateSolidBrush(RGB(9, 8, 7));
    RECT rc;
    SetRect(&rc, -2, 1, 2, 10);
    EXPECT_NE(FillRect(bmp.m_hDC, &rc, hBrush), 0);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(bmp.Get(x, y), x < 2 && y >= 1 ? RGB(9, 8, 7) : kBackground) << x << "," << y;
    // An empty or inverted rectangle paints nothing.
    SetRect(&rc, 3, 2, 1, 0);
    FillRect(bmp.m_hDC, &rc, hBrush);
    EXPECT_EQ(bmp.Get(2, 1), kBackground);
    EXPECT_EQ(FillRect(bmp.m_hDC, &rc, nullptr), 0);
    DeleteObject(hBrush);
}

TEST(PlatformBlit, BitBltCopiesExactPixelsClippedAtEveryEdge) {
    for (int iSrcBits : {24, 32}) {
        for (int iDstBits : {24, 32}) {
            TestBitmap src(3, 3, iSrcBits);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 3; ++x) src.Set(x, y, Distinct(x, y));
            TestBitmap dst(4, 4, iDstBits, true);
            // Every placement from wholly off one side to wholly off the
            // other, with source origins inside and outside the source.
            for (int y = -4; y <= 4; ++y) {
                for (int x = -4; x <= 4; ++x) {
                    for (int iSrcOrigin : {-1, 0, 1}) {
                        dst.Fill(kBackground);
                        ASSERT_TRUE(BitBlt(dst.m_hDC, x, y, 3, 3, src.m_hDC, iSrcOrigin, iSrcOrigin, SRCCOPY));
                        for (int dy = 0; dy < 4; ++dy)
                            for (int dx = 0; dx < 4; ++dx)
                                ASSERT_EQ(dst.Get(dx, dy),
                                          Expected(src, x, y, 3, 3, iSrcOrigin, iSrcOrigin, dx, dy, false))
                                    << iSrcBits << "->" << iDstBits << " at " << x << "," << y << " from "
                                    << iSrcOrigin << ": pixel " << dx << "," << dy;
                    }
                }
            }
        }
    }
}

TEST(PlatformBlit, BitBltRefusesOtherOperationsAndIgnoresEmptySizes) {
    TestBitmap src(2, 2, 24);
    src.Fill(RGB(50, 60, 70));
    TestBitmap dst(2, 2, 32);
    dst.Fill(kBackground);
    EXPECT_FALSE(BitBlt(dst.m_hDC, 0, 0, 2, 2, src.m_hDC, 0, 0, 0x00EE0086u));
    EXPECT_FALSE(BitBlt(dst.m_hDC, 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(dst.m_hDC, 0, 0, -2, 2, src.m_hDC, 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(dst.m_hDC, 0, 0, 2, 0, src.m_hDC, 0, 0, SRCCOPY));
    // Huge arguments neither overflow nor reach outside either buffer.
    EXPECT_TRUE(BitBlt(dst.m_hDC, INT32_MAX - 1, INT32_MIN, INT32_MAX, INT32_MAX, src.m_hDC, INT32_MIN, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(dst.m_hDC, -1, -1, INT32_MAX, INT32_MAX, src.m_hDC, 0, 0, SRCCOPY));
    EXPECT_EQ(dst.Get(0, 0), RGB(50, 60, 70));
    EXPECT_EQ(dst.Get(1, 1), kBackground);
}

TEST(PlatformBlit, BitBltWithinOneBitmapCopiesAsIfThroughABuffer) {
    for (int iShift : {-1, 1}) {
        TestBitmap bmp(4, 4, 24);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) bmp.Set(x, y, Distinct(x, y));
        ASSERT_TRUE(BitBlt(bmp.m_hDC, iShift, iShift, 4, 4, bmp.m_hDC, 0, 0, SRCCOPY));
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x) {
                const int sx = x - iShift, sy = y - iShift;
                const bool bCopied = sx >= 0 && sy >= 0 && sx < 4 && sy < 4;
                EXPECT_EQ(bmp.Get(x, y), bCopied ? Distinct(sx, sy) : Distinct(x, y)) << iShift << ": " << x << "," << y;
            }
        }
    }
}

TEST(PlatformBlit, TransparentBltKeysOutExactlyTheKeyColour) {
    for (int iSrcBits : {24, 32}) {
        TestBitmap src(3, 3, iSrcBits);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) src.Set(x, y, (x + y) % 2 ? kKey : Distinct(x, y));
        // Colours one step from the key are drawn.
        src.Set(0, 0, RGB(254, 0, 255));
        src.Set(2, 2, RGB(255, 1, 255));
        TestBitmap dst(4, 4, 32);
        for (int y = -4; y <= 4; ++y) {
            for (int x = -4; x <= 4; ++x) {
                dst.Fill(kBackground);
                ASSERT_TRUE(TransparentBlt(dst.m_hDC, x, y, 3, 3, src.m_hDC, 0, 0, 3, 3, kKey));
                for (int dy = 0; dy < 4; ++dy)
                    for (int dx = 0; dx < 4; ++dx)
                        ASSERT_EQ(dst.Get(dx, dy), Expected(src, x, y, 3, 3, 0, 0, dx, dy, true))
                            << iSrcBits << " bits at " << x << "," << y << ": pixel " << dx << "," << dy;
            }
        }
        // A part of the source: the middle column only.
        dst.Fill(kBackground);
        ASSERT_TRUE(TransparentBlt(dst.m_hDC, 0, 0, 1, 3, src.m_hDC, 1, 0, 1, 3, kKey));
        EXPECT_EQ(dst.Get(0, 0), kBackground);
        EXPECT_EQ(dst.Get(0, 1), Distinct(1, 1));
        EXPECT_EQ(dst.Get(0, 2), kBackground);
    }
}

TEST(PlatformBlit, TransparentBltRefusesASourceRectangleOutsideTheSource) {
    TestBitmap src(3, 3, 24);
    src.Fill(RGB(40, 50, 60));
    TestBitmap dst(4, 4, 32);
    dst.Fill(kBackground);
    struct Rect {
        int x, y, w, h;
    };
    for (const Rect& r : {Rect{-1, 0, 3, 3}, Rect{0, -1, 3, 3}, Rect{1, 0, 3, 3}, Rect{0, 1, 3, 3},
                          Rect{3, 0, 1, 1}, Rect{0, 0, 0, 3}, Rect{0, 0, 3, -1}, Rect{INT32_MAX, 0, 3, 3}}) {
        EXPECT_FALSE(TransparentBlt(dst.m_hDC, 0, 0, r.w, r.h, src.m_hDC, r.x, r.y, r.w, r.h, kKey))
            << r.x << "," << r.y << " " << r.w << "x" << r.h;
    }
    // Stretching is not offered.
    EXPECT_FALSE(TransparentBlt(dst.m_hDC, 0, 0, 2, 2, src.m_hDC, 0, 0, 1, 1, kKey));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) ASSERT_EQ(dst.Get(x, y), kBackground) << x << "," << y;
}

TEST(PlatformBlit, TransparentBltWithinOneBitmapReadsTheSourceBeforeWriting) {
    TestBitmap bmp(4, 1, 24);
    for (int x = 0; x < 4; ++x) bmp.Set(x, 0, Distinct(x, 0));
    ASSERT_TRUE(TransparentBlt(bmp.m_hDC, 1, 0, 3, 1, bmp.m_hDC, 0, 0, 3, 1, kKey));
    EXPECT_EQ(bmp.Get(0, 0), Distinct(0, 0));
    EXPECT_EQ(bmp.Get(1, 0), Distinct(0, 0));
    EXPECT_EQ(bmp.Get(2, 0), Distinct(1, 0));
    EXPECT_EQ(bmp.Get(3, 0), Distinct(2, 0));
}

TEST(PlatformRect, HelpersFollowTheExclusiveRightAndBottom) {
    RECT rc;
    ASSERT_TRUE(SetRect(&rc, 10, 20, 30, 40));
    EXPECT_TRUE(PtInRect(&rc, POINT{10, 20}));
    EXPECT_TRUE(PtInRect(&rc, POINT{29, 39}));
    EXPECT_FALSE(PtInRect(&rc, POINT{30, 39}));
    EXPECT_FALSE(PtInRect(&rc, POINT{29, 40}));
    EXPECT_FALSE(PtInRect(&rc, POINT{9, 25}));

    ASSERT_TRUE(InflateRect(&rc, 2, -3));
    EXPECT_EQ(rc.left, 8);
    EXPECT_EQ(rc.top, 23);
    EXPECT_EQ(rc.right, 32);
    EXPECT_EQ(rc.bottom, 37);
    ASSERT_TRUE(OffsetRect(&rc, -8, 100));
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.top, 123);
    EXPECT_EQ(rc.right, 24);
    EXPECT_EQ(rc.bottom, 137);
    RECT copy;
    ASSERT_TRUE(CopyRect(&copy, &rc));
    EXPECT_EQ(std::memcmp(&copy, &rc, sizeof(RECT)), 0);

    EXPECT_FALSE(SetRect(nullptr, 0, 0, 1, 1));
    EXPECT_FALSE(PtInRect(nullptr, POINT{0, 0}));
    EXPECT_FALSE(CopyRect(&copy, nullptr));
}
