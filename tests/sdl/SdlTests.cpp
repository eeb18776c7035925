// The game's entry point on the SDL backend where no display is to be had.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

TEST(PlatformSdl, TheGameWithoutADisplayNamesTheCauseOnStandardErrorAndFails) {
    const char* szBuild = std::getenv("WHIRL_BUILD_DIR");
    const std::string sGame = std::string(szBuild ? szBuild : ".") + "/whirlquarium";
    if (access(sGame.c_str(), X_OK) != 0) GTEST_SKIP() << "the game is not built";
    for (const auto& run : {std::make_pair("-u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER", "DISPLAY"),
                            std::make_pair("SDL_VIDEODRIVER=none-such", "SDL_Init failed: ")}) {
        FILE* pErr = popen(("env " + std::string(run.first) + " " + sGame + " 2>&1 >/dev/null").c_str(), "r");
        char aBuffer[256] = {};
        const std::string sErr(aBuffer, std::fread(aBuffer, 1, sizeof(aBuffer), pErr));
        const int iStatus = pclose(pErr);
        EXPECT_TRUE(WIFEXITED(iStatus) && WEXITSTATUS(iStatus) == 1) << iStatus;
        EXPECT_NE(sErr.find(run.second), std::string::npos) << "the cause: " << sErr;
        EXPECT_NE(sErr.find("\nwhirlquarium: "), std::string::npos) << sErr;
    }
}
