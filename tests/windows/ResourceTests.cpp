// The executable's bitmaps through the real API, as resources.txt binds them:
// each loads by its ID and draws, opaque or magenta-keyed, into a surface made
// like the game's off-screen one exactly as the system reads its .bmp file.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "Engine/Bitmap.h"

namespace {

const COLORREF crMagenta = RGB(255, 0, 255), crBackground = RGB(0, 128, 0);

// The bitmap rows of resources.txt as ID and file, in the folder WHIRL_RESOURCE_DIR names.
std::vector<std::pair<unsigned, std::string>> BitmapTable() {
    const char* szDir = std::getenv("WHIRL_RESOURCE_DIR");
    const std::string sDir = szDir != nullptr ? szDir : ".";
    std::vector<std::pair<unsigned, std::string>> vRows;
    std::ifstream in(sDir + "/resources.txt");
    for (std::string sLine; std::getline(in, sLine);) {
        std::istringstream fields(sLine);
        unsigned uID;
        std::string sType, sFile;
        if (fields >> uID >> sType >> sFile && sType == "BITMAP") vRows.push_back({uID, sDir + "/" + sFile});
    }
    return vRows;
}

// The pixels of a bitmap that no DC holds, as 0x00RRGGBB, top row first.
std::vector<uint32_t> Pixels(HBITMAP hBitmap, int iWidth, int iHeight) {
    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), iWidth, -iHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint32_t> v(static_cast<size_t>(iWidth) * iHeight);
    HDC hScreen = GetDC(NULL);
    if (GetDIBits(hScreen, hBitmap, 0, iHeight, v.data(), &bmi, DIB_RGB_COLORS) != iHeight) v.clear();
    ReleaseDC(NULL, hScreen);
    for (uint32_t& u : v) u &= 0xFFFFFFu;
    return v;
}

// Draws the bitmap from column iPartX on at (0, 0) into a bitmap compatible
// with the screen, filled with the background first, and reads it back.
std::vector<uint32_t> DrawOffscreen(Bitmap& bitmap, int iPartX, BOOL bTransparent) {
    const int iWidth = bitmap.GetWidth(), iHeight = bitmap.GetHeight();
    HDC hScreen = GetDC(NULL);
    HDC hDC = CreateCompatibleDC(hScreen);
    HBITMAP hSurface = CreateCompatibleBitmap(hScreen, iWidth, iHeight);
    ReleaseDC(NULL, hScreen);
    HGDIOBJ hOld = SelectObject(hDC, hSurface);
    RECT rc = {0, 0, iWidth, iHeight};
    HBRUSH hBrush = CreateSolidBrush(crBackground);
    FillRect(hDC, &rc, hBrush);
    DeleteObject(hBrush);
    bitmap.DrawPart(hDC, 0, 0, iPartX, 0, iWidth - iPartX, iHeight, bTransparent, crMagenta);
    SelectObject(hDC, hOld);
    DeleteDC(hDC);
    const std::vector<uint32_t> v = Pixels(hSurface, iWidth, iHeight);
    DeleteObject(hSurface);
    return v;
}

}  // namespace

TEST(BitmapResources, EachLoadsByIdAndDrawsAsTheSystemReadsItsFile) {
    struct DrawCase {
        const char* szHow;
        BOOL bTransparent;
        bool bRightHalf;  // the part starts halfway along the image
    };
    const DrawCase aCases[] = {{"opaque, whole", FALSE, false}, {"magenta keyed, right half", TRUE, true}};
    const auto vRows = BitmapTable();
    ASSERT_FALSE(vRows.empty()) << "set WHIRL_RESOURCE_DIR to the folder of resources.txt";
    const uint32_t uBackground = 0x008000, uMagenta = 0xFF00FF;  // the two colours as Pixels gives them

    int iKeyed = 0;  // magenta pixels left out, over all images
    HDC hDC = CreateCompatibleDC(NULL);
    for (const auto& [uID, sPath] : vRows) {
        SCOPED_TRACE("resource " + std::to_string(uID) + " " + sPath);
        HBITMAP hFile = static_cast<HBITMAP>(
            LoadImageA(NULL, sPath.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        ASSERT_NE(hFile, nullptr);
        BITMAP bm;
        GetObject(hFile, sizeof(bm), &bm);
        const std::vector<uint32_t> vFile = Pixels(hFile, bm.bmWidth, bm.bmHeight);
        DeleteObject(hFile);

        Bitmap bitmap(hDC, uID, GetModuleHandle(NULL));
        ASSERT_EQ(bitmap.GetWidth(), bm.bmWidth);
        ASSERT_EQ(bitmap.GetHeight(), bm.bmHeight);
        for (const DrawCase& how : aCases) {
            SCOPED_TRACE(how.szHow);
            const int iPartX = how.bRightHalf ? bm.bmWidth / 2 : 0;
            const std::vector<uint32_t> vDrawn = DrawOffscreen(bitmap, iPartX, how.bTransparent);
            ASSERT_EQ(vDrawn.size(), vFile.size());
            int iWrong = 0;
            for (size_t i = 0; i < vDrawn.size(); ++i) {
                const int x = static_cast<int>(i % bm.bmWidth);
                uint32_t uExpected = x < bm.bmWidth - iPartX ? vFile[i + iPartX] : uBackground;
                if (how.bTransparent && uExpected == uMagenta) {
                    uExpected = uBackground;
                    ++iKeyed;
                }
                if (vDrawn[i] != uExpected) ++iWrong;
            }
            EXPECT_EQ(iWrong, 0) << "of " << vDrawn.size() << " pixels differ";
        }
    }
    DeleteDC(hDC);
    EXPECT_GT(iKeyed, 0) << "no image has a magenta pixel to key out";
}
