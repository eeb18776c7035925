// What a frame costs, against what moving its pixels must cost.
//
// The game runs here as it is built, on the headless backend, and input is
// replayed until a scene is on show: attract mode, the blender at speed 9 with
// the fish panicking, the water falling after a flip, a score board. There the
// virtual clock stands still (it moves only while the game waits) and whole
// GameCycles are timed one after another. The blits are timed on their own
// with the game's own bitmaps and off-screen image. Each result is set against
// its floor, measured in the same run: memcpy of exactly the bytes it reads
// and writes, one memcpy per blit.
//
// Every image is kept with 32 bits a pixel, so a blit of w x h pixels reads
// and writes w * h * 4 bytes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "Platform/headless/Headless.h"
#include "Platform/Win32.h"
#include "Whirlquarium.h"

namespace {

namespace hl = platform::headless;

const COLORREF crKey = RGB(255, 0, 255);
const int iBytesPerPixel = 4;

// ---- Floors ---------------------------------------------------------------------

// Source and destination buffers for the memcpy floors, one source per blit so
// that no blit's floor finds another's bytes in the cache.
struct FloorBuffers {
    std::vector<std::vector<unsigned char>> m_vSources;
    std::vector<unsigned char> m_vDestination;

    void Reserve(const std::vector<size_t>& vBlits) {
        size_t cbLargest = 0;
        for (size_t i = 0; i < vBlits.size(); ++i) {
            if (m_vSources.size() <= i) m_vSources.emplace_back();
            if (m_vSources[i].size() < vBlits[i]) m_vSources[i].assign(vBlits[i], static_cast<unsigned char>(i + 1));
            cbLargest = std::max(cbLargest, vBlits[i]);
        }
        if (m_vDestination.size() < cbLargest) m_vDestination.assign(cbLargest, 0);
    }
};
FloorBuffers g_floorBuffers;

void MemcpyFloor(benchmark::State& state, const std::vector<size_t>* pBlits) {
    g_floorBuffers.Reserve(*pBlits);
    for (auto _ : state) {
        for (size_t i = 0; i < pBlits->size(); ++i)
            std::memcpy(g_floorBuffers.m_vDestination.data(), g_floorBuffers.m_vSources[i].data(), (*pBlits)[i]);
        benchmark::ClobberMemory();
    }
}

// The bytes each blit of the next frame moves: every visible sprite's frame,
// clipped to the window, then the copy of the whole off-screen image.
std::vector<size_t> FrameBlits() {
    const int iWidth = _pGame->GetWidth(), iHeight = _pGame->GetHeight();
    std::vector<size_t> vBlits;
    for (Sprite* pSprite : _pGame->GetSprites()) {
        if (pSprite->IsHidden() || !pSprite->GetBitmap() || !pSprite->GetBitmap()->HasImage()) continue;
        const RECT& rc = pSprite->GetPosition();
        const long lWidth = std::min<long>(rc.left + pSprite->GetWidth(), iWidth) - std::max<long>(rc.left, 0);
        const long lHeight = std::min<long>(rc.top + pSprite->GetHeight(), iHeight) - std::max<long>(rc.top, 0);
        if (lWidth > 0 && lHeight > 0) vBlits.push_back(static_cast<size_t>(lWidth * lHeight) * iBytesPerPixel);
    }
    vBlits.push_back(static_cast<size_t>(iWidth) * iHeight * iBytesPerPixel);
    return vBlits;
}

// ---- Scenes ----------------------------------------------------------------------

struct Scene {
    const char* szName;
    DWORD dwTick;  // when the replayed input has brought it on
    const char* szWhat;
    Bitmap** ppSign;  // a picture the scene shows, or it is not the scene
    // The sign's sprite is put back where it stood when the scene began before
    // every frame, so that every frame timed draws it (the water would leave).
    bool bHoldSign;
    std::vector<size_t> vBlits;
    RECT rcHeld;
};

std::vector<Scene> g_vScenes = {
    {"attract", 150, "attract mode, a credit inserted", &_pTitleScreenBitmap, false, {}, {}},
    {"spinning", 11000, "blender at speed 9, the fish panicking", &_pPanicBitmap, false, {}, {}},
    {"water-falling", 11600, "flipped at speed 9: the water and the lid falling", &_pBlenderWaterAndLidBitmap,
     true, {}, {}},
    {"score-board", 18000, "the saved-fish board, the fish flopping across it", &_pSavedScoreBitmap, false, {}, {}},
};

Sprite* FindSprite(const Bitmap* pBitmap) {
    for (Sprite* pSprite : _pGame->GetSprites())
        if (pSprite->GetBitmap() == pBitmap && !pSprite->IsHidden()) return pSprite;
    return nullptr;
}

void WholeFrame(benchmark::State& state, Scene* pScene) {
    for (auto _ : state) {
        if (pScene->bHoldSign) {
            if (Sprite* pHeld = FindSprite(*pScene->ppSign)) pHeld->SetPosition(pScene->rcHeld);
        }
        GameCycle();
    }
    if (!FindSprite(*pScene->ppSign)) state.SkipWithError("the scene changed while it was timed");
}

// The input that brings the scenes on, as a player would give it.
void ScheduleInput() {
    hl::KeyDown(100, VK_RIGHT);  // a quarter
    hl::KeyUp(110, VK_RIGHT);
    hl::KeyDown(200, VK_LEFT);  // hold the blender button: speed 9 at about 10200
    hl::KeyDown(11100, VK_DOWN);  // flip before speed 10
    hl::KeyUp(11120, VK_DOWN);
    hl::KeyUp(11200, VK_LEFT);
}

// ---- The blits on their own ------------------------------------------------------

// Frame 1 of the turning blender: a full-window part of a five-frame strip.
void KeyedStripFrame(benchmark::State& state) {
    const int iWidth = _pGame->GetWidth(), iHeight = _pGame->GetHeight();
    for (auto _ : state)
        _pBlenderTurningBitmap->DrawPart(_hOffscreenDC, 0, 0, iWidth, 0, iWidth, iHeight, TRUE, crKey);
}

void OpaqueWindow(benchmark::State& state) {
    for (auto _ : state) _pBackgroundBitmap->Draw(_hOffscreenDC, 0, 0, FALSE);
}

// As the end of every GameCycle does it.
void OffscreenToWindow(benchmark::State& state) {
    HWND hWindow = _pGame->GetWindow();
    for (auto _ : state) {
        HDC hDC = GetDC(hWindow);
        BitBlt(hDC, 0, 0, _pGame->GetWidth(), _pGame->GetHeight(), _hOffscreenDC, 0, 0, SRCCOPY);
        ReleaseDC(hWindow, hDC);
    }
}

std::vector<size_t> g_vFullWindow;

// ---- Results ---------------------------------------------------------------------

struct Measured {
    double dMicroseconds = -1;  // processor time per call
};
std::map<std::string, Measured> g_mapResults;

// The library's console table, and the processor time of every run kept for
// the summary.
class Reporter : public benchmark::ConsoleReporter {
public:
    explicit Reporter(std::ostream& out) : benchmark::ConsoleReporter(OO_Tabular) { SetOutputStream(&out); }

    bool ReportContext(const Context& context) override {
        if (m_bContextShown) return true;
        m_bContextShown = true;
        return ConsoleReporter::ReportContext(context);
    }

    // Only the fastest repetition is shown and kept: other work on the
    // machine can only slow a run down.
    void ReportRuns(const std::vector<Run>& vRuns) override {
        std::vector<Run> vFastest;
        for (const Run& run : vRuns) {
            if (run.error_occurred) {
                vFastest.push_back(run);
                continue;
            }
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "min") continue;
            vFastest.push_back(run);
            g_mapResults[run.run_name.function_name].dMicroseconds = run.GetAdjustedCPUTime();
        }
        if (!vFastest.empty()) ConsoleReporter::ReportRuns(vFastest);
    }

private:
    bool m_bContextShown = false;
};

struct Goal {
    const char* szWhat;
    std::string sTimed, sFloor;
    double dMaxRatio;
};

// Time per call, floor and ratio of every pair; false when a goal is missed.
bool PrintSummary(std::ostream& out) {
    std::vector<Goal> vGoals = {
        {"keyed DrawPart, one 640x480 frame of a strip", "blit/keyed-strip-frame", "floor/one-window", 2},
        {"opaque BitBlt, 640x480", "blit/opaque-window", "floor/one-window", 2},
        {"off-screen image to the window", "blit/offscreen-to-window", "floor/one-window", 2},
    };
    for (const Scene& scene : g_vScenes)
        vGoals.push_back({scene.szWhat, std::string("frame/") + scene.szName, std::string("floor/") + scene.szName, 3});

    bool bAllHold = true;
    char szLine[256];
    out << std::endl
        << "Processor time per call against its floor (memcpy of the same bytes), fastest repetition of each:"
        << std::endl;
    std::snprintf(szLine, sizeof(szLine), "%-52s %10s %10s %7s %6s", "", "time/call", "floor", "ratio", "goal");
    out << szLine << std::endl;
    for (const Goal& goal : vGoals) {
        const double dTimed = g_mapResults[goal.sTimed].dMicroseconds, dFloor = g_mapResults[goal.sFloor].dMicroseconds;
        const bool bMeasured = dTimed > 0 && dFloor > 0;
        const double dRatio = bMeasured ? dTimed / dFloor : 0;
        const bool bHolds = bMeasured && dRatio <= goal.dMaxRatio;
        bAllHold = bAllHold && bHolds;
        std::snprintf(szLine, sizeof(szLine), "%-52s %7.1f us %7.1f us %6.2fx %4.0fx  %s", goal.szWhat, dTimed, dFloor,
                      dRatio, goal.dMaxRatio, bHolds ? "holds" : (bMeasured ? "MISSED" : "NOT MEASURED"));
        out << szLine << std::endl;
    }
    for (const Scene& scene : g_vScenes) {
        size_t cbTotal = 0;
        for (size_t cb : scene.vBlits) cbTotal += cb;
        out << "  " << scene.szName << ": " << scene.vBlits.size() - 1 << " sprites drawn and the copy to the window, "
            << cbTotal << " bytes read and as many written" << std::endl;
    }
    return bAllHold;
}

// Swallows the game's console log while the benchmarks run.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

}  // namespace

int main(int argc, char** argv) {
    // Five short repetitions of each benchmark unless the command line says
    // otherwise; its flags come later and win.
    std::vector<char*> vArgs = {argv[0], const_cast<char*>("--benchmark_repetitions=5"),
                                const_cast<char*>("--benchmark_min_time=0.2")};
    vArgs.insert(vArgs.end(), argv + 1, argv + argc);
    int iArgs = static_cast<int>(vArgs.size());
    benchmark::Initialize(&iArgs, vArgs.data());
    if (benchmark::ReportUnrecognizedArguments(iArgs, vArgs.data())) return 2;

    g_vFullWindow = {static_cast<size_t>(640) * 480 * iBytesPerPixel};
    const auto fnUnits = [](benchmark::internal::Benchmark* p) {
        p->Unit(benchmark::kMicrosecond)->ComputeStatistics(
            "min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
    };
    fnUnits(benchmark::RegisterBenchmark("blit/keyed-strip-frame", KeyedStripFrame));
    fnUnits(benchmark::RegisterBenchmark("blit/opaque-window", OpaqueWindow));
    fnUnits(benchmark::RegisterBenchmark("blit/offscreen-to-window", OffscreenToWindow));
    fnUnits(benchmark::RegisterBenchmark("floor/one-window", MemcpyFloor, &g_vFullWindow));
    for (Scene& scene : g_vScenes) {
        fnUnits(benchmark::RegisterBenchmark((std::string("frame/") + scene.szName).c_str(), WholeFrame, &scene));
        fnUnits(benchmark::RegisterBenchmark((std::string("floor/") + scene.szName).c_str(), MemcpyFloor,
                                             &scene.vBlits));
    }

    std::ostream console(std::cout.rdbuf());
    NullBuffer null;
    Reporter reporter(console);
    bool bReached = true;

    platform::SelectHeadlessBackend();
    ScheduleInput();
    for (size_t i = 0; i < g_vScenes.size(); ++i) {
        Scene* pScene = &g_vScenes[i];
        hl::At(pScene->dwTick, [pScene, i, &reporter, &bReached] {
            if (!_pGame) {
                bReached = false;
                return;
            }
            Sprite* pSign = FindSprite(*pScene->ppSign);
            if (!pSign) {
                std::cerr << "whirlquarium-bench: no " << pScene->szName << " scene at tick " << pScene->dwTick
                          << std::endl;
                bReached = false;
                return;
            }
            pScene->rcHeld = pSign->GetPosition();
            pScene->vBlits = FrameBlits();
            std::string sFilter = std::string("^(frame|floor)/") + pScene->szName + "$";
            if (i == 0) sFilter = "^(blit/.*|floor/one-window|frame/attract|floor/attract)$";
            benchmark::RunSpecifiedBenchmarks(&reporter, sFilter);
        });
    }
    hl::Close(g_vScenes.back().dwTick + 100);

    std::streambuf* pOldBuffer = std::cout.rdbuf(&null);
    WinMain(GetModuleHandle(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    std::cout.rdbuf(pOldBuffer);

    if (!bReached) {
        std::cerr << "whirlquarium-bench: the replayed input no longer leads to every scene" << std::endl;
        return 1;
    }
    return PrintSummary(std::cout) ? 0 : 1;
}
