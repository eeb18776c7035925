// Inputs the bitmap fuzzers turned up, kept as cases: each is loaded as a file
// and as a resource and must be refused whole, keep no image and draw nothing.
// And the headers the fuzzers pass over for their cost: images of more than
// 2^24 pixels whose data holds only a few bytes.
#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <string>

#include "Platform/ResourceTable.h"
#include "engine/TestImages.h"

using namespace test_images;

namespace {

struct FoundInput {
    const char* szWhat;
    Bytes vDib;  // the information header onwards
    int iWidth, iHeight;  // the size the refused bitmap keeps
};

Bytes HeaderOnly(int iWidth, int iHeight, int iBitCount, DWORD dwSizeImage) {
    BITMAPINFOHEADER bih = {40, iWidth, iHeight, 1, static_cast<WORD>(iBitCount), BI_RGB, dwSizeImage, 0, 0, 0, 0};
    Bytes v(40 + 16, 0x7F);
    std::memcpy(v.data(), &bih, 40);
    return v;
}

}  // namespace

TEST(BitmapFuzzInputs, HeadersWithTheMostNegativeSizesAreRefusedKeptAndDrawNothing) {
    const FoundInput aInputs[] = {
        // The width crashed the fuzzer's own drawing of the last columns of a refused image.
        {"the most negative width", HeaderOnly(INT_MIN, 4, 24, 0), INT_MIN, 4},
        {"the most negative height", HeaderOnly(4, INT_MIN, 24, 16), 4, INT_MIN},
        {"both at their largest", HeaderOnly(INT_MAX, INT_MAX, 32, 1), INT_MAX, INT_MAX},
    };
    HDC hDC = CreateCompatibleDC(NULL);
    const std::string strFile = "/tmp/engine-bitmap-found-" + std::to_string(getpid()) + ".bmp";
    for (const FoundInput& input : aInputs) {
        SCOPED_TRACE(input.szWhat);
        const Bytes vFile = MakeBmpFile(input.vDib);
        FILE* pFile = std::fopen(strFile.c_str(), "wb");
        ASSERT_NE(nullptr, pFile);
        std::fwrite(vFile.data(), 1, vFile.size(), pFile);
        std::fclose(pFile);
        platform::AddResource(2, 3188, input.vDib.data(), input.vDib.size());

        Bitmap fromFile, fromResource;
        EXPECT_FALSE(fromFile.Create(hDC, strFile.c_str()));
        EXPECT_FALSE(fromResource.Create(hDC, 3188, GetModuleHandle(NULL)));
        for (Bitmap* pBitmap : {&fromFile, &fromResource}) {
            EXPECT_FALSE(pBitmap->HasImage());
            EXPECT_EQ(input.iWidth, pBitmap->GetWidth());
            EXPECT_EQ(input.iHeight, pBitmap->GetHeight());
            Canvas canvas(12, 12, RGB(4, 5, 6));
            pBitmap->Draw(canvas.DC(), 0, 0, FALSE);
            pBitmap->Draw(canvas.DC(), 0, 0, TRUE);
            pBitmap->DrawPart(canvas.DC(), -3, -3, INT_MAX - 4, INT_MIN + 4, 9, 9, FALSE);
            EXPECT_EQ(0, canvas.CountOtherThan(RGB(4, 5, 6)));
        }
    }
    platform::RemoveAddedResources();
    unlink(strFile.c_str());
    DeleteDC(hDC);
}

TEST(BitmapFuzzInputs, AHugeImageWithAFewBytesOfPixelsLoadsThoseBytesAndLeavesTheRestBlack) {
    // 16384 x 2048 pixels, top-down, and 16 bytes of pixel data: five pixels and a byte.
    const unsigned char abPixels[16] = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160};
    Bytes vDib = HeaderOnly(16384, -2048, 24, sizeof(abPixels));
    vDib.resize(40);
    vDib.insert(vDib.end(), abPixels, abPixels + sizeof(abPixels));
    platform::AddResource(2, 3189, vDib.data(), vDib.size());
    HDC hDC = CreateCompatibleDC(NULL);
    Bitmap bmp;
    ASSERT_TRUE(bmp.Create(hDC, 3189, GetModuleHandle(NULL)));
    EXPECT_EQ(16384, bmp.GetWidth());
    EXPECT_EQ(-2048, bmp.GetHeight());
    Canvas canvas(8, 2, RGB(4, 5, 6));
    bmp.DrawPart(canvas.DC(), 0, 0, 0, 0, 8, 2, FALSE);
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(RGB(abPixels[3 * x + 2], abPixels[3 * x + 1], abPixels[3 * x]), canvas.Pixel(x, 0)) << x;
    EXPECT_EQ(RGB(0, 0, 160), canvas.Pixel(5, 0)) << "the one byte of the sixth pixel";
    for (int x = 6; x < 8; ++x) EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(x, 0)) << x;
    for (int x = 0; x < 8; ++x) EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(x, 1)) << x;
    platform::RemoveAddedResources();
    DeleteDC(hDC);
}
