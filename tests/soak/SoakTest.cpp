// Random play: the real game on the headless backend under a seeded player, its invariants checked after every
// frame; WHIRL_SOAK_MINUTES of virtual time (60 when unset), seed WHIRL_SOAK_SEED, summary on standard error. The
// same player with the game's clock started short of 2^31 and of 2^32 ms must see the same games.
#include <gtest/gtest.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <map>
#include <random>
#include <set>

#include "Blender/Blender.h"
#include "Blender/BloodyFishGoo.h"
#include "Blender/Blending.h"
#include "Blender/Calm.h"
#include "Blender/FlipOver.h"
#include "Engine/MessageDispatcher.h"
#include "Fish/Angel.h"
#include "Fish/Fish.h"
#include "Fish/Panic.h"
#include "Platform/headless/Headless.h"
#include "Screen/DeathScoresScreen.h"
#include "Screen/DemoScreen.h"
#include "Screen/SavedScoresScreen.h"
#include "Screen/Screen.h"
#include "Screen/SpeedometerScreen.h"
#include "Whirlquarium.h"
#include "support/ForwardingBackend.h"
#include "support/Isolation.h"

namespace {

namespace hl = platform::headless;

// Background, banner or board, blender body, falling water, fish, the front view under the panicking fish.
const size_t kMaxSprites = 6;
// A few delayed telegrams per sender, and the stale speed-ups of a player mashing the button.
const size_t kMaxQueue = 24;
// Game over, button up, to the next game: 3 s before the blended fish sinks, a second of sinking, 8.3 s of the
// rising angel, the board's 6 s, and frames lost waking up.
const int kResetWithinFrames = 25000 / 34;

// Bytes in use (none seen under the sanitizers, whose leak check ends every child).
long long HeapInUse() { return static_cast<long long>(mallinfo2().uordblks + mallinfo2().hblkhd); }

// The headless backend behind a probe: the game's clock starts at dwTickOffset (scripted input keeps the virtual
// clock), and fnFrame runs when an image reaches the window: the first paint's, then each frame's.
class Probe final : public ForwardingBackend {
public:
    Probe(DWORD dwTickOffset, std::function<void()> fnFrame) : m_dwOffset(dwTickOffset), m_fnFrame(fnFrame) {}
    void Present(const uint8_t* p, int w, int h, ptrdiff_t s) override {
        ForwardingBackend::Present(p, w, h, s);
        m_fnFrame();
    }
    DWORD Ticks() override { return ForwardingBackend::Ticks() + m_dwOffset; }

private:
    DWORD m_dwOffset;
    std::function<void()> m_fnFrame;
};

// The player: bursts of input, each planned when the one before is over.
class Player {
public:
    Player(uint64_t uiSeed, uint64_t uiEnd) : m_rng(uiSeed), m_uiEnd(uiEnd) { hl::At(50, [this] { Plan(); }); }

private:
    uint64_t U(uint64_t uiLow, uint64_t uiHi) { return std::uniform_int_distribution<uint64_t>(uiLow, uiHi)(m_rng); }
    bool P(double d) { return std::bernoulli_distribution(d)(m_rng); }
    static void Key(uint64_t t, uint64_t uiUp, int iKey) { hl::KeyDown(DWORD(t), iKey), hl::KeyUp(DWORD(uiUp), iKey); }
    static void Click(uint64_t t, uint64_t uiUp, UINT uiDown) {  // a button's up message follows its down message
        hl::PostToWindow(DWORD(t), uiDown), hl::PostToWindow(DWORD(uiUp), uiDown + 1);
    }
    void Quarter(uint64_t t) { P(0.5) ? Click(t, t + U(20, 200), WM_RBUTTONDOWN) : Key(t, t + U(5, 120), VK_RIGHT); }
    void Flip(uint64_t t) { P(0.5) ? Click(t, t + U(20, 200), WM_MBUTTONDOWN) : Key(t, t + U(5, 400), VK_DOWN); }
    // A moment after the blender starts while the speedometer reads iSpeed (a step a second up to 7, then one
    // every two seconds), clear of its steps.
    uint64_t WhileAt(int i) {
        auto Reached = [](int j) -> uint64_t { return j <= 7 ? (j - 1) * 1000 : 6000 + (j - 7) * 2000; };
        return U(Reached(i) + 120, i == 10 ? 22000 : Reached(i + 1) - 60);
    }

    // The blender button held, with a credit often through a flip; the speeds aimed at take turns.
    uint64_t Press(uint64_t t, bool bCredit) {
        const double d = std::uniform_real_distribution<double>(0, 1)(m_rng);
        uint64_t uiHold = !bCredit ? U(1, 2000) : d < 0.12 ? U(1, 40) : d > 0.95 ? U(22000, 45000) : 0;
        if (!uiHold) uiHold = WhileAt(m_iRelease = m_iRelease % 10 + 1);
        if (bCredit && P(0.35)) {
            const uint64_t uiFlip = WhileAt(m_iFlip = m_iFlip % 9 + 1);
            Flip(t + uiFlip), uiHold = std::max(uiHold, uiFlip + U(0, 2000));
        } else if (P(0.15)) {
            Flip(t + U(0, uiHold + 500));
        }
        const uint64_t uiUp = t + uiHold;
        if (P(0.5)) Click(t, uiUp, WM_LBUTTONDOWN);
        else  // the up arrow lets go of the left arrow
            Key(t, P(0.7) ? uiUp : uiUp + U(0, 300), VK_LEFT), Key(uiUp, uiUp + U(5, 200), VK_UP);
        if (P(0.1)) Quarter(t + U(0, uiHold));
        return uiUp + U(0, 2000);
    }

    // Keys and buttons at random, pressed and let go within a frame or held for seconds: the coin only while poor,
    // a flip in one mash of four.
    uint64_t Mash(uint64_t t) {
        static const int aiKeys[] = {VK_LEFT, VK_UP, VK_DOWN, VK_RIGHT};
        static const UINT auiButtons[] = {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
        const uint64_t uiEnd = t + U(500, 4000);
        const bool bFlips = P(0.25);
        for (uint64_t u = t; u < uiEnd; u += U(3, 120)) {
            const uint64_t uiLen = P(0.8) ? U(1, 150) : U(150, 2500);
            const int iKey = aiKeys[U(0, 3)];
            const UINT uiButton = auiButtons[U(0, 2)];
            if (P(0.5) && !(iKey == VK_RIGHT && m_bRich) && !(iKey == VK_DOWN && !bFlips))
                Key(u, u + (iKey == VK_RIGHT && P(0.9) ? std::min<uint64_t>(uiLen, 100) : uiLen), iKey);
            else if (!(uiButton == WM_RBUTTONDOWN && m_bRich) && !(uiButton == WM_MBUTTONDOWN && !bFlips))
                Click(u, u + uiLen, uiButton);
        }
        return uiEnd + U(0, 2500);
    }

    void Plan() {
        const uint64_t t = hl::Now() + U(0, 50);
        if (t >= m_uiEnd) return hl::Close(DWORD(t));
        const int iCredits = _pScreen ? _pScreen->GetCredits() : 0;
        // Now and then a minute or two without quarters: the credits run out and the boards cycle.
        if (t >= m_uiNextBroke)
            m_uiBrokeUntil = t + U(30000, 120000), m_uiNextBroke = m_uiBrokeUntil + U(300000, 900000);
        const bool bBroke = t < m_uiBrokeUntil, bOver = _pScreen && _pScreen->GameOver();
        const bool bIdleBoard = _pScreen && _pScreen->LookingAtScores() && !bOver;
        m_bRich = iCredits > 4 || bBroke;
        const double adWeights[] = {
            bBroke ? (bIdleBoard ? 12.0 : 0.0) : iCredits < 3 ? 6.0 : m_bRich ? 0.2 : 1.0,  // a quarter
            iCredits > 0 ? 40.0 : 14.0,        // the blender button
            2.0, 2.0, 8.0, 5.0,                // a flip, the focus lost a while, a pause, mashing
            bBroke && !iCredits ? 6.0 : 0.0};  // the boards cycled with no credit, then a quarter while one is up
        uint64_t uiNext = t;
        switch (std::discrete_distribution<int>(std::begin(adWeights), std::end(adWeights))(m_rng)) {
        case 0: Quarter(t), uiNext = t + U(100, 1500); break;
        case 1: uiNext = Press(t, iCredits > 0 && !bOver); break;
        case 2: Flip(t), uiNext = t + U(100, 4000); break;
        case 3:
            uiNext = t + U(10, P(0.8) ? 3000 : 40000);
            hl::Activate(DWORD(t), FALSE), hl::Activate(DWORD(uiNext), TRUE);
            break;
        case 4: uiNext = t + (P(0.9) ? U(500, 5000) : U(5000, 30000)); break;
        case 5: uiNext = Mash(t); break;
        case 6:
            Click(t, t + U(20, 150), WM_LBUTTONDOWN), Click(t + 300, t + 300 + U(20, 150), WM_LBUTTONDOWN);
            Quarter(uiNext = t + U(600, 2500));
            break;
        }
        hl::At(DWORD(std::max(uiNext + U(0, 2000), t + 1)), [this] { Plan(); });
    }

    std::mt19937_64 m_rng;
    uint64_t m_uiEnd, m_uiBrokeUntil = 0, m_uiNextBroke = 120000;
    int m_iRelease = 0, m_iFlip = 0;  // the speeds aimed at last
    bool m_bRich = false;             // no more quarters for now
};

struct Report {
    uint64_t uiMs = 0, uiFrames = 0, uiDigest = 14695981039346656037ull;  // of what each frame shows, and when
    int iBlended = 0, iSaved = 0, iBoardCycles = 0, iCreditsOnBoards = 0, iViolations = 0;
    std::map<int, int> mReleases, mFlips;  // by the speed reading; 0: before the blender spun
    std::vector<std::string> vViolations;
    std::vector<long long> vHeapAtResets;
};

// Watches the game after every frame: what must always hold, and what changed since the frame before.
class Referee {
public:
    explicit Referee(Report& r) : m_r(r) {}

    void Frame() {
        const State<Screen>* pScreen = _pScreen->GetFSM()->CurrentState();
        const State<Blender>* pBlender = _pBlender->GetFSM()->CurrentState();
        const State<Fish>* pFish = _pDorode->GetFSM()->CurrentState();
        const bool bBoard = pScreen == DeathScoresScreen::Instance() || pScreen == SavedScoresScreen::Instance();
        const bool bOver = _pScreen->GameOver(), bBlending = _pBlender->GetBlending();
        const int iCredits = _pScreen->GetCredits(), iSpeed = _pScreen->GetSpeed();
        const std::vector<Sprite*>& vSprites = _pGame->GetSprites();
        Mix({hl::Now(), uint64_t(pScreen), uint64_t(pBlender), uint64_t(pFish), uint64_t(iCredits)});
        for (Sprite* p : vSprites) Mix({uint64_t(p->GetPosition().left), uint64_t(p->GetPosition().top)});
        ++m_r.uiFrames;

        Check(vSprites.size() <= kMaxSprites, "more sprites than the game can show");
        for (Sprite* pSprite : vSprites) Check(!pSprite->IsDying(), "a killed sprite outlived the sprite update");
        for (const Sprite* pSlot : {_pScreen->GetCurrentSprite(), _pScreen->GetSecondarySprite(),
                                    _pBlender->GetCurrentSprite(), _pBlender->GetSecondarySprite(),
                                    _pDorode->GetCurrentSprite(), _pDorode->GetSecondarySprite(),
                                    _pDorode->GetSpeechBubbleSprite()})
            Check(!pSlot || std::count(vSprites.begin(), vSprites.end(), pSlot), "a slot names a sprite let go");
        Check(_pScreen->GetSecondarySprite() && _pBlender->GetCurrentSprite(), "no background or no blender");
        Check(_pDorode->GetCurrentSprite() || (pFish == Panic::Instance() && !_pDorode->StillAlive()) ||
                  (pFish == Angel::Instance() && _pDorode->Ascended()), "no fish, neither dead nor risen");
        Check(_pScreen->LookingAtScores() == bBoard, "the score-board flag disagrees with the Screen's state");
        Check(iCredits >= 0 && iSpeed >= 0 && iSpeed <= 10, "credits or speed out of range");
        Check(pScreen != SpeedometerScreen::Instance() || pBlender != Calm::Instance(), "speedometer, calm blender");
        Check((pBlender != Blending::Instance() && pBlender != BloodyFishGoo::Instance()) ||
                  pScreen == SpeedometerScreen::Instance() || pScreen == DeathScoresScreen::Instance(),
              "the blender spins with no speedometer");
        Check((pBlender != FlipOver::Instance() && !_pDorode->GiveUp()) || bOver, "a flip or a death, not game over");
        Check(MessageDispatcher::Instance()->QueueLength() <= kMaxQueue, "the delayed-telegram queue keeps growing");
        m_iFramesOver = bOver ? m_iFramesOver + !bBlending : 0;  // the blended fish waits for the button
        Check(m_iFramesOver <= kResetWithinFrames, "the game is over and no new game follows");
        if (m_r.uiFrames == 1) m_iCredits = iCredits;

        // A credit spent starts the blender at its next update, unless let go before it.
        if (iCredits < m_iCredits && pBlender != Blending::Instance() &&
            !(pBlender == FlipOver::Instance() && _pBlender->Canceled())) {
            Check(!bBlending && pBlender != BloodyFishGoo::Instance(), "a spent credit did not start the blender");
            ++m_r.mReleases[0];
        }
        m_r.iCreditsOnBoards += iCredits > m_iCredits && bBoard;
        if (m_pBlender == Blending::Instance() && pBlender == Calm::Instance()) ++m_r.mReleases[m_iSpeed];
        if (m_pBlender == BloodyFishGoo::Instance() && m_bBlending && !bBlending) ++m_r.mReleases[10];
        if (m_pBlender != FlipOver::Instance() && pBlender == FlipOver::Instance())
            ++m_r.mFlips[m_pBlender == Blending::Instance() ? m_iSpeed : 0];
        m_r.iBoardCycles += bBoard && pScreen != m_pScreen && !bOver;
        if (m_bOver && !bOver) {  // just reset from a board: the fresh game of start-up, in the attract display
            m_r.iBlended += m_pScreen == DeathScoresScreen::Instance();
            m_r.iSaved += m_pScreen == SavedScoresScreen::Instance();
            Check(m_r.iBlended + m_r.iSaved == ++m_iGames, "a game ended without a board");
            std::multiset<const Bitmap*> setShown;
            for (Sprite* pSprite : vSprites) setShown.insert(pSprite->GetBitmap());
            Check(setShown == std::multiset<const Bitmap*>{_pTitleScreenBitmap, _pBackgroundBitmap, _pSwimLeftBitmap,
                                                           _pBlenderCalmBitmap},
                  "a new game shows more or less than banner, background, fish and calm blender");
            Check(pScreen == DemoScreen::Instance() && pBlender == Calm::Instance() && !_pBlender->Saved() &&
                      !_pDorode->GiveUp(), "a new game does not start in the attract display");
            m_r.vHeapAtResets.push_back(HeapInUse());
        }
        m_pScreen = pScreen, m_pBlender = pBlender, m_iCredits = iCredits, m_iSpeed = iSpeed;
        m_bBlending = bBlending, m_bOver = bOver;
    }

private:
    void Mix(std::initializer_list<uint64_t> vValues) {
        for (uint64_t ui : vValues) m_r.uiDigest = (m_r.uiDigest ^ ui) * 1099511628211ull;
    }
    void Check(bool bHolds, const char* szWhat) {
        if (!bHolds && ++m_r.iViolations <= 20)
            m_r.vViolations.push_back("frame " + std::to_string(m_r.uiFrames) + ", tick " + std::to_string(hl::Now()) +
                                      ": " + szWhat);
    }

    Report& m_r;
    const State<Screen>* m_pScreen = nullptr;
    const State<Blender>* m_pBlender = nullptr;
    int m_iCredits = 0, m_iSpeed = 0, m_iFramesOver = 0, m_iGames = 0;
    bool m_bBlending = false, m_bOver = false;
};

// Plays in a child process (the game's singletons start fresh) until the virtual time is over, checks the report
// there, and hands back the digest of the frames.
uint64_t Play(uint64_t uiSeed, uint64_t uiMs, DWORD dwTickOffset, std::function<void(const Report&)> fnExpect) {
    int aiPipe[2];
    if (pipe(aiPipe) != 0) return 0;
    isolation::RunInChild([&] {
        Report r;
        Referee referee(r);
        Probe probe(dwTickOffset, [&] { if (_pGame && _pScreen) referee.Frame(); });
        Player player(uiSeed, r.uiMs = uiMs);
        struct : std::streambuf {
            int overflow(int c) override { return traits_type::not_eof(c); }
        } nowhere;  // for the console log
        std::streambuf* pLog = std::cout.rdbuf(&nowhere);
        WinMain(GetModuleHandle(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
        std::cout.rdbuf(pLog);
        const std::vector<long long>& v = r.vHeapAtResets;  // in use at a reset early on, and the most at one late
        const long long llEarly = v.size() < 8 ? 0 : v[v.size() / 8];
        const long long llLate = v.size() < 8 ? 0 : *std::max_element(v.end() - v.size() / 4, v.end());
        std::cerr << "soak: " << uiMs / 1000 << " s, " << r.uiFrames << " frames, " << r.iBlended << " blended, "
                  << r.iSaved << " saved, " << r.iBoardCycles << " board cycles, " << r.iCreditsOnBoards
                  << " credits on boards; heap at resets " << llEarly << ", " << llLate << " late; " << r.iViolations
                  << " violations\nsoak: releases, flips by speed:";
        for (int i = 0; i <= 10; ++i) std::cerr << " " << i << ":" << r.mReleases[i] << "," << r.mFlips[i];
        std::cerr << std::endl;

        EXPECT_GT(r.uiFrames, uiMs / 34 / 2) << "the game stopped running frames";
        for (const std::string& s : r.vViolations) ADD_FAILURE() << s;
        EXPECT_EQ(r.iViolations, 0);
        EXPECT_LT(llLate - llEarly, 64 * 1024) << "memory in use grows from game to game";
        fnExpect(r);
        if (write(aiPipe[1], &r.uiDigest, sizeof r.uiDigest) != sizeof r.uiDigest) ADD_FAILURE() << "no digest";
    });
    uint64_t uiDigest = 0;
    close(aiPipe[1]);
    if (read(aiPipe[0], &uiDigest, sizeof uiDigest) != sizeof uiDigest) uiDigest = 0;
    close(aiPipe[0]);
    return uiDigest;
}

}  // namespace

TEST(Soak, RandomPlayKeepsEveryInvariant) {
    const char *szMinutes = std::getenv("WHIRL_SOAK_MINUTES"), *szSeed = std::getenv("WHIRL_SOAK_SEED");
    const double dMinutes = std::max(0.1, szMinutes && *szMinutes ? std::atof(szMinutes) : 60.0);
    const uint64_t uiSeed = szSeed && *szSeed ? std::strtoull(szSeed, nullptr, 10) : 20250101;
    Play(uiSeed, uint64_t(dMinutes * 60000), 0, [](const Report& r) {
        const int iMany = int(r.uiMs / 3600000) + 1;  // every path, once an hour at least, in runs of an hour or more
        if (r.uiMs < 3600000) return;
        EXPECT_TRUE(r.iBlended >= iMany && r.iSaved >= iMany && r.iBoardCycles >= iMany && r.iCreditsOnBoards >= iMany);
        for (int i = 0; i <= 10; ++i)
            EXPECT_TRUE(r.mReleases.at(i) >= iMany && r.mFlips.at(i) >= (i < 10 ? iMany : 0)) << "at speed " << i;
    });
}

// A signed tick count turns negative at 2^31 ms, and the count wraps at 2^32: started two minutes short of either,
// the game plays frame for frame as it does from 0.
TEST(Soak, PlaysTheSameGamesAcrossTheSignBoundaryAndTheWrapOfTheTickCount) {
    const auto fnGames = [](const Report& r) { EXPECT_GE(r.iBlended + r.iSaved, 4); };
    const uint64_t uiFromZero = Play(7, 6 * 60 * 1000, 0, fnGames);
    EXPECT_EQ(Play(7, 6 * 60 * 1000, 0x80000000u - 120000, fnGames), uiFromZero);
    EXPECT_EQ(Play(7, 6 * 60 * 1000, 0u - 120000u, fnGames), uiFromZero);
}
