// The two shapes every concrete state takes: a singleton reached through
// Instance(), and, for a state that shows a sprite of its entity, the six
// settings that sprite is made with.
#pragma once

#include "Engine/Bitmap.h"
#include "Engine/State.h"
#include "Platform/Win32.h"

// A state D of entity T with one instance, built on first use. D declares
// this class its friend and keeps its constructor private.
template <class T, class D>
class SingletonState : public State<T> {
public:
    static D* Instance() {
        static D instance;
        return &instance;
    }

    SingletonState(const SingletonState&) = delete;
    SingletonState& operator=(const SingletonState&) = delete;

protected:
    SingletonState() = default;
};

// A singleton state that shows a sprite: the numbers are fixed by its
// constructor, the bitmap and bounds are fetched from the entity by Enter.
template <class T, class D>
class SpriteState : public SingletonState<T, D> {
protected:
    SpriteState(int iNumFrames, int iFrameDelay, POINT ptVelocity, int iZOrder)
        : m_pBitmap(nullptr),
          m_iNumFrames(iNumFrames),
          m_iFrameDelay(iFrameDelay),
          m_ptVelocity(ptVelocity),
          m_iZOrder(iZOrder),
          m_rcBounds{0, 0, 0, 0} {}

    Bitmap* m_pBitmap;
    int m_iNumFrames;
    int m_iFrameDelay;
    POINT m_ptVelocity;
    int m_iZOrder;
    RECT m_rcBounds;
};
