// The game's fixed-size image on a larger display surface: enlarged by a whole
// factor, each pixel a square block (the art stays crisp), centred on black
// when the surface is larger still. A frame enlarges only the part of the
// image that changed, so a larger window costs little more than a small one.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// The largest whole factor at which an image of iWidth x iHeight fits into
// iRoomWidth x iRoomHeight; at least 1.
int LargestScale(int iWidth, int iHeight, int iRoomWidth, int iRoomHeight);

class ScaledPicture {
public:
    // Lays the picture out on a surface of that size; the next Draw paints
    // all of it, the margins black.
    void Layout(int iImageWidth, int iImageHeight, int iSurfaceWidth, int iSurfaceHeight);
    // The next Draw paints all of the picture again (the display lost it).
    void RedrawAll() { m_bRedrawAll = true; }
    // Paints the part pChange of the image (bytes B, G, R, unused; rows
    // top-down), or all of it after a new layout or RedrawAll; null when none
    // of it changed. Returns the rectangles of the surface that changed.
    const std::vector<SDL_Rect>& Draw(const uint8_t* pPixels, ptrdiff_t iStride, const SDL_Rect* pChange,
                                      SDL_Surface* pSurface);
    // A point on the surface as a point of the image, held inside the image.
    void ToImage(int& x, int& y) const;

private:
    void Enlarge(const uint8_t* pPixels, ptrdiff_t iStride, const SDL_Rect& rcImage, uint8_t* pOut,
                 ptrdiff_t iOutStride) const;

    int m_iImageWidth = 0, m_iImageHeight = 0;
    int m_iSurfaceWidth = 0, m_iSurfaceHeight = 0;
    int m_iScale = 1, m_iLeft = 0, m_iTop = 0;
    bool m_bRedrawAll = true;
    std::vector<uint32_t> m_vConverted;  // the enlarged change, for a surface of another format
    std::vector<SDL_Rect> m_vChanged;
};

}  // namespace platform
