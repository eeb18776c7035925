#include "Platform/sdl/CommandLine.h"

#include <cstring>

#include "Version.h"

namespace platform {

bool AnswerCommandLine(int argc, const char* const* argv, std::FILE* pOut) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fprintf(pOut, "whirlquarium %s\n%s\nMIT licence: free to use, copy, change and hand on.\n",
                         WHIRL_VERSION, WHIRL_COPYRIGHT);
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fprintf(pOut,
                         "Usage: whirlquarium [--version | --help]\n"
                         "Whirlquarium %s, an arcade game: save the fish in the blender, or blend it.\n"
                         "\n"
                         "Without an option the game starts in a window; it reads no other argument.\n"
                         "  --version  print the version and exit\n"
                         "  --help     print this help and exit\n"
                         "\n"
                         "Keys: Right arrow inserts a quarter, Left arrow (held) is the blender button,\n"
                         "Up arrow releases it, Down arrow flips the blender, Escape quits;\n"
                         "Alt+Enter or F11 switches to full screen and back. A controller's D-pad is the\n"
                         "arrows, A (held) the blender button, B a flip, Back a quarter; arcade keys:\n"
                         "5 a quarter, 1 (held) the blender button.\n"
                         "WHIRLQUARIUM_SCALE=N enlarges the window N times; WHIRLQUARIUM_KIOSK=1 is kiosk\n"
                         "mode, WHIRLQUARIUM_CONTROLLER_DB=FILE more controller mappings.\n"
                         "Manual: whirlquarium(6).\n",
                         WHIRL_VERSION);
            return true;
        }
    }
    return false;
}

}  // namespace platform
