#include "Fish/Angel.h"

#include <iostream>

#include "EntityIDs.h"
#include "Engine/LoggedSend.h"
#include "Engine/Framework.h"
#include "Engine/MessageDispatcher.h"
#include "Fish/Fish.h"

namespace {
}  // namespace

Angel::Angel() : SpriteState(6, 6, POINT{0, -1}, 20) {}

void Angel::Enter(Fish* pFish) {
    m_pBitmap = pFish->GetAngelBitmap();
    m_rcBounds = pFish->GetFishHeaven();
    std::cout << "Angel::Enter: Stating at (270, 160)" << std::endl;

    Sprite* pSprite = MakeSprite(m_pBitmap, m_rcBounds, 270, 160, m_iNumFrames, m_iFrameDelay, m_ptVelocity,
                                        m_iZOrder);
    pFish->SetCurrentSprite(pSprite);
    pFish->GetEngine()->AddSprite(pSprite);

    pFish->WritePosition("Angel::Enter: ", true);
}

void Angel::Execute(Fish* pFish) {
    if (pFish->Ascended() || !pFish->HitBounds()) return;

    pFish->SetAscended(true);
    pFish->ResetCurrentSprite();
    pFish->ResetSecondarySprite();

    SendLogged("Angel", 0, pFish->ID(), ScreenID, Msg_ShowDeathScores);
}

void Angel::Exit(Fish* pFish) { pFish->ResetCurrentSprite(); }

bool Angel::OnMessage(Fish*, const Telegram&) {
    std::cout << "Angel received a telegram." << std::endl;
    return false;
}
