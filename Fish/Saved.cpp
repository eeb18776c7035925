#include "Fish/Saved.h"

#include <iostream>

#include "EntityIDs.h"
#include "Engine/LoggedSend.h"
#include "Engine/Framework.h"
#include "Engine/MessageDispatcher.h"
#include "Fish/Fish.h"

namespace {
}  // namespace

Saved::Saved() : SpriteState(1, 0, POINT{0, 7}, 20) {}

void Saved::Enter(Fish* pFish) {
    m_pBitmap = pFish->GetJump1Bitmap();
    m_rcBounds = pFish->GetBottomOfBlender();
    pFish->SetFalling(true);

    // With no sprite left (an ascended angel, a vanished fish) the fish drops from where it was last seen.
    pFish->WritePosition("Saved::Enter: ");
    Sprite* pSprite = MakeSprite(m_pBitmap, m_rcBounds, pFish->GetPositionX(), pFish->GetPositionY(),
                                        m_iNumFrames, m_iFrameDelay, m_ptVelocity, m_iZOrder);
    pFish->ResetCurrentSprite();
    pFish->ResetSecondarySprite();
    pFish->ResetSpeechBubbleSprite();
    pFish->SetCurrentSprite(pSprite);
    pFish->GetEngine()->AddSprite(pSprite);

    pFish->WritePosition("Saved::Enter: ", true);
}

void Saved::Execute(Fish* pFish) {
    if (!pFish->Falling() || !pFish->HitBounds()) return;

    pFish->SetFalling(false);
    pFish->KillCurrentSprite();
    Sprite* pFlailing = MakeSprite(pFish->GetFlailLeftBitmap(), pFish->GetWindowBounds(),
                                          pFish->GetPositionX(), pFish->GetPositionY(), 2, 4, POINT{0, 0}, m_iZOrder);
    pFish->SetCurrentSprite(pFlailing);
    pFish->GetEngine()->AddSprite(pFlailing);

    SendLogged("Saved", 5000, pFish->ID(), ScreenID, Msg_ShowSavedScores);
}

void Saved::Exit(Fish* pFish) {
    pFish->KillCurrentSprite();
    pFish->ResetSpeechBubbleSprite();
}

bool Saved::OnMessage(Fish*, const Telegram&) {
    std::cout << "Saved received a telegram." << std::endl;
    return false;
}
