// Windows, their messages and the queue, on the headless backend.
#include <gtest/gtest.h>

#include <vector>

#include "PlatformTestSupport.h"
#include "support/Isolation.h"

using namespace testsupport;

namespace {

// What the window procedure could see of the handle while WM_CREATE ran.
HWND s_hCreating = nullptr;
BOOL s_bWindowDuringCreate = FALSE;
bool s_bActivateInsideShow = false;
bool s_bInShowWindow = false;

LRESULT CALLBACK ProbingProc(HWND hWnd, UINT uiMsg, WPARAM wParam, LPARAM lParam) {
    if (uiMsg == WM_CREATE) {
        s_hCreating = hWnd;
        s_bWindowDuringCreate = IsWindow(hWnd);
    }
    if (uiMsg == WM_ACTIVATE && s_bInShowWindow) s_bActivateInsideShow = true;
    return RecordingProc(hWnd, uiMsg, wParam, lParam);
}

LRESULT CALLBACK RefusingProc(HWND hWnd, UINT uiMsg, WPARAM wParam, LPARAM lParam) {
    const LRESULT lResult = RecordingProc(hWnd, uiMsg, wParam, lParam);
    return uiMsg == WM_CREATE ? -1 : lResult;
}

}  // namespace

ISOLATED_TEST(PlatformWindow, CreationSendsCreateBeforeReturningAndShowActivatesInside) {
    platform::SelectHeadlessBackend();
    RegisterTestClass(ProbingProc);
    HWND hWnd = CreateTestWindow();
    ASSERT_NE(hWnd, nullptr);
    EXPECT_EQ(s_hCreating, hWnd);
    EXPECT_TRUE(s_bWindowDuringCreate);
    EXPECT_EQ(SeenMessages(), std::vector<UINT>({WM_CREATE}));

    RECT rc;
    ASSERT_TRUE(GetClientRect(hWnd, &rc));
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.top, 0);
    EXPECT_EQ(rc.right, 640);
    EXPECT_EQ(rc.bottom, 480);

    s_bInShowWindow = true;
    EXPECT_FALSE(ShowWindow(hWnd, SW_SHOWNORMAL));  // it was hidden
    s_bInShowWindow = false;
    EXPECT_TRUE(s_bActivateInsideShow);
    ASSERT_EQ(Seen().size(), 2u);
    EXPECT_EQ(Seen()[1].uiMsg, static_cast<UINT>(WM_ACTIVATE));
    EXPECT_EQ(Seen()[1].wParam, static_cast<WPARAM>(WA_ACTIVE));

    // Shown once already: no second activation.
    EXPECT_TRUE(ShowWindow(hWnd, SW_SHOW));
    EXPECT_EQ(Seen().size(), 2u);

    // Nothing was posted for either; the only thing waiting is the paint.
    EXPECT_EQ(DrainQueue(), std::vector<UINT>({WM_PAINT}));
}

ISOLATED_TEST(PlatformWindow, CreationFailsCleanly) {
    platform::SelectHeadlessBackend();
    EXPECT_EQ(CreateTestWindow("NoSuchClass"), nullptr);

    RegisterTestClass(RefusingProc, "Refusing");
    EXPECT_EQ(CreateTestWindow("Refusing"), nullptr);
    // The refused window was destroyed on the way out.
    EXPECT_EQ(SeenMessages(), std::vector<UINT>({WM_CREATE, WM_DESTROY, WM_NCDESTROY}));

    // A class name is registered once; the second registration is refused.
    WNDCLASSEX wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = "Refusing";
    EXPECT_EQ(RegisterClassEx(&wc), 0);
    wc.lpszClassName = nullptr;
    EXPECT_EQ(RegisterClassEx(&wc), 0);
}

ISOLATED_TEST(PlatformWindow, CloseThroughDefaultHandlingDestroysAndQuits) {
    platform::SelectHeadlessBackend();
    RegisterTestClass();
    HWND hWnd = CreateTestWindow();
    ASSERT_NE(hWnd, nullptr);
    ShowWindow(hWnd, SW_SHOWNORMAL);
    DrainQueue();
    Seen().clear();

    ASSERT_TRUE(PostMessage(hWnd, WM_CLOSE, 0, 0));
    ASSERT_TRUE(PostMessage(hWnd, WM_LBUTTONDOWN, 0, 0));  // queued behind the close
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_CLOSE));
    EXPECT_EQ(msg.hwnd, hWnd);
    DispatchMessage(&msg);
    EXPECT_EQ(SeenMessages(), std::vector<UINT>({WM_CLOSE, WM_DESTROY, WM_NCDESTROY}));
    EXPECT_FALSE(IsWindow(hWnd));

    // The window's own message went with it; the quit message remains, with
    // the exit code.
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));

    // A gone window takes nothing more.
    EXPECT_FALSE(PostMessage(hWnd, WM_CLOSE, 0, 0));
    EXPECT_FALSE(DestroyWindow(hWnd));
    EXPECT_EQ(SendMessage(hWnd, WM_CLOSE, 0, 0), 0);
    RECT rc;
    EXPECT_FALSE(GetClientRect(hWnd, &rc));
}

ISOLATED_TEST(PlatformWindow, QueueKeepsPostingOrderAndPeekDoesNotBlock) {
    platform::SelectHeadlessBackend();
    RegisterTestClass();
    HWND hWnd = CreateTestWindow();
    ASSERT_NE(hWnd, nullptr);

    MSG msg;
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));  // hidden: not even a paint
    EXPECT_EQ(platform::headless::Now(), 0u);

    PostMessage(hWnd, WM_RBUTTONDOWN, 1, 0);
    PostMessage(hWnd, WM_LBUTTONDOWN, 2, 0);
    PostQuitMessage(3);
    PostMessage(hWnd, WM_MBUTTONDOWN, 4, 0);

    // Looking without removing leaves the front where it is.
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_RBUTTONDOWN));
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_RBUTTONDOWN));

    std::vector<WPARAM> vParams;
    std::vector<UINT> vMessages;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        vMessages.push_back(msg.message);
        vParams.push_back(msg.wParam);
    }
    EXPECT_EQ(vMessages, std::vector<UINT>({WM_RBUTTONDOWN, WM_LBUTTONDOWN, WM_QUIT, WM_MBUTTONDOWN}));
    EXPECT_EQ(vParams, std::vector<WPARAM>({1, 2, 3, 4}));
    // None of it moved the clock.
    EXPECT_EQ(platform::headless::Now(), 0u);
}

ISOLATED_TEST(PlatformWindow, PaintIsAskedForUntilTheWindowIsPainted) {
    platform::SelectHeadlessBackend();
    RegisterTestClass();
    HWND hWnd = CreateTestWindow();
    ASSERT_NE(hWnd, nullptr);
    ShowWindow(hWnd, SW_SHOWNORMAL);
    Seen().clear();

    // A shown window needs painting: UpdateWindow paints it at once.
    EXPECT_TRUE(UpdateWindow(hWnd));
    EXPECT_EQ(SeenMessages(), std::vector<UINT>({WM_PAINT}));
    EXPECT_TRUE(UpdateWindow(hWnd));  // painted: nothing more
    EXPECT_EQ(Seen().size(), 1u);
    MSG msg;
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));

    // Invalidated, it is told to paint only when nothing is posted, and the
    // paint message stays until it is handled.
    InvalidateRect(hWnd, nullptr, FALSE);
    PostMessage(hWnd, WM_LBUTTONUP, 0, 0);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_LBUTTONUP));
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    DispatchMessage(&msg);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));

    // Default handling of a paint counts as painting.
    InvalidateRect(hWnd, nullptr, TRUE);
    DefWindowProc(hWnd, WM_PAINT, 0, 0);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
}

ISOLATED_TEST(PlatformWindow, WaitingWakesForPostedMessagesOnly) {
    platform::SelectHeadlessBackend();
    RegisterTestClass();
    HWND hWnd = CreateTestWindow();
    ASSERT_NE(hWnd, nullptr);

    EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT), WAIT_TIMEOUT);
    PostMessage(hWnd, WM_RBUTTONDOWN, 0, 0);
    EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT), WAIT_OBJECT_0);
    EXPECT_EQ(platform::headless::Now(), 0u);
    DrainQueue();
    EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT), WAIT_TIMEOUT);
    EXPECT_EQ(platform::headless::Now(), 50u);

    HANDLE hAny = reinterpret_cast<HANDLE>(1);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &hAny, FALSE, 10, QS_ALLINPUT), WAIT_FAILED);
}

TEST(PlatformSystem, MetricsCentreTheGameWindowOnTheHeadlessScreen) {
    platform::SelectHeadlessBackend();
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
    const int iWidth = 640 + 2 * GetSystemMetrics(SM_CXFIXEDFRAME);
    const int iHeight = 480 + 2 * GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION);
    EXPECT_GT(GetSystemMetrics(SM_CYCAPTION), 0);
    EXPECT_LT(iWidth, 1920);
    EXPECT_LT(iHeight, 1080);

    // The cursor count goes below zero to hide the cursor.
    const int iStart = ShowCursor(TRUE) - 1;
    EXPECT_EQ(ShowCursor(FALSE), iStart);
    EXPECT_EQ(ShowCursor(FALSE), iStart - 1);
    EXPECT_EQ(ShowCursor(TRUE), iStart);

    EXPECT_NE(LoadCursor(nullptr, IDC_ARROW), nullptr);
    EXPECT_NE(LoadIcon(nullptr, IDI_APPLICATION), nullptr);
    EXPECT_NE(LoadIcon(GetModuleHandle(nullptr), MAKEINTRESOURCE(1000)), nullptr);
    EXPECT_EQ(LoadIcon(GetModuleHandle(nullptr), MAKEINTRESOURCE(1234)), nullptr);
}

TEST(PlatformSystem, MessageBoxWritesCaptionAndTextToStandardError) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBox(nullptr, "Something broke", "Critical Error", MB_OK | MB_ICONERROR), IDOK);
    const std::string sErr = testing::internal::GetCapturedStderr();
    EXPECT_NE(sErr.find("Critical Error"), std::string::npos);
    EXPECT_NE(sErr.find("Something broke"), std::string::npos);
}
