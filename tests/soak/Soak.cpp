#include "soak/Soak.h"

#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <random>
#include <set>
#include <sstream>
#include <streambuf>

#include "Blender/Blender.h"
#include "Blender/BloodyFishGoo.h"
#include "Blender/Blending.h"
#include "Blender/Calm.h"
#include "Blender/FlipOver.h"
#include "Engine/MessageDispatcher.h"
#include "Fish/Angel.h"
#include "Fish/Fish.h"
#include "Fish/FlopAway.h"
#include "Fish/Panic.h"
#include "Fish/Saved.h"
#include "Fish/SwimLeft.h"
#include "Fish/SwimRight.h"
#include "Fish/SwimTowardPlayer.h"
#include "Platform/Headless.h"
#include "Screen/DeathScoresScreen.h"
#include "Screen/DemoScreen.h"
#include "Screen/SavedScoresScreen.h"
#include "Screen/Screen.h"
#include "Screen/SpeedometerScreen.h"
#include "Whirlquarium.h"
#include "soak/SoakBackend.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's allocator counts what is in use (GCC ships no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace soak {
namespace {

namespace hl = platform::headless;

// Bytes the program has allocated and not freed.
long long HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
#else
    struct mallinfo2 info = mallinfo2();
    return static_cast<long long>(info.uordblks + info.hblkhd);
#endif
}

// Takes the console log line by line and keeps none of it.
class LineTap : public std::streambuf {
public:
    template <class F>
    explicit LineTap(F fnLine) : m_fnLine(fnLine) {
        m_sLine.reserve(256);
    }

protected:
    int overflow(int c) override {
        if (c == traits_type::eof()) return traits_type::not_eof(c);
        if (c == '\n') {
            m_fnLine(m_sLine);
            m_sLine.clear();
        } else {
            m_sLine.push_back(static_cast<char>(c));
        }
        return c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        for (std::streamsize i = 0; i < n; ++i) overflow(static_cast<unsigned char>(s[i]));
        return n;
    }

private:
    std::function<void(const std::string&)> m_fnLine;
    std::string m_sLine;
};

bool StartsWith(const std::string& s, const char* szPrefix) { return s.rfind(szPrefix, 0) == 0; }

// The player: bursts of input, each planned when the one before is over.
class Player {
public:
    Player(uint64_t uiSeed, uint64_t uiEnd, Report& report) : m_rng(uiSeed), m_uiEnd(uiEnd), m_report(report) {}

    void Start() { hl::At(50, [this] { Plan(); }); }

private:
    uint64_t Uniform(uint64_t uiLow, uint64_t uiHigh) {
        return std::uniform_int_distribution<uint64_t>(uiLow, uiHigh)(m_rng);
    }
    bool Chance(double dP) { return std::bernoulli_distribution(dP)(m_rng); }

    void Key(uint64_t uiDown, uint64_t uiUp, int iKey) {
        hl::KeyDown(static_cast<DWORD>(uiDown), iKey);
        hl::KeyUp(static_cast<DWORD>(uiUp), iKey);
        Held(uiUp - uiDown);
    }
    void Click(uint64_t uiDown, uint64_t uiUp, UINT uiDownMsg, UINT uiUpMsg) {
        hl::PostToWindow(static_cast<DWORD>(uiDown), uiDownMsg);
        hl::PostToWindow(static_cast<DWORD>(uiUp), uiUpMsg);
        Held(uiUp - uiDown);
    }
    void Held(uint64_t uiMs) { m_report.uiLongestHoldMs = std::max(m_report.uiLongestHoldMs, uiMs); }

    void Quarter(uint64_t t) {
        if (Chance(0.5))
            Click(t, t + Uniform(20, 200), WM_RBUTTONDOWN, WM_RBUTTONUP);
        else
            Key(t, t + Uniform(5, 120), VK_RIGHT);  // a tap shorter than a frame may go unseen
    }

    void Flip(uint64_t t) {
        if (Chance(0.5))
            Click(t, t + Uniform(20, 200), WM_MBUTTONDOWN, WM_MBUTTONUP);
        else
            Key(t, t + Uniform(5, 400), VK_DOWN);
    }

    // When the speedometer reads iSpeed, counted from the start of the blender:
    // it steps once a second up to 7, then once every two seconds.
    static uint64_t Reached(int iSpeed) { return iSpeed <= 7 ? (iSpeed - 1) * 1000 : 6000 + (iSpeed - 7) * 2000; }

    // A moment while the speedometer reads iSpeed, a little off either step.
    uint64_t WhileAt(int iSpeed) {
        const uint64_t uiTo = iSpeed == 10 ? 22000 : Reached(iSpeed + 1) - 60;
        return Uniform(Reached(iSpeed) + 120, uiTo);
    }

    // Presses the blender button and lets it go; returns when the burst ends.
    uint64_t Press(uint64_t t) {
        uint64_t uiHold;
        const double dKind = std::uniform_real_distribution<double>(0, 1)(m_rng);
        if (dKind < 0.12)
            uiHold = Uniform(1, 40);  // often within one frame
        else if (dKind < 0.85)
            uiHold = WhileAt(static_cast<int>(Uniform(1, 10)));
        else
            uiHold = Uniform(22000, 45000);  // past the end of the game
        if (Chance(0.45)) {
            // A flip at a chosen reading.
            const uint64_t uiFlip = WhileAt(static_cast<int>(Uniform(1, 9)));
            Flip(t + uiFlip);
            uiHold = std::max(uiHold, uiFlip + Uniform(0, 2000));
        } else if (Chance(0.15)) {
            Flip(t + Uniform(0, uiHold + 500));
        }
        const uint64_t uiRelease = t + uiHold;
        if (Chance(0.5)) {
            Click(t, uiRelease, WM_LBUTTONDOWN, WM_LBUTTONUP);
        } else {
            // The left arrow presses for as long as it is held; the up arrow lets go.
            const uint64_t uiLeftUp = Chance(0.7) ? uiRelease : uiRelease + Uniform(0, 300);
            Key(t, uiLeftUp, VK_LEFT);
            Key(uiRelease, uiRelease + Uniform(5, 200), VK_UP);
        }
        if (Chance(0.1)) Quarter(t + Uniform(0, uiHold));
        return uiRelease + Uniform(0, 3000);
    }

    uint64_t Mash(uint64_t t) {
        const uint64_t uiEnd = t + Uniform(500, 4000);
        static const int aiKeys[] = {VK_LEFT, VK_UP, VK_DOWN, VK_RIGHT};
        static const UINT auiDown[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
        static const UINT auiUp[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
        for (uint64_t u = t; u < uiEnd; u += Uniform(3, 120)) {
            uint64_t uiLen = Chance(0.8) ? Uniform(1, 150) : Uniform(150, 2500);
            // The coins only while credits are few, and the coin key held long only now and then.
            const bool bCoins = !m_bRich;
            if (Chance(0.5)) {
                const int iKey = aiKeys[Uniform(0, bCoins ? 3 : 2)];
                if (iKey == VK_RIGHT && Chance(0.9)) uiLen = std::min<uint64_t>(uiLen, 100);
                Key(u, u + uiLen, iKey);
            } else {
                const size_t i = static_cast<size_t>(Uniform(0, 2));
                if (bCoins || i != 1) Click(u, u + uiLen, auiDown[i], auiUp[i]);
            }
            if (Chance(0.02)) Activation(u, Uniform(1, 500));
        }
        return uiEnd + Uniform(0, 2500);
    }

    void Activation(uint64_t t, uint64_t uiAway) {
        hl::Activate(static_cast<DWORD>(t), FALSE);
        hl::Activate(static_cast<DWORD>(t + uiAway), TRUE);
        ++m_report.iDeactivations;
    }

    void Plan() {
        const uint64_t t = hl::Now() + Uniform(0, 50);
        if (t >= m_uiEnd) {
            hl::Close(static_cast<DWORD>(t));
            return;
        }
        const int iCredits = _pScreen ? _pScreen->GetCredits() : 0;
        // Now and then the player goes without quarters for a few minutes, runs
        // out of credits, cycles the boards and drops a quarter while one is up.
        if (t >= m_uiNextBroke) {
            m_uiBrokeUntil = t + Uniform(60000, 240000);
            m_uiNextBroke = m_uiBrokeUntil + Uniform(120000, 600000);
        }
        const bool bBroke = t < m_uiBrokeUntil;
        const bool bIdleBoard = _pScreen && _pScreen->LookingAtScores() && !_pScreen->GameOver();
        m_bRich = iCredits > 4 || bBroke;
        // Weights lean on the credits, so that the player runs out now and then
        // (the boards cycle) and never hoards without end.
        const double adWeights[] = {
            bBroke ? (bIdleBoard ? 12.0 : 0.0) : iCredits < 3 ? 6.0 : m_bRich ? 0.2 : 1.0,  // a quarter
            m_bRich ? 0.0 : 0.5,          // the coin key held for seconds
            iCredits > 0 ? 30.0 : 14.0,   // the blender button
            5.0,                          // a flip on its own
            2.0,                          // the window loses and regains focus
            8.0,                          // a pause
            4.0,                          // mashing
            0.8,                          // the flip key held for seconds
            iCredits > 4 ? 6.0 : 0.0,     // the button tapped again and again
        };
        uint64_t uiNext = t;
        if (bBroke && iCredits == 0 && Chance(0.25)) {
            // The boards cycled with no credit, and a quarter while one is up.
            Click(t, t + Uniform(20, 150), WM_LBUTTONDOWN, WM_LBUTTONUP);
            if (Chance(0.5)) Click(t + 300, t + 300 + Uniform(20, 150), WM_LBUTTONDOWN, WM_LBUTTONUP);
            const uint64_t uiQuarter = t + Uniform(600, 2500);
            Quarter(uiQuarter);
            hl::At(static_cast<DWORD>(uiQuarter + Uniform(200, 2000)), [this] { Plan(); });
            return;
        }
        switch (std::discrete_distribution<int>(std::begin(adWeights), std::end(adWeights))(m_rng)) {
        case 0:
            Quarter(t);
            uiNext = t + Uniform(100, 1500);
            break;
        case 1:
            uiNext = t + Uniform(300, 1500);
            Key(t, uiNext, VK_RIGHT);
            break;
        case 2:
            uiNext = Press(t);
            break;
        case 3:
            Flip(t);
            uiNext = t + Uniform(100, 4000);
            break;
        case 4: {
            const uint64_t uiAway = Chance(0.7) ? Uniform(10, 3000) : Uniform(3000, 60000);
            Activation(t, uiAway);
            uiNext = t + uiAway + Uniform(0, 1000);
            break;
        }
        case 5:
            uiNext = t + (Chance(0.8) ? Uniform(500, 8000) : Uniform(8000, 40000));
            break;
        case 6:
            uiNext = Mash(t);
            break;
        case 7:
            uiNext = t + Uniform(500, 4000);
            Key(t, uiNext, VK_DOWN);
            break;
        case 8:
            // Each tap spends a credit; most are let go before the blender's next update.
            for (int i = static_cast<int>(Uniform(3, 12)); i > 0; --i, uiNext += Uniform(70, 250))
                Click(uiNext, uiNext + Uniform(1, 60), WM_LBUTTONDOWN, WM_LBUTTONUP);
            uiNext += Uniform(0, 2000);
            break;
        }
        hl::At(static_cast<DWORD>(std::max(uiNext, t + 1)), [this] { Plan(); });
    }

    std::mt19937_64 m_rng;
    bool m_bRich = false;  // no more quarters for now
    uint64_t m_uiBrokeUntil = 0;
    uint64_t m_uiNextBroke = 120000;
    uint64_t m_uiEnd;
    Report& m_report;
};

// Checks the game after every frame and counts what happened.
class Referee {
public:
    explicit Referee(Report& report) : m_report(report) { m_vHeapAtResets.reserve(1 << 16); }

    void Line(const std::string& s) {
        if (StartsWith(s, "Screen::Initialize: ")) {
            m_bResetSeen = true;
            ++m_report.iResets;
        } else if (s == "NOW BLENDING!!!") {
            m_bSpendPending = true;
            m_bReleasedSinceSpend = false;
        } else if (s == "Blender Stopped.") {
            m_bReleasedSinceSpend = true;
            const bool bSpinning = _pScreen->GetFSM()->CurrentState() == SpeedometerScreen::Instance();
            ++m_report.mReleasesAtSpeed[bSpinning ? _pScreen->GetSpeed() : 0];
        } else if (s == "Cycling High Scores.") {
            ++m_report.iBoardCycles;
        } else if (s == "Message 'CreditInserted' Accepted!") {
            ++(_pScreen->GameOver() ? m_report.iCreditsOnEndBoards : m_report.iCreditsOnIdleBoards);
        } else if (s == "Message 'NewGame' Accepted!" && _pScreen->GameOver()) {
            const State<Screen>* pBoard = _pScreen->GetFSM()->CurrentState();
            if (pBoard == DeathScoresScreen::Instance())
                ++m_report.iGamesBlended;
            else if (pBoard == SavedScoresScreen::Instance())
                ++m_report.iGamesSaved;
            else
                Violation("a new game began from a state that shows no board");
        }
    }

    void Frame() {
        ++m_report.uiFrames;
        CheckSprites();
        CheckStates();
        CheckQueue();
        CheckReset();
        CheckSpend();
        CheckWedge();
        m_report.iPeakCredits = std::max(m_report.iPeakCredits, _pScreen->GetCredits());
    }

    void Finish() {
        const size_t n = m_vHeapAtResets.size();
        if (n >= 8) {
            m_report.llHeapAfterWarmUp = m_vHeapAtResets[n / 8];
            m_report.llHeapLatePeak = *std::max_element(m_vHeapAtResets.begin() + 3 * n / 4, m_vHeapAtResets.end());
        }
    }

private:
    static const char* StateName(const void* pState) {
        static const std::map<const void*, const char*> mapNames = {
            {DemoScreen::Instance(), "DemoScreen"},
            {SpeedometerScreen::Instance(), "SpeedometerScreen"},
            {DeathScoresScreen::Instance(), "DeathScoresScreen"},
            {SavedScoresScreen::Instance(), "SavedScoresScreen"},
            {Calm::Instance(), "Calm"},
            {Blending::Instance(), "Blending"},
            {BloodyFishGoo::Instance(), "BloodyFishGoo"},
            {FlipOver::Instance(), "FlipOver"},
            {SwimLeft::Instance(), "SwimLeft"},
            {SwimRight::Instance(), "SwimRight"},
            {SwimTowardPlayer::Instance(), "SwimTowardPlayer"},
            {Panic::Instance(), "Panic"},
            {Angel::Instance(), "Angel"},
            {Saved::Instance(), "Saved"},
            {FlopAway::Instance(), "FlopAway"}};
        auto it = mapNames.find(pState);
        return it == mapNames.end() ? "?" : it->second;
    }

    void Violation(const std::string& sWhat) {
        if (++m_report.uiViolations <= 20) {
            std::ostringstream out;
            out << "frame " << m_report.uiFrames << ", tick " << hl::Now() << " (" << StateName(_pScreen->GetFSM()->CurrentState())
                << ", " << StateName(_pBlender->GetFSM()->CurrentState()) << ", "
                << StateName(_pDorode->GetFSM()->CurrentState()) << "): " << sWhat;
            m_report.vViolations.push_back(out.str());
        }
    }

    static bool Listed(const std::vector<Sprite*>& vSprites, const Sprite* pSprite) {
        return std::find(vSprites.begin(), vSprites.end(), pSprite) != vSprites.end();
    }

    void CheckSlot(const std::vector<Sprite*>& vSprites, const Sprite* pSprite, const char* szSlot) {
        // A slot names a live sprite only while the engine still holds it.
        if (pSprite && !Listed(vSprites, pSprite)) Violation(std::string(szSlot) + " names a sprite the engine no longer holds");
    }

    void CheckSprites() {
        const std::vector<Sprite*>& vSprites = _pGame->GetSprites();
        m_report.nPeakSprites = std::max(m_report.nPeakSprites, vSprites.size());
        if (vSprites.size() > kMaxSprites) Violation("more sprites than the game can show: " + std::to_string(vSprites.size()));
        for (Sprite* pSprite : vSprites)
            if (pSprite->IsDying()) Violation("a killed sprite outlived the frame's sprite update");
        CheckSlot(vSprites, _pScreen->GetCurrentSprite(), "the Screen's top slot");
        CheckSlot(vSprites, _pScreen->GetSecondarySprite(), "the Screen's background slot");
        CheckSlot(vSprites, _pBlender->GetCurrentSprite(), "the Blender's body slot");
        CheckSlot(vSprites, _pBlender->GetSecondarySprite(), "the Blender's water slot");
        CheckSlot(vSprites, _pDorode->GetCurrentSprite(), "the Fish's slot");
        CheckSlot(vSprites, _pDorode->GetSecondarySprite(), "the Fish's second slot");
        CheckSlot(vSprites, _pDorode->GetSpeechBubbleSprite(), "the Fish's speech-bubble slot");
        if (!_pScreen->GetSecondarySprite()) Violation("no background");
        if (!_pBlender->GetCurrentSprite()) Violation("no blender");
        // The fish vanishes only when it lies dead at the bottom and once its angel has risen.
        const State<Fish>* pFishState = _pDorode->GetFSM()->CurrentState();
        const bool bGone = (pFishState == Panic::Instance() && !_pDorode->StillAlive()) ||
                           (pFishState == Angel::Instance() && _pDorode->Ascended());
        if (!_pDorode->GetCurrentSprite() && !bGone) Violation("no fish");
    }

    void CheckStates() {
        const State<Screen>* pScreenState = _pScreen->GetFSM()->CurrentState();
        const State<Blender>* pBlenderState = _pBlender->GetFSM()->CurrentState();
        const State<Fish>* pFishState = _pDorode->GetFSM()->CurrentState();
        const bool bBoard = pScreenState == DeathScoresScreen::Instance() || pScreenState == SavedScoresScreen::Instance();
        const bool bSpeedometer = pScreenState == SpeedometerScreen::Instance();
        if (!bBoard && !bSpeedometer && pScreenState != DemoScreen::Instance()) Violation("the Screen is in no state of its own");
        if (pBlenderState != Calm::Instance() && pBlenderState != Blending::Instance() &&
            pBlenderState != BloodyFishGoo::Instance() && pBlenderState != FlipOver::Instance())
            Violation("the Blender is in no state of its own");
        static const std::set<const State<Fish>*> setFish = {
            SwimLeft::Instance(), SwimRight::Instance(), SwimTowardPlayer::Instance(), Panic::Instance(),
            Angel::Instance(),    Saved::Instance(),     FlopAway::Instance()};
        if (!setFish.count(pFishState)) Violation("the Fish is in no state of its own");

        if (_pScreen->LookingAtScores() != bBoard) Violation("the score-board flag disagrees with the Screen's state");
        if (_pScreen->GetCredits() < 0) Violation("negative credits");
        if (_pScreen->GetSpeed() < 0 || _pScreen->GetSpeed() > 10) Violation("speed reading out of range");
        // The speedometer counts only while the blender runs, or stands while a flip or death plays out.
        if (bSpeedometer && pBlenderState == Calm::Instance()) Violation("the speedometer runs beside a calm blender");
        if ((pBlenderState == Blending::Instance() || pBlenderState == BloodyFishGoo::Instance()) && !bSpeedometer &&
            pScreenState != DeathScoresScreen::Instance())
            Violation("the blender spins with no speedometer");
        if (pBlenderState == FlipOver::Instance() && !_pScreen->GameOver()) Violation("a flipped blender outside game over");
        if (_pDorode->GiveUp() && !_pScreen->GameOver()) Violation("the fish gave up outside game over");
        if (pFishState == Angel::Instance() && !_pDorode->GiveUp()) Violation("an angel that never gave up");

        // Flips, by the phase they came in.
        if (pBlenderState == FlipOver::Instance() && m_pLastBlenderState != FlipOver::Instance())
            ++m_report.mFlipsAtSpeed[m_pLastBlenderState == Blending::Instance() ? _pScreen->GetSpeed() : 0];
        m_pLastBlenderState = pBlenderState;
    }

    void CheckQueue() {
        const size_t n = MessageDispatcher::Instance()->QueueLength();
        m_report.nPeakQueue = std::max(m_report.nPeakQueue, n);
        if (n > kMaxQueue) Violation("the delayed-telegram queue keeps growing: " + std::to_string(n));
    }

    // The first frame after the three resets of a new game shows a fresh game.
    void CheckReset() {
        if (!m_bResetSeen) return;
        m_bResetSeen = false;
        const std::vector<Sprite*>& vSprites = _pGame->GetSprites();
        std::multiset<const Bitmap*> setShown, setFresh = {_pTitleScreenBitmap, _pBackgroundBitmap, _pSwimLeftBitmap,
                                                            _pBlenderCalmBitmap};
        for (Sprite* pSprite : vSprites)
            if (!pSprite->IsDying()) setShown.insert(pSprite->GetBitmap());
        if (vSprites.size() != 4 || setShown != setFresh)
            Violation("a new game does not start with exactly the title, background, fish and calm blender (" +
                      std::to_string(vSprites.size()) + " sprites)");
        if (_pScreen->GetFSM()->CurrentState() != DemoScreen::Instance() ||
            _pBlender->GetFSM()->CurrentState() != Calm::Instance() || _pScreen->GameOver() || _pBlender->Saved() ||
            _pDorode->GiveUp())
            Violation("a new game does not start in the attract display");
        m_vHeapAtResets.push_back(HeapInUse());
    }

    // A spent credit starts the blender at its next update, unless the button
    // was let go before that update.
    void CheckSpend() {
        if (!m_bSpendPending) return;
        m_bSpendPending = false;
        const State<Blender>* pState = _pBlender->GetFSM()->CurrentState();
        if (pState == Blending::Instance() || (pState == FlipOver::Instance() && _pBlender->Canceled()))
            ++m_report.iSpins;
        else if (m_bReleasedSinceSpend && !_pBlender->GetBlending() && pState != BloodyFishGoo::Instance())
            ++m_report.iQuickReleases;  // the blender calm, or turning over for a flip asked for as well
        else
            Violation("a spent credit did not start the blender");
    }

    void CheckWedge() {
        if (!_pScreen->GameOver()) {
            m_iFramesOver = 0;
            return;
        }
        if (_pBlender->GetBlending()) return;  // the blended fish waits for the button to be let go
        ++m_iFramesOver;
        m_report.iMostFramesToReset = std::max(m_report.iMostFramesToReset, m_iFramesOver);
        if (m_iFramesOver == kResetWithinFrames + 1) Violation("the game is over and no new game follows");
    }

    Report& m_report;
    bool m_bResetSeen = false;
    bool m_bSpendPending = false;
    bool m_bReleasedSinceSpend = false;
    int m_iFramesOver = 0;
    const State<Blender>* m_pLastBlenderState = nullptr;
    std::vector<long long> m_vHeapAtResets;
};

}  // namespace

Report Run(const Options& options) {
    Report report;
    report.uiVirtualMs = options.uiVirtualMs;
    SoakBackend backend(options.dwTickOffset);
    Referee referee(report);
    Player player(options.uiSeed, options.uiVirtualMs, report);
    backend.m_fnPresent = [&](bool bFrame) {
        if (bFrame && _pGame && _pScreen) referee.Frame();
    };
    LineTap tap([&](const std::string& s) {
        if (_pScreen) referee.Line(s);
    });

    player.Start();
    std::streambuf* pOld = std::cout.rdbuf(&tap);
    WinMain(GetModuleHandle(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    std::cout.rdbuf(pOld);
    referee.Finish();

    struct rusage usage;
    if (getrusage(RUSAGE_SELF, &usage) == 0) report.lPeakRssKb = usage.ru_maxrss;
    return report;
}

uint64_t VirtualMsFromEnvironment(uint64_t uiDefaultMinutes) {
    const char* sz = std::getenv("WHIRL_SOAK_MINUTES");
    const double dMinutes = sz && *sz ? std::atof(sz) : static_cast<double>(uiDefaultMinutes);
    return static_cast<uint64_t>(std::max(0.1, dMinutes) * 60000.0);
}

uint64_t SeedFromEnvironment(uint64_t uiDefault) {
    const char* sz = std::getenv("WHIRL_SOAK_SEED");
    return sz && *sz ? std::strtoull(sz, nullptr, 10) : uiDefault;
}

void Print(std::ostream& out, const Report& r) {
    out << "soak: " << r.uiVirtualMs / 1000 << " s of virtual time, " << r.uiFrames << " frames, "
        << r.iGamesBlended + r.iGamesSaved << " games (" << r.iGamesBlended << " blended, " << r.iGamesSaved
        << " saved), " << r.iResets << " full resets" << std::endl;
    out << "soak: peak sprites " << r.nPeakSprites << ", peak queue " << r.nPeakQueue << ", most frames to reset "
        << r.iMostFramesToReset << ", peak credits " << r.iPeakCredits << ", peak RSS " << r.lPeakRssKb << " KiB"
        << std::endl;
    out << "soak: heap in use at resets: " << r.llHeapAfterWarmUp << " bytes early, " << r.llHeapLatePeak
        << " bytes at most late" << std::endl;
    out << "soak: " << r.iSpins << " spins, " << r.iQuickReleases << " credits spent by a press and release between updates, "
        << r.iBoardCycles << " board cycles, " << r.iCreditsOnIdleBoards << " credits on idle boards, "
        << r.iCreditsOnEndBoards << " on end boards, " << r.iDeactivations << " deactivations, longest hold "
        << r.uiLongestHoldMs << " ms" << std::endl;
    out << "soak: releases by speed:";
    for (const auto& kv : r.mReleasesAtSpeed) out << " " << kv.first << ":" << kv.second;
    out << std::endl << "soak: flips by speed (0 calm):";
    for (const auto& kv : r.mFlipsAtSpeed) out << " " << kv.first << ":" << kv.second;
    out << std::endl << "soak: " << r.uiViolations << " violations" << std::endl;
    for (const std::string& s : r.vViolations) out << "soak:   " << s << std::endl;
}

}  // namespace soak
