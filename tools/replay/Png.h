// Writes 8-bit RGB and RGBA images as PNG files.
#pragma once

#include <string>
#include <vector>

namespace replay {

// vPixels holds iHeight rows of iWidth pixels, top row first, iChannels bytes
// a pixel: 3 (red, green, blue) or 4 (and alpha, not premultiplied).
bool WritePng(const std::string& sPath, const std::vector<unsigned char>& vPixels, int iWidth, int iHeight,
              int iChannels = 3);

}  // namespace replay
