// The SDL backend on SDL's display-less video driver: a window can be made,
// shown, drawn into and waited on without blocking past the timeout.
#include <gtest/gtest.h>

#include <cstdlib>

#include "PlatformTestSupport.h"
#include "support/Isolation.h"

using namespace testsupport;

ISOLATED_TEST(PlatformSdl, RunsAWindowOnTheDummyDriver) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (!platform::SelectSdlBackend()) return;  // no driver at all: nothing to check here
    EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
    EXPECT_EQ(ShowCursor(FALSE), -1);

    RegisterTestClass();
    HWND hWnd = CreateTestWindow();
    ASSERT_NE(hWnd, nullptr);
    ShowWindow(hWnd, SW_SHOWNORMAL);
    UpdateWindow(hWnd);
    EXPECT_EQ(SeenMessages(), std::vector<UINT>({WM_CREATE, WM_ACTIVATE, WM_PAINT}));

    HDC hdc = GetDC(hWnd);
    HBRUSH hBrush = CreateSolidBrush(RGB(0, 128, 255));
    RECT rc;
    GetClientRect(hWnd, &rc);
    FillRect(hdc, &rc, hBrush);
    EXPECT_EQ(GetPixel(hdc, 639, 479), RGB(0, 128, 255));
    EXPECT_EQ(ReleaseDC(hWnd, hdc), 1);  // presents
    DeleteObject(hBrush);

    DrainQueue();
    const DWORD dwStart = GetTickCount();
    EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 30, QS_ALLINPUT), WAIT_TIMEOUT);
    EXPECT_GE(GetTickCount() - dwStart, 30u);
    EXPECT_EQ(GetAsyncKeyState(VK_ESCAPE) & 0x8000, 0);

    EXPECT_TRUE(DestroyWindow(hWnd));
    EXPECT_FALSE(IsWindow(hWnd));
}
