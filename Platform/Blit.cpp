// Pixel copies and fills between surfaces: straight row loops, one per pair
// of pixel formats.
#include <algorithm>
#include <cstring>
#include <vector>

#include "Platform/Surface.h"

namespace platform {

namespace {

struct Block {
    int xDst, yDst, xSrc, ySrc, iWidth, iHeight;
};

// Narrows one axis of a copy to the part inside both surfaces; 64-bit so that
// no argument can overflow.
bool ClipAxis(int64_t iDst, int64_t iSrc, int64_t iLength, int iDstLimit, int iSrcLimit, int& iDstOut,
              int& iSrcOut, int& iLengthOut) {
    const int64_t iSkip = std::max<int64_t>({0, -iDst, -iSrc});
    iDst += iSkip;
    iSrc += iSkip;
    iLength -= iSkip;
    iLength = std::min<int64_t>({iLength, iDstLimit - iDst, iSrcLimit - iSrc});
    if (iLength <= 0) return false;
    iDstOut = static_cast<int>(iDst);
    iSrcOut = static_cast<int>(iSrc);
    iLengthOut = static_cast<int>(iLength);
    return true;
}

bool ClipBlock(const Surface& dst, int xDst, int yDst, int iWidth, int iHeight, const Surface& src, int xSrc,
               int ySrc, Block& block) {
    if (!dst.m_pBits || !src.m_pBits || iWidth <= 0 || iHeight <= 0) return false;
    return ClipAxis(xDst, xSrc, iWidth, dst.m_iWidth, src.m_iWidth, block.xDst, block.xSrc, block.iWidth) &&
           ClipAxis(yDst, ySrc, iHeight, dst.m_iHeight, src.m_iHeight, block.yDst, block.ySrc, block.iHeight);
}

inline uint32_t Load32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
inline void Store32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }

// The key as the three bytes B, G, R of a pixel in memory order.
inline uint32_t KeyBGR(COLORREF crKey) {
    return static_cast<uint32_t>(GetBValue(crKey)) | (static_cast<uint32_t>(GetGValue(crKey)) << 8) |
           (static_cast<uint32_t>(GetRValue(crKey)) << 16);
}

template <int SrcBytes, int DstBytes, bool Keyed>
void CopyRow(uint8_t* pDst, const uint8_t* pSrc, int iCount, uint32_t uiKey) {
    for (int i = 0; i < iCount; ++i, pSrc += SrcBytes, pDst += DstBytes) {
        uint32_t uiBGR;
        if (SrcBytes == 4)
            uiBGR = Load32(pSrc) & 0x00FFFFFFu;
        else
            uiBGR = pSrc[0] | (pSrc[1] << 8) | (pSrc[2] << 16);
        if (Keyed && uiBGR == uiKey) continue;
        if (DstBytes == 4) {
            Store32(pDst, SrcBytes == 4 ? Load32(pSrc) : uiBGR);
        } else {
            pDst[0] = static_cast<uint8_t>(uiBGR);
            pDst[1] = static_cast<uint8_t>(uiBGR >> 8);
            pDst[2] = static_cast<uint8_t>(uiBGR >> 16);
        }
    }
}

template <bool Keyed>
void CopyBlock(const Surface& dst, const Surface& src, const Block& b, uint32_t uiKey) {
    const int iSrcBytes = src.BytesPerPixel(), iDstBytes = dst.BytesPerPixel();
    // Rows are visited in the order that keeps an overlapping copy within one
    // surface correct.
    const bool bUpward = src.m_pBits == dst.m_pBits && b.yDst > b.ySrc;
    for (int i = 0; i < b.iHeight; ++i) {
        const int y = bUpward ? b.iHeight - 1 - i : i;
        uint8_t* pDst = dst.Row(b.yDst + y) + static_cast<ptrdiff_t>(b.xDst) * iDstBytes;
        const uint8_t* pSrc = src.Row(b.ySrc + y) + static_cast<ptrdiff_t>(b.xSrc) * iSrcBytes;
        if (!Keyed && iSrcBytes == iDstBytes) {
            std::memmove(pDst, pSrc, static_cast<size_t>(b.iWidth) * iDstBytes);
        } else if (iSrcBytes == 3 && iDstBytes == 4) {
            CopyRow<3, 4, Keyed>(pDst, pSrc, b.iWidth, uiKey);
        } else if (iSrcBytes == 4 && iDstBytes == 4) {
            CopyRow<4, 4, Keyed>(pDst, pSrc, b.iWidth, uiKey);
        } else if (iSrcBytes == 3 && iDstBytes == 3) {
            CopyRow<3, 3, Keyed>(pDst, pSrc, b.iWidth, uiKey);
        } else {
            CopyRow<4, 3, Keyed>(pDst, pSrc, b.iWidth, uiKey);
        }
    }
}

}  // namespace

void CopyPixels(const Surface& dst, int xDst, int yDst, int iWidth, int iHeight, const Surface& src, int xSrc,
                int ySrc) {
    Block b;
    if (!ClipBlock(dst, xDst, yDst, iWidth, iHeight, src, xSrc, ySrc, b)) return;
    CopyBlock<false>(dst, src, b, 0);
}

void CopyPixelsKeyed(const Surface& dst, int xDst, int yDst, int iWidth, int iHeight, const Surface& src,
                     int xSrc, int ySrc, COLORREF crKey) {
    Block b;
    if (!ClipBlock(dst, xDst, yDst, iWidth, iHeight, src, xSrc, ySrc, b)) return;
    if (src.m_pBits != dst.m_pBits) {
        CopyBlock<true>(dst, src, b, KeyBGR(crKey));
        return;
    }
    // Within one surface a keyed copy may overlap itself: copy the source
    // block aside first.
    Surface copy;
    copy.m_iWidth = b.iWidth;
    copy.m_iHeight = b.iHeight;
    copy.m_iBitsPerPixel = src.m_iBitsPerPixel;
    copy.m_iStride = static_cast<ptrdiff_t>(DibStride(b.iWidth, src.m_iBitsPerPixel));
    std::vector<uint8_t> vBuffer(static_cast<size_t>(copy.m_iStride) * b.iHeight);
    copy.m_pBits = vBuffer.data();
    CopyPixels(copy, 0, 0, b.iWidth, b.iHeight, src, b.xSrc, b.ySrc);
    Block inner{b.xDst, b.yDst, 0, 0, b.iWidth, b.iHeight};
    CopyBlock<true>(dst, copy, inner, KeyBGR(crKey));
}

void FillPixels(const Surface& dst, const RECT& rc, COLORREF crColor) {
    if (!dst.m_pBits) return;
    const int iLeft = std::max<LONG>(rc.left, 0), iTop = std::max<LONG>(rc.top, 0);
    const int iRight = std::min<LONG>(rc.right, dst.m_iWidth), iBottom = std::min<LONG>(rc.bottom, dst.m_iHeight);
    if (iLeft >= iRight || iTop >= iBottom) return;
    const uint32_t uiBGR = KeyBGR(crColor);
    const int iBytes = dst.BytesPerPixel();
    for (int y = iTop; y < iBottom; ++y) {
        uint8_t* p = dst.Row(y) + static_cast<ptrdiff_t>(iLeft) * iBytes;
        for (int x = iLeft; x < iRight; ++x, p += iBytes) {
            if (iBytes == 4) {
                Store32(p, uiBGR);
            } else {
                p[0] = static_cast<uint8_t>(uiBGR);
                p[1] = static_cast<uint8_t>(uiBGR >> 8);
                p[2] = static_cast<uint8_t>(uiBGR >> 16);
            }
        }
    }
}

COLORREF ReadPixel(const Surface& src, int x, int y) {
    if (!src.m_pBits || x < 0 || y < 0 || x >= src.m_iWidth || y >= src.m_iHeight) return CLR_INVALID;
    const uint8_t* p = src.Row(y) + static_cast<ptrdiff_t>(x) * src.BytesPerPixel();
    return RGB(p[2], p[1], p[0]);
}

}  // namespace platform
