// The bitmap loaders on every input of the fuzzers' corpus, good and hostile:
// each loads with its header's size and draws exactly its pixels, or is
// refused: no image, only the size its header gave (none when no header was
// read), and nothing drawn. A bitmap that held an image before does the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>

#include "Engine/Bitmap.h"
#include "Platform/ResourceTable.h"

namespace {

const COLORREF crBack = RGB(1, 2, 3), crKey = RGB(255, 0, 255);
const std::string kCorpus = std::string(__FILE__).substr(0, std::string(__FILE__).rfind("tests/")) + "fuzz/corpus/";

struct Outcome {
    const char* szName;
    bool bLoads;
    int iWidth, iHeight;
};
const Outcome aOutcomes[] = {
    {"24bit-1x1", true, 1, 1}, {"24bit-2x2", true, 2, 2}, {"24bit-3x5-padded", true, 3, 5},
    {"24bit-16x9", true, 16, 9}, {"24bit-strip-4-frames", true, 24, 5}, {"24bit-bottom-up-7x3", true, 7, 3},
    {"24bit-top-down-7x3", true, 7, -3}, {"24bit-colour-table-5x4", true, 5, 4}, {"24bit-size-image-0", true, 8, 2},
    {"24bit-size-image-partial-5x3", true, 5, 3}, {"24bit-long-header-4x3", true, 4, 3}, {"32bit-4x4", true, 4, 4},
    {"huge-16384x2048-top-down", true, 16384, -2048},
    // Refused before the header was read.
    {"not-bm", false, 0, 0}, {"truncated-file-header", false, 0, 0}, {"truncated-in-header", false, 0, 0},
    // Refused after it.
    {"8bit-palette-4x4", false, 4, 4}, {"truncated-after-header", false, 16, 9},
    {"truncated-after-headers", false, 16, 9}, {"truncated-in-pixels", false, 16, 9},
    {"pixels-one-byte-short", false, 4, 3}, {"offset-near-4gib", false, 4, 3},
    {"size-image-beyond-dimensions", false, 4, 3}, {"colour-table-257", false, 4, 3},
    {"colour-table-missing", false, 4, 3}, {"header-size-beyond-data", false, 4, 3}, {"header-size-12", false, 4, 3},
    {"header-size-39", false, 4, 3},
    {"compressed", false, 4, 3}, {"width-20000", false, 20000, 3}, {"height-1048576", false, 4, 1 << 20},
    {"width-most-negative", false, INT_MIN, 4}, {"height-most-negative", false, 4, INT_MIN},
    {"both-largest", false, INT_MAX, INT_MAX},
};

// An input's bytes, and its pixels as its header lays them out.
struct Input {
    std::vector<unsigned char> v;
    size_t cbPixels = 0;
    BITMAPINFOHEADER bih = {};
    Input(const std::filesystem::path& path, bool bFile) {
        std::ifstream in(path, std::ios::binary);
        v.assign(std::istreambuf_iterator<char>(in), {});
        if (v.size() < (bFile ? 54u : 40u)) return;
        std::memcpy(&bih, v.data() + (bFile ? 14 : 0), 40);
        cbPixels = bFile ? v[10] | v[11] << 8 | v[12] << 16 | size_t{v[13]} << 24 : bih.biSize + 4 * bih.biClrUsed;
    }
    // Top row first; bytes past the image data read as 0.
    COLORREF At(int x, int y) const {
        const size_t cbStride = (bih.biWidth * bih.biBitCount + 31) / 32 * 4;
        const size_t cbEnd = cbPixels + (bih.biSizeImage ? bih.biSizeImage : cbStride * std::abs(bih.biHeight));
        const size_t at = cbPixels + (bih.biHeight > 0 ? bih.biHeight - 1 - y : y) * cbStride + x * bih.biBitCount / 8;
        auto byte = [&](size_t i) { return i < cbEnd && i < v.size() ? v[i] : 0; };
        return RGB(byte(at + 2), byte(at + 1), byte(at));
    }
    BOOL Load(Bitmap& bmp, HDC hDC, const std::filesystem::path& path) const {
        if (path.extension() == ".bmp") return bmp.Create(hDC, path.c_str());
        platform::AddResource(2, 3100, v.data(), v.size());
        return bmp.Create(hDC, 0x10000u + 3100, GetModuleHandle(NULL));  // only the low 16 bits name it
    }
};

// A 28 x 16 surface of crBack to draw on: a blank bitmap in a memory context.
struct Canvas : Bitmap {
    HDC hDC;
    explicit Canvas(HDC hScreen) : Bitmap(hScreen, 28, 16, crBack), hDC(CreateCompatibleDC(hScreen)) {
        SelectObject(hDC, m_hBitmap);
    }
    ~Canvas() override { DeleteDC(hDC); }
    void Expect(const std::function<COLORREF(int, int)>& fnAt) const {
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 28; ++x) ASSERT_EQ(fnAt(x, y), GetPixel(hDC, x, y)) << "at " << x << "," << y;
    }
};

}  // namespace

TEST(BitmapLoaders, EachCorpusInputLoadsWithItsSizeAndPixelsOrIsRefusedCleanly) {
    HDC hDC = GetDC(NULL);
    std::set<std::string> setSeen;
    for (const char* szFolder : {"bitmap_file", "bitmap_resource"}) {
        for (const auto& entry : std::filesystem::directory_iterator(kCorpus + szFolder)) {
            const std::string strName = entry.path().stem().string();
            const Outcome* pOut = std::find_if(std::begin(aOutcomes), std::end(aOutcomes),
                                               [&](const Outcome& o) { return strName == o.szName; });
            ASSERT_NE(std::end(aOutcomes), pOut) << entry.path() << ": a new input needs its outcome here";
            setSeen.insert(strName);
            const Input input(entry.path(), std::string(szFolder) == "bitmap_file");
            for (bool bHeldOne : {false, true}) {
                SCOPED_TRACE(entry.path().string() + (bHeldOne ? ", into a bitmap holding an image" : ""));
                Bitmap bmp;
                if (bHeldOne) bmp.Create(hDC, 9, 7, RGB(200, 10, 10));
                EXPECT_EQ(pOut->bLoads, !!input.Load(bmp, hDC, entry.path()));
                EXPECT_EQ(pOut->bLoads, bmp.HasImage());
                EXPECT_EQ(pOut->iWidth, bmp.GetWidth());
                EXPECT_EQ(pOut->iHeight, bmp.GetHeight());
                for (BOOL bKeyed : {FALSE, TRUE}) {
                    Canvas canvas(hDC);
                    bmp.Draw(canvas.hDC, 2, 3, bKeyed, crKey);
                    canvas.Expect([&](int x, int y) {
                        const int px = x - 2, py = y - 3;
                        if (!pOut->bLoads || px < 0 || py < 0 || px >= pOut->iWidth || py >= std::abs(pOut->iHeight))
                            return crBack;
                        return bKeyed && input.At(px, py) == crKey ? crBack : input.At(px, py);
                    });
                }
            }
        }
    }
    EXPECT_EQ(std::size(aOutcomes), setSeen.size()) << "an outcome whose input is missing";
    for (const POINT& size : {POINT{0, 5}, POINT{5, 0}, POINT{-3, 4}}) {  // a blank bitmap of no size is refused
        Bitmap bmp(hDC, 9, 7, crBack);
        EXPECT_FALSE(bmp.Create(hDC, size.x, size.y, crKey));
        EXPECT_TRUE(!bmp.HasImage() && bmp.GetWidth() == 0 && bmp.GetHeight() == 0) << size.x << " x " << size.y;
    }
    platform::RemoveAddedResources();
    ReleaseDC(NULL, hDC);
}
