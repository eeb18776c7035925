// Bitmaps keep their images with 32 bits a pixel whatever the source says:
// wide images of either depth and orientation draw exactly, keyed and opaque,
// and an image whose pixel data ends early keeps every byte it has.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "Platform/ResourceTable.h"
#include "engine/TestImages.h"

using namespace test_images;

namespace {

const COLORREF crBack = RGB(1, 2, 3), crKey = RGB(255, 0, 255);
const UINT uiResId = 3150;

struct KeptFormatTest : ::testing::Test {
    ~KeptFormatTest() override {
        DeleteDC(hDC);
        platform::RemoveAddedResources();
        std::remove(sFile.c_str());
    }
    BOOL FromResource(Bitmap& bmp, const Bytes& vDib) {
        platform::RemoveAddedResources();
        platform::AddResource(2, uiResId, vDib.data(), vDib.size());
        return bmp.Create(hDC, uiResId, GetModuleHandle(NULL));
    }
    BOOL FromFile(Bitmap& bmp, const Bytes& vDib) {
        const Bytes vFile = MakeBmpFile(vDib);
        FILE* pFile = std::fopen(sFile.c_str(), "wb");
        std::fwrite(vFile.data(), 1, vFile.size(), pFile);
        std::fclose(pFile);
        return bmp.Create(hDC, sFile.c_str());
    }
    HDC hDC = CreateCompatibleDC(NULL);
    std::string sFile = "/tmp/engine-kept-format-test-" + std::to_string(getpid()) + ".bmp";
};

}  // namespace

TEST_F(KeptFormatTest, WideImagesOfEitherDepthAndOrientationDrawExactly) {
    // Key in runs of 3 to 19 pixels, and colours one step from the key.
    const Picture pic{45, 4, [](int x, int y) {
                          if ((x * x + 3 * y) % 19 < 8) return crKey;
                          if (x % 11 == 0) return RGB(255, 0, 254);
                          return RGB(5 * x, 40 * y, 255 - 5 * x);
                      }};
    for (int iBits : {24, 32}) {
        for (bool bTopDown : {false, true}) {
            for (bool bFile : {false, true}) {
                SCOPED_TRACE(testing::Message() << iBits << " bits" << (bTopDown ? ", top-down" : "")
                                                << (bFile ? ", from a file" : ", from a resource"));
                Bitmap bmp;
                const Bytes vDib = MakeDib(pic, iBits, bTopDown);
                ASSERT_TRUE(bFile ? FromFile(bmp, vDib) : FromResource(bmp, vDib));
                for (int x : {-7, 0, 5}) {
                    for (BOOL bTrans : {FALSE, TRUE}) {
                        Canvas canvas(56, 6, crBack);
                        bmp.Draw(canvas.DC(), x, 1, bTrans, crKey);
                        for (int cy = 0; cy < 6; ++cy)
                            for (int cx = 0; cx < 56; ++cx) {
                                const int px = cx - x, py = cy - 1;
                                COLORREF crExpected = crBack;
                                if (px >= 0 && px < 45 && py >= 0 && py < 4 && !(bTrans && pic.At(px, py) == crKey))
                                    crExpected = pic.At(px, py);
                                ASSERT_EQ(crExpected, canvas.Pixel(cx, cy)) << "at " << x << (bTrans ? " keyed" : "")
                                                                             << ": " << cx << "," << cy;
                            }
                    }
                }
            }
        }
    }
}

TEST_F(KeptFormatTest, PixelDataEndingEarlyKeepsEveryByteItHas) {
    // 5 pixels of 3 bytes make rows of 16 bytes. The data ends 7 bytes into
    // the second row stored: two whole pixels and the blue byte of a third.
    const Picture pic{5, 3};
    for (bool bFile : {false, true}) {
        SCOPED_TRACE(bFile ? "from a file" : "from a resource");
        Bytes vDib = MakeDib(pic, 24, false);
        PatchHeader(vDib, 0, [](BITMAPINFOHEADER& b) { b.biSizeImage = 16 + 7; });
        Bitmap bmp;
        ASSERT_TRUE(bFile ? FromFile(bmp, vDib) : FromResource(bmp, vDib));
        Canvas canvas(5, 3, crBack);
        bmp.Draw(canvas.DC(), 0, 0, FALSE);
        // Stored bottom-up: the first row stored is the picture's last.
        for (int x = 0; x < 5; ++x) EXPECT_EQ(pic.At(x, 2), canvas.Pixel(x, 2)) << x;
        EXPECT_EQ(pic.At(0, 1), canvas.Pixel(0, 1));
        EXPECT_EQ(pic.At(1, 1), canvas.Pixel(1, 1));
        EXPECT_EQ(RGB(0, 0, GetBValue(pic.At(2, 1))), canvas.Pixel(2, 1));
        EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(3, 1));
        for (int x = 0; x < 5; ++x) EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(x, 0)) << x;
    }
}
