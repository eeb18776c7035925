// Any bytes as a bitmap resource: Bitmap::Create(device context, resource ID,
// module), the bytes presented by the platform's resource hook.
#include <cstdint>

#include "Platform/Headless.h"
#include "Platform/ResourceTable.h"
#include "fuzz/BitmapFuzzing.h"

namespace {

const int kBitmapType = 2;  // RT_BITMAP
const UINT kResourceId = 4242;
fuzzing::Canvas* s_pCanvas = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    platform::SelectHeadlessBackend();
    s_pCanvas = new fuzzing::Canvas();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t cbData) {
    if (fuzzing::Huge(fuzzing::ReadHeaderSize(pData, cbData, 0))) return 0;
    // The hook keeps a copy of exactly these bytes: reading past them is caught.
    platform::AddResource(kBitmapType, kResourceId, pData, cbData);
    const HINSTANCE hInstance = GetModuleHandle(NULL);
    {
        Bitmap bitmap;
        const BOOL bLoaded = bitmap.Create(s_pCanvas->DC(), kResourceId, hInstance);
        fuzzing::CheckLoad(bitmap, bLoaded, pData, cbData, 0, *s_pCanvas);
    }
    {
        // The high bits of the ID are not part of the resource's name.
        Bitmap bitmap(s_pCanvas->DC(), 3, 2, RGB(1, 2, 3));
        const BOOL bLoaded = bitmap.Create(s_pCanvas->DC(), kResourceId | 0x50000u, hInstance);
        fuzzing::CheckLoad(bitmap, bLoaded, pData, cbData, 0, *s_pCanvas);
    }
    return 0;
}
