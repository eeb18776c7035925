// The program's resources, reading files and the MIDI sequencer device: one table of
// steps, each with what it must answer.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "Platform/Win32.h"

namespace {

namespace fs = std::filesystem;

// Carries out the steps of the table below on a file of "0123456789".
struct Steps {
    char m_szPath[32] = "/tmp/platform-test-XXXXXX";
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    std::vector<MCIDEVICEID> m_vDevices;  // as the sequencer handed them out

    Steps() {
        const int fd = mkstemp(m_szPath);
        EXPECT_EQ(write(fd, "0123456789", 10), 10);
        close(fd);
    }
    ~Steps() { std::remove(m_szPath); }

    static std::string Mci(MCIERROR result) {
        if (result == MCIERR_FILE_NOT_FOUND) return "no file";
        if (result == MCIERR_INVALID_DEVICE_ID) return "no device";
        return result ? "error " + std::to_string(result - MCIERR_BASE) : "done";
    }

    std::string Do(const std::string& sStep) {
        std::istringstream in(sStep);
        std::string sVerb, sArg, sFrom;
        in >> sVerb >> sArg >> sFrom;
        const int iArg = std::atoi(sArg.c_str());
        const char* szPath = sArg.empty() ? m_szPath : sArg == "-" ? "" : sArg.c_str();  // the file, or none
        if (sVerb == "bitmap" || sVerb == "icon") {  // "bitmap ID [elsewhere]": of this module or another
            const HRSRC hRes = FindResource(sFrom.empty() ? GetModuleHandle(nullptr) : HMODULE(0x1234),
                                            sArg[0] == '#' ? sArg.c_str() : MAKEINTRESOURCE(iArg),
                                            sVerb == "bitmap" ? "#2" : RT_GROUP_ICON);
            if (!hRes) return "none";
            if (SizeofResource(HMODULE(0x1234), hRes) || LoadResource(HMODULE(0x1234), hRes))
                return "given to another module";
            return SizeofResource(nullptr, hRes) && LockResource(LoadResource(nullptr, hRes)) ? "found" : "empty";
        }
        if (sVerb == "open" || sVerb == "write" || sVerb == "create") {
            m_hFile = CreateFile(szPath, sVerb == "write" ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 sVerb == "create" ? CREATE_ALWAYS : OPEN_EXISTING, 0, nullptr);
            return m_hFile == INVALID_HANDLE_VALUE ? "refused" : "open";
        }
        if (sVerb == "read") {
            char aBuffer[16];
            DWORD dwDone = 99;
            const BOOL bRead = ReadFile(m_hFile, aBuffer, iArg, &dwDone, nullptr);
            return bRead ? "'" + std::string(aBuffer, dwDone) + "'" : "failed, " + std::to_string(dwDone);
        }
        if (sVerb == "seek") {  // "seek DISTANCE FROM": the new position
            const std::map<std::string, DWORD> mapFrom = {
                {"begin", FILE_BEGIN}, {"current", FILE_CURRENT}, {"end", FILE_END}};
            return std::to_string(SetFilePointer(m_hFile, iArg, nullptr, mapFrom.count(sFrom) ? mapFrom.at(sFrom) : 7));
        }
        if (sVerb == "seekfar") {  // "seekfar HIGH LOW": from the start, the position's low and high words
            LONG lHigh = iArg;
            const LONG lLow = static_cast<LONG>(std::stoul(sFrom));
            const DWORD dwLow = SetFilePointer(m_hFile, lLow, &lHigh, FILE_BEGIN);
            return std::to_string(dwLow) + ", high " + std::to_string(lHigh);
        }
        if (sVerb == "size") return std::to_string(GetFileSize(m_hFile, nullptr));
        if (sVerb == "close") return CloseHandle(m_hFile) ? "closed" : "not open";
        if (sVerb == "sequencer" || sVerb == "waveaudio") {  // "sequencer FILE": opened on that file
            MCI_OPEN_PARMS parms = {0, 0, sVerb.c_str(), szPath, nullptr};
            const MCIERROR result = mciSendCommand(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, DWORD_PTR(&parms));
            if (parms.wDeviceID) m_vDevices.push_back(parms.wDeviceID);
            return Mci(result) + (parms.wDeviceID ? ", device " + std::to_string(m_vDevices.size()) : "");
        }
        // "COMMAND N": to the Nth device opened, or to none for 0.
        const std::map<std::string, UINT> mapCommands = {
            {"play", MCI_PLAY}, {"pause", MCI_PAUSE}, {"rewind", MCI_SEEK}, {"stop", MCI_CLOSE}, {"status", 0x0814}};
        const UINT uiCommand = mapCommands.at(sVerb);
        MCI_SEEK_PARMS seek{};
        return Mci(mciSendCommand(iArg ? m_vDevices.at(iArg - 1) : 0, uiCommand,
                                  uiCommand == MCI_SEEK ? MCI_SEEK_TO_START : 0, DWORD_PTR(&seek)));
    }
};

}  // namespace

TEST(PlatformResourcesFilesMci, AnswerEachStepAsTheGameAndItsLoadersExpect) {
    for (int iId = 2000; iId <= 2020; ++iId) {  // the game's images, whole, each from its information header on
        const HRSRC hRes = FindResource(nullptr, MAKEINTRESOURCE(iId), RT_BITMAP);
        const auto* pHeader = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, hRes)));
        ASSERT_NE(pHeader, nullptr) << iId;
        EXPECT_EQ(std::make_pair(pHeader->biSize, pHeader->biBitCount), std::make_pair(40u, WORD(24)));
        EXPECT_GE(SizeofResource(nullptr, hRes), DWORD(40 + (pHeader->biWidth * 3 + 3) / 4 * 4 * pHeader->biHeight));
    }
    const char* const aszSteps[][2] = {
        // Resources by type and ID, of this module only.
        {"bitmap 2000", "found"}, {"bitmap #2020", "found"}, {"bitmap 1999", "none"}, {"bitmap 2021", "none"},
        {"bitmap 1000", "none"}, {"icon 1000", "found"}, {"icon 1001", "found"}, {"icon 2000", "none"},
        {"bitmap 2000 elsewhere", "none"}, {"bitmap #", "none"}, {"bitmap #67546", "none"}, {"bitmap #20x0", "none"},
        // A file read short at its end and moved from each origin; closed, it is refused.
        {"open", "open"}, {"size", "10"}, {"read 4", "'0123'"}, {"seek 3 current", "7"}, {"read 16", "'789'"},
        {"read 16", "''"}, {"seek -2 end", "8"}, {"seek 1 begin", "1"}, {"read 2", "'12'"},
        {"seekfar 1 5", "5, high 1"}, {"seekfar 2 4294967295", "4294967295, high 2"}, {"seek 3 begin", "3"},
        {"seek -5 begin", "4294967295"}, {"seek 0 sideways", "4294967295"}, {"read 1", "'3'"}, {"close", "closed"},
        {"close", "not open"}, {"read 1", "failed, 0"}, {"seek 0 begin", "4294967295"}, {"size", "4294967295"},
        // Only existing plain files are opened, and only for reading.
        {"open /nonexistent", "refused"}, {"open /tmp", "refused"}, {"open -", "refused"}, {"write", "refused"},
        {"create", "refused"},
        // A sequencer opens only on a file, and takes commands until closed; each opened is another device.
        {"sequencer -", "no file"}, {"sequencer /nonexistent.mid", "no file"}, {"sequencer /tmp", "no file"},
        {"waveaudio", "error 7"}, {"sequencer", "done, device 1"}, {"sequencer", "done, device 2"},
        {"rewind 1", "done"}, {"play 1", "done"}, {"pause 1", "done"}, {"status 1", "error 5"},
        {"play 0", "no device"}, {"stop 1", "done"}, {"play 1", "no device"}, {"stop 1", "no device"},
        {"play 2", "done"}, {"stop 2", "done"},
    };
    Steps steps;
    for (const auto& step : aszSteps) EXPECT_EQ(steps.Do(step[0]), step[1]) << step[0];
    auto fnOpenFiles = [] { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); };
    const auto nOpen = fnOpenFiles();
    const std::string sOpened = steps.Do("open"), sClosed = steps.Do("close");  // and its descriptor with it
    EXPECT_EQ(sOpened + ", " + sClosed + ", " + std::to_string(fnOpenFiles() - nOpen), "open, closed, 0");
    EXPECT_EQ(mciSendCommand(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, 0), MCIERROR(MCIERR_MISSING_PARAMETER));
    EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
    // Icons by resource ID, each loaded once; the stock ones from no module.
    const HMODULE hModule = GetModuleHandle(nullptr);
    EXPECT_TRUE(LoadIcon(nullptr, IDI_APPLICATION) && LoadCursor(nullptr, IDC_ARROW) && !LoadIcon(hModule, "#1000"));
    EXPECT_EQ(LoadIcon(hModule, MAKEINTRESOURCE(1001)), LoadIcon(hModule, MAKEINTRESOURCE(1001)));
    EXPECT_NE(LoadIcon(hModule, MAKEINTRESOURCE(1000)), LoadIcon(hModule, MAKEINTRESOURCE(1001)));
    EXPECT_EQ(LoadIcon(hModule, MAKEINTRESOURCE(1234)), nullptr);
}
