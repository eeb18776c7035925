// Decoding one image of an icon file (.ico), for the window icon.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// Picks the largest bitmap image of the icon file (the deepest colour among
// equals) and decodes it into vARGB, rows top-down, one 0xAARRGGBB word per
// pixel. Images stored as PNG are passed over. False when the data holds no
// image that can be decoded; nothing is read outside pData[0, cbData).
bool DecodeIcon(const uint8_t* pData, size_t cbData, std::vector<uint32_t>& vARGB, int& iWidth, int& iHeight);

}  // namespace platform
