// An entity's hold on one sprite it has handed to the engine.
//
// The engine deletes a killed sprite at its next sprite update, but an entity
// may keep naming a sprite it killed (the next state's entry describes it, and
// places its own sprite where the old one stood). The slot therefore remembers
// where its sprite stood when it was killed or let go, and never reads a killed
// sprite again: a position asked of a killed or empty slot is the last one known
// (all zeros if the slot never held a sprite).
#pragma once

#include "Engine/Sprite.h"

class SpriteSlot {
private:
    Sprite* m_pSprite = nullptr;
    bool m_bKilled = false;
    RECT m_rcLastPosition = {0, 0, 0, 0};

public:
    // The live sprite, or null when the slot is empty or its sprite was killed.
    Sprite* Get() const { return m_bKilled ? nullptr : m_pSprite; }
    // The pointer as kept, killed or not; for identity, never to be dereferenced.
    Sprite* Raw() const { return m_pSprite; }
    bool IsEmpty() const { return m_pSprite == nullptr; }

    // Stores a sprite; the one it replaces is neither killed nor forgotten
    // by the engine.
    void Set(Sprite* pSprite) {
        Remember();
        m_pSprite = pSprite;
        m_bKilled = false;
    }

    // Kills the sprite and keeps naming it.
    void Kill() {
        if (Sprite* p = Get()) {
            m_rcLastPosition = p->GetPosition();
            p->Kill();
        }
        m_bKilled = m_pSprite != nullptr;
    }

    // Kills the sprite, if any, and empties the slot.
    void Reset() {
        Kill();
        m_pSprite = nullptr;
        m_bKilled = false;
    }

    // The live sprite's position, or the last one known.
    RECT& Position() {
        if (Sprite* p = Get()) return p->GetPosition();
        return m_rcLastPosition;
    }

private:
    void Remember() {
        if (Sprite* p = Get()) m_rcLastPosition = p->GetPosition();
    }
};
