// The same two games played with the game's clock at 0 and with it standing
// just short of 2^31 ms (a signed count turns negative) or of 2^32 ms (the
// count wraps): the console log must be the same line for line, except that
// the tick lines of delayed telegrams show the later clock.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "Platform/Headless.h"
#include "soak/SoakBackend.h"
#include "support/CaptureLog.h"
#include "support/GameRun.h"
#include "support/Isolation.h"

namespace {

namespace hl = platform::headless;

// A blended game, then a saved one (flipped at speed 3), each to its new game.
void ScheduleTwoGames() {
    hl::PostToWindow(100, WM_RBUTTONDOWN);
    hl::PostToWindow(120, WM_RBUTTONUP);
    hl::PostToWindow(200, WM_LBUTTONDOWN);
    hl::PostToWindow(16000, WM_LBUTTONUP);
    hl::KeyDown(32000, VK_RIGHT);
    hl::KeyUp(32020, VK_RIGHT);
    hl::KeyDown(32100, VK_LEFT);
    hl::KeyDown(34500, VK_DOWN);
    hl::KeyUp(34550, VK_DOWN);
    hl::KeyUp(36000, VK_LEFT);
    hl::KeyDown(36000, VK_UP);
    hl::KeyUp(36050, VK_UP);
    hl::Close(52000);
}

// Plays the two games in a child process with the game's clock moved on by
// dwOffset and returns the console log.
Lines PlayInChild(DWORD dwOffset) {
    char szPath[] = "/tmp/whirl-late-clock-XXXXXX";
    const int fd = mkstemp(szPath);
    if (fd < 0) {
        ADD_FAILURE() << "no scratch file";
        return {};
    }
    close(fd);
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        SoakBackend backend(dwOffset);
        ScheduleTwoGames();
        const Lines vLog = RunGame();
        std::ofstream out(szPath);
        for (const std::string& s : vLog) out << s << '\n';
        out.close();
        std::_Exit(out ? 0 : 1);
    }
    int iStatus = 0;
    Lines vLog;
    if (pid > 0 && waitpid(pid, &iStatus, 0) == pid && WIFEXITED(iStatus) && WEXITSTATUS(iStatus) == 0) {
        std::ifstream in(szPath);
        for (std::string s; std::getline(in, s);) vLog.push_back(s);
    } else {
        ADD_FAILURE() << "the game with the clock moved on by " << dwOffset << " did not finish";
    }
    std::remove(szPath);
    return vLog;
}

bool TickLine(const std::string& s, const std::string& sPrefix, uint32_t& dwValue) {
    if (s.rfind(sPrefix, 0) != 0) return false;
    dwValue = static_cast<uint32_t>(std::strtoul(s.c_str() + sPrefix.size(), nullptr, 10));
    return true;
}

void ExpectSameGames(DWORD dwOffset) {
    const Lines vEarly = PlayInChild(0);
    const Lines vLate = PlayInChild(dwOffset);
    ASSERT_FALSE(vEarly.empty());
    EXPECT_EQ(2, CountLines(vEarly, "Message 'NewGame' Accepted!")) << "both games end in a new game";
    EXPECT_EQ(1, CountLines(vEarly, "Message 'Msg_ShowDeathScores' Accepted!"));
    EXPECT_EQ(1, CountLines(vEarly, "Message 'Msg_ShowSavedScores' Accepted!"));
    ASSERT_EQ(vEarly.size(), vLate.size());
    int iTickLines = 0;
    for (size_t i = 0; i < vEarly.size(); ++i) {
        uint32_t dwEarly = 0, dwLate = 0;
        bool bTicks = false;
        for (const char* szPrefix : {"Current Ticks: ", "Dispatch at:   "}) {
            if (TickLine(vEarly[i], szPrefix, dwEarly) && TickLine(vLate[i], szPrefix, dwLate)) {
                bTicks = true;
                ++iTickLines;
                EXPECT_EQ(dwOffset, dwLate - dwEarly) << "line " << i << ": " << vLate[i];
                EXPECT_EQ(std::string::npos, vLate[i].find('-')) << "line " << i << ": " << vLate[i];
            }
        }
        if (!bTicks) {
            EXPECT_EQ(vEarly[i], vLate[i]) << "line " << i;
            if (vEarly[i] != vLate[i]) return;
        }
    }
    EXPECT_GT(iTickLines, 40);
}

}  // namespace

ISOLATED_TEST(LateClockGame, TwoGamesAcrossTheSignBoundaryPlayAsAtStartUp) { ExpectSameGames(0x80000000u - 10000); }

ISOLATED_TEST(LateClockGame, TwoGamesAcrossTheWrapPlayAsAtStartUp) { ExpectSameGames(0u - 40000u); }
