// The executable's resources through the real Windows API: every bitmap of the
// resource table is the image of its file, transparent drawing keys out
// magenta, and both icon groups hold every image size, each one decodable.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <utility>

#include "Engine/Bitmap.h"
#include "tests/windows/WindowsTestSupport.h"

namespace {

const COLORREF crMagenta = RGB(255, 0, 255);

HINSTANCE Module() { return GetModuleHandle(NULL); }

// Draws the whole bitmap opaquely onto a fresh canvas of its size.
void DrawOpaque(Bitmap& bitmap, wintest::Canvas& canvas) { bitmap.Draw(canvas.GetDC(), 0, 0, FALSE, 0); }

int CountDifferences(const wintest::Canvas& a, const wintest::Canvas& b) {
    GdiFlush();
    int iDiffer = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Raw(x, y) != b.Raw(x, y)) ++iDiffer;
    return iDiffer;
}

}  // namespace

TEST(BitmapResources, EachBitmapOfTheTableIsTheImageOfItsFile) {
    const std::vector<wintest::TableRow> vRows = wintest::ReadTable();
    ASSERT_FALSE(vRows.empty()) << "set WHIRL_RESOURCE_DIR to the folder holding resources.txt";

    HDC hDC = CreateCompatibleDC(NULL);
    int iBitmaps = 0;
    for (const wintest::TableRow& row : vRows) {
        if (row.sType != "BITMAP") continue;
        ++iBitmaps;
        SCOPED_TRACE("resource " + std::to_string(row.uID) + " " + row.sPath);
        Bitmap fromResource(hDC, row.uID, Module());
        Bitmap fromFile(hDC, row.sPath.c_str());
        ASSERT_GT(fromFile.GetWidth(), 0) << "the file loader refused the file";
        ASSERT_EQ(fromResource.GetWidth(), fromFile.GetWidth());
        ASSERT_EQ(fromResource.GetHeight(), fromFile.GetHeight());

        const int iHeight = std::abs(fromFile.GetHeight());
        wintest::Canvas resourceCanvas(fromFile.GetWidth(), iHeight, RGB(1, 2, 3));
        wintest::Canvas fileCanvas(fromFile.GetWidth(), iHeight, RGB(1, 2, 3));
        ASSERT_TRUE(resourceCanvas.Valid() && fileCanvas.Valid());
        DrawOpaque(fromResource, resourceCanvas);
        DrawOpaque(fromFile, fileCanvas);
        EXPECT_EQ(CountDifferences(resourceCanvas, fileCanvas), 0);
    }
    DeleteDC(hDC);
    EXPECT_EQ(iBitmaps, 21);
}

TEST(BitmapResources, OnlyTheLow16BitsNameTheResourceAndOtherTypesAreNotBitmaps) {
    HDC hDC = CreateCompatibleDC(NULL);
    Bitmap swimLeft(hDC, 2000, Module());
    Bitmap aliased(hDC, 0x10000u + 2000u, Module());
    EXPECT_GT(swimLeft.GetWidth(), 0);
    EXPECT_EQ(aliased.GetWidth(), swimLeft.GetWidth());
    EXPECT_EQ(aliased.GetHeight(), swimLeft.GetHeight());

    // An unused ID and an icon group's ID both give an empty bitmap that draws nothing.
    for (UINT uiID : {1999u, 1000u}) {
        Bitmap missing(hDC, uiID, Module());
        EXPECT_EQ(missing.GetWidth(), 0) << uiID;
        EXPECT_EQ(missing.GetHeight(), 0) << uiID;
        wintest::Canvas canvas(8, 8, RGB(9, 9, 9));
        missing.Draw(canvas.GetDC(), 0, 0, FALSE, 0);
        EXPECT_EQ(canvas.At(3, 3), RGB(9, 9, 9)) << uiID;
    }
    DeleteDC(hDC);
}

TEST(TransparentDrawing, MagentaPixelsOfAFrameLeaveTheBackgroundAndTheRestAreCopied) {
    HDC hDC = CreateCompatibleDC(NULL);
    Bitmap swimLeft(hDC, 2000, Module());
    ASSERT_GT(swimLeft.GetWidth(), 0);
    const int iFrameWidth = 115, iFrameHeight = 85, iFrame = 1;

    const COLORREF crBackground = RGB(0, 128, 0);
    wintest::Canvas opaque(iFrameWidth, iFrameHeight, crBackground);
    wintest::Canvas keyed(iFrameWidth + 10, iFrameHeight + 10, crBackground);
    swimLeft.DrawPart(opaque.GetDC(), 0, 0, iFrame * iFrameWidth, 0, iFrameWidth, iFrameHeight, FALSE, 0);
    swimLeft.DrawPart(keyed.GetDC(), 5, 5, iFrame * iFrameWidth, 0, iFrameWidth, iFrameHeight, TRUE, crMagenta);

    int iKeyed = 0, iCopied = 0, iWrong = 0;
    for (int y = 0; y < iFrameHeight; ++y)
        for (int x = 0; x < iFrameWidth; ++x) {
            const COLORREF crSource = opaque.At(x, y);
            const COLORREF crDrawn = keyed.At(x + 5, y + 5);
            if (crSource == crMagenta) {
                ++iKeyed;
                if (crDrawn != crBackground) ++iWrong;
            } else {
                ++iCopied;
                if (crDrawn != crSource) ++iWrong;
            }
        }
    EXPECT_GT(iKeyed, 0) << "the frame has no transparent pixel to test";
    EXPECT_GT(iCopied, 0) << "the frame has no visible pixel to test";
    EXPECT_EQ(iWrong, 0);
    // Nothing is drawn outside the part's rectangle.
    EXPECT_EQ(keyed.At(2, 2), crBackground);
    EXPECT_EQ(keyed.At(iFrameWidth + 7, iFrameHeight + 7), crBackground);
    DeleteDC(hDC);
}

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE bWidth, bHeight, bColorCount, bReserved;
    WORD wPlanes, wBitCount;
    DWORD dwBytesInRes;
    WORD nID;
};
#pragma pack(pop)
static_assert(sizeof(GroupIconEntry) == 14, "a group icon entry is 14 bytes");

// Size and colour depth of one RT_ICON image, read from its own data: a
// BITMAPINFOHEADER (height counts the mask too) or a PNG's header.
bool ImageFormat(const BYTE* pData, DWORD dwSize, int& iSize, int& iBits) {
    static const BYTE abPng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (dwSize >= 29 && std::memcmp(pData, abPng, 8) == 0) {
        iSize = (pData[16] << 24) | (pData[17] << 16) | (pData[18] << 8) | pData[19];
        const int iDepth = pData[24], iColourType = pData[25];
        const int iChannels = iColourType == 6 ? 4 : iColourType == 2 ? 3 : iColourType == 4 ? 2 : 1;
        iBits = iDepth * iChannels;
        return true;
    }
    if (dwSize < sizeof(BITMAPINFOHEADER)) return false;
    BITMAPINFOHEADER bih;
    std::memcpy(&bih, pData, sizeof(bih));
    iSize = bih.biWidth;
    iBits = bih.biBitCount;
    return bih.biHeight == 2 * bih.biWidth;
}

}  // namespace

TEST(IconResources, BothGroupsHoldEverySizeAndDepthAndEachImageDecodes) {
    const std::set<std::pair<int, int>> required = {{16, 4},  {16, 8},  {16, 32}, {32, 4},  {32, 8},  {32, 32},
                                                    {48, 4},  {48, 8},  {48, 32}, {256, 8}, {256, 32}};
    for (WORD wGroup : {WORD(1000), WORD(1001)}) {
        SCOPED_TRACE("icon group " + std::to_string(wGroup));
        HRSRC hGroup = FindResource(Module(), MAKEINTRESOURCE(wGroup), RT_GROUP_ICON);
        ASSERT_NE(hGroup, nullptr);
        const BYTE* pGroup = static_cast<const BYTE*>(LockResource(LoadResource(Module(), hGroup)));
        ASSERT_NE(pGroup, nullptr);
        const DWORD dwGroupSize = SizeofResource(Module(), hGroup);
        ASSERT_GE(dwGroupSize, 6u);
        WORD awHeader[3];
        std::memcpy(awHeader, pGroup, sizeof(awHeader));
        EXPECT_EQ(awHeader[1], 1) << "not an icon group";
        ASSERT_EQ(dwGroupSize, 6u + 14u * awHeader[2]);

        std::set<std::pair<int, int>> found;
        for (WORD i = 0; i < awHeader[2]; ++i) {
            GroupIconEntry entry;
            std::memcpy(&entry, pGroup + 6 + 14 * i, sizeof(entry));
            HRSRC hImage = FindResource(Module(), MAKEINTRESOURCE(entry.nID), RT_ICON);
            ASSERT_NE(hImage, nullptr) << "image " << entry.nID;
            const DWORD dwSize = SizeofResource(Module(), hImage);
            EXPECT_EQ(dwSize, entry.dwBytesInRes);
            BYTE* pImage = static_cast<BYTE*>(LockResource(LoadResource(Module(), hImage)));
            int iSize = 0, iBits = 0;
            ASSERT_TRUE(ImageFormat(pImage, dwSize, iSize, iBits)) << "image " << entry.nID;
            EXPECT_EQ(entry.bWidth == 0 ? 256 : entry.bWidth, iSize) << "image " << entry.nID;
            found.insert({iSize, iBits});

            HICON hIcon = CreateIconFromResourceEx(pImage, dwSize, TRUE, 0x00030000, iSize, iSize, LR_DEFAULTCOLOR);
            ASSERT_NE(hIcon, nullptr) << "image " << entry.nID << " does not decode";
            ICONINFO info;
            ASSERT_TRUE(GetIconInfo(hIcon, &info));
            BITMAP bm;
            GetObject(info.hbmColor != NULL ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
            EXPECT_EQ(bm.bmWidth, iSize) << "image " << entry.nID;
            if (info.hbmColor != NULL) DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(hIcon);
        }
        for (const auto& image : required)
            EXPECT_EQ(found.count(image), 1u) << image.first << " pixels at " << image.second << " bits";

        // The window class loads its icons from these groups by ID.
        HICON hLoaded = LoadIcon(Module(), MAKEINTRESOURCE(wGroup));
        EXPECT_NE(hLoaded, nullptr);
        HICON hSmall = static_cast<HICON>(LoadImage(Module(), MAKEINTRESOURCE(wGroup), IMAGE_ICON, 16, 16, 0));
        ASSERT_NE(hSmall, nullptr);
        ICONINFO smallInfo;
        ASSERT_TRUE(GetIconInfo(hSmall, &smallInfo));
        BITMAP bm;
        GetObject(smallInfo.hbmMask, sizeof(bm), &bm);
        EXPECT_EQ(bm.bmWidth, 16);
        if (smallInfo.hbmColor != NULL) DeleteObject(smallInfo.hbmColor);
        DeleteObject(smallInfo.hbmMask);
        DestroyIcon(hSmall);
    }
}
