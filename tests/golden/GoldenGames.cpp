// Whole games against their stored logs: every NAME.script of this folder is
// replayed exactly as whirlquarium-replay plays it; the console log must
// equal NAME.log line for line, and every picture the display receives must
// have the digest NAME.frames gives it, at the same tick. A stored log states
// what its game must write: it was read line by line against what the game
// must do; its frames were looked at.
#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "Platform/headless/Headless.h"
#include "Platform/Win32.h"
#include "support/Isolation.h"
#include "tools/replay/FrameDigest.h"
#include "tools/replay/Png.h"
#include "tools/replay/Schedule.h"
#include "tools/replay/Script.h"

namespace {

const std::string kGoldenDir = WHIRL_GOLDEN_DIR;
const std::string kScratchDir = WHIRL_SCRATCH_DIR;

std::vector<std::string> GameNames() {
    std::vector<std::string> vNames;
    if (DIR* pDir = opendir(kGoldenDir.c_str())) {
        while (dirent* pEntry = readdir(pDir)) {
            const std::string sFile = pEntry->d_name;
            const size_t n = sFile.size();
            if (n > 7 && sFile.compare(n - 7, 7, ".script") == 0) vNames.push_back(sFile.substr(0, n - 7));
        }
        closedir(pDir);
    }
    std::sort(vNames.begin(), vNames.end());
    return vNames;
}

std::string ReadFile(const std::string& sPath) {
    std::ifstream in(sPath, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> SplitLines(const std::string& sText) {
    std::vector<std::string> vLines;
    std::istringstream in(sText);
    for (std::string sLine; std::getline(in, sLine);) vLines.push_back(sLine);
    return vLines;
}

// Keeps what the game writes, with the virtual tick at which each line ended.
class StampedLog : public std::streambuf {
public:
    std::vector<std::string> vLines;
    std::vector<DWORD> vTicks;

protected:
    int overflow(int c) override {
        if (c == traits_type::eof()) return 0;
        if (c == '\n') {
            vLines.push_back(m_sLine);
            vTicks.push_back(platform::headless::Now());
            m_sLine.clear();
        } else {
            m_sLine.push_back(static_cast<char>(c));
        }
        return c;
    }

private:
    std::string m_sLine;
};

// A copy of one frame as the display received it, kept to be written out.
struct Picture {
    std::vector<uint8_t> vPixels;  // 32-bit, rows packed
    int iWidth = 0, iHeight = 0;

    void Take(const uint8_t* pPixels, int iW, int iH, ptrdiff_t iStride) {
        iWidth = iW;
        iHeight = iH;
        vPixels.resize(static_cast<size_t>(iW) * iH * 4);
        for (int y = 0; y < iH; ++y)
            std::copy_n(pPixels + y * iStride, static_cast<size_t>(iW) * 4, vPixels.data() + static_cast<size_t>(y) * iW * 4);
    }
    // As a PNG; the path, or why there is none.
    std::string Write(const std::string& sPath) const {
        if (vPixels.empty()) return "(no picture)";
        std::vector<unsigned char> vRGB;
        vRGB.reserve(vPixels.size() / 4 * 3);
        for (size_t i = 0; i < vPixels.size(); i += 4) vRGB.insert(vRGB.end(), {vPixels[i + 2], vPixels[i + 1], vPixels[i]});
        return replay::WritePng(sPath, vRGB, iWidth, iHeight) ? sPath : "(could not write " + sPath + ")";
    }
};

// Watches the frames of a game against its stored digests and keeps the
// first one that differs, with the frame before it.
class FrameCheck {
public:
    explicit FrameCheck(std::vector<replay::FrameDigest> vExpected) : m_vExpected(std::move(vExpected)) {}

    void See(DWORD dwTick, const uint8_t* pPixels, int iWidth, int iHeight, ptrdiff_t iStride) {
        const size_t i = m_nSeen++;
        if (m_bDiffered) return;
        m_actual = {dwTick, replay::DigestPicture(pPixels, iWidth, iHeight, iStride)};
        if (i < m_vExpected.size() && m_vExpected[i].dwTick == m_actual.dwTick &&
            m_vExpected[i].sDigest == m_actual.sDigest) {
            m_before.Take(pPixels, iWidth, iHeight, iStride);
            return;
        }
        m_bDiffered = true;
        m_nFirstDiffering = i;
        m_differing.Take(pPixels, iWidth, iHeight, iStride);
    }

    // Empty when every frame was as stored.
    std::string Report(const std::string& sName) const {
        std::ostringstream out;
        if (m_bDiffered) {
            const size_t i = m_nFirstDiffering;
            const std::string sStem = kScratchDir + "/" + sName + "-tick" + std::to_string(m_actual.dwTick);
            out << sName << ".frames:" << i + 1 << ": frame at tick " << m_actual.dwTick << " has digest "
                << m_actual.sDigest << "; stored: ";
            if (i < m_vExpected.size())
                out << m_vExpected[i].sDigest << " at tick " << m_vExpected[i].dwTick;
            else
                out << "no more frames";
            out << "\n  this frame:      " << m_differing.Write(sStem + "-actual.png")
                << "\n  the frame before: " << m_before.Write(sStem + "-before.png");
        } else if (m_nSeen < m_vExpected.size()) {
            out << sName << ".frames:" << m_nSeen + 1 << ": the game ended before the frame at tick "
                << m_vExpected[m_nSeen].dwTick;
        }
        return out.str();
    }

private:
    std::vector<replay::FrameDigest> m_vExpected;
    size_t m_nSeen = 0, m_nFirstDiffering = 0;
    bool m_bDiffered = false;
    replay::FrameDigest m_actual;
    Picture m_before, m_differing;
};

// The pictures an earlier run of this game left in the scratch folder.
void RemoveOldPictures(const std::string& sName) {
    const std::string sPrefix = sName + "-tick";
    if (DIR* pDir = opendir(kScratchDir.c_str())) {
        while (dirent* pEntry = readdir(pDir))
            if (std::string(pEntry->d_name).compare(0, sPrefix.size(), sPrefix) == 0)
                std::remove((kScratchDir + "/" + pEntry->d_name).c_str());
        closedir(pDir);
    }
}

void ReplayAndCompare(const std::string& sName) {
    replay::Script script;
    std::string sError;
    ASSERT_TRUE(replay::ParseScript(ReadFile(kGoldenDir + "/" + sName + ".script"), script, sError)) << sError;
    ASSERT_FALSE(script.bHasShots) << "a stored game takes no shots";
    const std::vector<std::string> vExpected = SplitLines(ReadFile(kGoldenDir + "/" + sName + ".log"));
    ASSERT_FALSE(vExpected.empty()) << sName << ".log is missing or empty";
    std::vector<replay::FrameDigest> vFrames;
    ASSERT_TRUE(replay::ParseFrames(ReadFile(kGoldenDir + "/" + sName + ".frames"), vFrames, sError))
        << sName << ".frames: " << sError;
    ASSERT_FALSE(vFrames.empty()) << sName << ".frames is missing or empty (make golden writes it)";

    RemoveOldPictures(sName);
    platform::SelectHeadlessBackend();
    replay::Schedule(script, "");
    FrameCheck frames(std::move(vFrames));
    platform::headless::WatchFrames([&frames](DWORD dwTick, const uint8_t* pPixels, int iWidth, int iHeight,
                                              ptrdiff_t iStride) { frames.See(dwTick, pPixels, iWidth, iHeight, iStride); });
    StampedLog log;
    std::streambuf* pOld = std::cout.rdbuf(&log);
    WinMain(GetModuleHandle(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    std::cout.rdbuf(pOld);
    const std::string sFrameReport = frames.Report(sName);
    EXPECT_TRUE(sFrameReport.empty()) << sFrameReport;

    const size_t nCommon = std::min(vExpected.size(), log.vLines.size());
    for (size_t i = 0; i < nCommon; ++i) {
        if (vExpected[i] != log.vLines[i]) {
            ADD_FAILURE() << sName << ".log:" << i + 1 << " (tick " << log.vTicks[i] << ") differs\n"
                          << "  expected: " << vExpected[i] << "\n  actual:   " << log.vLines[i];
            return;
        }
    }
    if (log.vLines.size() > nCommon)
        ADD_FAILURE() << sName << ": the game wrote more than its log, from line " << nCommon + 1 << " (tick "
                      << log.vTicks[nCommon] << "): " << log.vLines[nCommon];
    else if (vExpected.size() > nCommon)
        ADD_FAILURE() << sName << ": the game ended before line " << nCommon + 1 << " of its log: "
                      << vExpected[nCommon];
}

class GoldenGame : public ::testing::Test {
public:
    explicit GoldenGame(std::string sName) : m_sName(std::move(sName)) {}
    void TestBody() override {
        const std::string sName = m_sName;
        isolation::RunInChild([sName] { ReplayAndCompare(sName); });
    }

private:
    std::string m_sName;
};

// One test per stored game, named after it ('-' would read as a negative
// pattern in a test filter).
const bool s_bRegistered = [] {
    for (const std::string& sName : GameNames()) {
        std::string sTestName = sName;
        std::replace(sTestName.begin(), sTestName.end(), '-', '_');
        ::testing::RegisterTest("Golden", sTestName.c_str(), nullptr, nullptr, __FILE__, __LINE__,
                                [sName]() -> ::testing::Test* { return new GoldenGame(sName); });
    }
    return true;
}();

TEST(Golden, FolderHoldsGames) { EXPECT_FALSE(GameNames().empty()) << "no game in " << kGoldenDir; }

}  // namespace
