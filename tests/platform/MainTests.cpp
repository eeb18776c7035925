// The game's process entry point, run as a program without any display.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

TEST(PlatformMain, WithoutADisplayItSaysSoOnOneLineAndFails) {
    const char* szBuild = std::getenv("WHIRL_BUILD_DIR");
    const std::string sProgram = std::string(szBuild ? szBuild : ".") + "/whirlquarium";
    if (access(sProgram.c_str(), X_OK) != 0) GTEST_SKIP() << "the game is not built";

    const std::string sErrFile = "/tmp/platform-main-stderr-" + std::to_string(getpid());
    const std::string sCommand = "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER '" + sProgram + "' 2>'" +
                                 sErrFile + "' </dev/null";
    FILE* pOut = popen(sCommand.c_str(), "r");
    ASSERT_NE(pOut, nullptr);
    std::string sOut;
    char aBuffer[256];
    size_t n;
    while ((n = std::fread(aBuffer, 1, sizeof(aBuffer), pOut)) > 0) sOut.append(aBuffer, n);
    const int iStatus = pclose(pOut);

    std::ifstream err(sErrFile);
    std::stringstream ssErr;
    ssErr << err.rdbuf();
    std::remove(sErrFile.c_str());

    ASSERT_TRUE(WIFEXITED(iStatus));
    EXPECT_EQ(WEXITSTATUS(iStatus), 1);
    EXPECT_EQ(ssErr.str(), "whirlquarium: no display found\n");
    EXPECT_EQ(sOut, "");  // nothing of the game ran
}
