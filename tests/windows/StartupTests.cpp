// The whole game brought up and taken down on the real window system: a fixed
// 640x480 client area, every bitmap loaded from the executable, and closing
// the window releases everything and ends the message loop.
#include <gtest/gtest.h>

#include "Engine/GameEngine.h"
#include "Whirlquarium.h"

namespace {

// Handles what is waiting; true once WM_QUIT has been taken.
bool PumpUntilIdle() {
    MSG msg;
    while (PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) return true;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return false;
}

}  // namespace

TEST(WindowsStartUp, TheGameOpensAFixedWindowWithItsImagesAndClosesCleanly) {
    ASSERT_TRUE(GameInitialize(GetModuleHandle(NULL)));
    ASSERT_TRUE(_pGame->Initialize(SW_SHOWNORMAL));
    HWND hWindow = _pGame->GetWindow();
    ASSERT_NE(hWindow, nullptr);
    PumpUntilIdle();

    RECT rcClient;
    ASSERT_TRUE(GetClientRect(hWindow, &rcClient));
    EXPECT_EQ(rcClient.right - rcClient.left, 640);
    EXPECT_EQ(rcClient.bottom - rcClient.top, 480);
    const LONG lStyle = GetWindowLong(hWindow, GWL_STYLE);
    EXPECT_EQ(lStyle & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0) << "the window can be resized";
    EXPECT_NE(lStyle & WS_CAPTION, 0);
    char szTitle[64] = "";
    GetWindowTextA(hWindow, szTitle, sizeof(szTitle));
    EXPECT_STREQ(szTitle, "Whirlquarium");
    EXPECT_NE(GetClassLongPtr(hWindow, GCLP_HICON), 0u) << "no large icon from group 1000";
    EXPECT_NE(GetClassLongPtr(hWindow, GCLP_HICONSM), 0u) << "no small icon from group 1001";

    Bitmap* const apBitmaps[] = {
        _pSwimLeftBitmap,         _pSwimRightBitmap,          _pSwimTowardPlayerBitmap,   _pFlailLeftBitmap,
        _pJump1Bitmap,            _pJump2Bitmap,              _pPanicBitmap,              _pGiveUpBitmap,
        _pAngelBitmap,            _pBlenderCalmBitmap,        _pBlenderTurningBitmap,     _pBlenderUpSideDownBitmap,
        _pBlenderWaterAndLidBitmap, _pBlenderShakingBitmap,   _pBlenderShakingBloodyBitmap,
        _pBlenderBloodyFishGooBitmap, _pBackgroundBitmap,     _pTitleScreenBitmap,        _pSavedScoreBitmap,
        _pDeathScoreBitmap,       _pSmileyAnimBitmap,
    };
    int iLoaded = 0;
    for (Bitmap* pBitmap : apBitmaps)
        if (pBitmap != nullptr && pBitmap->GetWidth() > 0 && pBitmap->GetHeight() != 0) ++iLoaded;
    EXPECT_EQ(iLoaded, 21);
    ASSERT_NE(_pBackgroundBitmap, nullptr);
    EXPECT_EQ(_pBackgroundBitmap->GetWidth(), 640);
    EXPECT_EQ(_pBackgroundBitmap->GetHeight(), 480);
    ASSERT_NE(_pBlenderShakingBitmap, nullptr);
    EXPECT_EQ(_pBlenderShakingBitmap->GetWidth(), 5120);
    ASSERT_NE(_pSmileyAnimBitmap, nullptr);
    EXPECT_EQ(_pSmileyAnimBitmap->GetWidth(), 40);
    EXPECT_EQ(_pSmileyAnimBitmap->GetHeight(), 10);

    // A few frames on the real surfaces, then the window is closed.
    for (int i = 0; i < 3; ++i) GameCycle();
    EXPECT_TRUE(DestroyWindow(hWindow));
    EXPECT_EQ(_pGame, nullptr);
    EXPECT_EQ(_pScreen, nullptr);
    EXPECT_EQ(_pBackgroundBitmap, nullptr);
    EXPECT_FALSE(IsWindow(hWindow));
    EXPECT_TRUE(PumpUntilIdle()) << "closing the window posts no quit message";
}
