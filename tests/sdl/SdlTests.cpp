// The game's entry point on the SDL backend where no display is to be had,
// and the game on it with controllers, under Xvfb.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "Platform/Win32.h"
#include "Platform/sdl/SdlBackend.h"
#include "support/CaptureLog.h"
#include "support/ForwardingBackend.h"
#include "support/Isolation.h"

TEST(PlatformSdl, TheGameWithoutADisplayNamesTheCauseOnStandardErrorAndFails) {
    const char* szBuild = std::getenv("WHIRL_BUILD_DIR");
    const std::string sGame = std::string(szBuild ? szBuild : ".") + "/whirlquarium";
    if (access(sGame.c_str(), X_OK) != 0) GTEST_SKIP() << "the game is not built";
    for (const auto& run : {std::make_pair("-u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER", "DISPLAY"),
                            std::make_pair("SDL_VIDEODRIVER=none-such", "SDL_Init failed: ")}) {
        FILE* pErr = popen(("env " + std::string(run.first) + " " + sGame + " 2>&1 >/dev/null").c_str(), "r");
        char aBuffer[256] = {};
        const std::string sErr(aBuffer, std::fread(aBuffer, 1, sizeof(aBuffer), pErr));
        const int iStatus = pclose(pErr);
        EXPECT_TRUE(WIFEXITED(iStatus) && WEXITSTATUS(iStatus) == 1) << iStatus;
        EXPECT_NE(sErr.find(run.second), std::string::npos) << "the cause: " << sErr;
        EXPECT_NE(sErr.find("\nwhirlquarium: "), std::string::npos) << sErr;
    }
}

// ---- Under Xvfb: the game on the SDL backend, played with SDL's virtual controllers ----

namespace {

// A step of play: some milliseconds after the last one, a controller is
// attached or detached, one of its buttons goes down or up, the window loses
// or regains the focus (button 0 or 1), or the system asks the game to end. What the game logs from then to the next step must hold a
// line, and must not hold another. Pads 0 and 1 are game controllers of SDL's
// own making, their buttons the standard ones in order; pad 2 is a plain
// joystick that only the mappings file makes one, its button 0 Back.
enum class Act { Attach, Detach, Press, Release, Focus, End };
struct PadStep {
    Uint32 uiAfter;
    int iPad;
    Act eAct;
    int iButton;
    const char* szLeadsTo;
    const char* szNever;
};

const char* const kMappedPad = "ff000000091200000100000000007600,mapped pad,back:b0,a:b1,platform:Linux,\n";

const PadStep kPadSteps[] = {
    {1000, 2, Act::Press, 0, "Quarter accepted!", nullptr},
    {150, 2, Act::Release, 0, nullptr, nullptr},
    {300, 0, Act::Press, SDL_CONTROLLER_BUTTON_BACK, "Quarter accepted!", nullptr},
    {150, 0, Act::Release, SDL_CONTROLLER_BUTTON_BACK, nullptr, nullptr},
    {300, 0, Act::Press, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, "Quarter accepted!", nullptr},
    {150, 0, Act::Release, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, nullptr, "Quarter accepted!"},
    {300, 0, Act::Press, SDL_CONTROLLER_BUTTON_A, "NOW BLENDING!!!", "Blender Stopped."},
    {1200, 0, Act::Release, SDL_CONTROLLER_BUTTON_A, "Blender Stopped.", "NOW BLENDING!!!"},
    {300, 1, Act::Attach, -1, nullptr, nullptr},  // plugged in mid-game
    {1000, 1, Act::Press, SDL_CONTROLLER_BUTTON_A, "NOW BLENDING!!!", "Blender Stopped."},
    {1200, 1, Act::Detach, -1, "Blender Stopped.", "NOW BLENDING!!!"},
    {300, 0, Act::Focus, 0, nullptr, nullptr},  // asleep: a flip held now is read on waking
    {300, 0, Act::Press, SDL_CONTROLLER_BUTTON_B, nullptr, "FlipOver::Enter"},
    {300, 0, Act::Focus, 1, "FlipOver::Enter", nullptr},
    {150, 0, Act::Release, SDL_CONTROLLER_BUTTON_B, nullptr, nullptr},
    {500, 0, Act::End, -1, nullptr, nullptr},
};

const char* const kStepMark = "-- step";

SDL_Joystick* AttachPad(int iPad) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    if (iPad < 2) {
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
        desc.name = "virtual pad";
    } else {
        desc.nbuttons = 2;
        desc.vendor_id = 0x1209;  // as kMappedPad names it
        desc.product_id = 0x0001;
        desc.name = "mapped pad";
    }
    const int iDevice = SDL_JoystickAttachVirtualEx(&desc);
    SDL_Joystick* pPad = iDevice < 0 ? nullptr : SDL_JoystickOpen(iDevice);
    EXPECT_NE(pPad, nullptr) << SDL_GetError();
    return pPad;
}

void DetachPad(SDL_Joystick* pPad) {
    const SDL_JoystickID iInstance = SDL_JoystickInstanceID(pPad);
    SDL_JoystickClose(pPad);
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == iInstance) {
            EXPECT_EQ(SDL_JoystickDetachVirtual(i), 0);
        }
}

// The SDL backend, with the steps taken as the game pumps its events.
class PadPlayer final : public ForwardingBackend {
public:
    explicit PadPlayer(platform::Backend& sdl) : ForwardingBackend(sdl) {
        m_apPads[0] = AttachPad(0);
        m_apPads[2] = AttachPad(2);
    }

    void PumpEvents() override {
        const Uint32 uiNow = SDL_GetTicks();
        if (m_uiLast == 0) m_uiLast = uiNow;
        if (m_iStep < std::size(kPadSteps) && uiNow - m_uiLast >= kPadSteps[m_iStep].uiAfter) {
            Take(kPadSteps[m_iStep]);
            std::cout << kStepMark << " " << m_iStep++ << std::endl;
            m_uiLast = uiNow;
        }
        ForwardingBackend::PumpEvents();
    }
    // Asleep, the game would wait for an event without end: the steps go on.
    void AwaitEvent(DWORD dwMilliseconds) override { ForwardingBackend::AwaitEvent(std::min<DWORD>(dwMilliseconds, 20)); }

private:
    void Take(const PadStep& step) {
        SDL_Joystick*& pPad = m_apPads[step.iPad];
        SDL_Event quit{}, focus{};
        switch (step.eAct) {
        case Act::Attach: pPad = AttachPad(step.iPad); break;
        case Act::Detach: DetachPad(pPad); break;
        case Act::Press: SDL_JoystickSetVirtualButton(pPad, step.iButton, SDL_PRESSED); break;
        case Act::Release: SDL_JoystickSetVirtualButton(pPad, step.iButton, SDL_RELEASED); break;
        case Act::Focus:
            focus.type = SDL_WINDOWEVENT;
            focus.window.event = step.iButton ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
            SDL_PushEvent(&focus);
            break;
        case Act::End:
            quit.type = SDL_QUIT;  // as SIGTERM makes it
            SDL_PushEvent(&quit);
            break;
        }
    }

    SDL_Joystick* m_apPads[3] = {};
    size_t m_iStep = 0;
    Uint32 m_uiLast = 0;
};

}  // namespace

ISOLATED_TEST(PlatformSdlUnderXvfb, ControllersPluggedInAtAnyTimeOrMappedByAFilePlayTheGame) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display (ctest runs this under Xvfb)";
    const std::string sMappings = ::testing::TempDir() + "pads-" + std::to_string(getpid()) + ".txt";
    FILE* pMappings = std::fopen(sMappings.c_str(), "w");
    ASSERT_NE(pMappings, nullptr);
    std::fputs(kMappedPad, pMappings);
    std::fclose(pMappings);
    setenv("WHIRLQUARIUM_CONTROLLER_DB", sMappings.c_str(), 1);
    ASSERT_TRUE(platform::SelectSdlBackend());
    std::remove(sMappings.c_str());
    CaptureLog log;
    int iExit = -1;
    {
        PadPlayer player(platform::CurrentBackend());
        iExit = WinMain(GetModuleHandle(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    }
    SDL_Quit();  // as the game's exit does: what SDL holds is given back
    EXPECT_EQ(iExit, 0);
    // The log cut at each step: what each led to.
    std::vector<std::string> vAfter(1);
    for (const std::string& sLine : log.Lines()) {
        if (sLine.rfind(kStepMark, 0) == 0)
            vAfter.emplace_back();
        else
            vAfter.back() += sLine + "\n";
    }
    ASSERT_EQ(vAfter.size(), std::size(kPadSteps) + 1) << log.Text();
    for (size_t i = 0; i < std::size(kPadSteps); ++i) {
        const PadStep& step = kPadSteps[i];
        const std::string& sAfter = vAfter[i + 1];
        EXPECT_TRUE(!step.szLeadsTo || sAfter.find(step.szLeadsTo) != std::string::npos) << i << ": " << sAfter;
        EXPECT_TRUE(!step.szNever || sAfter.find(step.szNever) == std::string::npos) << i << ": " << sAfter;
    }
}
