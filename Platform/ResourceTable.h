// The resources embedded into the program at build time (see resources/).
#pragma once

#include <cstddef>

namespace platform {

struct EmbeddedResource {
    int iType;                   // 2 for a bitmap, 14 for an icon group
    int iId;                     // the resource ID
    const unsigned char* pBegin; // a bitmap starts at its information header
    const unsigned char* pEnd;
};

extern const EmbeddedResource g_aEmbeddedResources[];
extern const size_t g_nEmbeddedResources;

}  // namespace platform
