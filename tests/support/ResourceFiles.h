// The resource files as resources/ stores them, and the table binding them to their IDs.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline Bytes ReadResource(const std::string& sFile) {
    const char* sz = std::getenv("WHIRL_SOURCE_DIR");
    const std::string sHere = __FILE__, sRoot = sz && *sz ? sz : sHere.substr(0, sHere.rfind("/tests/"));
    std::ifstream in(sRoot + "/resources/" + sFile, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}
inline uint32_t U32(const Bytes& d, size_t at) { return d[at] | d[at + 1] << 8 | d[at + 2] << 16 | uint32_t(d[at + 3]) << 24; }
inline uint32_t U16(const Bytes& d, size_t at) { return d[at] | d[at + 1] << 8; }

// id -> type and file, from the table the build embeds the resources from.
inline std::map<int, std::pair<std::string, std::string>> Table() {
    const Bytes vText = ReadResource("resources.txt");
    std::istringstream in(std::string(vText.begin(), vText.end()));
    std::map<int, std::pair<std::string, std::string>> mTable;
    int iId;
    std::string sType, sFile;
    for (std::string s; std::getline(in, s);)
        if (std::istringstream(s) >> iId >> sType >> sFile) mTable[iId] = {sType, sFile};
    return mTable;
}
inline Bytes File(int iId) { return ReadResource(Table()[iId].second); }
