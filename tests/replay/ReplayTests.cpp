// The replay tool: its script, the events it schedules on the headless clock, and its command line.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "Platform/headless/Headless.h"
#include "Platform/Win32.h"
#include "support/Isolation.h"
#include "tools/replay/FrameDigest.h"
#include "tools/replay/Schedule.h"
#include "tools/replay/Script.h"

using replay::EventKind;

namespace {

std::string Slurp(const std::string& sPath) {
    std::stringstream ss;
    ss << std::ifstream(sPath, std::ios::binary).rdbuf();
    return ss.str();
}

std::vector<std::string> s_vSeen;  // "tick message wParam", as the window got them

LRESULT CALLBACK Recording(HWND hWnd, UINT uiMsg, WPARAM wParam, LPARAM lParam) {
    s_vSeen.push_back(std::to_string(GetTickCount()) + " " + std::to_string(uiMsg) + " " + std::to_string(wParam));
    if (uiMsg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProc(hWnd, uiMsg, wParam, lParam);
}

}  // namespace

TEST(ReplayScript, RefusesAMalformedLineNamingIt) {
    const std::string sBadName = "shot needs a name of letters, digits, '-' and '_'";
    const std::pair<std::string, std::string> aRows[] = {
        {"10 keydown left\n5 keyup left\n", "line 2: tick 5 is earlier than the one before"},
        {"abc end\n", "line 1: bad tick 'abc'"},
        {"-5 end\n", "line 1: bad tick '-5'"},
        {"2147483648 end\n", "line 1: bad tick '2147483648'"},
        {"99999999999 end\n", "line 1: bad tick '99999999999'"},
        {"# comment\n\n10 jump\n", "line 3: unknown event 'jump'"},
        {"10 keydown space\n", "line 1: unknown key 'space'"},
        {"10 keyup\n", "line 1: keyup needs a key"},
        {"10 end now\n", "line 1: end takes no argument"},
        {"10 keyup left extra\n", "line 1: unexpected 'extra'"},
        {"10\n", "line 1: missing event"},
        {"10 close\n20 keydown left\n", "line 2: event after 'end'"},
        {"10 end\n\n# a comment\n20 end\n", "line 4: event after 'end'"},
        {"10 shot ../etc\n", "line 1: " + sBadName},
        {"10 shot\n", "line 1: " + sBadName},
        {"10 shot " + std::string(101, 'a') + "\n", "line 1: " + sBadName},
    };
    for (const auto& row : aRows) {
        replay::Script script;
        std::string sError;
        EXPECT_FALSE(replay::ParseScript(row.first, script, sError)) << row.first;
        EXPECT_EQ(sError, row.second);
    }
}

TEST(ReplayScript, ReadsEachEventWithItsTickArgumentAndLine) {  // the words whole games do not use, too
    replay::Script script;
    std::string sError;
    ASSERT_TRUE(replay::ParseScript("# a game\n\n0 keydown escape  # and a comment\n7 mbuttonup\n7 mbuttondown\n"
                                    "2147483647 shot attract-1_B\n2147483647 close\n",
                                    script, sError));
    std::vector<std::tuple<uint32_t, EventKind, int, std::string, int>> vEvents;
    for (const replay::Event& e : script.vEvents) vEvents.emplace_back(e.dwTick, e.kind, e.iArg, e.sName, e.iLine);
    EXPECT_EQ(vEvents, (decltype(vEvents){{0, EventKind::KeyDown, VK_ESCAPE, "", 3},
                                          {7, EventKind::Mouse, WM_MBUTTONUP, "", 4},
                                          {7, EventKind::Mouse, WM_MBUTTONDOWN, "", 5},
                                          {2147483647, EventKind::Shot, 0, "attract-1_B", 6},
                                          {2147483647, EventKind::Close, 0, "", 7}}));
    EXPECT_TRUE(script.bHasShots);
    ASSERT_TRUE(replay::ParseScript("1 end\n", script, sError));
    EXPECT_EQ(std::make_pair(script.vEvents.at(0).kind, script.bHasShots), std::make_pair(EventKind::End, false));
}

ISOLATED_TEST(ReplaySchedule, HandsEveryEventToTheWindowAtItsTickAndClosesAtTheLast) {
    platform::SelectHeadlessBackend();
    replay::Script script;
    std::string sError;
    ASSERT_TRUE(replay::ParseScript("10 deactivate\n20 activate\n30 keydown right\n40 keyup right\n40 rbuttonup\n"
                                    "50 shot here\n60 lbuttondown\n",
                                    script, sError));
    char szDir[] = "/tmp/replay-shots-XXXXXX";
    ASSERT_NE(mkdtemp(szDir), nullptr);
    replay::Schedule(script, szDir);
    WNDCLASSEX wc{};
    wc.lpfnWndProc = Recording;
    wc.lpszClassName = "R";
    RegisterClassEx(&wc);
    ASSERT_NE(CreateWindowEx(0, "R", "R", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr), nullptr);
    std::string sKeys;  // the right arrow, every 10 ms
    MSG msg{};
    for (int i = 0; i < 20 && msg.message != WM_QUIT; ++i) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        sKeys += GetAsyncKeyState(VK_RIGHT) ? "R" : ".";
        while (msg.message != WM_QUIT && PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    }
    EXPECT_EQ(s_vSeen, std::vector<std::string>({"0 1 0", "10 6 0", "20 6 1", "40 517 0", "60 513 0", "60 16 0",
                                                 "60 2 0", "60 130 0"}));
    EXPECT_EQ(sKeys, "..R...");
    const std::string sPng = Slurp(std::string(szDir) + "/here.png");
    const std::string sHeader("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x02\x80\0\0\x01\xe0", 24);  // 640 x 480
    EXPECT_EQ(sPng.substr(0, 24), sHeader);
    EXPECT_EQ(std::system(("rm -r " + std::string(szDir)).c_str()), 0);
}

TEST(ReplayTool, RunsAGoodScriptAndRefusesABadCommandLineOrScriptBeforeAnythingRuns) {
    const char* szBuild = std::getenv("WHIRL_BUILD_DIR");
    const std::string sTool = "timeout 60 " + std::string(szBuild ? szBuild : ".") + "/whirlquarium-replay ";
    char szDir[] = "/tmp/replay-tool-XXXXXX";
    ASSERT_NE(mkdtemp(szDir), nullptr);
    const std::string sDir = szDir;
    const struct {
        const char *szScript, *szArgs;  // no script: the file is not there
        int iStatus;
        const char* szError;  // in standard error; none when the game ran and wrote its log
    } aRows[] = {
        {nullptr, "", 3, "cannot read"},
        {"300 end\n", "--frames DIR/frames.txt", 0, nullptr},
        {"300 end\n", "--frames /nonexistent/frames.txt", 3, "cannot write /nonexistent/frames.txt"},
        {"300 end\n", "--frames", 2, "usage"},
        {"100 keydown right\n110 keyup right\n300 end\n", "", 0, nullptr},
        {"10 keydown left\n20 wiggle\n", "", 2, "line 2"},
        {"10 shot a\n", "", 2, "--shots"},
        {"10 shot a\n", "--shots /nonexistent", 2, "/nonexistent"},
        {"10 shot a\n300 end\n", "--shots DIR", 0, nullptr},  // DIR: the folder of this test
        {"10 end\n", "--shots", 2, "usage"},
        {"10 end\n", "/nonexistent", 2, "usage"},
    };
    for (const auto& row : aRows) {
        std::remove((sDir + "/script.txt").c_str());
        if (row.szScript) std::ofstream(sDir + "/script.txt") << row.szScript;
        std::string sArgs = row.szArgs;
        if (sArgs.find("DIR") != std::string::npos) sArgs.replace(sArgs.find("DIR"), 3, sDir);
        const std::string sRun = sTool + sArgs + " " + sDir + "/script.txt >" + sDir + "/out 2>" + sDir + "/err";
        const int iRaw = std::system(sRun.c_str());
        const std::string sOut = Slurp(sDir + "/out"), sErr = Slurp(sDir + "/err");
        const char* szScript = row.szScript ? row.szScript : "(none)";
        EXPECT_EQ(WIFEXITED(iRaw) ? WEXITSTATUS(iRaw) : -1, row.iStatus) << szScript << sErr;
        EXPECT_EQ(sOut.empty(), row.szError != nullptr) << szScript;
        EXPECT_TRUE(row.szError ? sErr.find(row.szError) != std::string::npos : sErr.empty()) << sErr;
    }
    EXPECT_EQ(Slurp(sDir + "/a.png").substr(1, 3), "PNG");
    // One line a picture shown, its tick and digest: the window painted at start-up, then a frame every 34 ms.
    std::vector<replay::FrameDigest> vFrames;
    std::string sError;
    ASSERT_TRUE(replay::ParseFrames(Slurp(sDir + "/frames.txt"), vFrames, sError)) << sError;
    std::vector<DWORD> vTicks;
    for (const replay::FrameDigest& frame : vFrames) vTicks.push_back(frame.dwTick);
    EXPECT_EQ(vTicks, (std::vector<DWORD>{0, 0, 0, 1, 35, 69, 103, 137, 171, 205, 239, 273}));
    EXPECT_EQ(WEXITSTATUS(std::system((sTool + "2>/dev/null").c_str())), 2);
    EXPECT_EQ(std::system(("rm -r " + sDir).c_str()), 0);
}
