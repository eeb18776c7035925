// Bitmap loaders with good, malformed and hostile resources and files, and
// drawing: opaque and keyed blits, one frame of a strip, sprites' frames.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>

#include "Engine/Sprite.h"
#include "Platform/ResourceTable.h"
#include "engine/TestImages.h"

using namespace test_images;

namespace {

const COLORREF crBack = RGB(1, 2, 3), crKey = RGB(255, 0, 255);
const int iResId = 3100;

// A way to spoil an image: bytes cut off its end, a new pixel offset (files), a header change.
struct Spoil {
    const char* szWhat;
    size_t cbCut;
    long long llOffBits;
    std::function<void(BITMAPINFOHEADER&)> fnHeader;
    int iKeptWidth;  // the width read from the header, 0 when refused before it
};
const std::function<void(BITMAPINFOHEADER&)> fnKeep = [](BITMAPINFOHEADER&) {};

// Draws the bitmap opaquely at (2, 3) and compares every pixel with the picture.
void ExpectDraws(Bitmap& bmp, const Picture& pic) {
    Canvas canvas(pic.iWidth + 6, pic.iHeight + 6, crBack);
    bmp.Draw(canvas.DC(), 2, 3, FALSE);
    for (int y = 0; y < pic.iHeight; ++y)
        for (int x = 0; x < pic.iWidth; ++x) ASSERT_EQ(pic.At(x, y), canvas.Pixel(2 + x, 3 + y)) << x << "," << y;
    EXPECT_EQ(pic.iWidth * pic.iHeight, canvas.CountOtherThan(crBack));
}

void ExpectRefused(Bitmap& bmp, BOOL bLoaded) {
    EXPECT_FALSE(bLoaded);
    Canvas canvas(20, 20, crBack);
    bmp.Draw(canvas.DC(), 0, 0, FALSE);
    bmp.DrawPart(canvas.DC(), 0, 0, 0, 0, 9, 9, TRUE, crKey);
    EXPECT_EQ(0, canvas.CountOtherThan(crBack));
}

struct BitmapTest : ::testing::Test {
    ~BitmapTest() override {
        DeleteDC(hDC);
        platform::RemoveAddedResources();
        unlink(strFile.c_str());
    }
    BOOL LoadResource(Bitmap& bmp, const Bytes& v, UINT uiId = iResId) {
        platform::AddResource(2, iResId, v.data(), v.size());
        return bmp.Create(hDC, uiId, GetModuleHandle(NULL));
    }
    BOOL LoadFile(Bitmap& bmp, const Bytes& v) {
        FILE* pFile = std::fopen(strFile.c_str(), "wb");
        std::fwrite(v.data(), 1, v.size(), pFile);
        std::fclose(pFile);
        return bmp.Create(hDC, strFile.c_str());
    }
    HDC hDC = CreateCompatibleDC(NULL);
    std::string strFile = "/tmp/engine-bitmap-test-" + std::to_string(getpid()) + ".bmp";
};

}  // namespace

TEST_F(BitmapTest, ResourcesOfEveryAcceptedLayoutLoadExactly) {
    const Picture pic{3, 2};  // 9 bytes a row at 24 bits, padded to 12
    for (int iLayout = 0; iLayout < 5; ++iLayout) {
        SCOPED_TRACE(iLayout);
        Bytes dib = MakeDib(pic, iLayout == 2 ? 32 : 24, iLayout == 1, iLayout == 3 ? 3 : 0);
        if (iLayout == 4) PatchHeader(dib, 0, [](BITMAPINFOHEADER& b) { b.biSizeImage = 0; });
        Bitmap bmp;
        EXPECT_TRUE(LoadResource(bmp, dib, 0x10000u + iResId));  // only the low 16 bits name it
        EXPECT_EQ(iLayout == 1 ? -2 : 2, bmp.GetHeight());
        ExpectDraws(bmp, pic);
    }
    Bitmap strip(hDC, 2000, GetModuleHandle(NULL));  // built into the program
    EXPECT_EQ(920, strip.GetWidth());
    EXPECT_TRUE(strip.HasImage());
}

TEST_F(BitmapTest, MalformedAndHostileResourcesAreRefused) {
    const std::vector<Spoil> vSpoils = {
        {"pixels one byte short", 1, -1, fnKeep, 4},
        {"header cut short", 46, -1, fnKeep, 0},
        {"image size beyond the dimensions", 0, -1, [](BITMAPINFOHEADER& b) { b.biSizeImage += 4; }, 4},
        {"image size near 4 GiB", 0, -1, [](BITMAPINFOHEADER& b) { b.biSizeImage = 0xFFFFFF00u; }, 4},
        {"colour table of 257", 0, -1, [](BITMAPINFOHEADER& b) { b.biClrUsed = 257; }, 4},
        {"colour table missing", 0, -1, [](BITMAPINFOHEADER& b) { b.biClrUsed = 2; }, 4},
        {"header size beyond the data", 0, -1, [](BITMAPINFOHEADER& b) { b.biSize = 0xFFFFFFF0u; }, 4},
        {"header size below 40", 0, -1, [](BITMAPINFOHEADER& b) { b.biSize = 12; }, 4},
        {"zero width", 0, -1, [](BITMAPINFOHEADER& b) { b.biWidth = 0; }, 0},
        {"negative width", 0, -1, [](BITMAPINFOHEADER& b) { b.biWidth = -4; }, -4},
        {"most negative height", 0, -1, [](BITMAPINFOHEADER& b) { b.biHeight = INT32_MIN; }, 4},
        {"absurd width", 0, -1, [](BITMAPINFOHEADER& b) { b.biWidth = 20000; }, 20000},
        {"8 bits", 0, -1, [](BITMAPINFOHEADER& b) { b.biBitCount = 8; }, 4},
        {"compressed", 0, -1, [](BITMAPINFOHEADER& b) { b.biCompression = BI_RLE8; }, 4},
    };
    for (const Spoil& spoil : vSpoils) {
        SCOPED_TRACE(spoil.szWhat);
        Bytes dib = MakeDib(Picture{4, 3});
        PatchHeader(dib, 0, spoil.fnHeader);
        dib.resize(dib.size() - spoil.cbCut);
        Bitmap bmp;
        ExpectRefused(bmp, LoadResource(bmp, dib));
        EXPECT_EQ(spoil.iKeptWidth, bmp.GetWidth());  // as its header gave it
    }
    Bitmap unknown(hDC, 3999, GetModuleHandle(NULL));
    EXPECT_EQ(0, unknown.GetWidth());
}

TEST_F(BitmapTest, FilesLoadWithLongerHeadersAndAreRefusedWhenMalformed) {
    const Picture pic{3, 4};
    Bytes longer = MakeDib(pic, 24, true);  // a 108-byte header: 68 bytes to skip
    PatchHeader(longer, 0, [](BITMAPINFOHEADER& b) { b.biSize = 108; });
    longer.insert(longer.begin() + 40, 68, 0xEE);
    for (const Bytes& dib : {MakeDib(pic), longer}) {
        Bitmap bmp;
        EXPECT_TRUE(LoadFile(bmp, MakeBmpFile(dib)));
        ExpectDraws(bmp, pic);
    }

    const std::vector<Spoil> vSpoils = {
        {"file header only", 40 + 48, -1, fnKeep, 0},
        {"information header cut short", 48 + 20, -1, fnKeep, 0},
        {"pixels cut short", 1, -1, fnKeep, 3},
        {"pixel offset beyond the end", 0, 100000, fnKeep, 3},
        {"pixel offset near 4 GiB", 0, 0xFFFFFFF0u, fnKeep, 3},
        {"pixel offset leaving too few bytes", 0, 60, fnKeep, 3},
        {"colour table beyond the end", 0, -1, [](BITMAPINFOHEADER& b) { b.biClrUsed = 200; }, 3},
        {"colour table of 300", 0, -1, [](BITMAPINFOHEADER& b) { b.biClrUsed = 300; }, 3},
        {"header size beyond the end", 0, -1, [](BITMAPINFOHEADER& b) { b.biSize = 0x7FFFFFF0; }, 3},
        {"absurd height", 0, -1, [](BITMAPINFOHEADER& b) { b.biHeight = 1 << 20; }, 3},
        {"1 bit", 0, -1, [](BITMAPINFOHEADER& b) { b.biBitCount = 1; }, 3},
    };
    for (const Spoil& spoil : vSpoils) {
        SCOPED_TRACE(spoil.szWhat);
        Bytes file = MakeBmpFile(MakeDib(pic));
        if (spoil.llOffBits >= 0) file = MakeBmpFile(MakeDib(pic), spoil.llOffBits);
        PatchHeader(file, 14, spoil.fnHeader);
        file.resize(file.size() - spoil.cbCut);
        Bitmap bmp;
        ExpectRefused(bmp, LoadFile(bmp, file));
        EXPECT_EQ(spoil.iKeptWidth, bmp.GetWidth());
    }
    Bytes notBM = MakeBmpFile(MakeDib(pic));
    notBM[1] = 'N';
    Bitmap bmp;
    ExpectRefused(bmp, LoadFile(bmp, notBM));
    EXPECT_EQ(0, bmp.GetWidth());
    ExpectRefused(bmp, bmp.Create(hDC, "/nonexistent/image.bmp"));
}

TEST_F(BitmapTest, KeyedDrawingLeavesMagentaOutAndOpaqueDrawingCopiesIt) {
    Picture pic{3, 2, [](int x, int y) { return x == 1 ? crKey : RGB(40 * x, 50 * y, 60); }};
    Bitmap bmp;
    LoadResource(bmp, MakeDib(pic));
    Canvas opaque(8, 8, crBack), keyed(8, 8, crBack);
    bmp.Draw(opaque.DC(), 4, 4, FALSE, crKey);
    bmp.Draw(keyed.DC(), 4, 4, TRUE, crKey);
    EXPECT_EQ(crKey, opaque.Pixel(5, 4));
    EXPECT_EQ(crBack, keyed.Pixel(5, 5));
    EXPECT_EQ(RGB(80, 50, 60), keyed.Pixel(6, 5));
    EXPECT_EQ(4, keyed.CountOtherThan(crBack));

    // A new image replaces the old one; a blank one is all one colour.
    EXPECT_TRUE(bmp.Create(hDC, 5, 2, RGB(7, 8, 9)));
    ExpectDraws(bmp, Picture{5, 2, [](int, int) { return RGB(7, 8, 9); }});
}

TEST_F(BitmapTest, SpritesDrawExactlyTheirCurrentFrameAndNothingPastTheLast) {
    const COLORREF acrFrames[] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200), crBack};
    Bitmap strip, empty;
    LoadResource(strip, MakeDib(Picture{12, 2, [&](int x, int) { return acrFrames[x / 4]; }}));
    RECT rcField = {0, 0, 640, 480};
    Sprite sprite(&strip, POINT{1, 1}, POINT{0, 0}, 0, rcField, BA_STOP);
    sprite.SetNumFrames(3, TRUE);
    // Frame 3 is one past the last: the animation has ended and the sprite awaits removal.
    for (int k = 0; k <= 3; ++k, sprite.Update()) {
        Canvas canvas(8, 8, crBack);
        sprite.Draw(canvas.DC());
        EXPECT_EQ(k < 3 ? 8 : 0, canvas.CountOtherThan(crBack)) << k;
        EXPECT_EQ(acrFrames[k], canvas.Pixel(4, 2)) << k;
    }
    Sprite nothing(&empty, POINT{0, 0}, POINT{0, 0}, 0, rcField, BA_STOP);
    Canvas canvas(8, 8, crBack);
    nothing.Draw(canvas.DC());
    EXPECT_EQ(0, canvas.CountOtherThan(crBack));
}
