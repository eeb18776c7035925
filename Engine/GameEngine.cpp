#include "Engine/GameEngine.h"

#include <cstdint>
#include <cstring>
#include <iostream>

GameEngine* GameEngine::m_pGameEngine = NULL;

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPSTR /*szCmdLine*/, int iCmdShow) {
    MSG msg;
    std::memset(&msg, 0, sizeof(msg));

    // A game that reports success must have created the engine.
    if (!GameInitialize(hInstance) || GameEngine::GetEngine() == NULL) {
        GameEnd();
        return 1;
    }
    // A game without its window has failed, whatever the exit code it would
    // have reported as success; Initialize names the call that failed.
    if (!GameEngine::GetEngine()->Initialize(iCmdShow)) return 1;

    // The first frame runs one millisecond after the loop starts, whatever the clock reads then.
    static DWORD dwTickTrigger = GetTickCount();
    while (TRUE) {
        if (PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) break;
            TranslateMessage(&msg);
            DispatchMessage(&msg);
            continue;
        }

        // The loop waits for the next message or the next frame instead of polling.
        DWORD dwTimeout = INFINITE;
        // Between the window's destruction and WM_QUIT there is no engine left.
        GameEngine* pGame = GameEngine::GetEngine();
        if (pGame != NULL && !pGame->GetSleep()) {
            DWORD dwTickCount = GetTickCount();
            // A wrapped difference, so that frames keep coming once the tick count passes 2^31 and
            // wraps at 2^32; a trigger further off than one frame delay is stale (a long sleep).
            const int32_t iUntilTrigger = static_cast<int32_t>(dwTickTrigger - dwTickCount);
            if (iUntilTrigger < 0 || iUntilTrigger > pGame->GetFrameDelay()) {
                dwTickTrigger = dwTickCount + static_cast<DWORD>(pGame->GetFrameDelay());
                HandleKeys();
                pGame = GameEngine::GetEngine();
                if (pGame == NULL) continue;
                if (pGame->GetQuit() == TRUE) break;
                GameCycle();
                continue;
            }
            dwTimeout = static_cast<DWORD>(iUntilTrigger) + 1;
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, dwTimeout, QS_ALLINPUT);
    }
    return static_cast<int>(msg.wParam);
}

LRESULT CALLBACK WndProc(HWND hWindow, UINT msg, WPARAM wParam, LPARAM lParam) {
    GameEngine* pGame = GameEngine::GetEngine();
    // Once the game has deleted the engine, the window's last messages get the default handling.
    if (pGame == NULL) return DefWindowProc(hWindow, msg, wParam, lParam);
    return pGame->HandleEvent(hWindow, msg, wParam, lParam);
}

GameEngine::GameEngine(HINSTANCE hInstance, LPCSTR szWindowClass, LPCSTR szTitle, WORD wIcon, WORD wSmallIcon,
                       int iWidth, int iHeight)
    : m_hInstance(hInstance),
      m_hWindow(NULL),
      m_szWindowClass{},
      m_szTitle{},
      m_wIcon(wIcon),
      m_wSmallIcon(wSmallIcon),
      m_iWidth(iWidth),
      m_iHeight(iHeight),
      m_iFrameDelay(50),
      m_bSleep(TRUE),
      m_uiMIDIPlayerID(0),
      m_bQuit(FALSE) {
    m_pGameEngine = this;
    // Names longer than the fields are cut short rather than overrunning them.
    if (szWindowClass != NULL) std::strncpy(m_szWindowClass, szWindowClass, sizeof(m_szWindowClass) - 1);
    if (szTitle != NULL) std::strncpy(m_szTitle, szTitle, sizeof(m_szTitle) - 1);
    m_vSprites.reserve(50);
}

GameEngine::~GameEngine() {
    if (m_pGameEngine == this) m_pGameEngine = NULL;
}

BOOL GameEngine::Initialize(int iCmdShow) {
    ShowCursor(FALSE);

    WNDCLASSEX wndclass;
    std::memset(&wndclass, 0, sizeof(wndclass));
    wndclass.cbSize = sizeof(wndclass);
    wndclass.style = CS_HREDRAW | CS_VREDRAW;
    wndclass.lpfnWndProc = WndProc;
    wndclass.cbClsExtra = 0;
    wndclass.cbWndExtra = 0;
    wndclass.hInstance = m_hInstance;
    wndclass.hIcon = LoadIcon(m_hInstance, MAKEINTRESOURCE(GetIcon()));
    wndclass.hIconSm = LoadIcon(m_hInstance, MAKEINTRESOURCE(GetSmallIcon()));
    wndclass.hCursor = LoadCursor(NULL, IDC_ARROW);
    wndclass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_WINDOW + 1));
    wndclass.lpszMenuName = NULL;
    wndclass.lpszClassName = m_szWindowClass;
    if (!RegisterClassEx(&wndclass)) {
        std::cerr << "GameEngine::Initialize: the window class could not be registered" << std::endl;
        return FALSE;
    }

    int iWindowWidth = m_iWidth + GetSystemMetrics(SM_CXFIXEDFRAME) * 2;
    int iWindowHeight = m_iHeight + GetSystemMetrics(SM_CYFIXEDFRAME) * 2 + GetSystemMetrics(SM_CYCAPTION);
    int iXWindowPos = (GetSystemMetrics(SM_CXSCREEN) - iWindowWidth) / 2;
    int iYWindowPos = (GetSystemMetrics(SM_CYSCREEN) - iWindowHeight) / 2;

    m_hWindow = CreateWindow(m_szWindowClass, m_szTitle, WS_POPUPWINDOW | WS_CAPTION | WS_MINIMIZEBOX,
                             iXWindowPos, iYWindowPos, iWindowWidth, iWindowHeight, NULL, NULL, m_hInstance, NULL);
    if (!m_hWindow) {
        std::cerr << "GameEngine::Initialize: the game window could not be created" << std::endl;
        return FALSE;
    }

    ShowWindow(m_hWindow, iCmdShow);
    UpdateWindow(m_hWindow);
    return TRUE;
}

LRESULT GameEngine::HandleEvent(HWND hWindow, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        SetWindow(hWindow);
        GameStart(hWindow);
        return 0;

    case WM_ACTIVATE:
        if (wParam != 0) {
            GameActivate(hWindow);
            SetSleep(FALSE);
        } else {
            GameDeactivate(hWindow);
            SetSleep(TRUE);
        }
        return 0;

    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hDC = BeginPaint(hWindow, &ps);
        GamePaint(hDC);
        EndPaint(hWindow, &ps);
        return 0;
    }

    case WM_LBUTTONDOWN:
        LeftMouseButtonDown();
        return 0;
    case WM_LBUTTONUP:
        LeftMouseButtonUp();
        return 0;
    case WM_RBUTTONDOWN:
        RightMouseButtonDown();
        return 0;
    case WM_RBUTTONUP:
        RightMouseButtonUp();
        return 0;
    case WM_MBUTTONDOWN:
        MiddleMouseButtonDown();
        return 0;
    case WM_MBUTTONUP:
        MiddleMouseButtonUp();
        return 0;

    case WM_DESTROY:
        // GameEnd deletes this engine: nothing below may touch a member.
        GameEnd();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProc(hWindow, msg, wParam, lParam);
}

void GameEngine::ErrorQuit(LPCSTR szErrorMsg) {
    MessageBox(GetWindow(), szErrorMsg, "Critical Error", MB_OK | MB_ICONERROR);
    PostQuitMessage(0);
}

void GameEngine::PlayMIDISong(LPCSTR szMIDIFileName, BOOL bRestart) {
    if (m_uiMIDIPlayerID == 0) {
        MCI_OPEN_PARMS mciOpenParms;
        std::memset(&mciOpenParms, 0, sizeof(mciOpenParms));
        mciOpenParms.lpstrDeviceType = "sequencer";
        mciOpenParms.lpstrElementName = szMIDIFileName;
        if (mciSendCommand(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT,
                           reinterpret_cast<DWORD_PTR>(&mciOpenParms)) != 0)
            return;
        m_uiMIDIPlayerID = mciOpenParms.wDeviceID;
    }

    if (bRestart) {
        MCI_SEEK_PARMS mciSeekParms;
        std::memset(&mciSeekParms, 0, sizeof(mciSeekParms));
        if (mciSendCommand(m_uiMIDIPlayerID, MCI_SEEK, MCI_SEEK_TO_START,
                           reinterpret_cast<DWORD_PTR>(&mciSeekParms)) != 0) {
            CloseMIDIPlayer();
            // A closed player has no device to play on.
            return;
        }
    }

    MCI_PLAY_PARMS mciPlayParms;
    std::memset(&mciPlayParms, 0, sizeof(mciPlayParms));
    if (mciSendCommand(m_uiMIDIPlayerID, MCI_PLAY, 0, reinterpret_cast<DWORD_PTR>(&mciPlayParms)) != 0)
        CloseMIDIPlayer();
}

void GameEngine::PauseMIDISong() {
    if (m_uiMIDIPlayerID != 0) mciSendCommand(m_uiMIDIPlayerID, MCI_PAUSE, 0, 0);
}

void GameEngine::CloseMIDIPlayer() {
    if (m_uiMIDIPlayerID != 0) {
        mciSendCommand(m_uiMIDIPlayerID, MCI_CLOSE, 0, 0);
        m_uiMIDIPlayerID = 0;
    }
}
