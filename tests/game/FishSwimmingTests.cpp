// The swimming fish: its turning points, facing the player, and what the
// blender and the panic warning change.
#include "FishTestBed.h"
#include "support/Isolation.h"

namespace hl = platform::headless;

namespace {

Lines EntryLines(const Lines& vLog) {
    Lines v;
    for (const std::string& s : vLog)
        if (s.find("::Enter: ") != std::string::npos && (v.empty() || v.back() != s)) v.push_back(s);
    return v;
}

Lines FacingAt(int x, DWORD dwNow) {
    std::string sAt = "SwimTowardPlayer::Enter: " + Rect(x, 200, x + 115, 285);
    return Join({{sAt}, FishSprite(0, 0, 640, 480, 920), {sAt, "", "SwimTowardPlayer is writing a message."},
                 MailLater(5000, dwNow), {"SwimTowardPlayer just sent message.", ""}});
}

}  // namespace

ISOLATED_TEST(FishSwimming, CycleTurnsAtTheLeftSideTheCentreAndTheRightSide) {
    FishBed bed;
    CaptureLog log;

    // 50 pixels at 2 a frame: bounds met in the 26th sprite update, seen by the next Execute.
    EXPECT_EQ(bed.FramesUntil(SwimRight::Instance()), 27);
    EXPECT_EQ(bed.FramesUntil(SwimTowardPlayer::Instance()), 33);
    DWORD dwFaced = hl::Now();
    EXPECT_EQ(log.Lines(), Join({{"SwimRight::Enter: 200 200 315 285"}, FishSprite(0, 0, 380, 480, 920),
                                 {"SwimRight::Enter: 200 200 315 285", ""}, FacingAt(265, dwFaced)}));

    // Five seconds facing the player, then the right side, the left side and the centre again.
    bed.FramesUntil(SwimRight::Instance());
    EXPECT_GT(hl::Now(), dwFaced + 5000);
    EXPECT_LE(hl::Now(), dwFaced + 5000 + 34);
    EXPECT_FALSE(bed.pFish->GetSwimmingToCenter());
    EXPECT_EQ(bed.FramesUntil(SwimLeft::Instance()), 28);
    EXPECT_EQ(bed.FramesUntil(SwimRight::Instance()), 61);
    EXPECT_EQ(bed.FramesUntil(SwimTowardPlayer::Instance()), 33);
    EXPECT_EQ(EntryLines(log.Lines()),
              (Lines{"SwimRight::Enter: 200 200 315 285", "SwimTowardPlayer::Enter: 265 200 380 285",
                     "SwimRight::Enter: 265 200 380 285", "SwimLeft::Enter: 320 200 435 285",
                     "SwimRight::Enter: 200 200 315 285", "SwimTowardPlayer::Enter: 265 200 380 285"}));
    // Every old sprite was killed on the way.
    EXPECT_EQ(bed.LiveSprites(), 1u);
}

ISOLATED_TEST(FishSwimming, BlenderKeepsTheFishFacingAndMovesOnlyTheNextLeftTurn) {
    FishBed bed;
    {
        CaptureLog log;
        bed.Tell(Msg_BlenderOn);
        EXPECT_EQ(log.Lines(), Join({MailNow(), RoutedTo("Fish", "SwimLeft"), {"Message 'Msg_BlenderOn' Accepted!", ""}}));
    }
    // The left swim already under way keeps its turning point.
    EXPECT_EQ(bed.FramesUntil(SwimRight::Instance()), 27);
    bed.FramesUntil(SwimTowardPlayer::Instance());

    // The five-second telegram is taken, but the fish stays while the blender runs.
    bed.Frames(160);
    EXPECT_TRUE(bed.pFish->GetJustKeepSwimming());
    EXPECT_EQ(bed.Current(), SwimTowardPlayer::Instance());

    CaptureLog log;
    bed.Tell(Msg_BlenderOff);
    bed.Frame();
    EXPECT_EQ(bed.Current(), SwimRight::Instance());
    EXPECT_EQ(bed.LiveSprites(), 1u);

    bed.Tell(Msg_BlenderOn);
    EXPECT_EQ(bed.FramesUntil(SwimLeft::Instance()), 28);
    // From 320 the left swim now ends at 265, where the centre is already reached.
    EXPECT_EQ(bed.FramesUntil(SwimRight::Instance()), 28);
    EXPECT_EQ(bed.FramesUntil(SwimTowardPlayer::Instance()), 1);
    EXPECT_EQ(EntryLines(log.Lines()),
              (Lines{"SwimRight::Enter: 265 200 380 285", "SwimLeft::Enter: 320 200 435 285",
                     "SwimRight::Enter: 265 200 380 285", "SwimTowardPlayer::Enter: 265 200 380 285"}));
}

ISOLATED_TEST(FishSwimming, FiveSecondTelegramOfAnEarlierVisitEndsALaterOneAndIsDeclinedWhileSwimming) {
    FishBed bed;
    bed.FramesUntil(SwimTowardPlayer::Instance());
    DWORD dwFirstVisit = hl::Now();
    bed.Tell(Msg_Reset, 0);
    bed.FramesUntil(SwimTowardPlayer::Instance());
    DWORD dwSecondVisit = hl::Now();

    bed.FramesUntil(SwimRight::Instance());
    EXPECT_GT(hl::Now(), dwFirstVisit + 5000);
    EXPECT_LE(hl::Now(), dwFirstVisit + 5000 + 34);

    CaptureLog log;
    while (hl::Now() <= dwSecondVisit + 5000) bed.Frame();
    EXPECT_NE(bed.Current(), SwimTowardPlayer::Instance());
    EXPECT_EQ(CountLines(log.Lines(), "FishGlobalState received a telegram."), 1);
    EXPECT_EQ(CountLines(log.Lines(), "Message not handled"), 1);
    EXPECT_EQ(CountLines(log.Lines(), "Message 'Msg_JustKeepSwimming' Accepted!"), 0);
}

ISOLATED_TEST(FishSwimming, PanicHeardOnTheWayWaitsUntilTheFishFacesThePlayer) {
    FishBed bed;
    bed.Tell(Msg_Panic);
    EXPECT_TRUE(bed.pFish->Panic());
    EXPECT_EQ(bed.FramesUntil(SwimRight::Instance()), 27);

    CaptureLog log;
    EXPECT_EQ(bed.FramesUntil(SwimTowardPlayer::Instance()), 33);
    DWORD dwFaced = hl::Now();
    EXPECT_EQ(bed.FramesUntil(Panic::Instance()), 1);
    EXPECT_EQ(log.Lines(), Join({FacingAt(265, dwFaced), {"Panic::Enter: 265 200 380 285"},
                                 FishSprite(0, 0, 640, 365, 690), {"Panic::Enter: 265 200 380 285", ""}}));

    // The blender is off, so the front view was killed on the way out: it is not
    // taken over, and the engine has already removed it.
    EXPECT_EQ(bed.pFish->GetSecondarySprite(), nullptr);
    EXPECT_EQ(bed.LiveSprites(), 1u);
    bed.Frame();
    EXPECT_EQ(bed.Current(), SwimLeft::Instance());
    EXPECT_FALSE(bed.pFish->Panic());
    EXPECT_EQ(bed.LiveSprites(), 1u);
}
