// A state of an entity of type T: run on entry, every update, on exit, and
// offered the telegrams its entity receives.
#pragma once

struct Telegram;

template <class T>
class State {
public:
    virtual ~State() {}
    virtual void Enter(T*) = 0;
    virtual void Execute(T*) = 0;
    virtual void Exit(T*) = 0;
    virtual bool OnMessage(T*, const Telegram&) = 0;
};
