// A state that runs beside every state of its entity T and does nothing of
// its own on entry, update or exit. The one telegram every entity's global
// state takes is a new game's Msg_Reset, which initialises the entity again.
#pragma once

#include <iostream>

#include "Engine/Framework.h"
#include "Engine/SingletonState.h"
#include "Engine/Telegram.h"

template <class T, class D>
class GlobalState : public SingletonState<T, D> {
public:
    void Enter(T*) override {}
    void Execute(T*) override {}
    void Exit(T*) override {}

protected:
    // True, with the acceptance line, when msg is the reset and pEntity has been initialised.
    static bool TakeReset(T* pEntity, const Telegram& msg) {
        if (msg.Msg != Msg_Reset) return false;
        std::cout << "Message 'Msg_Reset' Accepted!" << std::endl << std::endl;
        pEntity->Initialize();
        return true;
    }
};
