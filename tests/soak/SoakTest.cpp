// Random play on the headless backend: the length of the run comes from
// WHIRL_SOAK_MINUTES (virtual minutes; 60 when unset), the seed from
// WHIRL_SOAK_SEED. The summary goes to standard error.
#include <gtest/gtest.h>

#include <iostream>

#include "soak/Soak.h"
#include "support/Isolation.h"

namespace {

void ExpectClean(const soak::Report& report) {
    EXPECT_GT(report.uiFrames, report.uiVirtualMs / 34 / 2) << "the game stopped running frames";
    EXPECT_EQ(0u, report.uiViolations);
    for (const std::string& s : report.vViolations) ADD_FAILURE() << s;
    EXPECT_LE(report.nPeakSprites, soak::kMaxSprites);
    EXPECT_LE(report.nPeakQueue, soak::kMaxQueue);
    EXPECT_LE(report.iMostFramesToReset, soak::kResetWithinFrames);
    if (report.llHeapAfterWarmUp >= 0) {
        // Every new game starts from the same objects: memory in use at a reset stays flat.
        EXPECT_LT(report.llHeapLatePeak - report.llHeapAfterWarmUp, 64 * 1024)
            << "memory in use grows from game to game";
    }
}

// Every path of the game, many times over a long enough run.
void ExpectEveryPathTaken(const soak::Report& report) {
    const int iMany = static_cast<int>(report.uiVirtualMs / (60 * 60 * 1000)) + 1;  // one an hour at least
    EXPECT_GE(report.iGamesBlended, iMany);
    EXPECT_GE(report.iGamesSaved, iMany);
    for (int iSpeed = 0; iSpeed <= 10; ++iSpeed) {
        auto it = report.mReleasesAtSpeed.find(iSpeed);
        EXPECT_TRUE(it != report.mReleasesAtSpeed.end() && it->second >= iMany) << "releases at speed " << iSpeed;
    }
    for (int iSpeed = 0; iSpeed <= 9; ++iSpeed) {
        auto it = report.mFlipsAtSpeed.find(iSpeed);
        EXPECT_TRUE(it != report.mFlipsAtSpeed.end() && it->second >= iMany) << "flips at speed " << iSpeed;
    }
    EXPECT_GE(report.iBoardCycles, iMany);
    EXPECT_GE(report.iCreditsOnIdleBoards, iMany);
    EXPECT_GE(report.iCreditsOnEndBoards, iMany);
    EXPECT_GE(report.iQuickReleases, iMany);
    EXPECT_GE(report.iDeactivations, iMany);
    EXPECT_GE(report.uiLongestHoldMs, 20000u);
}

}  // namespace

ISOLATED_TEST(Soak, RandomPlayKeepsEveryInvariant) {
    soak::Options options;
    options.uiSeed = soak::SeedFromEnvironment(20250101);
    options.uiVirtualMs = soak::VirtualMsFromEnvironment(60);
    const soak::Report report = soak::Run(options);
    soak::Print(std::cerr, report);
    ExpectClean(report);
    if (report.uiVirtualMs >= 60 * 60 * 1000) ExpectEveryPathTaken(report);
    // Under the sanitizers, the isolated body's end looks for leaks: the game has shut down by then.
}

// The same player with the game's clock two minutes short of the point where a
// signed tick count turns negative, and of the point where the count wraps.
ISOLATED_TEST(Soak, RandomPlayGoesOnAcrossTheSignBoundaryOfTheTickCount) {
    soak::Options options;
    options.uiSeed = 7;
    options.uiVirtualMs = 6 * 60 * 1000;
    options.dwTickOffset = 0x80000000u - 120000;
    const soak::Report report = soak::Run(options);
    soak::Print(std::cerr, report);
    ExpectClean(report);
    EXPECT_GE(report.iGamesBlended + report.iGamesSaved, 4);
}

ISOLATED_TEST(Soak, RandomPlayGoesOnAcrossTheWrapOfTheTickCount) {
    soak::Options options;
    options.uiSeed = 11;
    options.uiVirtualMs = 6 * 60 * 1000;
    options.dwTickOffset = 0u - 120000u;
    const soak::Report report = soak::Run(options);
    soak::Print(std::cerr, report);
    ExpectClean(report);
    EXPECT_GE(report.iGamesBlended + report.iGamesSaved, 4);
}
