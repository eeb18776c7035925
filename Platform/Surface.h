// A block of pixels laid out as a device-independent bitmap, and the pixel
// operations the device contexts are built on. Every operation clips to the
// surfaces it touches and never reads or writes outside them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Platform/Win32.h"

namespace platform {

struct Surface {
    uint8_t* m_pBits = nullptr;
    int m_iWidth = 0;
    int m_iHeight = 0;
    int m_iBitsPerPixel = 32;  // 24 or 32; bytes B, G, R (, unused)
    ptrdiff_t m_iStride = 0;   // bytes per row, a multiple of 4
    bool m_bTopDown = true;

    // Row y counted from the top of the image, whatever the storage order.
    uint8_t* Row(int y) const {
        return m_pBits + (m_bTopDown ? y : m_iHeight - 1 - y) * m_iStride;
    }
    int BytesPerPixel() const { return m_iBitsPerPixel / 8; }
};

// Zero-filled memory for a surface's pixels, and its release with the same
// size. Whole-window images and larger lie on huge pages where the system
// offers them: a frame reads several of them, and on ordinary pages much of
// its time would go to address translation. Null when there is no memory.
uint8_t* AllocatePixels(size_t cbBytes);
void FreePixels(uint8_t* pPixels, size_t cbBytes);

// Bytes per row of a DIB: rows are padded to 4 bytes.
inline size_t DibStride(int iWidth, int iBitsPerPixel) {
    return ((static_cast<size_t>(iWidth) * static_cast<size_t>(iBitsPerPixel) + 31) / 32) * 4;
}

// Copies the w x h block at (xSrc, ySrc) of src to (xDst, yDst) of dst.
// Pixels whose source or destination lies outside its surface are skipped.
// Source and destination may be the same surface.
void CopyPixels(const Surface& dst, int xDst, int yDst, int iWidth, int iHeight, const Surface& src, int xSrc,
                int ySrc);

// As CopyPixels, but only the pixels that differ are written, and rcChanged
// becomes the smallest rectangle of dst holding them (empty when none did).
// Reading what is there costs no more than writing over it, and an image
// copied whole every frame mostly changes in a few places.
void CopyPixelsNotingChange(const Surface& dst, int xDst, int yDst, int iWidth, int iHeight, const Surface& src,
                            int xSrc, int ySrc, RECT& rcChanged);
// As CopyPixels, but source pixels equal to the key colour are not copied.
void CopyPixelsKeyed(const Surface& dst, int xDst, int yDst, int iWidth, int iHeight, const Surface& src,
                     int xSrc, int ySrc, COLORREF crKey);

// One row of a keyed copy between 32-bit pixels: each of iCount source pixels
// whose colour (the fourth byte aside) is not uiKey (bytes B, G, R from the
// lowest) is stored whole. The loops this processor can run, the widest
// first; keyed copies use the first.
using KeyedRowLoop = void (*)(uint8_t* pDst, const uint8_t* pSrc, int iCount, uint32_t uiKey);
std::vector<KeyedRowLoop> KeyedRowLoops();

// Fills the rectangle, clipped to the surface, with one colour.
void FillPixels(const Surface& dst, const RECT& rc, COLORREF crColor);

// The colour at (x, y), or CLR_INVALID outside the surface.
COLORREF ReadPixel(const Surface& src, int x, int y);

}  // namespace platform
