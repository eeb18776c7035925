#include "Platform/sdl/ScaledPicture.h"

#include <algorithm>
#include <cstring>

namespace platform {

int LargestScale(int iWidth, int iHeight, int iRoomWidth, int iRoomHeight) {
    if (iWidth <= 0 || iHeight <= 0) return 1;
    return std::max(1, std::min(iRoomWidth / iWidth, iRoomHeight / iHeight));
}

void ScaledPicture::Layout(int iImageWidth, int iImageHeight, int iSurfaceWidth, int iSurfaceHeight) {
    m_iImageWidth = iImageWidth;
    m_iImageHeight = iImageHeight;
    m_iSurfaceWidth = iSurfaceWidth;
    m_iSurfaceHeight = iSurfaceHeight;
    m_iScale = LargestScale(iImageWidth, iImageHeight, iSurfaceWidth, iSurfaceHeight);
    m_iLeft = std::max(0, (iSurfaceWidth - iImageWidth * m_iScale) / 2);
    m_iTop = std::max(0, (iSurfaceHeight - iImageHeight * m_iScale) / 2);
    m_bRedrawAll = true;
}

void ScaledPicture::ToImage(int& x, int& y) const {
    x = std::clamp((x - m_iLeft) / m_iScale, 0, std::max(0, m_iImageWidth - 1));
    y = std::clamp((y - m_iTop) / m_iScale, 0, std::max(0, m_iImageHeight - 1));
}

// Each pixel of rcImage becomes a square of m_iScale pixels, written from pOut on.
void ScaledPicture::Enlarge(const uint8_t* pPixels, ptrdiff_t iStride, const SDL_Rect& rcImage, uint8_t* pOut,
                            ptrdiff_t iOutStride) const {
    const size_t cbOutRow = static_cast<size_t>(rcImage.w) * m_iScale * 4;
    for (int y = 0; y < rcImage.h; ++y) {
        const uint32_t* pIn = reinterpret_cast<const uint32_t*>(pPixels + (rcImage.y + y) * iStride) + rcImage.x;
        uint8_t* pFirst = pOut + y * m_iScale * iOutStride;
        uint32_t* pRow = reinterpret_cast<uint32_t*>(pFirst);
        for (int x = 0; x < rcImage.w; ++x)
            for (int k = 0; k < m_iScale; ++k) *pRow++ = pIn[x];
        for (int k = 1; k < m_iScale; ++k) std::memcpy(pFirst + k * iOutStride, pFirst, cbOutRow);
    }
}

const std::vector<SDL_Rect>& ScaledPicture::Draw(const uint8_t* pPixels, ptrdiff_t iStride, const SDL_Rect* pChange,
                                                 SDL_Surface* pSurface) {
    m_vChanged.clear();
    if (pSurface->w != m_iSurfaceWidth || pSurface->h != m_iSurfaceHeight)
        Layout(m_iImageWidth, m_iImageHeight, pSurface->w, pSurface->h);
    // A surface too small for the image shows nothing rather than part of it.
    if (pSurface->w < m_iImageWidth || pSurface->h < m_iImageHeight) return m_vChanged;
    const SDL_Rect rcWhole{0, 0, m_iImageWidth, m_iImageHeight};
    SDL_Rect rcImage = rcWhole;
    if (!m_bRedrawAll && !(pChange && SDL_IntersectRect(pChange, &rcWhole, &rcImage))) return m_vChanged;

    const SDL_Rect rcOut{m_iLeft + rcImage.x * m_iScale, m_iTop + rcImage.y * m_iScale, rcImage.w * m_iScale,
                         rcImage.h * m_iScale};
    if (m_bRedrawAll) SDL_FillRect(pSurface, nullptr, SDL_MapRGB(pSurface->format, 0, 0, 0));
    if (SDL_MUSTLOCK(pSurface) && SDL_LockSurface(pSurface) != 0) return m_vChanged;
    uint8_t* pSurfacePixels = static_cast<uint8_t*>(pSurface->pixels);
    if (pSurface->format->format == SDL_PIXELFORMAT_RGB888) {
        Enlarge(pPixels, iStride, rcImage, pSurfacePixels + rcOut.y * pSurface->pitch + rcOut.x * 4, pSurface->pitch);
    } else {
        m_vConverted.resize(static_cast<size_t>(rcOut.w) * rcOut.h);
        Enlarge(pPixels, iStride, rcImage, reinterpret_cast<uint8_t*>(m_vConverted.data()), rcOut.w * 4);
        SDL_ConvertPixels(rcOut.w, rcOut.h, SDL_PIXELFORMAT_RGB888, m_vConverted.data(), rcOut.w * 4,
                          pSurface->format->format,
                          pSurfacePixels + rcOut.y * pSurface->pitch + rcOut.x * pSurface->format->BytesPerPixel,
                          pSurface->pitch);
    }
    if (SDL_MUSTLOCK(pSurface)) SDL_UnlockSurface(pSurface);
    m_vChanged.push_back(m_bRedrawAll ? SDL_Rect{0, 0, pSurface->w, pSurface->h} : rcOut);
    m_bRedrawAll = false;
    return m_vChanged;
}

}  // namespace platform
