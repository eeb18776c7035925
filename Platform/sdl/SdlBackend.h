// Choosing the SDL2 backend: a real window on the desktop.
#pragma once

namespace platform {

// Selects the SDL2 backend. Returns false, having opened nothing and named
// the cause on standard error, when no display can be reached.
bool SelectSdlBackend();

}  // namespace platform
