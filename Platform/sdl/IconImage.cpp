// Icon files: a directory of images, each a bitmap without its file header
// (twice as high as the image: the colour rows, then a 1-bit mask) or a PNG.
#include "Platform/sdl/IconImage.h"

#include <cstring>

namespace platform {
namespace {

// Bytes per row of an icon's bitmap: as in every DIB, rows are padded to 4 bytes.
size_t RowBytes(int iWidth, int iBitsPerPixel) {
    return ((static_cast<size_t>(iWidth) * static_cast<size_t>(iBitsPerPixel) + 31) / 32) * 4;
}

const int kMaxIconSide = 256;

uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

struct Image {
    const uint8_t* m_pData;
    size_t m_cbData;
};

// Decodes one bitmap image; every offset is checked against cbData.
bool DecodeBitmap(const uint8_t* p, size_t cb, std::vector<uint32_t>& vARGB, int& iWidth, int& iHeight) {
    if (cb < 40) return false;
    const uint32_t uiHeaderSize = Read32(p);
    const int32_t iW = static_cast<int32_t>(Read32(p + 4));
    const int32_t iH2 = static_cast<int32_t>(Read32(p + 8));
    const int iBits = Read16(p + 14);
    const uint32_t uiCompression = Read32(p + 16);
    uint32_t uiColours = Read32(p + 32);
    if (uiHeaderSize < 40 || uiHeaderSize > cb || uiCompression != 0) return false;
    if (iW <= 0 || iW > kMaxIconSide || iH2 <= 0 || iH2 > 2 * kMaxIconSide || iH2 % 2 != 0) return false;
    if (iBits != 1 && iBits != 4 && iBits != 8 && iBits != 24 && iBits != 32) return false;
    const int iH = iH2 / 2;
    if (iBits <= 8) {
        if (uiColours == 0 || uiColours > (1u << iBits)) uiColours = 1u << iBits;
    } else {
        uiColours = 0;
    }
    const uint64_t uiPalette = uiHeaderSize;
    const uint64_t uiColourRows = uiPalette + 4ull * uiColours;
    const size_t cbColourStride = RowBytes(iW, iBits);
    const size_t cbMaskStride = RowBytes(iW, 1);
    const uint64_t uiMaskRows = uiColourRows + static_cast<uint64_t>(cbColourStride) * iH;
    const uint64_t uiEnd = uiMaskRows + static_cast<uint64_t>(cbMaskStride) * iH;
    // Some files leave out the mask of a 32-bit image; its alpha suffices.
    const bool bHasMask = uiEnd <= cb;
    if (uiMaskRows > cb || (!bHasMask && iBits != 32)) return false;

    vARGB.assign(static_cast<size_t>(iW) * iH, 0);
    bool bAnyAlpha = false;
    for (int y = 0; y < iH; ++y) {
        const uint8_t* pRow = p + uiColourRows + cbColourStride * static_cast<size_t>(iH - 1 - y);
        uint32_t* pOut = &vARGB[static_cast<size_t>(y) * iW];
        for (int x = 0; x < iW; ++x) {
            uint32_t uiBGRA;
            if (iBits == 32) {
                uiBGRA = Read32(pRow + 4 * x);
            } else if (iBits == 24) {
                uiBGRA = pRow[3 * x] | (pRow[3 * x + 1] << 8) | (pRow[3 * x + 2] << 16);
            } else {
                const int iBit = x * iBits;
                const unsigned uiIndex = (pRow[iBit / 8] >> (8 - iBits - iBit % 8)) & ((1u << iBits) - 1);
                uiBGRA = uiIndex < uiColours ? Read32(p + uiPalette + 4 * uiIndex) & 0x00FFFFFFu : 0;
            }
            if (iBits == 32 && (uiBGRA >> 24)) bAnyAlpha = true;
            // 0xAARRGGBB has the byte order B, G, R, A of the file on a
            // little-endian word, so the value is taken unchanged.
            pOut[x] = uiBGRA;
        }
    }
    if (iBits != 32 || !bAnyAlpha) {
        for (int y = 0; y < iH; ++y) {
            const uint8_t* pMask = bHasMask ? p + uiMaskRows + cbMaskStride * static_cast<size_t>(iH - 1 - y) : nullptr;
            uint32_t* pOut = &vARGB[static_cast<size_t>(y) * iW];
            for (int x = 0; x < iW; ++x) {
                const bool bTransparent = pMask && ((pMask[x / 8] >> (7 - x % 8)) & 1);
                pOut[x] = (pOut[x] & 0x00FFFFFFu) | (bTransparent ? 0u : 0xFF000000u);
            }
        }
    }
    iWidth = iW;
    iHeight = iH;
    return true;
}

}  // namespace

bool DecodeIcon(const uint8_t* pData, size_t cbData, std::vector<uint32_t>& vARGB, int& iWidth, int& iHeight) {
    if (!pData || cbData < 6 || Read16(pData) != 0 || Read16(pData + 2) != 1) return false;
    const int iCount = Read16(pData + 4);
    if (6ull + 16ull * iCount > cbData) return false;

    static const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    int iBestSide = 0, iBestBits = 0;
    bool bFound = false;
    for (int i = 0; i < iCount; ++i) {
        const uint8_t* pEntry = pData + 6 + 16 * i;
        const uint64_t uiSize = Read32(pEntry + 8);
        const uint64_t uiOffset = Read32(pEntry + 12);
        if (uiOffset >= cbData || uiSize > cbData - uiOffset) continue;
        const uint8_t* pImage = pData + uiOffset;
        if (uiSize >= 8 && std::memcmp(pImage, kPngSignature, 8) == 0) continue;
        std::vector<uint32_t> vCandidate;
        int iW = 0, iH = 0;
        if (!DecodeBitmap(pImage, static_cast<size_t>(uiSize), vCandidate, iW, iH)) continue;
        const int iBits = Read16(pImage + 14);
        if (!bFound || iW > iBestSide || (iW == iBestSide && iBits > iBestBits)) {
            bFound = true;
            iBestSide = iW;
            iBestBits = iBits;
            vARGB.swap(vCandidate);
            iWidth = iW;
            iHeight = iH;
        }
    }
    return bFound;
}

}  // namespace platform
