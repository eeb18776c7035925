#include "tools/replay/Png.h"

#include <zlib.h>

#include <cstdint>
#include <cstdio>

namespace replay {
namespace {

void PutBig32(std::vector<unsigned char>& v, uint32_t x) {
    v.push_back(static_cast<unsigned char>(x >> 24));
    v.push_back(static_cast<unsigned char>(x >> 16));
    v.push_back(static_cast<unsigned char>(x >> 8));
    v.push_back(static_cast<unsigned char>(x));
}

void PutChunk(std::vector<unsigned char>& out, const char* szType, const std::vector<unsigned char>& data) {
    PutBig32(out, static_cast<uint32_t>(data.size()));
    std::vector<unsigned char> typed(szType, szType + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    PutBig32(out, static_cast<uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}

}  // namespace

bool WritePng(const std::string& sPath, const std::vector<unsigned char>& vPixels, int iWidth, int iHeight,
              int iChannels) {
    if (iWidth <= 0 || iHeight <= 0 || (iChannels != 3 && iChannels != 4) ||
        vPixels.size() != static_cast<size_t>(iWidth) * iHeight * iChannels)
        return false;

    // Each row starts with filter type 0 (none).
    const size_t cbRow = static_cast<size_t>(iWidth) * iChannels;
    std::vector<unsigned char> raw;
    raw.reserve((cbRow + 1) * iHeight);
    for (int y = 0; y < iHeight; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), vPixels.begin() + y * cbRow, vPixels.begin() + (y + 1) * cbRow);
    }
    uLongf cbPacked = compressBound(static_cast<uLong>(raw.size()));
    std::vector<unsigned char> packed(cbPacked);
    if (compress2(packed.data(), &cbPacked, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK) return false;
    packed.resize(cbPacked);

    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> header;
    PutBig32(header, static_cast<uint32_t>(iWidth));
    PutBig32(header, static_cast<uint32_t>(iHeight));
    // 8-bit, RGB (2) or RGBA (6), deflate, no filter choice, no interlace
    header.insert(header.end(), {8, static_cast<unsigned char>(iChannels == 4 ? 6 : 2), 0, 0, 0});
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});

    FILE* pFile = std::fopen(sPath.c_str(), "wb");
    if (!pFile) return false;
    bool bOk = std::fwrite(png.data(), 1, png.size(), pFile) == png.size();
    bOk = std::fclose(pFile) == 0 && bOk;
    return bOk;
}

}  // namespace replay
