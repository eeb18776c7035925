// Writes 8-bit RGB images as PNG files.
#pragma once

#include <string>
#include <vector>

namespace replay {

// vRGB holds iHeight rows of iWidth pixels, top row first, 3 bytes a pixel.
bool WritePng(const std::string& sPath, const std::vector<unsigned char>& vRGB, int iWidth, int iHeight);

}  // namespace replay
