// The headless backend: its virtual clock, scripted input and window image.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PlatformTestSupport.h"
#include "support/Isolation.h"

using namespace testsupport;
namespace headless = platform::headless;

namespace {

DWORD Wait(DWORD dwMilliseconds) { return MsgWaitForMultipleObjects(0, nullptr, FALSE, dwMilliseconds, QS_ALLINPUT); }

// A frame loop as a game runs it: drain the queue, run a frame once the tick
// count has passed the trigger, otherwise wait until just past it.
struct FrameLoop {
    int m_iTrigger = 0;
    int m_iDelay = 33;
    std::vector<DWORD> m_vFrames;
    std::vector<std::string> m_vLog;  // frames and messages, in the order they happened

    bool Step() {
        MSG msg;
        if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return false;
            m_vLog.push_back("msg " + std::to_string(msg.message) + " at " + std::to_string(GetTickCount()));
            DispatchMessage(&msg);
            return true;
        }
        const DWORD dwNow = GetTickCount();
        if (static_cast<int>(dwNow) > m_iTrigger) {
            m_iTrigger = static_cast<int>(dwNow) + m_iDelay;
            m_vFrames.push_back(dwNow);
            const bool bLeft = (GetAsyncKeyState(VK_LEFT) & 0x8000) != 0;
            m_vLog.push_back("frame at " + std::to_string(dwNow) + (bLeft ? " left" : ""));
            return true;
        }
        Wait(static_cast<DWORD>(m_iTrigger - static_cast<int>(dwNow) + 1));
        return true;
    }
};

}  // namespace

TEST(PlatformHeadlessClock, WaitsWithoutWindowOrEventsAdvanceTheClockExactly) {
    platform::SelectHeadlessBackend();
    EXPECT_EQ(headless::Now(), 0u);
    EXPECT_EQ(GetTickCount(), 0u);
    EXPECT_EQ(Wait(100), WAIT_TIMEOUT);
    EXPECT_EQ(headless::Now(), 100u);
    EXPECT_EQ(Wait(0), WAIT_TIMEOUT);
    EXPECT_EQ(Wait(1), WAIT_TIMEOUT);
    EXPECT_EQ(GetTickCount(), 101u);
    // Neither sleeping nor reading the clock moves it.
    Sleep(500);
    EXPECT_EQ(GetTickCount(), 101u);

    // Choosing the backend again starts a fresh clock with nothing scheduled.
    headless::At(5000, [] {});
    EXPECT_EQ(headless::PendingEvents(), 1u);
    platform::SelectHeadlessBackend();
    EXPECT_EQ(headless::Now(), 0u);
    EXPECT_EQ(headless::PendingEvents(), 0u);
}

TEST(PlatformHeadlessClock, KeyLevelsChangeAtTheirTicks) {
    platform::SelectHeadlessBackend();
    headless::KeyDown(5, VK_ESCAPE);
    headless::KeyDown(5, VK_DOWN);
    headless::KeyUp(15, VK_ESCAPE);
    EXPECT_EQ(GetAsyncKeyState(VK_ESCAPE) & 0x8000, 0);

    // A key change wakes no one: the wait runs to its end.
    EXPECT_EQ(Wait(10), WAIT_TIMEOUT);
    EXPECT_EQ(headless::Now(), 10u);
    EXPECT_NE(GetAsyncKeyState(VK_ESCAPE) & 0x8000, 0);
    EXPECT_NE(GetAsyncKeyState(VK_DOWN) & 0x8000, 0);
    EXPECT_EQ(GetAsyncKeyState(VK_LEFT) & 0x8000, 0);

    Wait(5);
    EXPECT_EQ(GetAsyncKeyState(VK_ESCAPE) & 0x8000, 0);
    EXPECT_NE(GetAsyncKeyState(VK_DOWN) & 0x8000, 0);

    // A change scheduled for the current tick shows at once.
    headless::KeyDown(headless::Now(), VK_RIGHT);
    EXPECT_NE(GetAsyncKeyState(VK_RIGHT) & 0x8000, 0);
    EXPECT_EQ(headless::PendingEvents(), 0u);
}

TEST(PlatformHeadlessClock, ActionsOfOneTickRunInTheOrderTheyWereScheduled) {
    platform::SelectHeadlessBackend();
    std::vector<std::string> vOrder;
    headless::At(20, [&] { vOrder.push_back("20a"); });
    headless::At(10, [&] {
        vOrder.push_back("10");
        // Scheduled from inside an action, for a tick already reached.
        headless::At(10, [&] { vOrder.push_back("10 nested"); });
    });
    headless::At(20, [&] { vOrder.push_back("20b"); });
    EXPECT_EQ(Wait(15), WAIT_TIMEOUT);
    EXPECT_EQ(vOrder, std::vector<std::string>({"10", "10 nested"}));
    EXPECT_EQ(Wait(5), WAIT_TIMEOUT);
    EXPECT_EQ(vOrder, std::vector<std::string>({"10", "10 nested", "20a", "20b"}));
}

ISOLATED_TEST(PlatformHeadlessClock, FramesRunAtOneThirtyFiveAndSixtyNine) {
    platform::SelectHeadlessBackend();
    RegisterTestClass();
    HWND hWnd = CreateTestWindow();
    ASSERT_NE(hWnd, nullptr);
    FrameLoop loop;
    while (loop.m_vFrames.size() < 5) ASSERT_TRUE(loop.Step());
    EXPECT_EQ(loop.m_vFrames, std::vector<DWORD>({1, 35, 69, 103, 137}));
}

ISOLATED_TEST(PlatformHeadlessClock, EventsOfATickComeBeforeTheFrameOfThatTick) {
    platform::SelectHeadlessBackend();
    RegisterTestClass();
    HWND hWnd = CreateTestWindow();
    ASSERT_NE(hWnd, nullptr);
    headless::KeyDown(35, VK_LEFT);
    headless::PostToWindow(35, WM_RBUTTONDOWN);
    headless::KeyUp(69, VK_LEFT);
    headless::PostToWindow(50, WM_MBUTTONDOWN);

    FrameLoop loop;
    while (loop.m_vFrames.size() < 3) ASSERT_TRUE(loop.Step());
    const std::vector<std::string> vExpected = {
        "frame at 1",
        "msg " + std::to_string(WM_RBUTTONDOWN) + " at 35",
        "frame at 35 left",
        // A posted message ends the wait early; the next frame still keeps
        // its time.
        "msg " + std::to_string(WM_MBUTTONDOWN) + " at 50",
        "frame at 69",
    };
    EXPECT_EQ(loop.m_vLog, vExpected);
}

ISOLATED_TEST(PlatformHeadlessClock, AnEndlessWaitJumpsToTheNextEventAndClosesWhenNoneIsLeft) {
    platform::SelectHeadlessBackend();
    RegisterTestClass();
    HWND hWnd = CreateTestWindow();
    ASSERT_NE(hWnd, nullptr);
    ShowWindow(hWnd, SW_SHOWNORMAL);
    DrainQueue();
    Seen().clear();

    headless::Activate(400, FALSE);
    headless::KeyDown(300, VK_UP);  // not a message: the wait goes on past it
    EXPECT_EQ(Wait(INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(headless::Now(), 400u);
    EXPECT_NE(GetAsyncKeyState(VK_UP) & 0x8000, 0);
    EXPECT_EQ(DrainQueue(), std::vector<UINT>({WM_ACTIVATE}));
    ASSERT_EQ(Seen().size(), 1u);
    EXPECT_EQ(Seen()[0].wParam, static_cast<WPARAM>(WA_INACTIVE));

    // Nothing left to come: the window is closed, which ends the program.
    EXPECT_EQ(Wait(INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(headless::Now(), 400u);
    EXPECT_EQ(DrainQueue(), std::vector<UINT>({WM_CLOSE, WM_QUIT}));
    EXPECT_FALSE(IsWindow(hWnd));

    // Without a window, the quit message is posted instead.
    EXPECT_EQ(Wait(INFINITE), WAIT_OBJECT_0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
}

ISOLATED_TEST(PlatformHeadlessClock, ScriptedCloseGoesThroughTheWindowProcedure) {
    platform::SelectHeadlessBackend();
    RegisterTestClass();
    HWND hWnd = CreateTestWindow();
    ASSERT_NE(hWnd, nullptr);
    headless::Close(10);
    EXPECT_EQ(Wait(100), WAIT_OBJECT_0);
    EXPECT_EQ(headless::Now(), 10u);
    Seen().clear();
    EXPECT_EQ(DrainQueue(), std::vector<UINT>({WM_CLOSE, WM_QUIT}));
    EXPECT_EQ(SeenMessages(), std::vector<UINT>({WM_CLOSE, WM_DESTROY, WM_NCDESTROY}));
}

ISOLATED_TEST(PlatformHeadlessImage, ReadsWhatWasDrawnIntoTheWindow) {
    platform::SelectHeadlessBackend();
    std::vector<unsigned char> vRGB;
    int iWidth = 0, iHeight = 0;
    EXPECT_FALSE(headless::ReadWindowImage(vRGB, iWidth, iHeight));

    RegisterTestClass();
    HWND hWnd = CreateTestWindow();
    ASSERT_NE(hWnd, nullptr);
    HDC hdc = GetDC(hWnd);
    ASSERT_NE(hdc, nullptr);
    HBRUSH hBrush = CreateSolidBrush(RGB(10, 20, 30));
    RECT rc;
    SetRect(&rc, 600, 470, 700, 500);  // reaches past the corner
    EXPECT_NE(FillRect(hdc, &rc, hBrush), 0);
    EXPECT_EQ(ReleaseDC(hWnd, hdc), 1);
    DeleteObject(hBrush);

    ASSERT_TRUE(headless::ReadWindowImage(vRGB, iWidth, iHeight));
    ASSERT_EQ(iWidth, 640);
    ASSERT_EQ(iHeight, 480);
    ASSERT_EQ(vRGB.size(), 640u * 480u * 3u);
    auto pixel = [&](int x, int y) {
        const size_t i = (static_cast<size_t>(y) * 640 + x) * 3;
        return std::vector<int>{vRGB[i], vRGB[i + 1], vRGB[i + 2]};
    };
    EXPECT_EQ(pixel(639, 479), std::vector<int>({10, 20, 30}));
    EXPECT_EQ(pixel(600, 470), std::vector<int>({10, 20, 30}));
    EXPECT_EQ(pixel(599, 470), std::vector<int>({0, 0, 0}));
    EXPECT_EQ(pixel(600, 469), std::vector<int>({0, 0, 0}));
}
