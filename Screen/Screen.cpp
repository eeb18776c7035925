#include "Screen/Screen.h"

#include <climits>
#include <iostream>

#include "EntityIDs.h"
#include "Engine/LoggedSend.h"
#include "Engine/MessageDispatcher.h"
#include "Screen/DemoScreen.h"
#include "Screen/ScreenGlobalState.h"

namespace {
const int kBannerZOrder = 30;
const int kBackgroundZOrder = 1;
}  // namespace

Screen::Screen(int id, GameEngine* pEngine, Bitmap* pBackground, Bitmap* pTitleScreen, Bitmap* pSavedScore,
               Bitmap* pDeathScore)
    : BaseGameEntity(id),
      m_pBitmap(pTitleScreen),
      m_pEngine(pEngine),
      m_pStateMachine(nullptr),
      m_pBackgroundBitmap(pBackground),
      m_pTitleScreenBitmap(pTitleScreen),
      m_pSavedScoreBitmap(pSavedScore),
      m_pDeathScoreBitmap(pDeathScore),
      m_rcWindowBounds{-1, -1, 641, 481},
      m_iSpeed(0),
      m_iCredits(0),
      m_bGameOver(false),
      m_bCanceled(false),
      m_bLookingAtScores(false),
      m_iSpeedUpDue(0),
      m_bSpeedUpScheduled(false) {
    std::cout << "Instantiating Screen: ID# " << id << std::endl;
    m_pStateMachine = new StateMachine<Screen>(this);
    m_pStateMachine->SetGlobalState(ScreenGlobalState::Instance());
}

Screen::~Screen() { delete m_pStateMachine; }

void Screen::ShowSprite(Bitmap* pBitmap, RECT rcBounds, int iNumFrames, int iFrameDelay, POINT ptVelocity,
                        int iZOrder) {
    Sprite* pSprite = MakeSprite(pBitmap, rcBounds, 0, 0, iNumFrames, iFrameDelay, ptVelocity, iZOrder);
    SetCurrentSprite(pSprite);
    m_pEngine->AddSprite(pSprite);
}

void Screen::Initialize() {
    // The slots kill only a live sprite: the banner may be gone since the blender started.
    ResetCurrentSprite();
    ResetSecondarySprite();

    m_iSpeed = 0;
    m_bGameOver = false;
    m_bCanceled = false;
    m_bLookingAtScores = false;
    m_bSpeedUpScheduled = false;

    m_pStateMachine->SetCurrentState(DemoScreen::Instance());

    const POINT ptStill = {0, 0};
    ShowSprite(m_pBitmap, m_rcWindowBounds, 1, 0, ptStill, kBannerZOrder);

    Sprite* pBackground = MakeSprite(m_pBackgroundBitmap, m_rcWindowBounds, 0, 0, 1, 0, ptStill, kBackgroundZOrder);
    SetSecondarySprite(pBackground);
    m_pEngine->AddSprite(pBackground);

    WritePositionLine("Screen::Initialize: ", true);
}

void Screen::Update() { m_pStateMachine->Update(); }

bool Screen::HandleMessage(const Telegram& msg) {
    std::cout << "Screen::HandleMessage - Routing telegram to m_pStateMachine." << std::endl;
    return m_pStateMachine->HandleMessage(msg);
}

void Screen::SendTelegram(int iDelay, int iReceiver, MessageType msg, const char* szName) {
    SendLogged("Screen Class", iDelay, ID(), iReceiver, msg, szName);
}

void Screen::AddCredit() {
    // Held at the largest count rather than overflowing into a negative one.
    if (m_iCredits < INT_MAX) ++m_iCredits;
    SendTelegram(0, ID(), Msg_CreditInserted, "Msg_CreditInserted");
}

void Screen::CycleHighScores() { SendTelegram(0, ID(), Msg_CycleHighScores, "Msg_CycleHighScores"); }

void Screen::SendNewGameMessage() { SendTelegram(6000, ID(), Msg_NewGame, "Msg_NewGame"); }

void Screen::ResetAllEntities() {
    ResetEntity(BlenderID);
    ResetEntity(FishID);
    ResetEntity(ID());
}

void Screen::ResetEntity(int id) { SendTelegram(0, id, Msg_Reset, "Msg_Reset"); }

// With no live top sprite there is nothing that could have hit its bounds.
bool Screen::HitBounds() const {
    Sprite* pSprite = m_pCurrentSprite.Get();
    return pSprite != nullptr && pSprite->GetBoundHit();
}

void Screen::WritePositionLine(const char* szPrefix, bool bBlankLine) {
    const RECT& rc = GetPosition();
    std::cout << szPrefix << GetPositionX() << " " << GetPositionY() << " " << rc.right << " " << rc.bottom
              << std::endl;
    if (bBlankLine) std::cout << std::endl;
}
