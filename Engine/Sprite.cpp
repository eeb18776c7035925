#include "Engine/Sprite.h"

#include <algorithm>
#include <iostream>

namespace {

const COLORREF crSpriteKey = RGB(255, 0, 255);

void WriteRect(const char* szLabel, const RECT& rc) {
    std::cout << szLabel << rc.left << " " << rc.top << " " << rc.right << " " << rc.bottom << std::endl;
}

}  // namespace

Sprite::Sprite(Bitmap* pBitmap) : m_pBitmap(pBitmap), m_rcBounds{0, 0, 640, 480} { PlaceAt(0, 0); }

Sprite::Sprite(Bitmap* pBitmap, RECT& rcBounds, BOUNDSACTION baBoundsAction) {
    std::cout << "Sprite Attributes" << std::endl;
    WriteDiagnostics(rcBounds);

    m_pBitmap = pBitmap;
    PlaceAt(0, 0);
    CopyRect(&m_rcBounds, &rcBounds);
    m_baBoundsAction = baBoundsAction;

    WriteDiagnostics(rcBounds);
}

Sprite::Sprite(Bitmap* pBitmap, POINT ptPosition, POINT ptVelocity, int iZOrder, RECT& rcBounds,
               BOUNDSACTION baBoundsAction)
    : m_pBitmap(pBitmap), m_ptVelocity(ptVelocity), m_iZOrder(iZOrder), m_baBoundsAction(baBoundsAction) {
    PlaceAt(ptPosition.x, ptPosition.y);
    CopyRect(&m_rcBounds, &rcBounds);
}

void Sprite::PlaceAt(int x, int y) {
    SetRect(&m_rcPosition, x, y, x + BitmapWidth(), y + BitmapHeight());
    CalcCollisionRect();
}

Sprite::~Sprite() {}

Sprite* MakeSprite(Bitmap* pBitmap, RECT rcBounds, int x, int y, int iNumFrames, int iFrameDelay, POINT ptVelocity,
                   int iZOrder) {
    Sprite* pSprite = new Sprite(pBitmap, rcBounds, BA_STOP);
    // The frame count narrows the position rectangle, so the position goes first.
    pSprite->SetPosition(x, y);
    pSprite->SetNumFrames(iNumFrames);
    pSprite->SetFrameDelay(iFrameDelay);
    pSprite->SetVelocity(ptVelocity);
    pSprite->SetZOrder(iZOrder);
    return pSprite;
}

void Sprite::WriteDiagnostics(const RECT& rcBounds) const {
    WriteRect("rcBounds: ", rcBounds);
    WriteRect("m_rcBounds: ", m_rcBounds);
    WriteRect("m_rcPosition: ", m_rcPosition);
    WriteRect("m_rcCollision: ", m_rcCollision);
}

void Sprite::CalcCollisionRect() {
    int iXShrink = (m_rcPosition.left - m_rcPosition.right) / 12;
    int iYShrink = (m_rcPosition.top - m_rcPosition.bottom) / 12;
    CopyRect(&m_rcCollision, &m_rcPosition);
    InflateRect(&m_rcCollision, iXShrink, iYShrink);
}

void Sprite::UpdateFrame() {
    if (m_iFrameDelay < 0) return;
    if (--m_iFrameTrigger > 0) return;

    m_iFrameTrigger = m_iFrameDelay;
    if (++m_iCurFrame >= m_iNumFrames) {
        if (!m_bOneCycle)
            m_iCurFrame = 0;
        else if (m_bFreezeFrame)
            m_iCurFrame--;
        else
            m_bDying = TRUE;
    }
}

namespace {

// Puts one coordinate of a sprite of the given size back between the two edges
// and turns its speed round, when it has gone past either; says whether it had.
bool BounceWithin(int& iPos, int iSize, LONG lLow, LONG lHigh, LONG& lSpeed) {
    if (iPos < lLow)
        iPos = lLow;
    else if (iPos + iSize > lHigh)
        iPos = lHigh - iSize;
    else
        return false;
    lSpeed = -lSpeed;
    return true;
}

}  // namespace

SPRITEACTION Sprite::Update() {
    if (m_bDying) return SA_KILL;

    UpdateFrame();

    int x = m_rcPosition.left + m_ptVelocity.x;
    int y = m_rcPosition.top + m_ptVelocity.y;
    int w = m_rcPosition.right - m_rcPosition.left;
    int h = m_rcPosition.bottom - m_rcPosition.top;
    const RECT& rcB = m_rcBounds;

    switch (m_baBoundsAction) {
    case BA_WRAP:
        if (x + w < rcB.left)
            x = rcB.right;
        else if (x > rcB.right)
            x = rcB.left - w;
        if (y + h < rcB.top)
            y = rcB.bottom;
        else if (y > rcB.bottom)
            y = rcB.top - h;
        break;

    case BA_BOUNCE: {
        POINT ptNewVelocity = m_ptVelocity;
        const bool bBounceX = BounceWithin(x, w, rcB.left, rcB.right, ptNewVelocity.x);
        const bool bBounceY = BounceWithin(y, h, rcB.top, rcB.bottom, ptNewVelocity.y);
        if (bBounceX || bBounceY) SetVelocity(ptNewVelocity);
        break;
    }

    case BA_DIE:
        if (x + w < rcB.left || x > rcB.right || y + h < rcB.top || y > rcB.bottom) return SA_KILL;
        break;

    default:  // BA_STOP and any unknown action
        if (x < rcB.left || x > rcB.right - w) {
            x = std::max<int>(rcB.left, std::min<int>(x, rcB.right - w));
            SetVelocity(0, 0);
            m_bBoundHit = true;
        }
        if (y < rcB.top || y > rcB.bottom - h) {
            y = std::max<int>(rcB.top, std::min<int>(y, rcB.bottom - h));
            SetVelocity(0, 0);
            m_bBoundHit = true;
        }
        break;
    }

    SetPosition(x, y);
    return SA_NONE;
}

void Sprite::Draw(HDC hDC) {
    // A bitmap that failed to load has no image and its size is not to be trusted.
    if (!m_pBitmap || m_bHidden || !m_pBitmap->HasImage()) return;

    if (m_iNumFrames == 1) {
        m_pBitmap->Draw(hDC, m_rcPosition.left, m_rcPosition.top, TRUE, crSpriteKey);
        return;
    }
    // A finished one-cycle animation points one past its last frame: nothing to draw.
    if (m_iCurFrame < 0 || m_iCurFrame >= m_iNumFrames) return;
    m_pBitmap->DrawPart(hDC, m_rcPosition.left, m_rcPosition.top, m_iCurFrame * GetWidth(), 0, GetWidth(),
                        GetHeight(), TRUE, crSpriteKey);
}

void Sprite::SetNumFrames(int iNumFrames, BOOL bOneCycle) {
    // A strip has at least one frame; fewer would divide by zero.
    m_iNumFrames = std::max(iNumFrames, 1);
    m_bOneCycle = bOneCycle;

    RECT rect = GetPosition();
    rect.right = rect.left + ((rect.right - rect.left) / m_iNumFrames);
    SetPosition(rect);
}

void Sprite::SetPosition(int x, int y) {
    OffsetRect(&m_rcPosition, x - m_rcPosition.left, y - m_rcPosition.top);
    CalcCollisionRect();
}

void Sprite::SetPosition(POINT ptPosition) { SetPosition(ptPosition.x, ptPosition.y); }

void Sprite::SetPosition(RECT& rcPosition) {
    CopyRect(&m_rcPosition, &rcPosition);
    CalcCollisionRect();
}

void Sprite::SetVelocity(int x, int y) {
    m_ptVelocity.x = x;
    m_ptVelocity.y = y;
}

void Sprite::SetVelocity(POINT ptVelocity) { m_ptVelocity = ptVelocity; }

BOOL Sprite::IsPointInside(int x, int y) {
    POINT ptPoint = {x, y};
    return PtInRect(&m_rcPosition, ptPoint);
}

BOOL Sprite::TestCollision(Sprite* pTestSprite) {
    const RECT& rcTest = pTestSprite->GetCollision();
    return m_rcCollision.left <= rcTest.right && rcTest.left <= m_rcCollision.right &&
           m_rcCollision.top <= rcTest.bottom && rcTest.top <= m_rcCollision.bottom;
}
