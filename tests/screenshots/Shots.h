// Replaying a script of tools/screenshots/ with the replay tool and reading
// its shots back: PNG decoding, and measures over rectangles of a shot.
#pragma once

#include <sys/wait.h>
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace shots {

struct Rect {
    int left, top, right, bottom;
};

struct Rgb {
    int r, g, b;
};

// An 8-bit RGB image, top row first; width 0 when it could not be read.
struct Shot {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    Rgb At(int x, int y) const {
        const uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
        return {p[0], p[1], p[2]};
    }
};

inline std::string ReadFile(const std::string& sPath) {
    std::ifstream in(sPath, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline uint32_t Big32(const std::string& s, size_t at) {
    return uint32_t(uint8_t(s[at])) << 24 | uint32_t(uint8_t(s[at + 1])) << 16 | uint32_t(uint8_t(s[at + 2])) << 8 |
           uint8_t(s[at + 3]);
}

inline int Paeth(int a, int b, int c) {
    int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// Decodes an 8-bit RGB, non-interlaced PNG (any row filter); sError says why not.
inline Shot DecodePng(const std::string& png, std::string& sError) {
    Shot shot;
    if (png.size() < 33 || png.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) {
        sError = "not a PNG file";
        return shot;
    }
    int iWidth = 0, iHeight = 0;
    std::string sPacked;
    for (size_t at = 8; at + 12 <= png.size();) {
        uint32_t cb = Big32(png, at);
        std::string sType = png.substr(at + 4, 4);
        if (at + 12 + cb > png.size()) break;
        if (sType == "IHDR") {
            iWidth = int(Big32(png, at + 8));
            iHeight = int(Big32(png, at + 12));
            if (png[at + 16] != 8 || png[at + 17] != 2 || png[at + 20] != 0) {
                sError = "not 8-bit RGB without interlace";
                return shot;
            }
        } else if (sType == "IDAT") {
            sPacked += png.substr(at + 8, cb);
        }
        at += 12 + cb;
    }
    const size_t cbRow = size_t(iWidth) * 3;
    std::vector<uint8_t> raw((cbRow + 1) * iHeight);
    uLongf cbRaw = raw.size();
    if (iWidth <= 0 || iHeight <= 0 ||
        uncompress(raw.data(), &cbRaw, reinterpret_cast<const Bytef*>(sPacked.data()), sPacked.size()) != Z_OK ||
        cbRaw != raw.size()) {
        sError = "no image data of the size in its header";
        return shot;
    }
    shot.rgb.resize(cbRow * iHeight);
    for (int y = 0; y < iHeight; ++y) {
        const uint8_t* in = &raw[y * (cbRow + 1) + 1];
        uint8_t* out = &shot.rgb[y * cbRow];
        const uint8_t* up = y > 0 ? out - cbRow : nullptr;
        int iFilter = raw[y * (cbRow + 1)];
        if (iFilter > 4) {
            sError = "unknown row filter";
            return Shot{};
        }
        for (size_t i = 0; i < cbRow; ++i) {
            int a = i >= 3 ? out[i - 3] : 0, b = up ? up[i] : 0, c = up && i >= 3 ? up[i - 3] : 0;
            int iPredicted = iFilter == 1 ? a : iFilter == 2 ? b : iFilter == 3 ? (a + b) / 2 : iFilter == 4 ? Paeth(a, b, c) : 0;
            out[i] = uint8_t(in[i] + iPredicted);
        }
    }
    shot.width = iWidth;
    shot.height = iHeight;
    return shot;
}

// Pixels of the key colour, pure magenta, anywhere in the shot.
inline long KeyPixels(const Shot& s) {
    long n = 0;
    for (size_t i = 0; i + 2 < s.rgb.size(); i += 3) n += s.rgb[i] == 255 && s.rgb[i + 1] == 0 && s.rgb[i + 2] == 255;
    return n;
}

// The share of the pixels in r that visibly differ between a and b (0 to 1).
inline double Changed(const Shot& a, const Shot& b, Rect r) {
    if (a.width != b.width || a.height != b.height || a.width < r.right || a.height < r.bottom) return -1.0;
    long n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            Rgb p = a.At(x, y), q = b.At(x, y);
            n += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 48;
        }
    return double(n) / (double(r.right - r.left) * (r.bottom - r.top));
}

inline Rgb Mean(const Shot& s, Rect r) {
    long sum[3] = {0, 0, 0}, n = 0;
    for (int y = r.top; y < r.bottom && y < s.height; ++y)
        for (int x = r.left; x < r.right && x < s.width; ++x, ++n) {
            Rgb p = s.At(x, y);
            sum[0] += p.r;
            sum[1] += p.g;
            sum[2] += p.b;
        }
    if (n == 0) return {0, 0, 0};
    return {int(sum[0] / n), int(sum[1] / n), int(sum[2] / n)};
}

inline std::string EnvDir(const char* szName, int iUpFromHere) {
    if (const char* sz = std::getenv(szName); sz && *sz) return sz;
    if (iUpFromHere < 0) return ".";
    std::string s = __FILE__;  // .../tests/screenshots/Shots.h
    for (int i = 0; i < iUpFromHere; ++i) s = s.substr(0, s.find_last_of('/'));
    return s;
}

// One script of tools/screenshots/ replayed into a directory of its own,
// which goes away with the object.
class Story {
public:
    explicit Story(const std::string& sName) : m_sName(sName) {
        const std::string sScript = EnvDir("WHIRL_SOURCE_DIR", 3) + "/tools/screenshots/" + sName + ".txt";
        std::istringstream lines(ReadFile(sScript));
        for (std::string sLine; std::getline(lines, sLine);) {
            std::istringstream words(sLine.substr(0, sLine.find('#')));
            std::string sTick, sEvent, sShot;
            if (words >> sTick >> sEvent >> sShot && sEvent == "shot") m_vNames.push_back(sShot);
        }
        char szTemplate[] = "/tmp/whirl-shots-XXXXXX";
        if (!mkdtemp(szTemplate)) {
            m_sError = "no temporary directory";
            return;
        }
        m_sDir = szTemplate;
        std::string sCommand = EnvDir("WHIRL_BUILD_DIR", -1) + "/whirlquarium-replay --shots " + m_sDir + " " +
                               sScript + " > " + m_sDir + "/log.txt 2> " + m_sDir + "/err.txt";
        int iRaw = std::system(sCommand.c_str());
        if (!WIFEXITED(iRaw) || WEXITSTATUS(iRaw) != 0)
            m_sError = "the replay of " + sScript + " failed: " + ReadFile(m_sDir + "/err.txt");
        else if (m_vNames.empty())
            m_sError = sScript + " takes no shot";
    }
    ~Story() {
        std::error_code ec;
        if (!m_sDir.empty()) std::filesystem::remove_all(m_sDir, ec);
    }
    Story(const Story&) = delete;
    Story& operator=(const Story&) = delete;

    // Empty when the replay ran and took its shots.
    const std::string& Error() const { return m_sError; }
    const std::string& Name() const { return m_sName; }
    // The shots in the order the script takes them.
    const std::vector<std::string>& Names() const { return m_vNames; }

    // The shot of that name, read once; width 0 if it is missing or unreadable.
    const Shot& operator[](const std::string& sShot) {
        auto it = m_mShots.find(sShot);
        if (it == m_mShots.end()) {
            std::string sError;
            it = m_mShots.emplace(sShot, DecodePng(ReadFile(m_sDir + "/" + sShot + ".png"), sError)).first;
        }
        return it->second;
    }

private:
    std::string m_sName, m_sDir, m_sError;
    std::vector<std::string> m_vNames;
    std::map<std::string, Shot> m_mShots;
};

}  // namespace shots
