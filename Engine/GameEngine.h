// The one engine object: owns the window, turns window messages into calls of
// the game hooks, paces frames, keeps the z-ordered sprite list and a minimal
// MIDI player.
#pragma once

#include <vector>

#include "Engine/Engine.h"
#include "Engine/Sprite.h"
#include "Platform/Win32.h"

// Entry point of the process; runs the frame loop.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR szCmdLine, int iCmdShow);
LRESULT CALLBACK WndProc(HWND hWindow, UINT msg, WPARAM wParam, LPARAM lParam);

// Game hooks: declared by the engine, defined by the game.
BOOL GameInitialize(HINSTANCE hInstance);
void GameStart(HWND hWindow);
void GameEnd();
void GameActivate(HWND hWindow);
void GameDeactivate(HWND hWindow);
void GamePaint(HDC hDC);
void GameCycle();
void HandleKeys();
void LeftMouseButtonDown();
void LeftMouseButtonUp();
void RightMouseButtonDown();
void RightMouseButtonUp();
void MiddleMouseButtonDown();
void MiddleMouseButtonUp();
BOOL SpriteCollision(Sprite* pSpriteHitter, Sprite* pSpriteHittee);
void SpriteDying(Sprite* pSprite);

class GameEngine {
protected:
    static GameEngine* m_pGameEngine;
    HINSTANCE m_hInstance;
    HWND m_hWindow;
    char m_szWindowClass[32];
    char m_szTitle[32];
    WORD m_wIcon, m_wSmallIcon;
    int m_iWidth, m_iHeight;
    int m_iFrameDelay;
    BOOL m_bSleep;
    std::vector<Sprite*> m_vSprites;
    UINT m_uiMIDIPlayerID;
    BOOL m_bQuit;

    BOOL CheckSpriteCollision(Sprite* pTestSprite);

public:
    GameEngine(HINSTANCE hInstance, LPCSTR szWindowClass, LPCSTR szTitle, WORD wIcon, WORD wSmallIcon,
               int iWidth = 640, int iHeight = 480);
    virtual ~GameEngine();

    static GameEngine* GetEngine() { return m_pGameEngine; }
    BOOL Initialize(int iCmdShow);
    LRESULT HandleEvent(HWND hWindow, UINT msg, WPARAM wParam, LPARAM lParam);
    void ErrorQuit(LPCSTR szErrorMsg);

    // Sprite list
    void AddSprite(Sprite* pSprite);
    void DrawSprites(HDC hDC);
    void UpdateSprites();
    void CleanupSprites();
    Sprite* IsPointInSprite(int x, int y);
    // The live sprites, front (drawn first) to back; for inspection only.
    const std::vector<Sprite*>& GetSprites() const { return m_vSprites; }

    // MIDI player
    void PlayMIDISong(LPCSTR szMIDIFileName = "", BOOL bRestart = TRUE);
    void PauseMIDISong();
    void CloseMIDIPlayer();
    UINT GetMIDIPlayerID() const { return m_uiMIDIPlayerID; }

    HINSTANCE GetInstance() const { return m_hInstance; }
    HWND GetWindow() const { return m_hWindow; }
    void SetWindow(HWND hWindow) { m_hWindow = hWindow; }
    LPCSTR GetTitle() const { return m_szTitle; }
    LPCSTR GetWindowClass() const { return m_szWindowClass; }
    WORD GetIcon() const { return m_wIcon; }
    WORD GetSmallIcon() const { return m_wSmallIcon; }
    int GetWidth() const { return m_iWidth; }
    int GetHeight() const { return m_iHeight; }
    int GetFrameDelay() const { return m_iFrameDelay; }
    // A rate of zero or less would divide by zero or run backwards: it leaves the delay as it is.
    void SetFrameRate(int iFrameRate) {
        if (iFrameRate > 0) m_iFrameDelay = 1000 / iFrameRate;
    }
    BOOL GetSleep() const { return m_bSleep; }
    void SetSleep(BOOL bSleep) { m_bSleep = bSleep; }
    BOOL GetQuit() const { return m_bQuit; }
    void SetQuit(BOOL bQuit) { m_bQuit = bQuit; }

    GameEngine(const GameEngine&) = delete;
    GameEngine& operator=(const GameEngine&) = delete;
};
