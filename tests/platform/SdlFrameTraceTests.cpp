// The frame trace of the SDL backend, which bench/running-game.sh reads: a
// frame's start with the tick count that started it, and each image shown,
// both with the wall-clock time.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

#include "PlatformTestSupport.h"
#include "support/Isolation.h"

using namespace testsupport;

namespace {
long long WallMicroseconds() {
    timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}
}  // namespace

ISOLATED_TEST(PlatformSdl, FrameTraceNotesFrameStartsAndImagesShown) {
    const std::string sTrace = "/tmp/whirl-frame-trace-" + std::to_string(getpid()) + ".txt";
    std::remove(sTrace.c_str());
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("WHIRLQUARIUM_FRAME_TRACE", sTrace.c_str(), 1);
    if (!platform::SelectSdlBackend()) GTEST_SKIP() << "SDL has no video driver here";

    RegisterTestClass();
    HWND hWnd = CreateTestWindow();
    ASSERT_NE(hWnd, nullptr);
    const long long llBefore = WallMicroseconds();
    // A frame as the game runs one: the tick count read, then Escape polled
    // first, then the image copied to the window.
    const DWORD dwTick = GetTickCount();
    GetAsyncKeyState(VK_ESCAPE);
    GetAsyncKeyState(VK_LEFT);
    ReleaseDC(hWnd, GetDC(hWnd));
    const long long llAfter = WallMicroseconds();
    DestroyWindow(hWnd);

    std::ifstream in(sTrace);
    std::string sWhat;
    long long llStart = 0, llShown = 0;
    unsigned long ulTick = 0;
    ASSERT_TRUE(in >> sWhat >> llStart >> ulTick);
    EXPECT_EQ(sWhat, "start");
    EXPECT_EQ(ulTick, dwTick);
    ASSERT_TRUE(in >> sWhat >> llShown);
    EXPECT_EQ(sWhat, "shown");
    EXPECT_LE(llBefore, llStart);
    EXPECT_LE(llStart, llShown);
    EXPECT_LE(llShown, llAfter);
    EXPECT_FALSE(in >> sWhat) << "one start and one image, nothing else";
    std::remove(sTrace.c_str());
}
