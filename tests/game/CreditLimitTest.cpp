// However long a coin key is held, the credit counters stop at the largest
// count and never turn negative.
#include <gtest/gtest.h>

#include <climits>

#include "Screen/Screen.h"
#include "Whirlquarium.h"
#include "support/GameRun.h"
#include "support/Isolation.h"

namespace hl = platform::headless;

ISOLATED_TEST(CreditLimit, HeldCoinKeyStopsBothCountersAtTheLargestCountAndABlendStillSpendsOne) {
    platform::SelectHeadlessBackend();
    // Two quarters short of the limit on the Screen, one short on today's total.
    hl::At(30, [] {
        _pScreen->SetCredits(INT_MAX - 2);
        _iCreditsToday = INT_MAX - 1;
    });
    hl::KeyDown(50, VK_RIGHT);  // held for ten frames
    hl::KeyUp(390, VK_RIGHT);
    int iHeld = 0;
    hl::At(400, [&] { iHeld = _pScreen->GetCredits(); });
    hl::PostToWindow(500, WM_LBUTTONDOWN);
    hl::PostToWindow(520, WM_LBUTTONUP);
    hl::PostToWindow(600, WM_RBUTTONDOWN);
    int iAfter = 0;
    hl::At(700, [&] { iAfter = _pScreen->GetCredits(); });
    hl::Close(800);
    const Lines vLog = RunGame();

    EXPECT_EQ(INT_MAX, iHeld);
    EXPECT_EQ(INT_MAX, iAfter) << "one spent, one inserted";
    EXPECT_EQ(3, CountLines(vLog, "Credits = " + std::to_string(INT_MAX - 1)))
        << "the first quarter, the press and the release";
    EXPECT_EQ(11, CountLines(vLog, "Quarter accepted!"));
    EXPECT_EQ(11, CountLines(vLog, "Total Credits Today = " + std::to_string(INT_MAX)));
    EXPECT_EQ(0, CountLines(vLog, "Total Credits Today = " + std::to_string(INT_MIN)));
    for (const std::string& s : vLog) EXPECT_EQ(std::string::npos, s.find("Credits = -")) << s;
    EXPECT_EQ(1, CountLines(vLog, "NOW BLENDING!!!"));
}
