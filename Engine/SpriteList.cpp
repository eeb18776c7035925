// The engine's z-ordered sprite list: it owns every sprite it holds.
#include "Engine/GameEngine.h"

void GameEngine::AddSprite(Sprite* pSprite) {
    if (pSprite == NULL) return;

    std::vector<Sprite*>::iterator siSprite = m_vSprites.begin();
    while (siSprite != m_vSprites.end() && (*siSprite)->GetZOrder() <= pSprite->GetZOrder()) ++siSprite;
    m_vSprites.insert(siSprite, pSprite);
}

void GameEngine::DrawSprites(HDC hDC) {
    for (Sprite* pSprite : m_vSprites) pSprite->Draw(hDC);
}

void GameEngine::UpdateSprites() {
    size_t i = 0;
    while (i < m_vSprites.size()) {
        Sprite* pSprite = m_vSprites[i];
        RECT rcOldSpritePos = pSprite->GetPosition();

        SPRITEACTION saSpriteAction = pSprite->Update();
        if (saSpriteAction & SA_KILL) {
            SpriteDying(pSprite);
            delete pSprite;
            m_vSprites.erase(m_vSprites.begin() + i);
            continue;  // the next sprite has moved into this place
        }

        if (CheckSpriteCollision(pSprite)) pSprite->SetPosition(rcOldSpritePos);
        ++i;
    }
}

void GameEngine::CleanupSprites() {
    for (Sprite* pSprite : m_vSprites) delete pSprite;
    m_vSprites.clear();
}

Sprite* GameEngine::IsPointInSprite(int x, int y) {
    for (std::vector<Sprite*>::reverse_iterator siSprite = m_vSprites.rbegin(); siSprite != m_vSprites.rend();
         ++siSprite)
        if (!(*siSprite)->IsHidden() && (*siSprite)->IsPointInside(x, y)) return *siSprite;
    return NULL;
}

BOOL GameEngine::CheckSpriteCollision(Sprite* pTestSprite) {
    for (Sprite* pSprite : m_vSprites) {
        if (pSprite == pTestSprite) continue;
        if (pTestSprite->TestCollision(pSprite)) return SpriteCollision(pSprite, pTestSprite);
    }
    return FALSE;
}
