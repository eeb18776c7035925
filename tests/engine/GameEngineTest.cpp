// The engine core: construction, window messages turned into game hooks, the
// frame loop of WinMain on the headless backend, and the MIDI player.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Engine/GameEngine.h"
#include "Platform/Headless.h"
#include "engine/Clock.h"
#include "engine/FakeGame.h"
#include "support/Isolation.h"

namespace {

typedef std::vector<DWORD> Ticks;
typedef std::vector<std::string> Names;

int RunGame() { return WinMain(GetModuleHandle(NULL), NULL, const_cast<LPSTR>(""), SW_SHOWNORMAL); }

// Starts a headless run with the fake game's default hooks.
void Prepare() {
    test_clock::Start();
    fake_game::Reset();
}

HWND FakeWindow() { return reinterpret_cast<HWND>(static_cast<uintptr_t>(0x5150)); }

}  // namespace

ISOLATED_TEST(GameEngineCore, StartsAsleepWithTheGivenNamesCutToTheirFields) {
    const char* szLong = "A window class name much longer than thirty-one characters";
    GameEngine* pGame = new GameEngine(NULL, szLong, NULL, 1000, 1001, 320, 200);
    EXPECT_EQ(pGame, GameEngine::GetEngine());
    EXPECT_EQ(std::string(szLong, 31), pGame->GetWindowClass());
    EXPECT_STREQ("", pGame->GetTitle());
    EXPECT_EQ(50, pGame->GetFrameDelay());
    EXPECT_TRUE(pGame->GetSleep());
    EXPECT_FALSE(pGame->GetQuit());
    EXPECT_EQ(0u, pGame->GetMIDIPlayerID());
    EXPECT_EQ(nullptr, pGame->GetWindow());
    EXPECT_EQ(320, pGame->GetWidth());
    EXPECT_EQ(1001, pGame->GetSmallIcon());
    pGame->SetFrameRate(30);
    EXPECT_EQ(33, pGame->GetFrameDelay());
    pGame->SetFrameRate(1000);
    EXPECT_EQ(1, pGame->GetFrameDelay());
    delete pGame;
    EXPECT_EQ(nullptr, GameEngine::GetEngine());
}

ISOLATED_TEST(GameEngineEvents, MouseButtonsAndActivationReachTheirHooks) {
    Prepare();
    GameEngine* pGame = new GameEngine(NULL, "Events", "Events", 0, 0);
    const UINT auiButtons[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN,
                               WM_RBUTTONUP,   WM_MBUTTONDOWN, WM_MBUTTONUP};
    for (UINT uiMsg : auiButtons) EXPECT_EQ(0, pGame->HandleEvent(FakeWindow(), uiMsg, 1, 0x00100010));
    EXPECT_EQ((Names{"LeftMouseButtonDown", "LeftMouseButtonUp", "RightMouseButtonDown", "RightMouseButtonUp",
                     "MiddleMouseButtonDown", "MiddleMouseButtonUp"}),
              fake_game::Names());

    fake_game::Reset();
    pGame->HandleEvent(FakeWindow(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_FALSE(pGame->GetSleep());
    pGame->HandleEvent(FakeWindow(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_TRUE(pGame->GetSleep());
    // Minimised flag in the high word: the whole wParam is non-zero, so it counts as active.
    pGame->HandleEvent(FakeWindow(), WM_ACTIVATE, 0x00010000, 0);
    EXPECT_FALSE(pGame->GetSleep());
    EXPECT_EQ((Names{"GameActivate", "GameDeactivate", "GameActivate"}), fake_game::Names());

    fake_game::Reset();
    EXPECT_EQ(0, pGame->HandleEvent(FakeWindow(), WM_CREATE, 0, 0));
    EXPECT_EQ(FakeWindow(), pGame->GetWindow());
    EXPECT_EQ((std::vector<HWND>{FakeWindow()}), fake_game::Get().vStartWindows);

    // Anything else is the default procedure's business, and no hook hears of it.
    fake_game::Reset();
    EXPECT_EQ(DefWindowProc(NULL, WM_CHAR, 'x', 0), pGame->HandleEvent(NULL, WM_CHAR, 'x', 0));
    EXPECT_TRUE(fake_game::Names().empty());
    delete pGame;
}

ISOLATED_TEST(GameEngineEvents, DestroyEndsTheGameAndQueuesTheQuit) {
    Prepare();
    GameEngine* pGame = new GameEngine(NULL, "Events", "Events", 0, 0);
    EXPECT_EQ(0, pGame->HandleEvent(NULL, WM_DESTROY, 0, 0));
    EXPECT_EQ((Names{"GameEnd"}), fake_game::Names());
    EXPECT_EQ(nullptr, GameEngine::GetEngine());

    // With the engine gone, the window procedure passes messages on untouched.
    EXPECT_EQ(DefWindowProc(NULL, WM_LBUTTONDOWN, 0, 0), WndProc(NULL, WM_LBUTTONDOWN, 0, 0));
    EXPECT_EQ(1u, fake_game::Names().size());

    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, NULL, 0, 0, PM_REMOVE));
    EXPECT_EQ(static_cast<UINT>(WM_QUIT), msg.message);
    EXPECT_EQ(0u, msg.wParam);
}

ISOLATED_TEST(GameEngineInitialize, CreatesAWindowWithTheClientSizeAndStartsTheGameInside) {
    Prepare();
    GameEngine* pGame = new GameEngine(GetModuleHandle(NULL), "Init", "Init", 1000, 1001, 640, 480);
    ASSERT_TRUE(pGame->Initialize(SW_SHOWNORMAL));
    ASSERT_NE(nullptr, pGame->GetWindow());
    RECT rcClient;
    ASSERT_TRUE(GetClientRect(pGame->GetWindow(), &rcClient));
    EXPECT_EQ(640, rcClient.right - rcClient.left);
    EXPECT_EQ(480, rcClient.bottom - rcClient.top);
    EXPECT_EQ((std::vector<HWND>{pGame->GetWindow()}), fake_game::Get().vStartWindows);
    // Showing the window activated it.
    EXPECT_FALSE(pGame->GetSleep());
    Names vNames = fake_game::Names();
    ASSERT_GE(vNames.size(), 2u);
    EXPECT_EQ("GameStart", vNames[0]);
    EXPECT_EQ("GameActivate", vNames[1]);

    // A second engine cannot register the same window class.
    GameEngine* pSecond = new GameEngine(GetModuleHandle(NULL), "Init", "Init", 1000, 1001, 640, 480);
    EXPECT_FALSE(pSecond->Initialize(SW_SHOWNORMAL));
}

ISOLATED_TEST(GameLoop, FramesRunAtOnceAndThenEveryDelayPlusOne) {
    Prepare();
    platform::headless::Close(80);
    EXPECT_EQ(0, RunGame());

    EXPECT_EQ((Ticks{1, 35, 69}), fake_game::Ticks("HandleKeys"));
    EXPECT_EQ((Ticks{1, 35, 69}), fake_game::Ticks("GameCycle"));
    EXPECT_EQ((Ticks{80}), fake_game::Ticks("GameEnd"));
    EXPECT_EQ(nullptr, GameEngine::GetEngine());

    Names vNames = fake_game::Names();
    ASSERT_GE(vNames.size(), 4u);
    EXPECT_EQ((Names{"GameInitialize", "GameStart", "GameActivate"}), Names(vNames.begin(), vNames.begin() + 3));
    // Each frame polls the keys first; the window was painted before the first frame.
    std::vector<std::string>::iterator itFirstKeys = std::find(vNames.begin(), vNames.end(), "HandleKeys");
    EXPECT_NE(itFirstKeys, std::find(vNames.begin(), itFirstKeys, "GamePaint"));
    ASSERT_FALSE(fake_game::Get().vPaintDCs.empty());
    EXPECT_NE(nullptr, fake_game::Get().vPaintDCs[0]);
    for (size_t i = 0; i < vNames.size(); ++i)
        if (vNames[i] == "HandleKeys") {
            ASSERT_LT(i + 1, vNames.size());
            EXPECT_EQ("GameCycle", vNames[i + 1]);
        }
}

ISOLATED_TEST(GameLoop, NoFrameRunsAsleepButMouseButtonsStillArrive) {
    Prepare();
    platform::headless::Activate(100, FALSE);
    platform::headless::PostToWindow(150, WM_LBUTTONDOWN);
    platform::headless::PostToWindow(160, WM_MBUTTONUP);
    platform::headless::KeyDown(170, VK_ESCAPE);
    platform::headless::KeyUp(180, VK_ESCAPE);
    platform::headless::Activate(200, TRUE);
    platform::headless::Close(240);
    EXPECT_EQ(0, RunGame());

    EXPECT_EQ((Ticks{1, 35, 69, 200, 234}), fake_game::Ticks("HandleKeys"));
    EXPECT_EQ((Ticks{1, 35, 69, 200, 234}), fake_game::Ticks("GameCycle"));
    EXPECT_EQ((Ticks{150}), fake_game::Ticks("LeftMouseButtonDown"));
    EXPECT_EQ((Ticks{160}), fake_game::Ticks("MiddleMouseButtonUp"));
    EXPECT_EQ((Ticks{100}), fake_game::Ticks("GameDeactivate"));
    EXPECT_EQ((Ticks{0, 200}), fake_game::Ticks("GameActivate"));
}

ISOLATED_TEST(GameLoop, QuitIsSeenOnlyAtAFrameAndSkipsThatFramesCycle) {
    Prepare();
    platform::headless::KeyDown(50, VK_ESCAPE);
    RunGame();

    EXPECT_EQ((Ticks{1, 35, 69}), fake_game::Ticks("HandleKeys"));
    EXPECT_EQ((Ticks{1, 35}), fake_game::Ticks("GameCycle"));
    // Leaving on a quit request neither destroys the window nor ends the game.
    EXPECT_TRUE(fake_game::Ticks("GameEnd").empty());
    ASSERT_NE(nullptr, GameEngine::GetEngine());
    EXPECT_TRUE(IsWindow(GameEngine::GetEngine()->GetWindow()));
}

ISOLATED_TEST(GameLoop, AQuitMessageEndsTheLoopWhileAsleep) {
    Prepare();
    platform::headless::Activate(10, FALSE);
    platform::headless::At(50, [] { PostQuitMessage(7); });
    EXPECT_EQ(7, RunGame());

    EXPECT_EQ((Ticks{1}), fake_game::Ticks("HandleKeys"));
    EXPECT_TRUE(fake_game::Ticks("GameEnd").empty());
    EXPECT_EQ(50u, GetTickCount());
}

ISOLATED_TEST(GameLoop, AnOverrunningFrameDelaysTheNextWithoutCatchingUp) {
    Prepare();
    fake_game::Get().fnCycle = [] {
        if (GetTickCount() == 1) MsgWaitForMultipleObjects(0, NULL, FALSE, 100, QS_ALLINPUT);
    };
    platform::headless::Close(150);
    RunGame();
    EXPECT_EQ((Ticks{1, 101, 135}), fake_game::Ticks("HandleKeys"));
}

ISOLATED_TEST(GameLoop, AFailedStartEndsTheGameOrNeverEntersTheLoop) {
    Prepare();
    fake_game::Get().fnInitialize = [](HINSTANCE) { return FALSE; };
    EXPECT_EQ(1, RunGame());
    EXPECT_EQ((Names{"GameInitialize", "GameEnd"}), fake_game::Names());

    // Success reported without an engine is a failure too.
    fake_game::Reset();
    fake_game::Get().fnInitialize = [](HINSTANCE) { return TRUE; };
    EXPECT_EQ(1, RunGame());
    EXPECT_EQ((Names{"GameInitialize", "GameEnd"}), fake_game::Names());

    // A window class that cannot be registered: no window, no loop.
    fake_game::Reset();
    fake_game::Get().fnInitialize = [](HINSTANCE hInstance) {
        new GameEngine(hInstance, "", "No class", 0, 0);
        return TRUE;
    };
    EXPECT_EQ(0, RunGame());
    EXPECT_EQ((Names{"GameInitialize"}), fake_game::Names());
}

ISOLATED_TEST(MidiPlayer, OpensOnceReusesTheDeviceAndClosesIt) {
    GameEngine game(NULL, "Midi", "Midi", 0, 0);
    game.PlayMIDISong("", FALSE);
    EXPECT_EQ(0u, game.GetMIDIPlayerID());
    game.PlayMIDISong();
    EXPECT_EQ(0u, game.GetMIDIPlayerID());
    game.PlayMIDISong("/nonexistent/song.mid", TRUE);
    EXPECT_EQ(0u, game.GetMIDIPlayerID());
    game.PauseMIDISong();
    game.CloseMIDIPlayer();
    EXPECT_EQ(0u, game.GetMIDIPlayerID());

    char szPath[] = "/tmp/midi-test-XXXXXX";
    int fd = mkstemp(szPath);
    ASSERT_GE(fd, 0);
    close(fd);

    game.PlayMIDISong(szPath, TRUE);
    const UINT uiFirst = game.GetMIDIPlayerID();
    EXPECT_NE(0u, uiFirst);
    game.PauseMIDISong();
    EXPECT_EQ(uiFirst, game.GetMIDIPlayerID());
    game.PlayMIDISong("", FALSE);  // resumes the open device; the name no longer matters
    EXPECT_EQ(uiFirst, game.GetMIDIPlayerID());

    game.CloseMIDIPlayer();
    EXPECT_EQ(0u, game.GetMIDIPlayerID());
    EXPECT_EQ(static_cast<MCIERROR>(MCIERR_INVALID_DEVICE_ID), mciSendCommand(uiFirst, MCI_PLAY, 0, 0));

    game.PlayMIDISong(szPath, FALSE);  // opens anew
    EXPECT_NE(0u, game.GetMIDIPlayerID());
    EXPECT_NE(uiFirst, game.GetMIDIPlayerID());
    game.CloseMIDIPlayer();
    std::remove(szPath);
}

ISOLATED_TEST(GameEngineCore, ErrorQuitQueuesAQuitWithCodeZero) {
    Prepare();
    GameEngine game(NULL, "Error", "Error", 0, 0);
    game.ErrorQuit("Something broke");
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, NULL, 0, 0, PM_REMOVE));
    EXPECT_EQ(static_cast<UINT>(WM_QUIT), msg.message);
    EXPECT_EQ(0u, msg.wParam);
}
