// The replay tool: its script, the events it schedules on the headless clock, and its command line.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

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
    std::vector<replay::FrameDigest> vNone;
    for (const char* szBad : {" 5 0123456789abcdef", "+5 0123456789abcdef", "5 0123456789abcde"})
        EXPECT_FALSE(replay::ParseFrames(szBad, vNone, sError)) << szBad;
    // The shot at tick 10 is the picture of the frame at tick 1: its chunks whole, each row unfiltered, and its
    // pixels those of that frame's digest.
    const std::string sPng = Slurp(sDir + "/a.png");
    std::vector<std::string> vChunks;
    std::string sPixels;
    for (size_t at = 8; at + 12 <= sPng.size();) {
        const uint32_t cb = uint32_t(uint8_t(sPng[at])) << 24 | uint8_t(sPng[at + 1]) << 16 | uint8_t(sPng[at + 2]) << 8 |
                            uint8_t(sPng[at + 3]);
        if (at + 12 + uint64_t(cb) > sPng.size()) break;
        const std::string sType = sPng.substr(at + 4, 4), sCrc = sPng.substr(at + 8 + cb, 4);
        const uLong ulCrc = crc32(0, reinterpret_cast<const Bytef*>(sPng.data() + at + 4), cb + 4);
        vChunks.push_back(sType + (sCrc == std::string{char(ulCrc >> 24), char(ulCrc >> 16), char(ulCrc >> 8), char(ulCrc)} ? "" : "?"));
        if (sType == "IDAT") sPixels += sPng.substr(at + 8, cb);
        at += 12 + cb;
    }
    EXPECT_EQ(vChunks, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    std::string sRaw(481 * 640 * 3, '\0');
    uLongf cbRaw = sRaw.size();
    ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(&sRaw[0]), &cbRaw, reinterpret_cast<const Bytef*>(sPixels.data()),
                         sPixels.size()), Z_OK);
    ASSERT_EQ(cbRaw, 480u * (1 + 640 * 3));
    std::vector<uint8_t> vBgrx;
    for (size_t i = 0; i < cbRaw; i += 3) {
        if (i % (1 + 640 * 3) == 0 && sRaw[i++] != 0) ADD_FAILURE() << "row " << i / (1 + 640 * 3) << " is filtered";
        vBgrx.insert(vBgrx.end(), {uint8_t(sRaw[i + 2]), uint8_t(sRaw[i + 1]), uint8_t(sRaw[i]), 0});
    }
    EXPECT_EQ(replay::DigestPicture(vBgrx.data(), 640, 480, 640 * 4), vFrames.size() > 3 ? vFrames[3].sDigest : "");
    EXPECT_EQ(WEXITSTATUS(std::system((sTool + "2>/dev/null").c_str())), 2);
    EXPECT_EQ(std::system(("rm -r " + sDir).c_str()), 0);
}
