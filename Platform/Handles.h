// Handle values for every kind of platform object. They come from one counter,
// so a handle of one kind is never mistaken for a live object of another, and
// a closed handle is never reused.
#pragma once

#include <cstdint>

namespace platform {

// A fresh handle value: non-null, never INVALID_HANDLE_VALUE, never repeated.
inline uintptr_t NextHandleValue() {
    static uintptr_t s_uiNext = 0x10000;
    s_uiNext += 4;
    return s_uiNext;
}

template <class H>
H MakeHandle(uintptr_t uiValue) {
    return reinterpret_cast<H>(uiValue);
}

template <class H>
uintptr_t HandleValue(H h) {
    return reinterpret_cast<uintptr_t>(h);
}

// The object a map of owned objects holds under a handle, or null.
template <class Map, class H>
auto FindByHandle(Map& map, H h) -> decltype(map.begin()->second.get()) {
    auto it = map.find(HandleValue(h));
    return it == map.end() ? nullptr : it->second.get();
}

}  // namespace platform
