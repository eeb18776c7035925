// The replay script: one event per line, "TICK EVENT [ARG]".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace replay {

enum class EventKind { KeyDown, KeyUp, Mouse, Activate, Deactivate, Close, Shot, End };

struct Event {
    uint32_t dwTick;
    EventKind kind;
    int iArg;           // the virtual key, or the mouse message
    std::string sName;  // the shot's name
    int iLine;          // where it stands in the script
};

struct Script {
    std::vector<Event> vEvents;
    bool bHasShots = false;
};

// Parses the text of a script. On a malformed line returns false with a
// message naming the line in sError.
bool ParseScript(const std::string& sText, Script& script, std::string& sError);

}  // namespace replay
