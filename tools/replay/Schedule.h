// Hands a replay script's events to the headless backend's clock.
#pragma once

#include <string>

#include "tools/replay/Script.h"

namespace replay {

// Schedules every event of the script; shots are written as DIR/NAME.png.
// The run ends at the script's end or close, or else at its last event.
void Schedule(const Script& script, const std::string& sShotDir);

}  // namespace replay
