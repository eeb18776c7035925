// Log passages of the whole game that several scenarios share, written from
// what each entity and state is to write.
#pragma once

#include <string>

#include "support/GameRun.h"

inline Lines StartupLog() {
    return Join({{"Entity created: Assigned ID# 0", "Instantiating Screen: ID# 0", "Entity created: Assigned ID# 1",
                  "Instantiating Fish: ID# 1", "Entity created: Assigned ID# 2", "Instantiating Blender: ID# 2"},
                 WindowSprite(640, 167),
                 WindowSprite(640, 480),
                 {"Screen::Initialize: 0 0 640 167", ""},
                 SpriteBlock(200, 0, 640, 480, 920, 85),
                 {"Fish::Initialize: 250 200 365 285", ""},
                 WindowSprite(640, 480),
                 {"Blender::Initialize: 0 0 640 480", "Current Blender status: m_pBlending = 0", ""}});
}

// A quarter whose credit telegram the Screen's current state declines.
inline Lines QuarterDeclined(const std::string& sScreenState, int iCredits, int iToday) {
    return Join({{"Screen Class is writing a message: 'Msg_CreditInserted'"},
                 MailNow(),
                 RoutedTo("Screen", sScreenState),
                 {"ScreenGlobalState received a telegram.", "Message not handled", "Screen Class just sent message.", "",
                  "Quarter accepted!", "Credits = " + std::to_string(iCredits),
                  "Total Credits Today = " + std::to_string(iToday), ""}});
}

// The fish turns to face the player at x, sending itself its five-second telegram at dwTick.
inline Lines FacePlayer(int x, DWORD dwTick) {
    std::string sAt = "SwimTowardPlayer::Enter: " + Rect(x, 200, x + 115, 285);
    return Join({{sAt},
                 SpriteBlock(0, 0, 640, 480, 920, 85),
                 {sAt, "", "SwimTowardPlayer is writing a message."},
                 MailLater(5000, dwTick),
                 {"SwimTowardPlayer just sent message.", ""}});
}

// The blender button without credit, up to the board state's own lines.
inline Lines CycleInto(const std::string& sScreenState) {
    return Join({{"Cycling High Scores.", "", "Screen Class is writing a message: 'Msg_CycleHighScores'"},
                 MailNow(),
                 RoutedTo("Screen", sScreenState),
                 {"Message 'CycleHighScores' Accepted!", ""}});
}

// The saved-fish board sends the fish flopping away from where it was.
inline Lines FlopAwayFrom(const std::string& sFishState, const std::string& sOldPosition) {
    return Join({{"SavedScoresScreen is writing a message."},
                 MailNow(),
                 RoutedTo("Fish", sFishState),
                 {"FishGlobalState received a telegram.", "Message 'FlopAway' Accepted!", "",
                  "FlopAway::Enter: " + sOldPosition},
                 SpriteBlock(-115, 310, 756, 481, 115, 85),
                 {"FlopAway::Enter: 640 394 755 479", "", "SavedScoresScreen just sent message.", ""}});
}

inline Lines FishInitialize() {
    return Join({SpriteBlock(200, 0, 640, 480, 920, 85), {"Fish::Initialize: 250 200 365 285", ""}});
}

// A board state (leaving the saved-fish board) resets the fish.
inline Lines FishResetBy(const std::string& sSender, const std::string& sFishState) {
    return Join({{sSender + " is writing a message."},
                 MailNow(),
                 RoutedTo("Fish", sFishState),
                 {"FishGlobalState received a telegram.", "Message 'Msg_Reset' Accepted!", ""},
                 FishInitialize(),
                 {sSender + " just sent message.", ""}});
}

// One step of the speedometer at dwTick, up to and including the Blender's speed-up.
inline Lines SpeedStep(int iSpeed) {
    return Join({{"Mailing saved letter now."},
                 RoutedTo("Screen", "SpeedometerScreen"),
                 {"Message 'Msg_SpeedUp' Accepted!", "Speed Up! m_iSpeed = " + std::to_string(iSpeed), "",
                  "SpeedometerScreen is writing a message."},
                 MailNow(),
                 RoutedTo("Blender", "Blending"),
                 {"Message 'Msg_SpeedUp' Accepted!", "", "SpeedometerScreen just sent message.", ""}});
}

// The speedometer schedules its next step.
inline Lines NextSpeedUp(int iDelay, DWORD dwTick) {
    return Join({{"SpeedometerScreen is writing a message."}, MailLater(iDelay, dwTick),
                 {"SpeedometerScreen just sent message.", ""}});
}

// The blender starts at dwTick (the button was pressed with a credit); the fish is in sFishState.
inline Lines BlenderStarts(int iCreditsLeft, DWORD dwTick, const std::string& sFishState) {
    return Join({{"Credits = " + std::to_string(iCreditsLeft), "NOW BLENDING!!!", "",
                  "Calm::Execute - Current Blender status: m_pBlending = 1", "", "Blending::Enter: 0 0 640 480"},
                 WindowSprite(5120, 480),
                 {"Blending::Enter: 0 0 640 480", "WARNING!: Only low power mode available at this time.",
                  "Current Blender status: m_pBlending = 1", "", "Blending is writing a message."},
                 MailNow(),
                 RoutedTo("Screen", "DemoScreen"),
                 {"Message 'Msg_BlenderOn' Accepted!", "", "SpeedometerScreen::Enter: 0 0 640 167",
                  "SpeedometerScreen::Enter: 0 0 640 167", ""},
                 NextSpeedUp(1000, dwTick),
                 {"Blending just sent message.", "", "Blending is writing a message."},
                 MailNow(),
                 RoutedTo("Fish", sFishState),
                 {"Message 'Msg_BlenderOn' Accepted!", "", "Blending just sent message.", ""}});
}

// A reset sent by the Screen to one entity, up to the entity's own lines.
inline Lines ResetSent(const std::string& sEntity, const std::string& sState) {
    return Join({{"Screen Class is writing a message: 'Msg_Reset'"},
                 MailNow(),
                 RoutedTo(sEntity, sState),
                 {sEntity + "GlobalState received a telegram.", "Message 'Msg_Reset' Accepted!", ""}});
}

// A new game: the board's delayed telegram resets Blender, Fish and Screen in that order.
inline Lines NewGameResets(const std::string& sBoard, const std::string& sBlenderState, const std::string& sFishState) {
    return Join({{"Mailing saved letter now."},
                 RoutedTo("Screen", sBoard),
                 {"Message 'NewGame' Accepted!", ""},
                 ResetSent("Blender", sBlenderState),
                 WindowSprite(640, 480),
                 {"Blender::Initialize: 0 0 640 480", "Current Blender status: m_pBlending = 0", "",
                  "Screen Class just sent message.", ""},
                 ResetSent("Fish", sFishState),
                 FishInitialize(),
                 {"Screen Class just sent message.", ""},
                 ResetSent("Screen", sBoard),
                 WindowSprite(640, 167),
                 WindowSprite(640, 480),
                 {"Screen::Initialize: 0 0 640 167", "", "Screen Class just sent message.", ""}});
}

inline Lines NewGameScheduled(DWORD dwTick) {
    return Join({{"Screen Class is writing a message: 'Msg_NewGame'"}, MailLater(6000, dwTick),
                 {"Screen Class just sent message.", ""}});
}
