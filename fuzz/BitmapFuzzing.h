// What the two bitmap loaders must do with any input: load it whole or refuse
// it, leaving no image and either no size or the size its header gives, and
// draw nothing when they refused it. Shared by the file and resource fuzzers.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Engine/Bitmap.h"
#include "Platform/Win32.h"

namespace fuzzing {

inline void Check(bool bHolds, const char* szWhat) {
    if (bHolds) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", szWhat);
    std::abort();
}

inline int32_t Le32(const uint8_t* p) {
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

// The width and height an information header at pHeader gives, when there are
// 40 bytes of it.
struct HeaderSize {
    bool bRead = false;
    int32_t iWidth = 0;
    int32_t iHeight = 0;
};
inline HeaderSize ReadHeaderSize(const uint8_t* pData, size_t cbData, size_t cbOffset) {
    HeaderSize size;
    if (cbData < cbOffset + 40) return size;
    size.bRead = true;
    size.iWidth = Le32(pData + cbOffset + 4);
    size.iHeight = Le32(pData + cbOffset + 8);
    return size;
}

// True for a header asking for more than 2^24 pixels (64 MiB at 32 bits a
// pixel). The sanitizer poisons an eighth of every such block when it is freed,
// which slows the search a hundredfold; such headers pass the same checks as
// smaller ones, and the engine's tests load them.
inline bool Huge(const HeaderSize& header) {
    if (!header.bRead) return false;
    const int64_t llHeight = header.iHeight < 0 ? -static_cast<int64_t>(header.iHeight) : header.iHeight;
    return static_cast<int64_t>(header.iWidth) * llHeight > (int64_t{1} << 24);
}

// A 64 x 48 window-like target, filled with one colour before each draw.
class Canvas {
public:
    Canvas() {
        m_hDC = CreateCompatibleDC(NULL);
        BITMAPINFO info;
        std::memset(&info, 0, sizeof(info));
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* pBits = nullptr;
        m_hBitmap = CreateDIBSection(m_hDC, &info, DIB_RGB_COLORS, &pBits, NULL, 0);
        Check(m_hBitmap != NULL && pBits != nullptr, "the canvas can be made");
        m_pBits = static_cast<uint8_t*>(pBits);
        SelectObject(m_hDC, m_hBitmap);
    }
    HDC DC() const { return m_hDC; }
    void Fill() { std::memset(m_pBits, 0x5A, kBytes); }
    bool Untouched() const {
        static uint8_t s_abFilled[kBytes];
        if (s_abFilled[0] != 0x5A) std::memset(s_abFilled, 0x5A, kBytes);
        return std::memcmp(m_pBits, s_abFilled, kBytes) == 0;
    }

private:
    static const int kWidth = 64;
    static const int kHeight = 48;
    static const size_t kBytes = kWidth * kHeight * 4;
    HDC m_hDC = NULL;
    HBITMAP m_hBitmap = NULL;
    uint8_t* m_pBits = nullptr;
};

// Draws the bitmap whole and in parts picked by the input's last bytes, opaque
// and keyed; all clipped, so nothing may be read or written outside either image.
inline void DrawEveryWay(Bitmap& bitmap, Canvas& canvas, const uint8_t* pData, size_t cbData) {
    uint8_t ab[12] = {};
    for (size_t i = 0; i < sizeof(ab) && i < cbData; ++i) ab[i] = pData[cbData - 1 - i];
    auto pick = [&](int i) { return static_cast<int>(static_cast<int8_t>(ab[i])) * 3; };
    canvas.Fill();
    bitmap.Draw(canvas.DC(), pick(0), pick(1), FALSE);
    bitmap.Draw(canvas.DC(), pick(2), pick(3), TRUE, RGB(ab[4], ab[5], ab[6]));
    bitmap.DrawPart(canvas.DC(), pick(7), pick(8), pick(9), pick(10), ab[11], ab[4], ab[0] & 1);
    // The last columns of the image (a refused one may keep any width its header gave).
    const int iLastColumns = bitmap.GetWidth() > 8 ? bitmap.GetWidth() - 8 : 0;
    bitmap.DrawPart(canvas.DC(), 0, 0, iLastColumns, 0, 16, 16, FALSE);
}

// The outcome of one load of pData, whose information header starts at
// cbHeaderOffset (14 in a file, 0 in a resource).
inline void CheckLoad(Bitmap& bitmap, BOOL bLoaded, const uint8_t* pData, size_t cbData, size_t cbHeaderOffset,
                      Canvas& canvas) {
    const HeaderSize header = ReadHeaderSize(pData, cbData, cbHeaderOffset);
    const bool bNoSize = bitmap.GetWidth() == 0 && bitmap.GetHeight() == 0;
    const bool bHeaderSize =
        header.bRead && bitmap.GetWidth() == header.iWidth && bitmap.GetHeight() == header.iHeight;
    if (bLoaded) {
        Check(bitmap.HasImage(), "a loaded bitmap holds an image");
        Check(bHeaderSize, "a loaded bitmap has its header's size");
        Check(bitmap.GetWidth() > 0 && bitmap.GetHeight() != 0, "a loaded bitmap is not empty");
    } else {
        Check(!bitmap.HasImage(), "a refused bitmap holds no image");
        Check(bNoSize || bHeaderSize, "a refused bitmap has no size or its header's size");
    }
    DrawEveryWay(bitmap, canvas, pData, cbData);
    if (!bLoaded) Check(canvas.Untouched(), "a refused bitmap draws nothing");
}

}  // namespace fuzzing
