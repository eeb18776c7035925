// The frame loop of WinMain: its pace from the start and in a cabinet that runs
// for months, whose tick count passes 2^31 after 24.8 days and wraps at 2^32
// after 49.7; and the frame delay.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "Platform/headless/Headless.h"
#include "engine/GameHooks.h"
#include "support/Isolation.h"

namespace headless = platform::headless;

TEST(FrameLoop, RunsAFrameEachDelayPlusOneWithoutCatchingUpFromAnyTickCount) {
    auto closeAfter100 = [] {
        Hooks().fnCycle = [] {
            if (Hooks().vCycles.size() == 100) PostMessage(GameEngine::GetEngine()->GetWindow(), WM_CLOSE, 0, 0);
        };
    };
    std::vector<DWORD> vSteady;
    for (DWORD dw = 1; vSteady.size() < 100; dw += 34) vSteady.push_back(dw);
    const struct {
        const char* szWhat;
        uint64_t qwStart;
        std::function<void()> fnScript;     // events at ticks from 0
        std::vector<DWORD> vKeys, vCycles;  // frame ticks from the start
    } aRuns[] = {
        {"none while asleep", 0,
         [] {
             headless::Activate(100, FALSE);
             headless::Activate(200, TRUE);
             headless::Close(240);
         },
         {1, 35, 69, 200, 234}, {1, 35, 69, 200, 234}},
        {"escape is seen at a frame, which then has no cycle", 0,
         [] { headless::KeyDown(50, VK_ESCAPE); }, {1, 35, 69}, {1, 35}},
        {"an overrunning frame delays the next", 0,
         [] {
             Hooks().fnCycle = [] {
                 if (GetTickCount() == 1) MsgWaitForMultipleObjects(0, NULL, FALSE, 100, QS_ALLINPUT);
             };
             headless::Close(150);
         },
         {1, 101, 135}, {1, 101, 135}},
        {"past 2^31", (uint64_t{1} << 31) - 1700, closeAfter100, vSteady, vSteady},
        {"across the wrap", (uint64_t{1} << 32) - 1700, closeAfter100, vSteady, vSteady},
    };
    for (const auto& run : aRuns) {
        SCOPED_TRACE(run.szWhat);
        isolation::RunInChild([&] {
            platform::SelectHeadlessBackend();
            for (uint64_t qwLeft = run.qwStart; qwLeft > 0;) {
                const DWORD dwStep = static_cast<DWORD>(std::min<uint64_t>(qwLeft, 0x7FFFFFFF));
                MsgWaitForMultipleObjects(0, NULL, FALSE, dwStep, QS_ALLINPUT);
                qwLeft -= dwStep;
            }
            run.fnScript();
            WinMain(GetModuleHandle(NULL), NULL, const_cast<LPSTR>(""), SW_SHOWNORMAL);
            for (std::vector<DWORD>* pTicks : {&Hooks().vKeys, &Hooks().vCycles})
                for (DWORD& dw : *pTicks) dw -= static_cast<DWORD>(run.qwStart);
            EXPECT_EQ(run.vKeys, Hooks().vKeys);
            EXPECT_EQ(run.vCycles, Hooks().vCycles);
        });
    }
}

TEST(FrameLoop, TheFrameDelayComesFromTheRateAndARateOfZeroOrLessLeavesIt) {
    GameEngine engine(NULL, "Rate", "Rate", 0, 0);
    std::vector<int> vDelays;
    for (int iRate : {30, 1000, 0, -5}) vDelays.push_back((engine.SetFrameRate(iRate), engine.GetFrameDelay()));
    EXPECT_EQ((std::vector<int>{33, 1, 1, 1}), vDelays);
}
