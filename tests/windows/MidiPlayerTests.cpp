// The engine's MIDI player on the real multimedia control interface. Whatever
// the system answers to a song request, the player ends with either no device
// or one device that it closes again, and the game goes on.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Engine/GameEngine.h"
#include "Whirlquarium.h"

namespace {

// Open sequencer devices of this process, as the system counts them.
int OpenSequencers() {
    char szAnswer[32] = "";
    if (mciSendStringA("sysinfo sequencer quantity open", szAnswer, sizeof(szAnswer), NULL) != 0) return -1;
    return std::atoi(szAnswer);
}

bool DeviceOpen(UINT uiID) {
    if (uiID == 0) return false;
    MCI_STATUS_PARMS status;
    ZeroMemory(&status, sizeof(status));
    status.dwItem = MCI_STATUS_MODE;
    return mciSendCommandA(uiID, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)) == 0;
}

std::string TempPath(const char* szName) {
    char szDir[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, szDir);
    return std::string(szDir) + szName;
}

// A one-note standard MIDI file (format 0, one track).
bool WriteSong(const std::string& sPath) {
    static const unsigned char abSong[] = {
        'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,                      // header: format 0, 1 track, 96 ticks
        'M', 'T', 'r', 'k', 0, 0, 0, 12,                                        // track of 12 bytes
        0x00, 0x90, 0x3C, 0x40, 0x60, 0x80, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00  // note on, off, end of track
    };
    FILE* pFile = std::fopen(sPath.c_str(), "wb");
    if (pFile == nullptr) return false;
    const bool bWritten = std::fwrite(abSong, 1, sizeof(abSong), pFile) == sizeof(abSong);
    return std::fclose(pFile) == 0 && bWritten;
}

// What the player must hold after any request: no device, or its one open device.
void ExpectConsistent(const GameEngine& engine, int iOpenBefore) {
    if (engine.GetMIDIPlayerID() == 0) {
        EXPECT_EQ(OpenSequencers(), iOpenBefore);
    } else {
        EXPECT_TRUE(DeviceOpen(engine.GetMIDIPlayerID()));
        EXPECT_EQ(OpenSequencers(), iOpenBefore + 1);
    }
}

}  // namespace

TEST(MidiPlayer, AnEmptySongNameLeavesNoDeviceOrOneThatPausesResumesAndCloses) {
    const int iOpenBefore = OpenSequencers();
    ASSERT_GE(iOpenBefore, 0) << "the system cannot count its open sequencers";
    GameEngine engine(GetModuleHandle(NULL), "WhirlMidiTest", "WhirlMidiTest", 1000, 1001);

    engine.PlayMIDISong("", FALSE);
    const UINT uiFirst = engine.GetMIDIPlayerID();
    ExpectConsistent(engine, iOpenBefore);

    engine.PauseMIDISong();
    EXPECT_EQ(engine.GetMIDIPlayerID(), uiFirst);
    ExpectConsistent(engine, iOpenBefore);

    // Activation asks again: an open device is reused, never a second one opened.
    engine.PlayMIDISong("", FALSE);
    if (uiFirst != 0 && engine.GetMIDIPlayerID() != 0) {
        EXPECT_EQ(engine.GetMIDIPlayerID(), uiFirst);
    }
    ExpectConsistent(engine, iOpenBefore);

    engine.CloseMIDIPlayer();
    EXPECT_EQ(engine.GetMIDIPlayerID(), 0u);
    EXPECT_FALSE(DeviceOpen(uiFirst));
    EXPECT_EQ(OpenSequencers(), iOpenBefore);
}

TEST(MidiPlayer, AMissingSongOpensNothingAndPauseAndCloseThenDoNothing) {
    const int iOpenBefore = OpenSequencers();
    GameEngine engine(GetModuleHandle(NULL), "WhirlMidiTest", "WhirlMidiTest", 1000, 1001);
    const std::string sMissing = TempPath("whirl-no-such-song.mid");
    DeleteFileA(sMissing.c_str());

    engine.PlayMIDISong(sMissing.c_str(), TRUE);
    EXPECT_EQ(engine.GetMIDIPlayerID(), 0u);
    engine.PauseMIDISong();
    engine.CloseMIDIPlayer();
    EXPECT_EQ(engine.GetMIDIPlayerID(), 0u);
    EXPECT_EQ(OpenSequencers(), iOpenBefore);
}

TEST(MidiPlayer, GameEndClosesTheDeviceThatActivationPlays) {
    const int iOpenBefore = OpenSequencers();
    const std::string sSong = TempPath("whirl-test-song.mid");
    ASSERT_TRUE(WriteSong(sSong));

    ASSERT_TRUE(GameInitialize(GetModuleHandle(NULL)));
    ASSERT_NE(_pGame, nullptr);
    // A real song opens a device where the system has a sequencer; activation
    // then resumes it, deactivation pauses it.
    _pGame->PlayMIDISong(sSong.c_str(), TRUE);
    ExpectConsistent(*_pGame, iOpenBefore);
    GameActivate(NULL);
    ExpectConsistent(*_pGame, iOpenBefore);
    GameDeactivate(NULL);
    ExpectConsistent(*_pGame, iOpenBefore);
    const UINT uiDevice = _pGame->GetMIDIPlayerID();
    std::cerr << "[ note     ] the song " << (uiDevice != 0 ? "opened device " + std::to_string(uiDevice)
                                                             : std::string("found no sequencer"))
              << std::endl;

    GameEnd();
    EXPECT_EQ(_pGame, nullptr);
    EXPECT_FALSE(DeviceOpen(uiDevice));
    EXPECT_EQ(OpenSequencers(), iOpenBefore);
    DeleteFileA(sSong.c_str());
}
