// Bitmap loaders (resources and files, good and hostile) and drawing: opaque
// and transparent blits, parts of a frame strip, sprites drawing their frame.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "Engine/Bitmap.h"
#include "Engine/Sprite.h"
#include "Platform/ResourceTable.h"
#include "engine/TestImages.h"

using namespace test_images;

namespace {

const COLORREF crBackground = RGB(1, 2, 3);
const COLORREF crMagenta = RGB(255, 0, 255);
const int iResId = 3100;

HINSTANCE Module() { return GetModuleHandle(NULL); }

// Draws the bitmap opaquely at (x, y) on a fresh canvas and checks every pixel
// of the picture there, and that nothing else was touched.
void ExpectDrawsPicture(Bitmap& bmp, const Picture& pic, int x = 2, int y = 3) {
    Canvas canvas(pic.iWidth + 6, pic.iHeight + 6, crBackground);
    bmp.Draw(canvas.DC(), x, y, FALSE);
    for (int py = 0; py < pic.iHeight; ++py)
        for (int px = 0; px < pic.iWidth; ++px)
            ASSERT_EQ(pic.At(px, py), canvas.Pixel(x + px, y + py)) << "pixel " << px << "," << py;
    EXPECT_EQ(pic.iWidth * pic.iHeight, canvas.CountOtherThan(crBackground));
}

void ExpectDrawsNothing(Bitmap& bmp) {
    Canvas canvas(40, 40, crBackground);
    bmp.Draw(canvas.DC(), 0, 0, FALSE);
    bmp.DrawPart(canvas.DC(), 0, 0, 0, 0, 20, 20, TRUE, crMagenta);
    EXPECT_EQ(0, canvas.CountOtherThan(crBackground));
}

class BitmapResourceTest : public ::testing::Test {
protected:
    BitmapResourceTest() : m_hDC(CreateCompatibleDC(NULL)) {}
    ~BitmapResourceTest() override {
        DeleteDC(m_hDC);
        platform::RemoveAddedResources();
    }
    void Present(const Bytes& v, int iId = iResId) { platform::AddResource(2, iId, v.data(), v.size()); }

    HDC m_hDC;
};

class BitmapFileTest : public BitmapResourceTest {
protected:
    BitmapFileTest() {
        char szTemplate[] = "/tmp/bitmap-test-XXXXXX";
        m_strDir = mkdtemp(szTemplate);
    }
    ~BitmapFileTest() override {
        for (const std::string& strPath : m_vFiles) std::remove(strPath.c_str());
        rmdir(m_strDir.c_str());
    }
    std::string Write(const Bytes& v) {
        std::string strPath = m_strDir + "/image" + std::to_string(m_vFiles.size()) + ".bmp";
        FILE* pFile = std::fopen(strPath.c_str(), "wb");
        if (!v.empty()) std::fwrite(v.data(), 1, v.size(), pFile);
        std::fclose(pFile);
        m_vFiles.push_back(strPath);
        return strPath;
    }

    std::string m_strDir;
    std::vector<std::string> m_vFiles;
};

}  // namespace

TEST_F(BitmapResourceTest, LoadsBottomUpTopDownAndThirtyTwoBitImages) {
    const Picture pic = Gradient(3, 2);  // 9 bytes a row, padded to 12
    Present(MakeDib(pic));
    Bitmap bottomUp(m_hDC, iResId, Module());
    EXPECT_EQ(3, bottomUp.GetWidth());
    EXPECT_EQ(2, bottomUp.GetHeight());
    ExpectDrawsPicture(bottomUp, pic);

    Present(MakeDib(pic, 24, true));
    Bitmap topDown(m_hDC, iResId, Module());
    EXPECT_EQ(-2, topDown.GetHeight());
    ExpectDrawsPicture(topDown, pic);

    const Picture wide = Gradient(5, 4);
    Present(MakeDib(wide, 32));
    Bitmap deep;
    EXPECT_TRUE(deep.Create(m_hDC, iResId, Module()));
    ExpectDrawsPicture(deep, wide);
}

TEST_F(BitmapResourceTest, AZeroImageSizeIsComputedFromTheDimensions) {
    const Picture pic = Gradient(5, 3);
    Bytes dib = MakeDib(pic);
    PatchHeader(dib, 0, [](BITMAPINFOHEADER& bih) { bih.biSizeImage = 0; });
    Present(dib);
    Bitmap bmp;
    EXPECT_TRUE(bmp.Create(m_hDC, iResId, Module()));
    ExpectDrawsPicture(bmp, pic);
}

TEST_F(BitmapResourceTest, AColourTableBeforeThePixelsIsSkipped) {
    const Picture pic = Gradient(2, 2);
    Present(MakeDib(pic, 24, false, 3));
    Bitmap bmp;
    EXPECT_TRUE(bmp.Create(m_hDC, iResId, Module()));
    ExpectDrawsPicture(bmp, pic);
}

TEST_F(BitmapResourceTest, TheEmbeddedFishStripLoads) {
    Bitmap bmp(m_hDC, 2000, Module());
    EXPECT_EQ(920, bmp.GetWidth());
    EXPECT_EQ(85, bmp.GetHeight());
    EXPECT_TRUE(bmp.HasImage());
}

TEST_F(BitmapResourceTest, OnlyTheLowSixteenBitsOfTheIdCount) {
    const Picture pic = Gradient(2, 2);
    Present(MakeDib(pic));
    Bitmap bmp;
    EXPECT_TRUE(bmp.Create(m_hDC, 0x10000u + iResId, Module()));
    ExpectDrawsPicture(bmp, pic);

    Bitmap missing(m_hDC, 3999, Module());
    EXPECT_FALSE(missing.HasImage());
    EXPECT_EQ(0, missing.GetWidth());
    EXPECT_EQ(0, missing.GetHeight());
    ExpectDrawsNothing(missing);
}

TEST_F(BitmapResourceTest, ANewImageReplacesTheOldAndAFailedLoadLeavesNone) {
    Present(MakeDib(Gradient(2, 2)), iResId);
    const Picture second = Strip(2, 3, {RGB(9, 9, 9), RGB(200, 100, 50)});
    Present(MakeDib(second), iResId + 1);
    Bitmap bmp(m_hDC, iResId, Module());
    EXPECT_TRUE(bmp.Create(m_hDC, iResId + 1, Module()));
    EXPECT_EQ(4, bmp.GetWidth());
    ExpectDrawsPicture(bmp, second);

    EXPECT_FALSE(bmp.Create(m_hDC, iResId + 2, Module()));
    EXPECT_FALSE(bmp.HasImage());
    ExpectDrawsNothing(bmp);
}

TEST_F(BitmapResourceTest, HostileHeadersAndShortDataAreRefused) {
    struct Case {
        const char* szWhat;
        std::function<void(Bytes&)> fnSpoil;
    };
    auto header = [](std::function<void(BITMAPINFOHEADER&)> fn) {
        return [fn](Bytes& v) { PatchHeader(v, 0, fn); };
    };
    const std::vector<Case> vCases = {
        {"pixels one byte short", [](Bytes& v) { v.pop_back(); }},
        {"image size beyond the dimensions", header([](BITMAPINFOHEADER& b) { b.biSizeImage += 4; })},
        {"image size far beyond the data", header([](BITMAPINFOHEADER& b) { b.biSizeImage = 0xFFFFFF00u; })},
        {"colour table of 257 entries", header([](BITMAPINFOHEADER& b) { b.biClrUsed = 257; })},
        {"colour table of 2^30 entries", header([](BITMAPINFOHEADER& b) { b.biClrUsed = 0x40000000u; })},
        {"colour table missing", header([](BITMAPINFOHEADER& b) { b.biClrUsed = 2; })},
        {"zero width", header([](BITMAPINFOHEADER& b) { b.biWidth = 0; })},
        {"zero height", header([](BITMAPINFOHEADER& b) { b.biHeight = 0; })},
        {"negative width", header([](BITMAPINFOHEADER& b) { b.biWidth = -4; })},
        {"absurd width", header([](BITMAPINFOHEADER& b) { b.biWidth = 20000; })},
        {"absurd top-down height", header([](BITMAPINFOHEADER& b) { b.biHeight = -20000; })},
        {"most negative height", header([](BITMAPINFOHEADER& b) { b.biHeight = INT32_MIN; })},
        {"header size below 40", header([](BITMAPINFOHEADER& b) { b.biSize = 12; })},
        {"header size beyond the data", header([](BITMAPINFOHEADER& b) { b.biSize = 0xFFFFFFF0u; })},
        {"8 bits without a table", header([](BITMAPINFOHEADER& b) { b.biBitCount = 8; })},
        {"16 bits", header([](BITMAPINFOHEADER& b) { b.biBitCount = 16; })},
        {"run-length compressed", header([](BITMAPINFOHEADER& b) { b.biCompression = BI_RLE8; })},
        {"bit fields", header([](BITMAPINFOHEADER& b) { b.biCompression = BI_BITFIELDS; })},
        {"header cut short", [](Bytes& v) { v.resize(30); }},
        {"empty", [](Bytes& v) { v.clear(); }},
    };
    const Picture pic = Gradient(4, 3);
    for (const Case& c : vCases) {
        SCOPED_TRACE(c.szWhat);
        Bytes dib = MakeDib(pic);
        c.fnSpoil(dib);
        Present(dib);
        Bitmap bmp;
        EXPECT_FALSE(bmp.Create(m_hDC, iResId, Module()));
        EXPECT_FALSE(bmp.HasImage());
        ExpectDrawsNothing(bmp);
    }
}

TEST_F(BitmapResourceTest, ARefusedImageKeepsTheSizeReadFromItsHeader) {
    Bytes dib = MakeDib(Gradient(4, 3));
    dib.pop_back();
    Present(dib);
    Bitmap bmp(m_hDC, iResId, Module());
    EXPECT_FALSE(bmp.HasImage());
    EXPECT_EQ(4, bmp.GetWidth());
    EXPECT_EQ(3, bmp.GetHeight());
}

TEST_F(BitmapFileTest, LoadsAGoodFileWithEitherHeaderLength) {
    const Picture pic = Gradient(3, 4);
    Bitmap bmp(m_hDC, Write(MakeBmpFile(MakeDib(pic))).c_str());
    EXPECT_EQ(3, bmp.GetWidth());
    EXPECT_EQ(4, bmp.GetHeight());
    ExpectDrawsPicture(bmp, pic);

    // A longer header of 108 bytes: the extra 68 are skipped.
    Bytes dib = MakeDib(pic, 24, true);
    PatchHeader(dib, 0, [](BITMAPINFOHEADER& b) { b.biSize = 108; });
    dib.insert(dib.begin() + 40, 68, 0xEE);
    Bitmap longer;
    EXPECT_TRUE(longer.Create(m_hDC, Write(MakeBmpFile(dib)).c_str()));
    ExpectDrawsPicture(longer, pic);

    // Pixels placed further on than the headers end.
    Bytes file = MakeBmpFile(MakeDib(pic), 14 + 40 + 10);
    file.insert(file.begin() + 54, 10, 0xAB);
    Bitmap gap;
    EXPECT_TRUE(gap.Create(m_hDC, Write(file).c_str()));
    ExpectDrawsPicture(gap, pic);
}

TEST_F(BitmapFileTest, AZeroImageSizeIsComputedAndAColourTableSkipped) {
    const Picture pic = Gradient(5, 2);
    Bytes dib = MakeDib(pic, 24, false, 2);
    PatchHeader(dib, 0, [](BITMAPINFOHEADER& b) { b.biSizeImage = 0; });
    Bitmap bmp;
    EXPECT_TRUE(bmp.Create(m_hDC, Write(MakeBmpFile(dib)).c_str()));
    ExpectDrawsPicture(bmp, pic);
}

TEST_F(BitmapFileTest, MalformedAndHostileFilesAreRefused) {
    const Picture pic = Gradient(4, 3);
    const Bytes good = MakeBmpFile(MakeDib(pic));
    struct Case {
        const char* szWhat;
        std::function<void(Bytes&)> fnSpoil;
        int iKeptWidth;  // the width read from the header, or 0 if refused before it
    };
    auto header = [](std::function<void(BITMAPINFOHEADER&)> fn) {
        return [fn](Bytes& v) { PatchHeader(v, 14, fn); };
    };
    auto offBits = [](DWORD dwOffBits) {
        return [dwOffBits](Bytes& v) { std::memcpy(v.data() + 10, &dwOffBits, 4); };
    };
    const std::vector<Case> vCases = {
        {"not BM", [](Bytes& v) { v[1] = 'N'; }, 0},
        {"empty file", [](Bytes& v) { v.clear(); }, 0},
        {"file header only", [](Bytes& v) { v.resize(14); }, 0},
        {"information header cut short", [](Bytes& v) { v.resize(40); }, 0},
        {"pixels cut short", [](Bytes& v) { v.resize(v.size() - 1); }, 4},
        {"no pixels at all", [](Bytes& v) { v.resize(54); }, 4},
        {"pixel offset beyond the end", offBits(100000), 4},
        {"pixel offset near 4 GiB", offBits(0xFFFFFFF0u), 4},
        {"pixel offset leaving too few bytes", offBits(60), 4},
        {"image size beyond the dimensions", header([](BITMAPINFOHEADER& b) { b.biSizeImage = 1000; }), 4},
        {"colour table of 300 entries", header([](BITMAPINFOHEADER& b) { b.biClrUsed = 300; }), 4},
        {"colour table beyond the end", header([](BITMAPINFOHEADER& b) { b.biClrUsed = 200; }), 4},
        {"header size below 40", header([](BITMAPINFOHEADER& b) { b.biSize = 20; }), 4},
        {"header size beyond the end", header([](BITMAPINFOHEADER& b) { b.biSize = 0x7FFFFFF0; }), 4},
        {"zero width", header([](BITMAPINFOHEADER& b) { b.biWidth = 0; }), 0},
        {"negative width", header([](BITMAPINFOHEADER& b) { b.biWidth = -4; }), -4},
        {"absurd height", header([](BITMAPINFOHEADER& b) { b.biHeight = 1 << 20; }), 4},
        {"1 bit", header([](BITMAPINFOHEADER& b) { b.biBitCount = 1; }), 4},
        {"compressed", header([](BITMAPINFOHEADER& b) { b.biCompression = BI_RLE4; }), 4},
    };
    for (const Case& c : vCases) {
        SCOPED_TRACE(c.szWhat);
        Bytes file = good;
        c.fnSpoil(file);
        Bitmap bmp;
        EXPECT_FALSE(bmp.Create(m_hDC, Write(file).c_str()));
        EXPECT_FALSE(bmp.HasImage());
        EXPECT_EQ(c.iKeptWidth, bmp.GetWidth());
        ExpectDrawsNothing(bmp);
    }

    Bitmap missing(m_hDC, (m_strDir + "/none.bmp").c_str());
    EXPECT_FALSE(missing.HasImage());
    EXPECT_EQ(0, missing.GetWidth());
}

TEST_F(BitmapResourceTest, ABlankBitmapIsOneColour) {
    Bitmap blank(m_hDC, 4, 3, RGB(10, 20, 30));
    EXPECT_EQ(4, blank.GetWidth());
    ExpectDrawsPicture(blank, Strip(4, 3, {RGB(10, 20, 30)}));
}

TEST_F(BitmapResourceTest, TransparentDrawingKeysOutMagentaAndOpaqueDrawingDoesNot) {
    Picture pic = Gradient(3, 2);
    pic.vPixels[1] = crMagenta;  // (1, 0)
    pic.vPixels[5] = crMagenta;  // (2, 1)
    Present(MakeDib(pic));
    Bitmap bmp(m_hDC, iResId, Module());

    Canvas opaque(10, 10, crBackground);
    bmp.Draw(opaque.DC(), 4, 4, FALSE, crMagenta);
    EXPECT_EQ(crMagenta, opaque.Pixel(5, 4));
    EXPECT_EQ(pic.At(0, 0), opaque.Pixel(4, 4));

    Canvas keyed(10, 10, crBackground);
    bmp.Draw(keyed.DC(), 4, 4, TRUE, crMagenta);
    EXPECT_EQ(crBackground, keyed.Pixel(5, 4));
    EXPECT_EQ(crBackground, keyed.Pixel(6, 5));
    EXPECT_EQ(pic.At(0, 0), keyed.Pixel(4, 4));
    EXPECT_EQ(pic.At(2, 0), keyed.Pixel(6, 4));
    EXPECT_EQ(4, keyed.CountOtherThan(crBackground));
}

TEST_F(BitmapResourceTest, APartOneFrameWideDrawsExactlyThatFrame) {
    const std::vector<COLORREF> vColors = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200), RGB(90, 90, 90)};
    Present(MakeDib(Strip(3, 2, vColors)));
    Bitmap strip(m_hDC, iResId, Module());
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        Canvas canvas(12, 12, crBackground);
        strip.DrawPart(canvas.DC(), 5, 6, k * 3, 0, 3, 2, TRUE, crMagenta);
        for (int y = 6; y < 8; ++y)
            for (int x = 5; x < 8; ++x) EXPECT_EQ(vColors[k], canvas.Pixel(x, y));
        EXPECT_EQ(6, canvas.CountOtherThan(crBackground));
    }
}

TEST_F(BitmapResourceTest, ASpriteDrawsItsCurrentFrameAndNothingPastItsLast) {
    const std::vector<COLORREF> vColors = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200)};
    Present(MakeDib(Strip(4, 2, vColors)));
    Bitmap strip(m_hDC, iResId, Module());
    RECT rcBounds = {0, 0, 640, 480};
    Sprite sprite(&strip, POINT{1, 1}, POINT{0, 0}, 0, rcBounds, BA_STOP);
    sprite.SetNumFrames(3, TRUE);

    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        Canvas canvas(8, 8, crBackground);
        sprite.Draw(canvas.DC());
        EXPECT_EQ(vColors[k], canvas.Pixel(1, 1));
        EXPECT_EQ(vColors[k], canvas.Pixel(4, 2));
        EXPECT_EQ(8, canvas.CountOtherThan(crBackground));
        sprite.Update();
    }
    ASSERT_EQ(3, sprite.GetCurFrame());  // the animation has ended; removed at the next update
    Canvas after(8, 8, crBackground);
    sprite.Draw(after.DC());
    EXPECT_EQ(0, after.CountOtherThan(crBackground));

    // A sprite on a bitmap without an image draws nothing, whatever its frames.
    Bitmap empty;
    Sprite nothing(&empty, POINT{0, 0}, POINT{0, 0}, 0, rcBounds, BA_STOP);
    EXPECT_FALSE(strip.Create(m_hDC, 3999, Module()));
    Sprite unloaded(&strip, POINT{0, 0}, POINT{0, 0}, 0, rcBounds, BA_STOP);
    unloaded.SetNumFrames(3);
    Canvas none(8, 8, crBackground);
    nothing.Draw(none.DC());
    unloaded.Draw(none.DC());
    EXPECT_EQ(0, none.CountOtherThan(crBackground));
}
