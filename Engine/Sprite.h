// A moving, animated picture: a horizontal strip of equally wide frames with a
// position, a velocity, bounds with a rule for their edge, and a z-order.
#pragma once

#include <climits>

#include "Engine/Bitmap.h"
#include "Engine/Engine.h"

class Sprite {
protected:
    Bitmap* m_pBitmap = nullptr;
    int m_iNumFrames = 1, m_iCurFrame = 0;
    int m_iFrameDelay = 0, m_iFrameTrigger = 0;
    RECT m_rcPosition = {0, 0, 0, 0}, m_rcCollision = {0, 0, 0, 0};
    POINT m_ptVelocity = {0, 0};
    int m_iZOrder = 0;
    RECT m_rcBounds = {0, 0, 0, 0};
    BOUNDSACTION m_baBoundsAction = BA_STOP;
    BOOL m_bHidden = FALSE;
    BOOL m_bDying = FALSE;
    BOOL m_bOneCycle = FALSE;
    bool m_bBoundHit = false;
    bool m_bFreezeFrame = false;

    virtual void CalcCollisionRect();

private:
    int BitmapWidth() const { return m_pBitmap ? m_pBitmap->GetWidth() : 0; }
    // A top-down image has a negative header height; a frame is as high as its magnitude.
    int BitmapHeight() const {
        int iHeight = m_pBitmap ? m_pBitmap->GetHeight() : 0;
        return iHeight >= 0 ? iHeight : (iHeight == INT_MIN ? INT_MAX : -iHeight);
    }
    // The bitmap's first frame at (x, y), and the collision rectangle within it.
    void PlaceAt(int x, int y);
    // The bounds argument and the three member rectangles, one line each.
    void WriteDiagnostics(const RECT& rcBounds) const;

public:
    explicit Sprite(Bitmap* pBitmap);
    Sprite(Bitmap* pBitmap, RECT& rcBounds, BOUNDSACTION baBoundsAction = BA_STOP);
    Sprite(Bitmap* pBitmap, POINT ptPosition, POINT ptVelocity, int iZOrder, RECT& rcBounds,
           BOUNDSACTION baBoundsAction = BA_STOP);
    virtual ~Sprite();

    virtual SPRITEACTION Update();
    void Draw(HDC hDC);
    void UpdateFrame();
    BOOL IsPointInside(int x, int y);
    BOOL TestCollision(Sprite* pTestSprite);
    void Kill() { m_bDying = TRUE; }

    RECT& GetPosition() { return m_rcPosition; }
    void SetPosition(int x, int y);
    void SetPosition(POINT ptPosition);
    void SetPosition(RECT& rcPosition);
    RECT& GetCollision() { return m_rcCollision; }
    POINT GetVelocity() const { return m_ptVelocity; }
    void SetVelocity(int x, int y);
    void SetVelocity(POINT ptVelocity);
    int GetZOrder() const { return m_iZOrder; }
    void SetZOrder(int iZOrder) { m_iZOrder = iZOrder; }
    void SetBounds(RECT& rcBounds) { CopyRect(&m_rcBounds, &rcBounds); }
    void SetBoundsAction(BOUNDSACTION ba) { m_baBoundsAction = ba; }
    BOOL IsHidden() const { return m_bHidden; }
    void SetHidden(BOOL bHidden) { m_bHidden = bHidden; }
    BOOL IsDying() const { return m_bDying; }
    // The frame width and height.
    int GetWidth() const { return BitmapWidth() / m_iNumFrames; }
    int GetHeight() const { return BitmapHeight(); }
    void SetNumFrames(int iNumFrames, BOOL bOneCycle = FALSE);
    int GetNumFrames() const { return m_iNumFrames; }
    int GetCurFrame() const { return m_iCurFrame; }
    int GetFrameDelay() const { return m_iFrameDelay; }
    void SetFrameDelay(int iFrameDelay) { m_iFrameDelay = iFrameDelay; }
    bool FreezeFrame() const { return m_bFreezeFrame; }
    void SetFreezeFrame(bool bFreezeFrame) { m_bFreezeFrame = bFreezeFrame; }
    bool GetBoundHit() const { return m_bBoundHit; }
    Bitmap* GetBitmap() const { return m_pBitmap; }
};

// A sprite as the game's entities make theirs: at (x, y), stopping at its
// bounds, its frames looping at the given delay, moving at the given velocity.
Sprite* MakeSprite(Bitmap* pBitmap, RECT rcBounds, int x, int y, int iNumFrames, int iFrameDelay, POINT ptVelocity,
                   int iZOrder);

