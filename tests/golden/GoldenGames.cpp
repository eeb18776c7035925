// Whole games against their stored logs: every NAME.script of this folder is
// replayed exactly as whirlquarium-replay plays it, and the console log must
// equal NAME.log line for line. A stored log states what its game must
// write: it was read line by line against what the game must do.
#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "Platform/headless/Headless.h"
#include "Platform/Win32.h"
#include "support/Isolation.h"
#include "tools/replay/Schedule.h"
#include "tools/replay/Script.h"

namespace {

const std::string kGoldenDir = WHIRL_GOLDEN_DIR;

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

void ReplayAndCompare(const std::string& sName) {
    replay::Script script;
    std::string sError;
    ASSERT_TRUE(replay::ParseScript(ReadFile(kGoldenDir + "/" + sName + ".script"), script, sError)) << sError;
    ASSERT_FALSE(script.bHasShots) << "a stored game takes no shots";
    const std::vector<std::string> vExpected = SplitLines(ReadFile(kGoldenDir + "/" + sName + ".log"));
    ASSERT_FALSE(vExpected.empty()) << sName << ".log is missing or empty";

    platform::SelectHeadlessBackend();
    replay::Schedule(script, "");
    StampedLog log;
    std::streambuf* pOld = std::cout.rdbuf(&log);
    WinMain(GetModuleHandle(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    std::cout.rdbuf(pOld);

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
