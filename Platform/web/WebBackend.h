// Choosing the backend of a web page (emscripten builds only).
#pragma once

namespace platform {

// Makes the web page's backend current: its canvas, input and clock.
void SelectWebBackend();

}  // namespace platform
