// The replay tool as a program: exit status, standard output, screenshots.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct Result {
    int iStatus;
    std::string sOut, sErr;
};

std::string TempDir() {
    static std::string s;
    if (s.empty()) {
        char szTemplate[] = "/tmp/whirl-replay-XXXXXX";
        s = mkdtemp(szTemplate);
    }
    return s;
}

std::string ReadFile(const std::string& sPath) {
    std::ifstream in(sPath, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

Result Replay(const std::string& sScript, const std::string& sArgs = "") {
    const char* szBuild = std::getenv("WHIRL_BUILD_DIR");
    std::string sBuild = szBuild ? szBuild : ".";
    std::string sDir = TempDir();
    std::ofstream(sDir + "/script.txt") << sScript;
    std::string sCommand = sBuild + "/whirlquarium-replay " + sArgs + " " + sDir + "/script.txt > " + sDir +
                           "/out.txt 2> " + sDir + "/err.txt";
    int iRaw = std::system(sCommand.c_str());
    Result r{WIFEXITED(iRaw) ? WEXITSTATUS(iRaw) : -1, ReadFile(sDir + "/out.txt"), ReadFile(sDir + "/err.txt")};
    return r;
}

}  // namespace

TEST(ReplayTool, MalformedScriptExitsWithTwoBeforeAnythingRuns) {
    Result r = Replay("10 keydown left\n20 wiggle\n");
    EXPECT_EQ(r.iStatus, 2);
    EXPECT_EQ(r.sOut, "");
    EXPECT_NE(r.sErr.find("line 2"), std::string::npos) << r.sErr;

    r = Replay("10 shot attract\n");
    EXPECT_EQ(r.iStatus, 2) << "a shot without --shots";
    EXPECT_EQ(r.sOut, "");
}

TEST(ReplayTool, StandardOutputIsTheGameLogAndNothingElse) {
    Result r = Replay("100 keydown right\n110 keyup right\n200 end\n");
    EXPECT_EQ(r.iStatus, 0) << r.sErr;
    EXPECT_EQ(r.sOut.rfind("Entity created: Assigned ID# 0\nInstantiating Screen: ID# 0\n", 0), 0u);
    EXPECT_NE(r.sOut.find("Quarter accepted!\nCredits = 1\nTotal Credits Today = 1\n\n"), std::string::npos);
}

TEST(ReplayTool, EscapeEndsTheRunWithStatusZero) {
    Result r = Replay("50 keydown escape\n100000 end\n");
    EXPECT_EQ(r.iStatus, 0) << r.sErr;
}

TEST(ReplayTool, ShotsArePngImagesOfTheWindow) {
    std::string sShots = TempDir() + "/shots";
    ASSERT_EQ(std::system(("mkdir -p " + sShots).c_str()), 0);
    Result r = Replay("100 shot attract\n200 end\n", "--shots " + sShots);
    ASSERT_EQ(r.iStatus, 0) << r.sErr;
    std::string sPng = ReadFile(sShots + "/attract.png");
    ASSERT_GE(sPng.size(), 33u);
    EXPECT_EQ(sPng.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    // IHDR: 640 x 480, 8 bits, colour type 2 (RGB).
    EXPECT_EQ(sPng.substr(16, 8), std::string("\0\0\x02\x80\0\0\x01\xe0", 8));
    EXPECT_EQ(sPng[24], 8);
    EXPECT_EQ(sPng[25], 2);
}

TEST(ReplayTool, AWholeBlendedGameReplaysToTheNextGame) {
    Result r = Replay("100 keydown right\n110 keyup right\n200 keydown left\n18000 keyup left\n18000 keydown up\n"
                      "18030 keyup up\n40000 end\n");
    ASSERT_EQ(r.iStatus, 0) << r.sErr;
    EXPECT_NE(r.sOut.find("Message 'NewGame' Accepted!"), std::string::npos);
}
