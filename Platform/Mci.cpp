// The multimedia control interface, as far as the sequencer commands go.
// Devices open and keep their state, but nothing sounds.
#include <strings.h>
#include <sys/stat.h>

#include <map>
#include <string>

#include "Platform/Win32.h"

namespace platform {
namespace {

const MCIERROR kUnrecognizedCommand = MCIERR_BASE + 5;
const MCIERROR kInvalidDeviceName = MCIERR_BASE + 7;

struct Sequencer {
    std::string m_sFile;
    bool m_bPlaying = false;
};

struct MciState {
    std::map<MCIDEVICEID, Sequencer> m_mapDevices;
    MCIDEVICEID m_wNextId = 1;
};

MciState& State() {
    static MciState s_state;
    return s_state;
}

bool IsReadableFile(const char* szPath) {
    struct stat st;
    return ::stat(szPath, &st) == 0 && S_ISREG(st.st_mode);
}

MCIERROR Open(DWORD_PTR fdwCommand, MCI_OPEN_PARMS* pParms) {
    if (!pParms) return MCIERR_MISSING_PARAMETER;
    if ((fdwCommand & MCI_OPEN_TYPE) &&
        (!pParms->lpstrDeviceType || strcasecmp(pParms->lpstrDeviceType, "sequencer") != 0))
        return kInvalidDeviceName;
    const char* szFile = (fdwCommand & MCI_OPEN_ELEMENT) ? pParms->lpstrElementName : nullptr;
    if (!szFile || !*szFile || !IsReadableFile(szFile)) return MCIERR_FILE_NOT_FOUND;
    MciState& state = State();
    const MCIDEVICEID wId = state.m_wNextId++;
    state.m_mapDevices[wId].m_sFile = szFile;
    pParms->wDeviceID = wId;
    return 0;
}

}  // namespace
}  // namespace platform

using namespace platform;

MCIERROR WINAPI mciSendCommand(MCIDEVICEID IDDevice, UINT uMsg, DWORD_PTR fdwCommand, DWORD_PTR dwParam) {
    if (uMsg == MCI_OPEN) return Open(fdwCommand, reinterpret_cast<MCI_OPEN_PARMS*>(dwParam));
    MciState& state = State();
    auto it = state.m_mapDevices.find(IDDevice);
    if (it == state.m_mapDevices.end()) return MCIERR_INVALID_DEVICE_ID;
    switch (uMsg) {
    case MCI_PLAY:
        it->second.m_bPlaying = true;
        return 0;
    case MCI_PAUSE:
        it->second.m_bPlaying = false;
        return 0;
    case MCI_SEEK:
        // Seeking stops playback, as it does for a real sequencer.
        it->second.m_bPlaying = false;
        return 0;
    case MCI_CLOSE:
        state.m_mapDevices.erase(it);
        return 0;
    default:
        return kUnrecognizedCommand;
    }
}
