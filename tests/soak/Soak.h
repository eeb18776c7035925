// Hours of random play: the real game on the headless backend, driven by a
// seeded random player, with the game's invariants checked after every frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "Platform/Win32.h"

namespace soak {

// Live sprites the game can hold at once: the Screen's background and top
// sprite, the Blender's body and falling water, the Fish's sprite and its
// second sprite (the front view of the panicking fish). The speech-bubble slot
// is never filled.
const size_t kMaxSprites = 6;
// Delayed telegrams that can wait at once. Each sender keeps at most one or two
// of a kind queued (the speedometer's step, the fish's turns and jumps, the
// blender's gravity, the board's new game), and a repeat due within 250 ms of a
// queued one is refused; a player mashing the button can leave a few stale
// speed-ups behind.
const size_t kMaxQueue = 24;
// Running time from "game over, button released" to the three resets of the
// next game. The longest path is the blended fish: 3 s before it sinks, about
// a second to sink, its angel rising 245 pixels at one a frame (8.3 s), then
// the board's 6 s. 25 s of frames leave room for frames lost to waking up.
const int kResetWithinFrames = 25000 / 34;

struct Options {
    uint64_t uiSeed = 1;
    uint64_t uiVirtualMs = 10 * 60 * 1000;  // how long the player plays
    DWORD dwTickOffset = 0;                 // where the game's clock starts
};

struct Report {
    uint64_t uiFrames = 0;
    uint64_t uiVirtualMs = 0;
    int iGamesBlended = 0;
    int iGamesSaved = 0;
    int iResets = 0;            // full resets, the one at start-up included
    int iMostFramesToReset = 0;  // from game over with the button up
    size_t nPeakSprites = 0;
    size_t nPeakQueue = 0;
    int iSpins = 0;            // credits spent that started the blender
    int iQuickReleases = 0;    // credits spent by a press and release between two updates
    int iBoardCycles = 0;
    int iCreditsOnIdleBoards = 0;
    int iCreditsOnEndBoards = 0;
    int iDeactivations = 0;
    uint64_t uiLongestHoldMs = 0;  // longest a key or button was held
    int iPeakCredits = 0;
    std::map<int, int> mReleasesAtSpeed;  // 0: before the blender spun
    std::map<int, int> mFlipsAtSpeed;     // 0: the calm blender
    long long llHeapAfterWarmUp = -1;     // bytes in use at a reset early in the run
    long long llHeapLatePeak = -1;        // the most in use at a reset in the last quarter
    long lPeakRssKb = 0;
    uint64_t uiViolations = 0;
    std::vector<std::string> vViolations;  // the first few, with frame and tick
};

// Plays until the virtual time is over, then closes the window; the game's
// own shutdown runs. Must run in a process of its own (the game's singletons).
Report Run(const Options& options);

// The length of the run from the environment: WHIRL_SOAK_MINUTES (virtual
// minutes), or the given default.
uint64_t VirtualMsFromEnvironment(uint64_t uiDefaultMinutes);
uint64_t SeedFromEnvironment(uint64_t uiDefault);

void Print(std::ostream& out, const Report& report);

}  // namespace soak
