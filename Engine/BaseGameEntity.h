// Base of every agent: a unique, ascending ID, a per-frame update and a
// telegram handler.
#pragma once

struct Telegram;

class BaseGameEntity {
private:
    int m_ID;
    static int m_iNextValidID;

    void SetID(int val);

public:
    explicit BaseGameEntity(int id);
    virtual ~BaseGameEntity() {}

    virtual void Update() = 0;
    virtual bool HandleMessage(const Telegram& msg) = 0;

    int ID() const { return m_ID; }
    // The lowest ID a new entity may still take.
    static int NextValidID() { return m_iNextValidID; }
};
