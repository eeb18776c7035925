// The finite state machine an entity owns: a current state, the state before
// it, and a global state that runs beside whichever state is current.
#pragma once

#include <iostream>

#include "Engine/State.h"
#include "Engine/Telegram.h"

template <class T>
class StateMachine {
private:
    T* m_pOwner;
    State<T>* m_pCurrentState;
    State<T>* m_pPreviousState;
    State<T>* m_pGlobalState;

public:
    explicit StateMachine(T* owner)
        : m_pOwner(owner), m_pCurrentState(nullptr), m_pPreviousState(nullptr), m_pGlobalState(nullptr) {}

    void SetCurrentState(State<T>* s) { m_pCurrentState = s; }
    void SetGlobalState(State<T>* s) { m_pGlobalState = s; }
    void SetPreviousState(State<T>* s) { m_pPreviousState = s; }

    void Update() const {
        if (m_pGlobalState) m_pGlobalState->Execute(m_pOwner);
        if (m_pCurrentState) m_pCurrentState->Execute(m_pOwner);
    }

    bool HandleMessage(const Telegram& msg) const {
        std::cout << "StateMachine::HandleMessage - Routing telegram to m_pCurrentState::OnMessage." << std::endl;
        if (m_pCurrentState && m_pCurrentState->OnMessage(m_pOwner, msg)) return true;
        if (m_pGlobalState && m_pGlobalState->OnMessage(m_pOwner, msg)) return true;
        return false;
    }

    void ChangeState(State<T>* pNewState) {
        m_pPreviousState = m_pCurrentState;
        // A machine without a current state, or a change to none, has nothing to exit or enter.
        if (m_pCurrentState) m_pCurrentState->Exit(m_pOwner);
        m_pCurrentState = pNewState;
        if (m_pCurrentState) m_pCurrentState->Enter(m_pOwner);
    }

    State<T>* CurrentState() const { return m_pCurrentState; }
    State<T>* PreviousState() const { return m_pPreviousState; }
    State<T>* GlobalState() const { return m_pGlobalState; }
};
