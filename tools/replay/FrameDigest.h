// The digests that pin what a game shows, one line a frame: "TICK DIGEST".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Platform/Win32.h"

namespace replay {

// XXH3's 64-bit hash (seed 0) of the picture's R, G and B bytes, in that
// order, pixel by pixel and row by row from the top, as 16 lower-case hex
// digits. Pixels are 32-bit (B, G, R, unused); the unused byte is left out.
std::string DigestPicture(const uint8_t* pPixels, int iWidth, int iHeight, ptrdiff_t iStride);

struct FrameDigest {
    DWORD dwTick = 0;
    std::string sDigest;
};

std::string FormatFrames(const std::vector<FrameDigest>& vFrames);
// False, with the line at fault in sError, for anything but "TICK DIGEST" lines.
bool ParseFrames(const std::string& sText, std::vector<FrameDigest>& vFrames, std::string& sError);

}  // namespace replay
