// The engine's MIDI player on the real multimedia control interface: whatever
// the system's sequencer answers, the player holds at most the one device it
// opened, resumes that one, and closing releases it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "Engine/GameEngine.h"

namespace {

// Open sequencer devices of this process, as the system counts them.
int OpenSequencers() {
    char szAnswer[32] = "";
    if (mciSendStringA("sysinfo sequencer quantity open", szAnswer, sizeof(szAnswer), NULL) != 0) return -1;
    return std::atoi(szAnswer);
}

}  // namespace

TEST(MidiPlayer, ASongHoldsAtMostOneDeviceUntilClosed) {
    // A standard MIDI file: one track, one note.
    static const char acSong[] = "MThd\0\0\0\6\0\0\0\1\0\x60"
                                 "MTrk\0\0\0\x0C\0\x90\x3C\x40\x60\x80\x3C\0\0\xFF\x2F\0";
    char szTemp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, szTemp);
    const std::string sSong = std::string(szTemp) + "whirl-test-song.mid";
    ASSERT_TRUE(std::ofstream(sSong, std::ios::binary).write(acSong, sizeof(acSong) - 1).good());
    const int iOpenBefore = OpenSequencers();
    ASSERT_GE(iOpenBefore, 0) << "the system cannot count its open sequencers";

    GameEngine engine(GetModuleHandle(NULL), "WhirlMidiTest", "WhirlMidiTest", 1000, 1001);
    engine.PlayMIDISong(sSong.c_str(), TRUE);
    const UINT uiDevice = engine.GetMIDIPlayerID();
    const int iOpenPlaying = iOpenBefore + (uiDevice != 0 ? 1 : 0);
    EXPECT_EQ(OpenSequencers(), iOpenPlaying);
    engine.PauseMIDISong();
    engine.PlayMIDISong(sSong.c_str(), FALSE);  // resumes; never a second device
    EXPECT_EQ(engine.GetMIDIPlayerID(), uiDevice);
    EXPECT_EQ(OpenSequencers(), iOpenPlaying);
    engine.CloseMIDIPlayer();
    EXPECT_EQ(engine.GetMIDIPlayerID(), 0u);
    EXPECT_EQ(OpenSequencers(), iOpenBefore);
    std::cerr << "[ note     ] the song " << (uiDevice != 0 ? "opened a sequencer" : "found no sequencer") << std::endl;
    DeleteFileA(sSong.c_str());
}
