// The enlarged picture on display surfaces of every kind the window may have:
// each image pixel a square block at the largest whole factor, centred on
// black, in the surface's own pixel format; a change repaints its blocks only;
// a surface too small shows nothing; points come back as the image's pixels.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "Platform/sdl/ScaledPicture.h"

namespace {

const int kWidth = 4, kHeight = 3;

// Image pixels are B, G, R, unused; every one a different colour.
uint32_t ImagePixel(int x, int y, uint8_t bSalt = 0) {
    return uint32_t(10 + 60 * x) | uint32_t(20 + 70 * y) << 8 | uint32_t(200 - bSalt) << 16 | 0xAB000000u;
}

std::string Rgb(SDL_Surface* pSurface, int x, int y) {
    const uint8_t* pAt = static_cast<const uint8_t*>(pSurface->pixels) + y * pSurface->pitch +
                         x * pSurface->format->BytesPerPixel;
    uint32_t uiPixel = 0;
    std::memcpy(&uiPixel, pAt, pSurface->format->BytesPerPixel);
    uint8_t r, g, b;
    SDL_GetRGB(uiPixel, pSurface->format, &r, &g, &b);
    return std::to_string(r) + "," + std::to_string(g) + "," + std::to_string(b);
}

std::string Expected(uint32_t uiImagePixel) {
    return std::to_string((uiImagePixel >> 16) & 0xFF) + "," + std::to_string((uiImagePixel >> 8) & 0xFF) + "," +
           std::to_string(uiImagePixel & 0xFF);
}

}  // namespace

TEST(ScaledPicture, EachSurfaceShowsTheImageInWholeBlocksCentredOnBlackInItsOwnFormat) {
    const struct {
        int iWidth, iHeight;
        Uint32 uiFormat;
        int iScale, iLeft, iTop;  // scale 0: too small, nothing is drawn
    } aRows[] = {
        {4, 3, SDL_PIXELFORMAT_RGB888, 1, 0, 0},   {4, 3, SDL_PIXELFORMAT_BGR888, 1, 0, 0},
        {4, 3, SDL_PIXELFORMAT_RGB565, 1, 0, 0},   {8, 6, SDL_PIXELFORMAT_RGB888, 2, 0, 0},
        {11, 9, SDL_PIXELFORMAT_RGB888, 2, 1, 1},  {13, 7, SDL_PIXELFORMAT_BGR888, 2, 2, 0},
        {3, 3, SDL_PIXELFORMAT_RGB888, 0, 0, 0},   {4, 2, SDL_PIXELFORMAT_RGB888, 0, 0, 0},
    };
    std::vector<uint32_t> vImage(kWidth * kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) vImage[y * kWidth + x] = ImagePixel(x, y);
    const uint8_t* pImage = reinterpret_cast<const uint8_t*>(vImage.data());

    for (const auto& row : aRows) {
        SCOPED_TRACE(std::to_string(row.iWidth) + "x" + std::to_string(row.iHeight) + " " +
                     SDL_GetPixelFormatName(row.uiFormat));
        SDL_Surface* pSurface = SDL_CreateRGBSurfaceWithFormat(0, row.iWidth, row.iHeight, 32, row.uiFormat);
        ASSERT_NE(pSurface, nullptr) << SDL_GetError();
        SDL_FillRect(pSurface, nullptr, SDL_MapRGB(pSurface->format, 9, 9, 9));
        platform::ScaledPicture picture;
        picture.Layout(kWidth, kHeight, row.iWidth, row.iHeight);
        const std::vector<SDL_Rect> vChanged = picture.Draw(pImage, kWidth * 4, nullptr, pSurface);
        if (row.iScale == 0) {
            EXPECT_TRUE(vChanged.empty());
            EXPECT_EQ(Rgb(pSurface, 0, 0), "9,9,9");
            SDL_FreeSurface(pSurface);
            continue;
        }
        ASSERT_EQ(vChanged.size(), 1u);
        EXPECT_EQ(std::vector<int>({vChanged[0].x, vChanged[0].y, vChanged[0].w, vChanged[0].h}),
                  std::vector<int>({0, 0, row.iWidth, row.iHeight}));
        for (int y = 0; y < row.iHeight; ++y) {
            for (int x = 0; x < row.iWidth; ++x) {
                const int ix = (x - row.iLeft) / row.iScale, iy = (y - row.iTop) / row.iScale;
                const bool bInside = x >= row.iLeft && y >= row.iTop && ix < kWidth && iy < kHeight;
                uint32_t uiWant = bInside ? vImage[iy * kWidth + ix] : 0;
                if (row.uiFormat == SDL_PIXELFORMAT_RGB565) {  // what five or six bits keep
                    uint8_t r, g, b;
                    SDL_GetRGB(SDL_MapRGB(pSurface->format, uiWant >> 16 & 0xFF, uiWant >> 8 & 0xFF, uiWant & 0xFF),
                               pSurface->format, &r, &g, &b);
                    uiWant = uint32_t(r) << 16 | uint32_t(g) << 8 | b;
                }
                ASSERT_EQ(Rgb(pSurface, x, y), Expected(uiWant)) << "at " << x << "," << y;
            }
        }

        // One pixel changes: its block alone is painted and named.
        vImage[2 * kWidth + 3] = ImagePixel(3, 2, 77);
        const SDL_Rect rcChange{3, 2, 1, 1};
        const std::vector<SDL_Rect> vBlock = picture.Draw(pImage, kWidth * 4, &rcChange, pSurface);
        ASSERT_EQ(vBlock.size(), 1u);
        EXPECT_EQ(std::vector<int>({vBlock[0].x, vBlock[0].y, vBlock[0].w, vBlock[0].h}),
                  std::vector<int>({row.iLeft + 3 * row.iScale, row.iTop + 2 * row.iScale, row.iScale, row.iScale}));
        if (row.uiFormat != SDL_PIXELFORMAT_RGB565) {
            EXPECT_EQ(Rgb(pSurface, row.iLeft + 4 * row.iScale - 1, row.iTop + 3 * row.iScale - 1),
                      Expected(vImage[2 * kWidth + 3]));
        }
        vImage[2 * kWidth + 3] = ImagePixel(3, 2);
        EXPECT_TRUE(picture.Draw(pImage, kWidth * 4, nullptr, pSurface).empty());  // nothing changed

        // Points on the surface, margins included, as points of the image.
        const SDL_Point aPoints[] = {{0, 0}, {row.iWidth - 1, row.iHeight - 1}, {row.iLeft + row.iScale, row.iTop}};
        const SDL_Point aWant[] = {{0, 0}, {kWidth - 1, kHeight - 1}, {1, 0}};
        for (int i = 0; i < 3; ++i) {
            int x = aPoints[i].x, y = aPoints[i].y;
            picture.ToImage(x, y);
            EXPECT_EQ(std::make_pair(x, y), std::make_pair(aWant[i].x, aWant[i].y)) << "point " << i;
        }
        SDL_FreeSurface(pSurface);
    }
}
