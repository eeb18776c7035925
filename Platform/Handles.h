// Handle values for every kind of platform object. They come from one counter,
// so a handle of one kind is never mistaken for a live object of another, and
// a closed handle is never reused.
#pragma once

#include <cstdint>
#include <memory>

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

template <class T>
T* AddressOf(std::unique_ptr<T>& pOwned) {
    return pOwned.get();
}

template <class T>
T* AddressOf(T& object) {
    return &object;
}

// The object a map holds under a handle, itself or owned through a pointer; or null.
template <class Map, class H>
auto FindByHandle(Map& map, H h) -> decltype(AddressOf(map.begin()->second)) {
    auto it = map.find(HandleValue(h));
    return it == map.end() ? nullptr : AddressOf(it->second);
}

}  // namespace platform
