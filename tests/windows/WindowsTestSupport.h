// Helpers for the tests that run against the real Windows API (on Windows or
// under Wine): the resource table as the build reads it, and drawing surfaces
// whose pixels can be read back.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace wintest {

struct TableRow {
    unsigned uID;
    std::string sType;  // "BITMAP" or "ICON"
    std::string sPath;  // the file, in the resource folder
};

// The folder with resources.txt and the files it names: WHIRL_RESOURCE_DIR.
inline std::string ResourceDir() {
    const char* szDir = std::getenv("WHIRL_RESOURCE_DIR");
    return szDir != nullptr ? std::string(szDir) : std::string();
}

// The rows of resources.txt; empty when it cannot be read.
inline std::vector<TableRow> ReadTable() {
    std::vector<TableRow> vRows;
    const std::string sDir = ResourceDir();
    if (sDir.empty()) return vRows;
    std::ifstream in(sDir + "/resources.txt");
    std::string sLine;
    while (std::getline(in, sLine)) {
        std::istringstream fields(sLine);
        TableRow row;
        std::string sFile;
        if (!(fields >> row.uID >> row.sType >> sFile)) continue;  // blank and comment lines
        row.sPath = sDir + "/" + sFile;
        vRows.push_back(row);
    }
    return vRows;
}

// A memory device context holding a 32-bit top-down DIB section of one colour.
class Canvas {
public:
    Canvas(int iWidth, int iHeight, COLORREF crFill) : m_iWidth(iWidth), m_iHeight(iHeight) {
        BITMAPINFO bmi;
        ZeroMemory(&bmi, sizeof(bmi));
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = iWidth;
        bmi.bmiHeader.biHeight = -iHeight;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        m_hDC = CreateCompatibleDC(NULL);
        void* pBits = nullptr;
        m_hBitmap = CreateDIBSection(m_hDC, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
        m_pPixels = static_cast<uint32_t*>(pBits);
        m_hOld = SelectObject(m_hDC, m_hBitmap);
        HBRUSH hBrush = CreateSolidBrush(crFill);
        RECT rc = {0, 0, iWidth, iHeight};
        FillRect(m_hDC, &rc, hBrush);
        DeleteObject(hBrush);
    }
    ~Canvas() {
        SelectObject(m_hDC, m_hOld);
        DeleteObject(m_hBitmap);
        DeleteDC(m_hDC);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool Valid() const { return m_pPixels != nullptr; }
    HDC GetDC() const { return m_hDC; }
    int Width() const { return m_iWidth; }
    int Height() const { return m_iHeight; }
    // The 0x00RRGGBB value at (x, y), for fast comparisons.
    uint32_t Raw(int x, int y) const { return m_pPixels[static_cast<size_t>(y) * m_iWidth + x] & 0xFFFFFFu; }
    // The colour at (x, y) as a COLORREF.
    COLORREF At(int x, int y) const {
        GdiFlush();
        uint32_t v = m_pPixels[static_cast<size_t>(y) * m_iWidth + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }

private:
    int m_iWidth, m_iHeight;
    HDC m_hDC = NULL;
    HBITMAP m_hBitmap = NULL;
    HGDIOBJ m_hOld = NULL;
    uint32_t* m_pPixels = nullptr;
};

}  // namespace wintest
