#include "Screen/ScoreBoards.h"

#include <iostream>

#include "Engine/Framework.h"
#include "Screen/DemoScreen.h"
#include "Screen/Screen.h"

namespace scoreboards {

void Show(Screen* pScreen, const char* szPrefix, Bitmap* pBitmap, RECT rcBounds, int iNumFrames, int iFrameDelay,
          POINT ptVelocity, int iZOrder) {
    pScreen->SetLookingAtScores(true);
    // The sprite left behind may be long deleted: the slot gives where it stood.
    pScreen->WritePositionLine(szPrefix, false);
    pScreen->ShowSprite(pBitmap, rcBounds, iNumFrames, iFrameDelay, ptVelocity, iZOrder);
}

void Shown(Screen* pScreen, const char* szPrefix) {
    pScreen->WritePositionLine(szPrefix, true);
    if (pScreen->GameOver()) pScreen->SendNewGameMessage();
}

bool OnMessage(Screen* pScreen, const Telegram& msg, State<Screen>* pCycleTo) {
    switch (msg.Msg) {
        case Msg_CreditInserted:
            std::cout << "Message 'CreditInserted' Accepted!" << std::endl << std::endl;
            if (!pScreen->GameOver()) pScreen->GetFSM()->ChangeState(DemoScreen::Instance());
            return true;
        case Msg_CycleHighScores:
            std::cout << "Message 'CycleHighScores' Accepted!" << std::endl << std::endl;
            if (!pScreen->GameOver()) pScreen->GetFSM()->ChangeState(pCycleTo);
            return true;
        case Msg_NewGame:
            std::cout << "Message 'NewGame' Accepted!" << std::endl << std::endl;
            if (pScreen->GameOver()) pScreen->ResetAllEntities();
            return true;
        default:
            return false;
    }
}

}  // namespace scoreboards
