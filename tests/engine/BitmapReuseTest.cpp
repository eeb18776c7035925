// A bitmap that already holds an image and is handed something it refuses is
// left with no image and no trace of the old one's size.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "Platform/ResourceTable.h"
#include "engine/TestImages.h"

using namespace test_images;

namespace {

const COLORREF crBack = RGB(9, 8, 7);
const int iResId = 3177;

struct Reuse : ::testing::Test {
    ~Reuse() override {
        DeleteDC(hDC);
        platform::RemoveAddedResources();
        unlink(strFile.c_str());
    }
    void WriteFile(const Bytes& v) {
        FILE* pFile = std::fopen(strFile.c_str(), "wb");
        ASSERT_NE(nullptr, pFile);
        std::fwrite(v.data(), 1, v.size(), pFile);
        std::fclose(pFile);
    }
    // A bitmap holding a 9 x 7 image, as each case starts.
    void Fill(Bitmap& bmp) {
        ASSERT_TRUE(bmp.Create(hDC, 9, 7, RGB(200, 10, 10)));
        ASSERT_EQ(9, bmp.GetWidth());
    }
    void ExpectEmpty(Bitmap& bmp, BOOL bLoaded, int iWidth, int iHeight) {
        EXPECT_FALSE(bLoaded);
        EXPECT_FALSE(bmp.HasImage());
        EXPECT_EQ(iWidth, bmp.GetWidth());
        EXPECT_EQ(iHeight, bmp.GetHeight());
        Canvas canvas(16, 16, crBack);
        bmp.Draw(canvas.DC(), 0, 0, FALSE);
        bmp.DrawPart(canvas.DC(), 0, 0, 0, 0, 9, 7, TRUE, RGB(255, 0, 255));
        EXPECT_EQ(0, canvas.CountOtherThan(crBack));
    }
    HDC hDC = CreateCompatibleDC(NULL);
    std::string strFile = "/tmp/engine-bitmap-reuse-" + std::to_string(getpid()) + ".bmp";
};

}  // namespace

TEST_F(Reuse, ARefusedFileLeavesNoSizeOrTheRefusedHeadersSize) {
    Bitmap bmp;
    const Bytes vGood = MakeBmpFile(MakeDib({4, 3}));

    Fill(bmp);  // no such file
    ExpectEmpty(bmp, bmp.Create(hDC, "/nonexistent/whirl.bmp"), 0, 0);

    Fill(bmp);  // not a .bmp: refused before any header is read
    Bytes vNotBmp = vGood;
    vNotBmp[0] = 'X';
    WriteFile(vNotBmp);
    ExpectEmpty(bmp, bmp.Create(hDC, strFile.c_str()), 0, 0);

    Fill(bmp);  // cut inside the information header
    WriteFile(Bytes(vGood.begin(), vGood.begin() + 30));
    ExpectEmpty(bmp, bmp.Create(hDC, strFile.c_str()), 0, 0);

    Fill(bmp);  // the pixels cut short: the header was read, and its size stays
    WriteFile(Bytes(vGood.begin(), vGood.end() - 5));
    ExpectEmpty(bmp, bmp.Create(hDC, strFile.c_str()), 4, 3);
}

TEST_F(Reuse, ARefusedResourceOrBlankLeavesNoSizeOrTheRefusedHeadersSize) {
    Bitmap bmp;
    const HINSTANCE hInstance = GetModuleHandle(NULL);

    Fill(bmp);  // no such resource
    ExpectEmpty(bmp, bmp.Create(hDC, 3999, hInstance), 0, 0);

    Fill(bmp);  // too short for a header
    const Bytes vDib = MakeDib({5, 2});
    platform::AddResource(2, iResId, vDib.data(), 20);
    ExpectEmpty(bmp, bmp.Create(hDC, iResId, hInstance), 0, 0);

    Fill(bmp);  // 8 bits a pixel: refused after the header
    Bytes vEight = vDib;
    PatchHeader(vEight, 0, [](BITMAPINFOHEADER& bih) { bih.biBitCount = 8; });
    platform::AddResource(2, iResId, vEight.data(), vEight.size());
    ExpectEmpty(bmp, bmp.Create(hDC, iResId, hInstance), 5, 2);

    Fill(bmp);  // a blank of no size
    ExpectEmpty(bmp, bmp.Create(hDC, 0, 0, RGB(1, 1, 1)), 0, 0);
}
