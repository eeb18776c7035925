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

// For tests and fuzzers: presents a copy of the given bytes as the resource of
// that type and ID. A later call for the same type and ID replaces the earlier
// one (whose bytes are then freed); added resources take precedence over the
// embedded ones.
void AddResource(int iType, int iId, const void* pData, size_t cbData);
// Forgets every added resource; the embedded ones show again.
void RemoveAddedResources();

}  // namespace platform
