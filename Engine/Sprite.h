// A moving, animated picture: a horizontal strip of equally wide frames with a
// position, a velocity, bounds with a rule for their edge, and a z-order.
#pragma once

#include <climits>

#include "Engine/Bitmap.h"
#include "Engine/Engine.h"

class Sprite {
protected:
    Bitmap* m_pBitmap;
    int m_iNumFrames, m_iCurFrame;
    int m_iFrameDelay, m_iFrameTrigger;
    RECT m_rcPosition, m_rcCollision;
    POINT m_ptVelocity;
    int m_iZOrder;
    RECT m_rcBounds;
    BOUNDSACTION m_baBoundsAction;
    BOOL m_bHidden;
    BOOL m_bDying;
    BOOL m_bOneCycle;
    bool m_bBoundHit;
    bool m_bFreezeFrame;

    virtual void CalcCollisionRect();

private:
    int BitmapWidth() const { return m_pBitmap ? m_pBitmap->GetWidth() : 0; }
    // A top-down image has a negative header height; a frame is as high as its magnitude.
    int BitmapHeight() const {
        int iHeight = m_pBitmap ? m_pBitmap->GetHeight() : 0;
        return iHeight >= 0 ? iHeight : (iHeight == INT_MIN ? INT_MAX : -iHeight);
    }
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
