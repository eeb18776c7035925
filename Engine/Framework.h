// Shared definitions of the agent framework: the message catalogue and the
// dispatcher's duplicate window.
#pragma once

// Two delayed telegrams with the same sender, receiver and type whose due times
// differ by less than this many milliseconds count as the same telegram.
const double SmallestDelay = 250;

// The closed catalogue of telegram types. The values are binding: a state
// recognises a message only by its number. 10 and 11 name no message.
enum MessageType {
    Msg_Reset = 0,
    Msg_JustKeepSwimming = 1,
    Msg_Saved = 2,
    Msg_Panic = 3,
    Msg_Talk = 4,
    Msg_Die = 5,
    Msg_GoodbyeCruelWorld = 6,
    Msg_Rip = 7,
    Msg_FlopAway = 8,
    Msg_Jump = 9,
    Msg_CancelBlending = 12,
    Msg_Flip = 13,
    Msg_FishDead = 14,
    Msg_BloodyFishGoo = 15,
    Msg_Gravity = 16,
    Msg_BlenderOn = 17,
    Msg_BlenderOff = 18,
    Msg_SpeedUp = 19,
    Msg_CreditInserted = 20,
    Msg_CycleHighScores = 21,
    Msg_ShowSavedScores = 22,
    Msg_ShowDeathScores = 23,
    Msg_HideTitle = 24,
    Msg_GameOver = 25,
    Msg_NewGame = 26
};
