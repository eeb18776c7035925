// Writes the images of an icon file (.ico) as PNG files of the sizes asked
// for, for the desktop's icon theme:
//
//   whirlquarium-icon-pngs ICON_FILE OUTPUT_DIR SIZE...
//
// writes OUTPUT_DIR/SIZExSIZE/apps/whirlquarium.png for each SIZE, from the
// deepest image of that size in the file: a PNG image as it is stored, a
// 32-bit bitmap with its alpha. Exit status 1, with the reason on standard
// error, when the file holds no such image.
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/replay/Png.h"

namespace {

uint32_t Read16(const unsigned char* p) { return p[0] | (p[1] << 8); }
uint32_t Read32(const unsigned char* p) { return Read16(p) | (Read16(p + 2) << 16); }

bool IsPng(const unsigned char* p, size_t cb) { return cb >= 8 && std::memcmp(p, "\x89PNG\r\n\x1a\n", 8) == 0; }

// A 32-bit bitmap image of an icon (colour rows bottom-up, then a mask) as RGBA rows top-down.
bool BitmapToRgba(const unsigned char* p, size_t cb, int iSide, std::vector<unsigned char>& vRGBA) {
    if (cb < 40 || Read32(p) < 40 || Read16(p + 14) != 32 || Read32(p + 16) != 0) return false;
    const size_t cbHeader = Read32(p), cbRow = static_cast<size_t>(iSide) * 4;
    if (static_cast<int>(Read32(p + 4)) != iSide || cbHeader + cbRow * iSide > cb) return false;
    vRGBA.resize(cbRow * iSide);
    for (int y = 0; y < iSide; ++y) {
        const unsigned char* pIn = p + cbHeader + cbRow * (iSide - 1 - y);
        for (int x = 0; x < iSide; ++x) {
            unsigned char* pOut = &vRGBA[cbRow * y + 4 * x];
            pOut[0] = pIn[4 * x + 2], pOut[1] = pIn[4 * x + 1], pOut[2] = pIn[4 * x], pOut[3] = pIn[4 * x + 3];
        }
    }
    return true;
}

bool WriteIcon(const std::vector<unsigned char>& vIco, int iSide, const std::string& sDir) {
    const size_t nImages = vIco.size() >= 6 ? Read16(&vIco[4]) : 0;
    const unsigned char* pBest = nullptr;
    size_t cbBest = 0;
    uint32_t uiBestBits = 0;
    for (size_t i = 0; i < nImages && 6 + 16 * (i + 1) <= vIco.size(); ++i) {
        const unsigned char* pEntry = &vIco[6 + 16 * i];
        const uint32_t uiSize = Read32(pEntry + 8), uiOffset = Read32(pEntry + 12), uiBits = Read16(pEntry + 6);
        if ((pEntry[0] ? pEntry[0] : 256) != iSide || uiOffset > vIco.size() || uiSize > vIco.size() - uiOffset) continue;
        if (uiBits > uiBestBits) pBest = &vIco[uiOffset], cbBest = uiSize, uiBestBits = uiBits;
    }
    const std::string sSize = std::to_string(iSide) + "x" + std::to_string(iSide);
    const std::string sPath = sDir + "/" + sSize + "/apps/whirlquarium.png";
    for (const std::string& s : {sDir + "/" + sSize, sDir + "/" + sSize + "/apps"}) mkdir(s.c_str(), 0755);
    std::vector<unsigned char> vRGBA;
    if (pBest && IsPng(pBest, cbBest)) {
        std::ofstream out(sPath, std::ios::binary);
        return static_cast<bool>(out.write(reinterpret_cast<const char*>(pBest), static_cast<std::streamsize>(cbBest)));
    }
    return pBest && BitmapToRgba(pBest, cbBest, iSide, vRGBA) && replay::WritePng(sPath, vRGBA, iSide, iSide, 4);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s ICON_FILE OUTPUT_DIR SIZE...\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<unsigned char> vIco((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    mkdir(argv[2], 0755);
    for (int i = 3; i < argc; ++i) {
        if (!WriteIcon(vIco, std::atoi(argv[i]), argv[2])) {
            std::fprintf(stderr, "%s: %s holds no 32-bit or PNG image of %s pixels\n", argv[0], argv[1], argv[i]);
            return 1;
        }
    }
    return 0;
}
