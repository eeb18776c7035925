// Images for the bitmap and sprite tests: device-independent bitmaps built in
// memory byte by byte, and a 32-bit drawing surface whose pixels can be read.
#pragma once

#include <cstring>
#include <vector>

#include "Engine/Bitmap.h"
#include "Platform/Win32.h"

namespace test_images {

typedef std::vector<unsigned char> Bytes;

// Pixels given top row first, left to right.
struct Picture {
    int iWidth;
    int iHeight;
    std::vector<COLORREF> vPixels;

    COLORREF At(int x, int y) const { return vPixels[static_cast<size_t>(y) * iWidth + x]; }
};

// A picture whose every pixel differs from its neighbours.
inline Picture Gradient(int iWidth, int iHeight) {
    Picture pic{iWidth, iHeight, {}};
    for (int y = 0; y < iHeight; ++y)
        for (int x = 0; x < iWidth; ++x) pic.vPixels.push_back(RGB(10 + 20 * x, 30 + 40 * y, 200 - 10 * x));
    return pic;
}

// A horizontal strip of frames, each one colour.
inline Picture Strip(int iFrameWidth, int iHeight, const std::vector<COLORREF>& vFrameColors) {
    Picture pic{iFrameWidth * static_cast<int>(vFrameColors.size()), iHeight, {}};
    for (int y = 0; y < iHeight; ++y)
        for (size_t f = 0; f < vFrameColors.size(); ++f)
            for (int x = 0; x < iFrameWidth; ++x) pic.vPixels.push_back(vFrameColors[f]);
    return pic;
}

// A bitmap resource: information header, iColors colour-table entries, pixel rows
// padded to 4 bytes, bottom-up unless bTopDown. biSizeImage holds the pixel size.
inline Bytes MakeDib(const Picture& pic, int iBitCount = 24, bool bTopDown = false, int iColors = 0) {
    const int iBytesPerPixel = iBitCount / 8;
    const int iStride = (pic.iWidth * iBitCount + 31) / 32 * 4;
    BITMAPINFOHEADER bih;
    std::memset(&bih, 0, sizeof(bih));
    bih.biSize = sizeof(BITMAPINFOHEADER);
    bih.biWidth = pic.iWidth;
    bih.biHeight = bTopDown ? -pic.iHeight : pic.iHeight;
    bih.biPlanes = 1;
    bih.biBitCount = static_cast<WORD>(iBitCount);
    bih.biCompression = BI_RGB;
    bih.biSizeImage = static_cast<DWORD>(iStride * pic.iHeight);
    bih.biClrUsed = static_cast<DWORD>(iColors);

    Bytes v(sizeof(bih) + 4 * iColors + bih.biSizeImage, 0);
    std::memcpy(v.data(), &bih, sizeof(bih));
    unsigned char* pPixels = v.data() + sizeof(bih) + 4 * iColors;
    for (int y = 0; y < pic.iHeight; ++y) {
        int iRow = bTopDown ? y : pic.iHeight - 1 - y;
        for (int x = 0; x < pic.iWidth; ++x) {
            unsigned char* p = pPixels + iRow * iStride + x * iBytesPerPixel;
            COLORREF cr = pic.At(x, y);
            p[0] = GetBValue(cr);
            p[1] = GetGValue(cr);
            p[2] = GetRValue(cr);
        }
    }
    return v;
}

// A .bmp file: the file header in front of a DIB; the pixels start right after
// the header and colour table unless iOffBits says otherwise.
inline Bytes MakeBmpFile(const Bytes& dib, long long llOffBits = -1) {
    BITMAPINFOHEADER bih;
    std::memcpy(&bih, dib.data(), sizeof(bih));
    BITMAPFILEHEADER bfh;
    std::memset(&bfh, 0, sizeof(bfh));
    bfh.bfType = 0x4D42;
    bfh.bfSize = static_cast<DWORD>(sizeof(bfh) + dib.size());
    bfh.bfOffBits = llOffBits >= 0 ? static_cast<DWORD>(llOffBits)
                                   : static_cast<DWORD>(sizeof(bfh) + bih.biSize + 4 * bih.biClrUsed);
    Bytes v(sizeof(bfh));
    std::memcpy(v.data(), &bfh, sizeof(bfh));
    v.insert(v.end(), dib.begin(), dib.end());
    return v;
}

// Reads, changes and writes back the information header at the given offset.
template <class Fn>
void PatchHeader(Bytes& v, size_t offset, Fn fnChange) {
    BITMAPINFOHEADER bih;
    std::memcpy(&bih, v.data() + offset, sizeof(bih));
    fnChange(bih);
    std::memcpy(v.data() + offset, &bih, sizeof(bih));
}

// A 32-bit bitmap selected into a memory device context, filled with one colour.
class Canvas {
public:
    Canvas(int iWidth, int iHeight, COLORREF crFill) : m_iWidth(iWidth), m_iHeight(iHeight) {
        HDC hScreenDC = GetDC(NULL);
        m_hBitmap = CreateCompatibleBitmap(hScreenDC, iWidth, iHeight);
        m_hDC = CreateCompatibleDC(hScreenDC);
        ReleaseDC(NULL, hScreenDC);
        m_hOldBitmap = SelectObject(m_hDC, m_hBitmap);
        Fill(crFill);
    }
    ~Canvas() {
        SelectObject(m_hDC, m_hOldBitmap);
        DeleteDC(m_hDC);
        DeleteObject(m_hBitmap);
    }

    HDC DC() const { return m_hDC; }
    COLORREF Pixel(int x, int y) const { return GetPixel(m_hDC, x, y); }

    void Fill(COLORREF crFill) {
        HBRUSH hBrush = CreateSolidBrush(crFill);
        RECT rc = {0, 0, m_iWidth, m_iHeight};
        FillRect(m_hDC, &rc, hBrush);
        DeleteObject(hBrush);
    }

    // Number of pixels that differ from the colour.
    int CountOtherThan(COLORREF cr) const {
        int n = 0;
        for (int y = 0; y < m_iHeight; ++y)
            for (int x = 0; x < m_iWidth; ++x)
                if (Pixel(x, y) != cr) ++n;
        return n;
    }

    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

private:
    int m_iWidth, m_iHeight;
    HBITMAP m_hBitmap;
    HDC m_hDC;
    HGDIOBJ m_hOldBitmap;
};

// A bitmap of a given size that holds no image: enough for sprite motion.
class SizedBitmap : public Bitmap {
public:
    SizedBitmap(int iWidth, int iHeight) {
        m_iWidth = iWidth;
        m_iHeight = iHeight;
    }
};

}  // namespace test_images
