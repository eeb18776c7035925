// Images for the bitmap and sprite tests: DIBs built byte by byte, and a
// 32-bit drawing surface whose pixels can be read back.
#pragma once

#include <cstring>
#include <functional>
#include <vector>

#include "Engine/Bitmap.h"

namespace test_images {

typedef std::vector<unsigned char> Bytes;

// Pixels top row first; by default every pixel differs from its neighbours.
struct Picture {
    int iWidth, iHeight;
    std::function<COLORREF(int, int)> fnAt = [](int x, int y) { return RGB(10 + 20 * x, 30 + 40 * y, 200 - 10 * x); };
    COLORREF At(int x, int y) const { return fnAt(x, y); }
};

// Information header, iColors colour-table entries, pixel rows padded to 4 bytes.
inline Bytes MakeDib(const Picture& pic, int iBitCount = 24, bool bTopDown = false, int iColors = 0) {
    const int iStride = (pic.iWidth * iBitCount + 31) / 32 * 4;
    BITMAPINFOHEADER bih = {40, pic.iWidth, bTopDown ? -pic.iHeight : pic.iHeight, 1, static_cast<WORD>(iBitCount),
                            BI_RGB, static_cast<DWORD>(iStride * pic.iHeight), 0, 0, static_cast<DWORD>(iColors), 0};
    Bytes v(40 + 4 * iColors + bih.biSizeImage, 0);
    std::memcpy(v.data(), &bih, 40);
    for (int y = 0; y < pic.iHeight; ++y)
        for (int x = 0; x < pic.iWidth; ++x) {
            unsigned char* p = v.data() + 40 + 4 * iColors + (bTopDown ? y : pic.iHeight - 1 - y) * iStride +
                               x * iBitCount / 8;
            COLORREF cr = pic.At(x, y);
            p[0] = GetBValue(cr), p[1] = GetGValue(cr), p[2] = GetRValue(cr);
        }
    return v;
}

// The file header in front of a DIB; the pixels follow the colour table unless llOffBits says otherwise.
inline Bytes MakeBmpFile(const Bytes& dib, long long llOffBits = -1) {
    BITMAPINFOHEADER bih;
    std::memcpy(&bih, dib.data(), 40);
    BITMAPFILEHEADER bfh = {0x4D42, static_cast<DWORD>(14 + dib.size()), 0, 0,
                            llOffBits >= 0 ? static_cast<DWORD>(llOffBits) : 14 + bih.biSize + 4 * bih.biClrUsed};
    Bytes v(14);
    std::memcpy(v.data(), &bfh, 14);
    v.insert(v.end(), dib.begin(), dib.end());
    return v;
}

inline void PatchHeader(Bytes& v, size_t offset, const std::function<void(BITMAPINFOHEADER&)>& fnChange) {
    BITMAPINFOHEADER bih;
    std::memcpy(&bih, v.data() + offset, 40);
    fnChange(bih);
    std::memcpy(v.data() + offset, &bih, 40);
}

// A 32-bit bitmap in a memory device context, filled with one colour.
class Canvas {
public:
    Canvas(int iWidth, int iHeight, COLORREF crFill) : m_iWidth(iWidth), m_iHeight(iHeight) {
        HDC hScreenDC = GetDC(NULL);
        m_hBitmap = CreateCompatibleBitmap(hScreenDC, iWidth, iHeight);
        m_hDC = CreateCompatibleDC(hScreenDC);
        ReleaseDC(NULL, hScreenDC);
        m_hOldBitmap = SelectObject(m_hDC, m_hBitmap);
        HBRUSH hBrush = CreateSolidBrush(crFill);
        RECT rc = {0, 0, iWidth, iHeight};
        FillRect(m_hDC, &rc, hBrush);
        DeleteObject(hBrush);
    }
    ~Canvas() {
        SelectObject(m_hDC, m_hOldBitmap);
        DeleteDC(m_hDC);
        DeleteObject(m_hBitmap);
    }
    HDC DC() const { return m_hDC; }
    COLORREF Pixel(int x, int y) const { return GetPixel(m_hDC, x, y); }
    int CountOtherThan(COLORREF cr) const {
        int n = 0;
        for (int y = 0; y < m_iHeight; ++y)
            for (int x = 0; x < m_iWidth; ++x) n += Pixel(x, y) != cr;
        return n;
    }

private:
    int m_iWidth, m_iHeight;
    HBITMAP m_hBitmap;
    HDC m_hDC;
    HGDIOBJ m_hOldBitmap;
};

// A bitmap of a given size that holds no image: enough for sprite motion.
struct SizedBitmap : Bitmap {
    SizedBitmap(int iWidth, int iHeight) { m_iWidth = iWidth, m_iHeight = iHeight; }
};

}  // namespace test_images
