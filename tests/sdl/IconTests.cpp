// The window icon as the SDL backend decodes it from the icon groups of resources/.
#include <gtest/gtest.h>

#include <map>

#include "Platform/sdl/IconImage.h"
#include "support/ResourceFiles.h"

namespace {

// An icon file of one image: its directory entry (size, depth) and the image.
Bytes OneImageIcon(int iSide, int iBits, const Bytes& vImage) {
    Bytes v = {0, 0, 1, 0, 1, 0, uint8_t(iSide), uint8_t(iSide), 0, 0, 1, 0, uint8_t(iBits), 0};
    for (uint32_t u : {uint32_t(vImage.size()), 22u}) v.insert(v.end(), {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), 0});
    v.insert(v.end(), vImage.begin(), vImage.end());
    return v;
}
std::vector<uint32_t> Decoded(const Bytes& vIcon) {
    std::vector<uint32_t> v;
    int iWidth = 0, iHeight = 0;
    return platform::DecodeIcon(vIcon.data(), vIcon.size(), v, iWidth, iHeight) && iWidth * iHeight == int(v.size()) ? v
                                                                                                                    : decltype(v)();
}

// The window icon as decoded from each bitmap image of the group alone: every depth of a size shows the picture of
// the 32-bit image (same shape, colours within palette rounding), a 24-bit copy of it with its mask shows it exactly,
// and the whole group gives its largest bitmap. An image cut short or with a field out of range is refused.
TEST(Icons, EveryDepthDecodesToThePictureOfTheDeepestAndBrokenImagesAreRefused) {
    const Bytes d = File(1000);
    std::map<int, std::vector<uint32_t>> mapDeepest;
    std::map<int, Bytes> mapImages;
    for (int e = 6 + 16 * int(U16(d, 4)); (e -= 16) >= 6;) {  // the deepest of each size first
        const int iSide = d[e] ? d[e] : 256, iBits = U16(d, e + 6);
        const Bytes vImage(d.begin() + U32(d, e + 12), d.begin() + U32(d, e + 12) + U32(d, e + 8));
        const std::vector<uint32_t> v = Decoded(OneImageIcon(iSide, iBits, vImage));
        if (iSide == 256) { EXPECT_TRUE(v.empty()) << "the 256-pixel images are stored as PNG and passed over"; continue; }
        ASSERT_EQ(v.size(), size_t(iSide * iSide)) << iSide << " px at " << iBits << " bits";
        const auto& vDeepest = mapDeepest.emplace(iSide, v).first->second;
        mapImages.emplace(iSide, vImage);
        int iShape = 0, iColour = 0;
        for (size_t i = 0; i < v.size(); ++i) {
            iShape += (v[i] >> 31) != (vDeepest[i] >> 31);
            for (int c = 0; c < 24 && v[i] >> 31 && vDeepest[i] >> 31; c += 8)
                iColour += std::abs(int(v[i] >> c & 255) - int(vDeepest[i] >> c & 255));
        }
        EXPECT_LE(iShape, iSide * iSide / 50) << iSide << " px at " << iBits << " bits";
        EXPECT_LE(iColour, 3 * 40 * iSide * iSide) << iSide << " px at " << iBits << " bits";
    }
    EXPECT_EQ(Decoded(d), mapDeepest[48]);

    // As 24 bits a pixel, and as 32 bits with no alpha at all: the mask, made from the alpha, decides.
    const std::vector<uint32_t>& v32 = mapDeepest[32];
    std::vector<uint32_t> vOpaque = v32;
    for (uint32_t& u : vOpaque) u = u >> 31 ? u | 0xFF000000u : u & 0xFFFFFFu;
    Bytes v24;
    for (int iBytes : {3, 4}) {
        Bytes vImage(40 + 32 * 32 * iBytes + 32 * 4, 0);
        std::copy_n(mapImages[32].begin(), 40, vImage.begin());
        vImage[14] = uint8_t(8 * iBytes), vImage[20] = vImage[21] = vImage[22] = 0;
        for (int i = 0; i < 32 * 32; ++i) {
            const int x = i % 32, y = 31 - i / 32;
            for (int c = 0; c < 3; ++c) vImage[40 + (y * 32 + x) * iBytes + c] = uint8_t(v32[i] >> 8 * c);
            if (!(v32[i] >> 31)) vImage[40 + 32 * 32 * iBytes + y * 4 + x / 8] |= uint8_t(0x80 >> x % 8);
        }
        EXPECT_EQ(Decoded(OneImageIcon(32, 8 * iBytes, vImage)), vOpaque) << 8 * iBytes << " bits";
        if (iBytes == 3) v24 = vImage;
    }

    const Bytes vGood = OneImageIcon(32, 24, v24);
    const std::pair<size_t, uint8_t> aBroken[] = {  // byte at, new value
        {0, 1}, {2, 2}, {5, 0xFF}, {14, uint8_t(vGood[14] + 1)}, {17, 0xFF}, {21, 0xFF},  // header, directory
        {22, 39}, {26, 0}, {30, 63}, {36, 2}, {36, 9}, {38, 1}, {31, 0xFF}};  // image header
    for (const auto& broken : aBroken) {
        Bytes vBad = vGood;
        vBad[broken.first] = broken.second;
        EXPECT_TRUE(Decoded(vBad).empty()) << "byte " << broken.first << " = " << int(broken.second);
    }
    for (size_t cbCut : {size_t(1), size_t(100), vGood.size() - 22 - 40}) {
        Bytes vCut(vGood.begin(), vGood.end() - cbCut);
        vCut[14] = uint8_t(vCut.size() - 22), vCut[15] = uint8_t((vCut.size() - 22) >> 8);
        EXPECT_TRUE(Decoded(vCut).empty()) << cbCut << " bytes short";
    }
}

}  // namespace
