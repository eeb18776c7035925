// The engine core: window messages turned into game hooks, the frame loop of
// WinMain on the headless backend, and the MIDI player.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>

#include "engine/FakeGame.h"
#include "support/Isolation.h"

namespace {

typedef std::vector<DWORD> Ticks;
typedef std::vector<std::string> Names;
namespace headless = platform::headless;

int RunGame() { return WinMain(GetModuleHandle(NULL), NULL, const_cast<LPSTR>(""), SW_SHOWNORMAL); }

}  // namespace

ISOLATED_TEST(GameEngine, WindowMessagesReachTheirHooks) {
    fake_game::Reset();
    GameEngine* pGame = new GameEngine(NULL, "A class name much longer than the field holds", "T", 0, 0);
    EXPECT_STREQ("A class name much longer than t", pGame->GetWindowClass());
    std::vector<int> vDelays;
    for (int iRate : {30, 1000, 0, -5}) vDelays.push_back((pGame->SetFrameRate(iRate), pGame->GetFrameDelay()));
    EXPECT_EQ((std::vector<int>{33, 1, 1, 1}), vDelays);
    const HWND hWindow = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x5150));
    for (UINT uiMsg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP})
        EXPECT_EQ(0, pGame->HandleEvent(hWindow, uiMsg, 1, 0x00100010));
    std::vector<BOOL> vSleep;
    // The whole wParam counts: a minimised flag in the high word is "active".
    for (WPARAM wParam : {WPARAM(WA_ACTIVE), WPARAM(WA_INACTIVE), WPARAM(0x00010000)}) {
        pGame->HandleEvent(hWindow, WM_ACTIVATE, wParam, 0);
        vSleep.push_back(pGame->GetSleep());
    }
    EXPECT_EQ((std::vector<BOOL>{FALSE, TRUE, FALSE}), vSleep);
    pGame->HandleEvent(hWindow, WM_CREATE, 0, 0);
    EXPECT_EQ(hWindow, pGame->GetWindow());
    EXPECT_EQ(DefWindowProc(NULL, WM_CHAR, 'x', 0), pGame->HandleEvent(NULL, WM_CHAR, 'x', 0));
    EXPECT_EQ(0, pGame->HandleEvent(NULL, WM_DESTROY, 0, 0));
    EXPECT_EQ(nullptr, GameEngine::GetEngine());
    WndProc(NULL, WM_LBUTTONDOWN, 0, 0);  // no engine: the default procedure's business
    EXPECT_EQ((Names{"LeftMouseButtonDown", "LeftMouseButtonUp", "RightMouseButtonDown", "RightMouseButtonUp",
                     "MiddleMouseButtonDown", "MiddleMouseButtonUp", "GameActivate", "GameDeactivate",
                     "GameActivate", "GameStart", "GameEnd"}),
              fake_game::Names());
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, NULL, 0, 0, PM_REMOVE));
    EXPECT_EQ(static_cast<UINT>(WM_QUIT), msg.message);
}

ISOLATED_TEST(GameLoop, FramesRunAtOnceThenEveryDelayPlusOneUntilTheWindowCloses) {
    fake_game::Reset();
    headless::Close(80);
    EXPECT_EQ(0, RunGame());
    EXPECT_EQ((Ticks{1, 35, 69}), fake_game::Ticks("HandleKeys"));
    EXPECT_EQ((Ticks{80}), fake_game::Ticks("GameEnd"));
    EXPECT_EQ(nullptr, GameEngine::GetEngine());
    // Started inside window creation, activated by showing, painted before the first frame.
    Names vNames = fake_game::Names();
    EXPECT_EQ((Names{"GameInitialize", "GameStart", "GameActivate", "GamePaint", "HandleKeys", "GameCycle",
                     "HandleKeys", "GameCycle", "HandleKeys", "GameCycle", "GameEnd"}),
              vNames);
    EXPECT_NE(nullptr, fake_game::Get().vPaintDCs.at(0));
}

ISOLATED_TEST(GameLoop, NoFrameRunsAsleepButMouseButtonsStillArrive) {
    fake_game::Reset();
    headless::Activate(100, FALSE);
    headless::PostToWindow(150, WM_LBUTTONDOWN);
    headless::KeyDown(170, VK_ESCAPE);
    headless::KeyUp(180, VK_ESCAPE);
    headless::Activate(200, TRUE);
    headless::Close(240);
    EXPECT_EQ(0, RunGame());
    EXPECT_EQ((Ticks{1, 35, 69, 200, 234}), fake_game::Ticks("HandleKeys"));
    EXPECT_EQ((Ticks{1, 35, 69, 200, 234}), fake_game::Ticks("GameCycle"));
    EXPECT_EQ((Ticks{150}), fake_game::Ticks("LeftMouseButtonDown"));
}

ISOLATED_TEST(GameLoop, QuitIsSeenOnlyAtAFrameAndSkipsThatFramesCycle) {
    fake_game::Reset();
    headless::KeyDown(50, VK_ESCAPE);
    RunGame();
    EXPECT_EQ((Ticks{1, 35, 69}), fake_game::Ticks("HandleKeys"));
    EXPECT_EQ((Ticks{1, 35}), fake_game::Ticks("GameCycle"));
    // The window stays, with its client area at the engine's size, and the game is not ended.
    EXPECT_TRUE(fake_game::Ticks("GameEnd").empty());
    RECT rc;
    ASSERT_TRUE(GetClientRect(GameEngine::GetEngine()->GetWindow(), &rc));
    EXPECT_EQ((std::vector<LONG>{640, 480}), (std::vector<LONG>{rc.right - rc.left, rc.bottom - rc.top}));
}

ISOLATED_TEST(GameLoop, AQuitMessageEndsTheLoopWhileAsleep) {
    fake_game::Reset();
    headless::Activate(10, FALSE);
    headless::At(50, [] { PostQuitMessage(7); });
    EXPECT_EQ(7, RunGame());
    EXPECT_EQ((Ticks{1}), fake_game::Ticks("HandleKeys"));
    EXPECT_TRUE(fake_game::Ticks("GameEnd").empty());
}

ISOLATED_TEST(GameLoop, AnOverrunningFrameDelaysTheNextWithoutCatchingUp) {
    fake_game::Reset();
    fake_game::Get().fnCycle = [] {
        if (GetTickCount() == 1) fake_game::AdvanceTo(101);
    };
    headless::Close(150);
    RunGame();
    EXPECT_EQ((Ticks{1, 101, 135}), fake_game::Ticks("HandleKeys"));
}

ISOLATED_TEST(GameLoop, AFailedStartEndsTheGameOrNeverEntersTheLoop) {
    struct Start {
        std::function<BOOL(HINSTANCE)> fnInitialize;
        int iResult;
        Names vCalls;
    };
    const Start aStarts[] = {
        {[](HINSTANCE) { return FALSE; }, 1, {"GameInitialize", "GameEnd"}},
        {[](HINSTANCE) { return TRUE; }, 1, {"GameInitialize", "GameEnd"}},  // success without an engine
        {[](HINSTANCE h) { return new GameEngine(h, "", "No class", 0, 0) != nullptr; }, 0, {"GameInitialize"}},
    };
    for (const Start& start : aStarts) {
        fake_game::Reset();
        fake_game::Get().fnInitialize = start.fnInitialize;
        EXPECT_EQ(start.iResult, RunGame());
        EXPECT_EQ(start.vCalls, fake_game::Names());
    }
}

ISOLATED_TEST(MidiPlayer, OpensOnceReusesTheDeviceAndClosesIt) {
    GameEngine game(NULL, "Midi", "Midi", 0, 0);
    game.PlayMIDISong("", FALSE);
    game.PlayMIDISong();
    game.PauseMIDISong();
    EXPECT_EQ(0u, game.GetMIDIPlayerID());
    char szPath[] = "/tmp/midi-test-XXXXXX";
    close(mkstemp(szPath));
    game.PlayMIDISong(szPath, TRUE);
    const UINT uiFirst = game.GetMIDIPlayerID();
    EXPECT_NE(0u, uiFirst);
    game.PauseMIDISong();
    game.PlayMIDISong("", FALSE);  // resumes the open device; the name no longer matters
    EXPECT_EQ(uiFirst, game.GetMIDIPlayerID());
    game.CloseMIDIPlayer();
    EXPECT_EQ(0u, game.GetMIDIPlayerID());
    EXPECT_EQ(static_cast<MCIERROR>(MCIERR_INVALID_DEVICE_ID), mciSendCommand(uiFirst, MCI_PLAY, 0, 0));
    game.PlayMIDISong(szPath, FALSE);  // opens anew
    EXPECT_NE(0u, game.GetMIDIPlayerID());
    EXPECT_NE(uiFirst, game.GetMIDIPlayerID());
    unlink(szPath);
}
