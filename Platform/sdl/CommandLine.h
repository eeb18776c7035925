// The two questions the program answers before the game starts: --version and
// --help. The game itself reads no command line; any other argument is ignored.
#pragma once

#include <cstdio>

namespace platform {

// Answers the first --version or --help among the arguments on pOut and
// returns true (the process then ends with status 0); false when there is
// neither, and the game starts.
bool AnswerCommandLine(int argc, const char* const* argv, std::FILE* pOut);

}  // namespace platform
