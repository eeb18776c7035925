// The backend with a real window, through SDL2. The game's image is shown
// enlarged by a whole factor (see WindowScale.h), or in full screen, which
// Alt+Enter and F11 toggle; the game never hears of those two keys, and mouse
// positions come back in the image's own pixels.
//
// Implements: the picture (drawn straight into the window's surface at 1x,
//   enlarged by ScaledPicture otherwise, only the changed part sent), keys
//   (SdlKeys.h) and the arcade keys, game controllers plugged in at any time
//   (SDL's mappings, SDL_GAMECONTROLLERCONFIG, WHIRLQUARIUM_CONTROLLER_DB),
//   each key's level the OR of all its sources (KeyLevels), the three mouse
//   buttons, activation by focus, close (the window's button, or SDL_QUIT,
//   which SIGTERM and SIGINT become), exposure, scaling (WHIRLQUARIUM_SCALE),
//   full screen, kiosk mode (WHIRLQUARIUM_KIOSK=1: full screen from the start,
//   no pointer, no key or button that quits or leaves full screen, the
//   window's close ignored; only SDL_QUIT ends it), the window icon
//   (IconImage), cursor, message boxes, the desktop's size, a frame trace for
//   benchmarks (WHIRLQUARIUM_FRAME_TRACE).
// Does not: resize the window by hand, touch, controllers' axes (the D-pad
//   only), rumble.
// Depends on: SDL2 (video and game controllers) on an X11 or Wayland desktop;
//   the entry point Main.cpp selects it and refuses to start without a
//   display. Without a working controller subsystem it plays on, saying so.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "Platform/Backend.h"
#include "Platform/sdl/IconImage.h"
#include "Platform/sdl/ScaledPicture.h"
#include "Platform/sdl/SdlBackend.h"
#include "Platform/sdl/SdlKeys.h"
#include "Platform/sdl/WindowScale.h"

namespace platform {
namespace {

const int kDefaultIconId = 1000;

// For measuring the running game from outside (see bench/): when the
// environment variable WHIRLQUARIUM_FRAME_TRACE names a file, a line is
// appended to it each time a frame's image is shown: "shown", the wall-clock
// time in microseconds since 1970, and the tick count the game last read, the
// one its frame started with (nothing in a frame waits).
class FrameTrace {
public:
    FrameTrace() {
        const char* szPath = std::getenv("WHIRLQUARIUM_FRAME_TRACE");
        if (szPath && *szPath) m_pFile = std::fopen(szPath, "a");
    }
    ~FrameTrace() {
        if (m_pFile) std::fclose(m_pFile);
    }
    void Ticks(DWORD dwTicks) { m_dwLastTicks = dwTicks; }
    void Shown() {
        if (!m_pFile) return;
        timespec ts;
        clock_gettime(CLOCK_REALTIME, &ts);
        std::fprintf(m_pFile, "shown %lld %lu\n", static_cast<long long>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000,
                     static_cast<unsigned long>(m_dwLastTicks));
        std::fflush(m_pFile);
    }

    FrameTrace(const FrameTrace&) = delete;
    FrameTrace& operator=(const FrameTrace&) = delete;

private:
    std::FILE* m_pFile = nullptr;
    DWORD m_dwLastTicks = 0;
};

// Names the SDL call that failed and what SDL said of it, on standard error.
bool Failed(const char* szCall) {
    std::fprintf(stderr, "SDL backend: %s failed: %s\n", szCall, SDL_GetError());
    return false;
}

// WHIRLQUARIUM_KIOSK: "1" turns kiosk mode on; unset, empty or "0" leaves it off.
bool KioskMode() {
    const char* szKiosk = std::getenv("WHIRLQUARIUM_KIOSK");
    if (!szKiosk || !*szKiosk || std::strcmp(szKiosk, "0") == 0) return false;
    if (std::strcmp(szKiosk, "1") == 0) return true;
    std::fprintf(stderr, "SDL backend: WHIRLQUARIUM_KIOSK=%s is neither 1 nor 0; kiosk mode stays off\n", szKiosk);
    return false;
}

// The game controllers: SDL's own mappings and SDL_GAMECONTROLLERCONFIG's
// (SDL reads it itself), and those of the file WHIRLQUARIUM_CONTROLLER_DB
// names, loaded before the subsystem starts so that a controller plugged in
// already is seen with them. Without them, or without the subsystem, the game
// plays on, saying so on standard error.
void StartControllers() {
    const char* szDb = std::getenv("WHIRLQUARIUM_CONTROLLER_DB");
    if (szDb && *szDb) {
        // Opened here, so that a file that is not there is named as such.
        SDL_RWops* pFile = SDL_RWFromFile(szDb, "rb");
        if (!pFile || SDL_GameControllerAddMappingsFromRW(pFile, 1) < 0)
            std::fprintf(stderr, "SDL backend: the controller mappings of WHIRLQUARIUM_CONTROLLER_DB=%s were not read: "
                         "%s\n", szDb, SDL_GetError());
    }
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
        std::fprintf(stderr, "SDL backend: no game controllers: SDL_InitSubSystem failed: %s\n", SDL_GetError());
}

class Sdl final : public Backend {
public:
    explicit Sdl(bool bKiosk) : m_bKiosk(bKiosk) {}

    bool OpenDisplay(const char* szCaption, int iWidth, int iHeight, int iIconId) override {
        CloseDisplay();
        // On X11 the window's pixels go to the server through shared memory. SDL
        // would otherwise put a renderer in between, which on a machine without
        // a graphics card rasterises every frame on the processor.
        const char* szDriver = SDL_GetCurrentVideoDriver();
        if (szDriver && std::strcmp(szDriver, "x11") == 0) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        const int iScale = StartingScale(iWidth, iHeight);
        const Uint32 uiFlags = SDL_WINDOW_HIDDEN | (m_bKiosk ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
        m_pWindow = SDL_CreateWindow(szCaption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, iWidth * iScale,
                                     iHeight * iScale, uiFlags);
        if (!m_pWindow) return Failed("SDL_CreateWindow");
        SDL_Surface* pSurface = SDL_GetWindowSurface(m_pWindow);
        if (!pSurface) {
            Failed("SDL_GetWindowSurface");
            CloseDisplay();
            return false;
        }
        m_picture.Layout(iWidth, iHeight, pSurface->w, pSurface->h);
        m_bActive = false;
        SetIcon(iIconId ? iIconId : kDefaultIconId);
        return true;
    }

    void ShowDisplay(bool bShow) override {
        if (!m_pWindow) return;
        if (bShow) {
            SDL_ShowWindow(m_pWindow);
            SDL_RaiseWindow(m_pWindow);
            // Showing activates the window; the focus event that follows
            // must not announce it a second time.
            m_bActive = true;
        } else {
            SDL_HideWindow(m_pWindow);
        }
    }

    void CloseDisplay() override {
        if (m_pWindow) SDL_DestroyWindow(m_pWindow);
        m_pWindow = nullptr;
    }

    // The window image is drawn straight into the window's surface when that
    // is the image's size and format (the fourth byte is unused, not alpha).
    uint8_t* DisplayPixels(int iWidth, int iHeight, ptrdiff_t& iStride) override {
        SDL_Surface* pSurface = m_pWindow ? SDL_GetWindowSurface(m_pWindow) : nullptr;
        if (!pSurface || SDL_MUSTLOCK(pSurface) || pSurface->format->format != SDL_PIXELFORMAT_RGB888 ||
            pSurface->w != iWidth || pSurface->h != iHeight)
            return nullptr;
        iStride = pSurface->pitch;
        return static_cast<uint8_t*>(pSurface->pixels);
    }

    // Any other image is enlarged into it: only the part drawn on since the
    // last image, and only that goes to the display.
    // The image's size is the one the display was opened with.
    void Present(const uint8_t* pPixels, int, int, ptrdiff_t iStride) override {
        if (!m_pWindow || !pPixels) return;
        SDL_Surface* pSurface = SDL_GetWindowSurface(m_pWindow);
        if (!pSurface) return;
        RECT rc;
        const bool bChanged = TakeDisplayChange(rc);
        if (pPixels == pSurface->pixels) {
            SDL_UpdateWindowSurface(m_pWindow);
        } else {
            const SDL_Rect rcChange{rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top};
            const std::vector<SDL_Rect>& vChanged = m_picture.Draw(pPixels, iStride, bChanged ? &rcChange : nullptr,
                                                                   pSurface);
            if (!vChanged.empty())
                SDL_UpdateWindowSurfaceRects(m_pWindow, vChanged.data(), static_cast<int>(vChanged.size()));
        }
        m_frameTrace.Shown();
    }

    // The key levels are SDL's own, as its events left the keyboard and the
    // controllers; a controller gone has let go of everything.
    void PumpEvents() override {
        SDL_Event event;
        while (SDL_PollEvent(&event)) Translate(event);
        const Uint8* pKeys = SDL_GetKeyboardState(nullptr);
        for (const SdlKey& key : kSdlKeys)
            if (pKeys[key.scancode] && !(m_bKiosk && key.iVirtualKey == VK_ESCAPE)) m_levels.HoldKey(key.iVirtualKey);
        for (const SdlArcadeKey& key : kSdlArcadeKeys)
            if (pKeys[key.scancode]) m_levels.HoldControl(key.eControl);
        for (SDL_GameController* pPad : m_vPads)
            for (const SdlPadButton& button : kSdlPadButtons)
                if (SDL_GameControllerGetButton(pPad, button.button)) m_levels.HoldControl(button.eControl);
        m_levels.Report();
    }

    void AwaitEvent(DWORD dwMilliseconds) override {
        if (dwMilliseconds == INFINITE)
            SDL_WaitEvent(nullptr);
        else
            SDL_WaitEventTimeout(nullptr, static_cast<int>(dwMilliseconds));
    }

    void Delay(DWORD dwMilliseconds) override { SDL_Delay(dwMilliseconds); }
    DWORD Ticks() override {
        const DWORD dwTicks = static_cast<DWORD>(SDL_GetTicks64());
        m_frameTrace.Ticks(dwTicks);
        return dwTicks;
    }

    void GetScreenSize(int& iWidth, int& iHeight) override {
        SDL_DisplayMode mode;
        if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
            iWidth = mode.w;
            iHeight = mode.h;
        } else {
            iWidth = 640;
            iHeight = 480;
        }
    }

    void SetCursorVisible(bool bVisible) override {
        SDL_ShowCursor(bVisible && !m_bKiosk ? SDL_ENABLE : SDL_DISABLE);
    }

    void ShowMessage(const char* szCaption, const char* szText) override {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, szCaption, szText, m_pWindow);
    }

private:
    void SetIcon(int iIconId) {
        const uint8_t* pData = nullptr;
        size_t cbData = 0;
        std::vector<uint32_t> vARGB;
        int iWidth = 0, iHeight = 0;
        if (!FindIconResource(iIconId, pData, cbData) || !DecodeIcon(pData, cbData, vARGB, iWidth, iHeight)) return;
        SDL_Surface* pIcon = SDL_CreateRGBSurfaceWithFormatFrom(vARGB.data(), iWidth, iHeight, 32, iWidth * 4,
                                                                SDL_PIXELFORMAT_ARGB8888);
        if (!pIcon) return;
        SDL_SetWindowIcon(m_pWindow, pIcon);
        SDL_FreeSurface(pIcon);
    }

    void ToggleFullScreen() {
        const bool bFull = (SDL_GetWindowFlags(m_pWindow) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
        if (SDL_SetWindowFullscreen(m_pWindow, bFull ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) != 0)
            Failed("SDL_SetWindowFullscreen");
    }

    void Translate(const SDL_Event& event) {
        switch (event.type) {
        case SDL_QUIT:
            ReportCloseRequest();
            break;
        case SDL_CONTROLLERDEVICEADDED:
            AddPad(event.cdevice.which);
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            RemovePad(event.cdevice.which);
            break;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
            case SDL_WINDOWEVENT_FOCUS_GAINED:
                if (!m_bActive) ReportActivation(true);
                m_bActive = true;
                break;
            case SDL_WINDOWEVENT_FOCUS_LOST:
                if (m_bActive) ReportActivation(false);
                m_bActive = false;
                break;
            case SDL_WINDOWEVENT_EXPOSED:
            case SDL_WINDOWEVENT_SIZE_CHANGED:
                m_picture.RedrawAll();
                ReportExposed();
                break;
            case SDL_WINDOWEVENT_CLOSE:
                if (!m_bKiosk) ReportCloseRequest();
                break;
            default:
                break;
            }
            break;
        case SDL_KEYDOWN: {
            const SDL_Keycode key = event.key.keysym.sym;
            const bool bAltEnter = (key == SDLK_RETURN || key == SDLK_KP_ENTER) && (event.key.keysym.mod & KMOD_ALT);
            if (!event.key.repeat && !m_bKiosk && (bAltEnter || key == SDLK_F11)) ToggleFullScreen();
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            MouseButton eButton;
            switch (event.button.button) {
            case SDL_BUTTON_LEFT: eButton = MouseButton::Left; break;
            case SDL_BUTTON_RIGHT: eButton = MouseButton::Right; break;
            case SDL_BUTTON_MIDDLE: eButton = MouseButton::Middle; break;
            default: return;
            }
            int x = event.button.x, y = event.button.y;
            m_picture.ToImage(x, y);
            ReportMouseButton(eButton, event.type == SDL_MOUSEBUTTONDOWN, x, y);
            break;
        }
        default:
            break;
        }
    }

    // A controller plugged in (device index); one already open is not opened twice.
    void AddPad(int iDevice) {
        SDL_GameController* pPad = SDL_GameControllerOpen(iDevice);
        if (!pPad) {
            Failed("SDL_GameControllerOpen");
            return;
        }
        for (SDL_GameController* pOpen : m_vPads)
            if (pOpen == pPad) {
                SDL_GameControllerClose(pPad);  // SDL counts the second opening
                return;
            }
        m_vPads.push_back(pPad);
    }

    // A controller unplugged (instance ID): its buttons stop counting.
    void RemovePad(SDL_JoystickID iInstance) {
        for (size_t i = 0; i < m_vPads.size(); ++i) {
            if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(m_vPads[i])) != iInstance) continue;
            SDL_GameControllerClose(m_vPads[i]);
            m_vPads.erase(m_vPads.begin() + static_cast<ptrdiff_t>(i));
            return;
        }
    }

    const bool m_bKiosk;
    SDL_Window* m_pWindow = nullptr;
    ScaledPicture m_picture;
    FrameTrace m_frameTrace;
    KeyLevels m_levels;
    std::vector<SDL_GameController*> m_vPads;
    bool m_bActive = false;
};

}  // namespace

namespace {

// Without a driver named in the environment, only a desktop display counts:
// SDL would otherwise fall back to drawing off screen.
bool ChooseVideoDriver() {
    const char* szDriver = std::getenv("SDL_VIDEODRIVER");
    if (szDriver && *szDriver) return true;
    std::string sDrivers;
    const char* szX11 = std::getenv("DISPLAY");
    const char* szWayland = std::getenv("WAYLAND_DISPLAY");
    if (szX11 && *szX11) sDrivers += "x11,";
    const char* szRuntime = std::getenv("XDG_RUNTIME_DIR");
    // A display name that is not a path lives in the runtime folder.
    if (szWayland && *szWayland && (*szWayland == '/' || (szRuntime && *szRuntime))) sDrivers += "wayland,";
    if (sDrivers.empty()) return false;
    sDrivers.pop_back();
    SDL_SetHint(SDL_HINT_VIDEODRIVER, sDrivers.c_str());
    return true;
}

}  // namespace

bool SelectSdlBackend() {
    static Sdl* s_pSdl = nullptr;
    if (!s_pSdl) {
        if (!ChooseVideoDriver()) {
            std::fprintf(stderr, "SDL backend: no desktop display (neither DISPLAY nor WAYLAND_DISPLAY is set)\n");
            return false;
        }
        const bool bKiosk = KioskMode();
        // In kiosk mode closing the window is no way out: only SDL_QUIT from
        // the system (SIGTERM) ends the game, and closing must not become one.
        if (bKiosk) SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
        if (SDL_Init(SDL_INIT_VIDEO) != 0) return Failed("SDL_Init");
        // Left to the end of the process: SDL shuts down after everything
        // else, and the backend is never destroyed before it.
        std::atexit(SDL_Quit);
        StartControllers();
        s_pSdl = new Sdl(bKiosk);
    }
    SetCurrentBackend(s_pSdl);
    return true;
}

}  // namespace platform
