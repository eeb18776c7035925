#include "tools/replay/FrameDigest.h"

#include <cstdio>
#include <sstream>

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace replay {

std::string DigestPicture(const uint8_t* pPixels, int iWidth, int iHeight, ptrdiff_t iStride) {
    XXH3_state_t state;
    XXH3_INITSTATE(&state);
    XXH3_64bits_reset(&state);
    std::vector<uint8_t> vRow(static_cast<size_t>(iWidth > 0 ? iWidth : 0) * 3);
    for (int y = 0; y < iHeight && !vRow.empty(); ++y) {
        const uint8_t* pPixel = pPixels + y * iStride;
        for (uint8_t* pOut = vRow.data(); pOut != vRow.data() + vRow.size(); pOut += 3, pPixel += 4) {
            pOut[0] = pPixel[2];
            pOut[1] = pPixel[1];
            pOut[2] = pPixel[0];
        }
        XXH3_64bits_update(&state, vRow.data(), vRow.size());
    }
    const uint64_t qwHash = XXH3_64bits_digest(&state);
    char szHex[17];
    std::snprintf(szHex, sizeof szHex, "%016llx", static_cast<unsigned long long>(qwHash));
    return szHex;
}

std::string FormatFrames(const std::vector<FrameDigest>& vFrames) {
    std::string sText;
    for (const FrameDigest& frame : vFrames) sText += std::to_string(frame.dwTick) + " " + frame.sDigest + "\n";
    return sText;
}

bool ParseFrames(const std::string& sText, std::vector<FrameDigest>& vFrames, std::string& sError) {
    vFrames.clear();
    std::istringstream in(sText);
    int iLine = 0;
    for (std::string sLine; std::getline(in, sLine);) {
        ++iLine;
        unsigned long ulTick = 0;
        char szDigest[17] = {};
        int iUsed = 0;
        if (sLine.empty() || sLine[0] < '0' || sLine[0] > '9' || std::sscanf(sLine.c_str(), "%lu %16[0-9a-f]%n", &ulTick, szDigest, &iUsed) != 2 ||
            static_cast<size_t>(iUsed) != sLine.size() || std::string(szDigest).size() != 16 || ulTick > 0xFFFFFFFFul) {
            sError = "line " + std::to_string(iLine) + " is not \"TICK DIGEST\": " + sLine;
            return false;
        }
        vFrames.push_back({static_cast<DWORD>(ulTick), szDigest});
    }
    return true;
}

}  // namespace replay
