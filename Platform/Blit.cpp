// Pixel copies and fills between surfaces: straight row loops, one per pair
// of pixel formats. Keyed copies between 32-bit surfaces, the ones every frame
// is made of, work on whole vectors of pixels.
#include <algorithm>
#include <cstring>
#include <vector>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define WHIRL_BLIT_X86 1
#endif
#if defined(__wasm_simd128__)
#include <wasm_simd128.h>
#define WHIRL_BLIT_WASM 1
#endif

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

// One row of a keyed copy between 32-bit pixels. The vector loops take 16
// pixels at a time: a run with no key is stored whole, one that is all key is
// skipped, and only a mixed one reads the destination. Storing a pixel twice
// leaves the same result, so the last vector of a row may overlap the one
// before it.
void KeyedRow32Scalar(uint8_t* pDst, const uint8_t* pSrc, int iCount, uint32_t uiKey) {
    for (int i = 0; i < iCount; ++i, pSrc += 4, pDst += 4) {
        const uint32_t uiPixel = Load32(pSrc);
        if ((uiPixel & 0x00FFFFFFu) != uiKey) Store32(pDst, uiPixel);
    }
}

#ifdef WHIRL_BLIT_X86
void KeyedRow32Sse2(uint8_t* pDst, const uint8_t* pSrc, int iCount, uint32_t uiKey) {
    if (iCount < 4) return KeyedRow32Scalar(pDst, pSrc, iCount, uiKey);
    const __m128i vColour = _mm_set1_epi32(0x00FFFFFF), vKey = _mm_set1_epi32(static_cast<int>(uiKey));
    const auto fnIsKey = [&](__m128i v) { return _mm_cmpeq_epi32(_mm_and_si128(v, vColour), vKey); };
    // The source where the mask is clear, the destination where it is set.
    const auto fnPick = [](__m128i vSrc, const uint8_t* pOut, __m128i vMask) {
        return _mm_or_si128(_mm_and_si128(vMask, _mm_loadu_si128(reinterpret_cast<const __m128i*>(pOut))),
                            _mm_andnot_si128(vMask, vSrc));
    };
    int i = 0;
    for (; i + 16 <= iCount; i += 16) {
        const __m128i* pIn = reinterpret_cast<const __m128i*>(pSrc + 4 * i);
        __m128i* pOut = reinterpret_cast<__m128i*>(pDst + 4 * i);
        const __m128i v0 = _mm_loadu_si128(pIn), v1 = _mm_loadu_si128(pIn + 1), v2 = _mm_loadu_si128(pIn + 2),
                      v3 = _mm_loadu_si128(pIn + 3);
        const __m128i k0 = fnIsKey(v0), k1 = fnIsKey(v1), k2 = fnIsKey(v2), k3 = fnIsKey(v3);
        if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(k0, k1), _mm_or_si128(k2, k3))) == 0) {
            _mm_storeu_si128(pOut, v0);
            _mm_storeu_si128(pOut + 1, v1);
            _mm_storeu_si128(pOut + 2, v2);
            _mm_storeu_si128(pOut + 3, v3);
        } else if (_mm_movemask_epi8(_mm_and_si128(_mm_and_si128(k0, k1), _mm_and_si128(k2, k3))) != 0xFFFF) {
            _mm_storeu_si128(pOut, fnPick(v0, reinterpret_cast<uint8_t*>(pOut), k0));
            _mm_storeu_si128(pOut + 1, fnPick(v1, reinterpret_cast<uint8_t*>(pOut + 1), k1));
            _mm_storeu_si128(pOut + 2, fnPick(v2, reinterpret_cast<uint8_t*>(pOut + 2), k2));
            _mm_storeu_si128(pOut + 3, fnPick(v3, reinterpret_cast<uint8_t*>(pOut + 3), k3));
        }
    }
    for (; i < iCount; i += 4) {
        if (i > iCount - 4) i = iCount - 4;
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pSrc + 4 * i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pDst + 4 * i), fnPick(v, pDst + 4 * i, fnIsKey(v)));
    }
}

__attribute__((target("avx2"))) void KeyedRow32Avx2(uint8_t* pDst, const uint8_t* pSrc, int iCount,
                                                    uint32_t uiKey) {
    if (iCount < 8) return KeyedRow32Sse2(pDst, pSrc, iCount, uiKey);
    const __m256i vColour = _mm256_set1_epi32(0x00FFFFFF), vKey = _mm256_set1_epi32(static_cast<int>(uiKey));
    const __m256i vOnes = _mm256_set1_epi32(-1);
    int i = 0;
    for (; i + 16 <= iCount; i += 16) {
        const __m256i* pIn = reinterpret_cast<const __m256i*>(pSrc + 4 * i);
        __m256i* pOut = reinterpret_cast<__m256i*>(pDst + 4 * i);
        const __m256i v0 = _mm256_loadu_si256(pIn), v1 = _mm256_loadu_si256(pIn + 1);
        const __m256i k0 = _mm256_cmpeq_epi32(_mm256_and_si256(v0, vColour), vKey);
        const __m256i k1 = _mm256_cmpeq_epi32(_mm256_and_si256(v1, vColour), vKey);
        const __m256i vAny = _mm256_or_si256(k0, k1);
        if (_mm256_testz_si256(vAny, vAny)) {
            _mm256_storeu_si256(pOut, v0);
            _mm256_storeu_si256(pOut + 1, v1);
        } else if (!_mm256_testc_si256(_mm256_and_si256(k0, k1), vOnes)) {
            _mm256_storeu_si256(pOut, _mm256_blendv_epi8(v0, _mm256_loadu_si256(pOut), k0));
            _mm256_storeu_si256(pOut + 1, _mm256_blendv_epi8(v1, _mm256_loadu_si256(pOut + 1), k1));
        }
    }
    for (; i < iCount; i += 8) {
        if (i > iCount - 8) i = iCount - 8;
        __m256i* pOut = reinterpret_cast<__m256i*>(pDst + 4 * i);
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pSrc + 4 * i));
        const __m256i k = _mm256_cmpeq_epi32(_mm256_and_si256(v, vColour), vKey);
        _mm256_storeu_si256(pOut, _mm256_blendv_epi8(v, _mm256_loadu_si256(pOut), k));
    }
}
#endif

#ifdef WHIRL_BLIT_WASM
// The same with WebAssembly's 128-bit vectors: sixteen pixels at a time, as
// the SSE2 loop, then four.
void KeyedRow32Wasm(uint8_t* pDst, const uint8_t* pSrc, int iCount, uint32_t uiKey) {
    if (iCount < 4) return KeyedRow32Scalar(pDst, pSrc, iCount, uiKey);
    const v128_t vColour = wasm_i32x4_splat(0x00FFFFFF), vKey = wasm_i32x4_splat(static_cast<int>(uiKey));
    const auto fnIsKey = [&](v128_t v) { return wasm_i32x4_eq(wasm_v128_and(v, vColour), vKey); };
    int i = 0;
    for (; i + 16 <= iCount; i += 16) {
        const uint8_t* pIn = pSrc + 4 * i;
        uint8_t* pOut = pDst + 4 * i;
        const v128_t v0 = wasm_v128_load(pIn), v1 = wasm_v128_load(pIn + 16), v2 = wasm_v128_load(pIn + 32),
                     v3 = wasm_v128_load(pIn + 48);
        const v128_t k0 = fnIsKey(v0), k1 = fnIsKey(v1), k2 = fnIsKey(v2), k3 = fnIsKey(v3);
        if (!wasm_v128_any_true(wasm_v128_or(wasm_v128_or(k0, k1), wasm_v128_or(k2, k3)))) {
            wasm_v128_store(pOut, v0);
            wasm_v128_store(pOut + 16, v1);
            wasm_v128_store(pOut + 32, v2);
            wasm_v128_store(pOut + 48, v3);
        } else if (!wasm_i32x4_all_true(wasm_v128_and(wasm_v128_and(k0, k1), wasm_v128_and(k2, k3)))) {
            wasm_v128_store(pOut, wasm_v128_bitselect(wasm_v128_load(pOut), v0, k0));
            wasm_v128_store(pOut + 16, wasm_v128_bitselect(wasm_v128_load(pOut + 16), v1, k1));
            wasm_v128_store(pOut + 32, wasm_v128_bitselect(wasm_v128_load(pOut + 32), v2, k2));
            wasm_v128_store(pOut + 48, wasm_v128_bitselect(wasm_v128_load(pOut + 48), v3, k3));
        }
    }
    for (; i < iCount; i += 4) {
        if (i > iCount - 4) i = iCount - 4;
        const v128_t v = wasm_v128_load(pSrc + 4 * i);
        wasm_v128_store(pDst + 4 * i, wasm_v128_bitselect(wasm_v128_load(pDst + 4 * i), v, fnIsKey(v)));
    }
}
#endif

}  // namespace

std::vector<KeyedRowLoop> KeyedRowLoops() {
    std::vector<KeyedRowLoop> vLoops;
#ifdef WHIRL_BLIT_X86
    if (__builtin_cpu_supports("avx2")) vLoops.push_back(KeyedRow32Avx2);
    vLoops.push_back(KeyedRow32Sse2);
#endif
#ifdef WHIRL_BLIT_WASM
    vLoops.push_back(KeyedRow32Wasm);
#endif
    vLoops.push_back(KeyedRow32Scalar);
    return vLoops;
}

namespace {

// The widest row loop this processor runs, chosen once.
KeyedRowLoop KeyedRow32() {
    static const KeyedRowLoop s_pfnRow = KeyedRowLoops().front();
    return s_pfnRow;
}

// Asks for a row ahead of the one being copied, so that memory delivers it
// meanwhile: between two frames the images have mostly left the cache.
inline void PrefetchRow(const uint8_t* p, size_t cbBytes, bool bForWriting) {
#if defined(__GNUC__)
    for (size_t cb = 0; cb < cbBytes; cb += 64) {
        if (bForWriting)
            __builtin_prefetch(p + cb, 1);
        else
            __builtin_prefetch(p + cb, 0);
    }
#else
    (void)p, (void)cbBytes, (void)bForWriting;
#endif
}

// Whether two rows are equal. The C library's memcmp compares a byte at a
// time in WebAssembly: there, 64 bytes at a time.
inline bool RowsEqual(const uint8_t* pA, const uint8_t* pB, size_t cbRow) {
#ifdef WHIRL_BLIT_WASM
    size_t i = 0;
    for (; i + 64 <= cbRow; i += 64) {
        const v128_t v0 = wasm_v128_xor(wasm_v128_load(pA + i), wasm_v128_load(pB + i));
        const v128_t v1 = wasm_v128_xor(wasm_v128_load(pA + i + 16), wasm_v128_load(pB + i + 16));
        const v128_t v2 = wasm_v128_xor(wasm_v128_load(pA + i + 32), wasm_v128_load(pB + i + 32));
        const v128_t v3 = wasm_v128_xor(wasm_v128_load(pA + i + 48), wasm_v128_load(pB + i + 48));
        if (wasm_v128_any_true(wasm_v128_or(wasm_v128_or(v0, v1), wasm_v128_or(v2, v3)))) return false;
    }
    return std::memcmp(pA + i, pB + i, cbRow - i) == 0;
#else
    return std::memcmp(pA, pB, cbRow) == 0;
#endif
}

template <bool Keyed>
void CopyBlock(const Surface& dst, const Surface& src, const Block& b, uint32_t uiKey) {
    const int iSrcBytes = src.BytesPerPixel(), iDstBytes = dst.BytesPerPixel();
    // Rows are visited in the order that keeps an overlapping copy within one
    // surface correct.
    const bool bUpward = src.m_pBits == dst.m_pBits && b.yDst > b.ySrc;
    const KeyedRowLoop pfnKeyedRow = KeyedRow32();
    const int iRowsAhead = 2;
    for (int i = 0; i < b.iHeight; ++i) {
        const int y = bUpward ? b.iHeight - 1 - i : i;
        uint8_t* pDst = dst.Row(b.yDst + y) + static_cast<ptrdiff_t>(b.xDst) * iDstBytes;
        const uint8_t* pSrc = src.Row(b.ySrc + y) + static_cast<ptrdiff_t>(b.xSrc) * iSrcBytes;
        if (i + iRowsAhead < b.iHeight) {
            const int yAhead = bUpward ? y - iRowsAhead : y + iRowsAhead;
            PrefetchRow(src.Row(b.ySrc + yAhead) + static_cast<ptrdiff_t>(b.xSrc) * iSrcBytes,
                        static_cast<size_t>(b.iWidth) * iSrcBytes, false);
            PrefetchRow(dst.Row(b.yDst + yAhead) + static_cast<ptrdiff_t>(b.xDst) * iDstBytes,
                        static_cast<size_t>(b.iWidth) * iDstBytes, true);
        }
        if (!Keyed && iSrcBytes == iDstBytes) {
            std::memmove(pDst, pSrc, static_cast<size_t>(b.iWidth) * iDstBytes);
        } else if (iSrcBytes == 4 && iDstBytes == 4) {
            pfnKeyedRow(pDst, pSrc, b.iWidth, uiKey);
        } else if (iSrcBytes == 3 && iDstBytes == 4) {
            CopyRow<3, 4, Keyed>(pDst, pSrc, b.iWidth, uiKey);
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

void CopyPixelsNotingChange(const Surface& dst, int xDst, int yDst, int iWidth, int iHeight, const Surface& src,
                            int xSrc, int ySrc, RECT& rcChanged) {
    rcChanged = RECT{0, 0, 0, 0};
    Block b;
    if (!ClipBlock(dst, xDst, yDst, iWidth, iHeight, src, xSrc, ySrc, b)) return;
    if (src.m_pBits == dst.m_pBits || src.m_iBitsPerPixel != 32 || dst.m_iBitsPerPixel != 32) {
        CopyBlock<false>(dst, src, b, 0);
        rcChanged = RECT{b.xDst, b.yDst, b.xDst + b.iWidth, b.yDst + b.iHeight};
        return;
    }
    const size_t cbRow = static_cast<size_t>(b.iWidth) * 4;
    int iLeft = b.iWidth, iRight = -1, iTop = -1, iBottom = -1;
    for (int y = 0; y < b.iHeight; ++y) {
        uint8_t* pDst = dst.Row(b.yDst + y) + static_cast<ptrdiff_t>(b.xDst) * 4;
        const uint8_t* pSrc = src.Row(b.ySrc + y) + static_cast<ptrdiff_t>(b.xSrc) * 4;
        if (y + 2 < b.iHeight) {
            PrefetchRow(src.Row(b.ySrc + y + 2) + static_cast<ptrdiff_t>(b.xSrc) * 4, cbRow, false);
            PrefetchRow(dst.Row(b.yDst + y + 2) + static_cast<ptrdiff_t>(b.xDst) * 4, cbRow, false);
        }
        if (RowsEqual(pDst, pSrc, cbRow)) continue;
        int x0 = 0, x1 = b.iWidth - 1;
        while (Load32(pDst + 4 * x0) == Load32(pSrc + 4 * x0)) ++x0;
        while (Load32(pDst + 4 * x1) == Load32(pSrc + 4 * x1)) --x1;
        std::memcpy(pDst + 4 * x0, pSrc + 4 * x0, static_cast<size_t>(x1 - x0 + 1) * 4);
        iLeft = std::min(iLeft, x0);
        iRight = std::max(iRight, x1);
        if (iTop < 0) iTop = y;
        iBottom = y;
    }
    if (iTop >= 0) rcChanged = RECT{b.xDst + iLeft, b.yDst + iTop, b.xDst + iRight + 1, b.yDst + iBottom + 1};
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
