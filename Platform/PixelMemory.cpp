// Memory for surface pixels: small blocks from the heap, large ones mapped on
// their own, aligned to and advised for huge pages.
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

#include "Platform/Surface.h"

#if defined(__SANITIZE_ADDRESS__)
#define WHIRL_PIXELS_ON_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define WHIRL_PIXELS_ON_HEAP 1
#endif
#endif

namespace platform {
namespace {

const size_t kHugePage = size_t(2) << 20;
// A 640 x 480 image of 32-bit pixels is 1.2 MB: from 1 MB on, blocks are
// rounded up to whole huge pages.
const size_t kMappedFrom = size_t(1) << 20;

bool IsMapped(size_t cbBytes) {
#ifdef WHIRL_PIXELS_ON_HEAP
    // The address sanitizer guards heap blocks only: every block stays there.
    (void)cbBytes;
    return false;
#else
    return cbBytes >= kMappedFrom;
#endif
}

size_t MappedSize(size_t cbBytes) { return (cbBytes + kHugePage - 1) / kHugePage * kHugePage; }

}  // namespace

uint8_t* AllocatePixels(size_t cbBytes) {
    if (!IsMapped(cbBytes)) return static_cast<uint8_t*>(std::calloc(cbBytes ? cbBytes : 1, 1));
    if (cbBytes > SIZE_MAX - 2 * kHugePage) return nullptr;
    const size_t cbMapped = MappedSize(cbBytes);
    // Mapped one huge page larger, then trimmed to an aligned block.
    void* pMap = mmap(nullptr, cbMapped + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pMap == MAP_FAILED) return nullptr;
    const uintptr_t uiMap = reinterpret_cast<uintptr_t>(pMap);
    const uintptr_t uiBlock = (uiMap + kHugePage - 1) / kHugePage * kHugePage;
    if (uiBlock > uiMap) munmap(pMap, uiBlock - uiMap);
    const uintptr_t uiEnd = uiMap + cbMapped + kHugePage;
    if (uiEnd > uiBlock + cbMapped) munmap(reinterpret_cast<void*>(uiBlock + cbMapped), uiEnd - (uiBlock + cbMapped));
    void* pBlock = reinterpret_cast<void*>(uiBlock);
#ifdef MADV_HUGEPAGE
    madvise(pBlock, cbMapped, MADV_HUGEPAGE);  // only advice: ordinary pages work as well
#endif
    return static_cast<uint8_t*>(pBlock);
}

void FreePixels(uint8_t* pPixels, size_t cbBytes) {
    if (!pPixels) return;
    if (IsMapped(cbBytes))
        munmap(pPixels, MappedSize(cbBytes));
    else
        std::free(pPixels);
}

}  // namespace platform
