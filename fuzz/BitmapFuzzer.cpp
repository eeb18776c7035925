// Any bytes as a bitmap: as a .bmp file (bitmap_file_fuzzer, WHIRL_FUZZ_FROM_FILE
// 1) or as a bitmap resource (bitmap_resource_fuzzer, 0). Each input loads
// whole with its header's size, or is refused: no image, no size or only its
// header's, and nothing drawn; into a bitmap that held an image before too.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Engine/Bitmap.h"
#include "Platform/headless/Headless.h"
#include "Platform/ResourceTable.h"

namespace {

const bool kFromFile = WHIRL_FUZZ_FROM_FILE;
const size_t kHeaderAt = kFromFile ? 14 : 0;  // where the information header starts
const UINT kResourceId = 4242;
const size_t kCanvasBytes = 64 * 48 * 4;
int s_fd = -1;  // the in-memory .bmp file, opened by name like any other
std::string s_strPath;
HDC s_hDC = NULL;  // holds a 64 x 48 canvas at 32 bits a pixel
uint8_t* s_pCanvas = nullptr;

void Check(bool bHolds, const char* szWhat) {
    if (bHolds) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", szWhat);
    std::abort();
}

// Whole and in a part picked by the input's last bytes, opaque and keyed, all
// clipped: nothing may be read or written outside either image.
void DrawEveryWay(Bitmap& bmp, const uint8_t* pData, size_t cbData) {
    uint8_t ab[12] = {};
    for (size_t i = 0; i < sizeof(ab) && i < cbData; ++i) ab[i] = pData[cbData - 1 - i];
    auto pick = [&](int i) { return static_cast<int8_t>(ab[i]) * 3; };
    bmp.Draw(s_hDC, pick(0), pick(1), FALSE);
    bmp.Draw(s_hDC, pick(2), pick(3), TRUE, RGB(ab[4], ab[5], ab[6]));
    bmp.DrawPart(s_hDC, pick(7), pick(8), pick(9), pick(10), ab[11], ab[4], ab[0] & 1);
    // The last columns (a refused bitmap may keep any width its header gave).
    bmp.DrawPart(s_hDC, 0, 0, bmp.GetWidth() > 8 ? bmp.GetWidth() - 8 : 0, 0, 16, 16, FALSE);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    platform::SelectHeadlessBackend();
    if (kFromFile) {
        s_fd = memfd_create("whirl-fuzz.bmp", 0);
        Check(s_fd >= 0, "an in-memory file can be made");
        s_strPath = "/proc/self/fd/" + std::to_string(s_fd);
    }
    s_hDC = CreateCompatibleDC(NULL);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 64, -48, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* pBits = nullptr;
    HBITMAP hCanvas = CreateDIBSection(s_hDC, &info, DIB_RGB_COLORS, &pBits, NULL, 0);
    Check(hCanvas != NULL && pBits != nullptr, "the canvas can be made");
    SelectObject(s_hDC, hCanvas);
    s_pCanvas = static_cast<uint8_t*>(pBits);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t cbData) {
    const bool bHeader = cbData >= kHeaderAt + 40;
    int32_t iWidth = 0, iHeight = 0;  // as the header gives them
    if (bHeader) {
        std::memcpy(&iWidth, pData + kHeaderAt + 4, 4);
        std::memcpy(&iHeight, pData + kHeaderAt + 8, 4);
    }
    // Over 2^24 pixels the sanitizer's poisoning of the freed image slows the
    // search a hundredfold; such headers pass the same checks as smaller ones,
    // and the engine's tests load them.
    if (static_cast<int64_t>(iWidth) * std::llabs(iHeight) > (int64_t{1} << 24)) return 0;
    if (kFromFile) {
        Check(ftruncate(s_fd, 0) == 0 && pwrite(s_fd, pData, cbData, 0) == static_cast<ssize_t>(cbData),
              "the file can be written");
    } else {
        platform::AddResource(2, kResourceId, pData, cbData);  // a copy of exactly these bytes
    }
    for (bool bHeldOne : {false, true}) {
        Bitmap bmp;
        if (bHeldOne) bmp.Create(s_hDC, 3, 2, RGB(1, 2, 3));
        // The high bits of a resource ID are not part of its name.
        const BOOL bLoaded = kFromFile ? bmp.Create(s_hDC, s_strPath.c_str())
                                       : bmp.Create(s_hDC, kResourceId | 0x50000u, GetModuleHandle(NULL));
        const bool bHeaderSize = bHeader && bmp.GetWidth() == iWidth && bmp.GetHeight() == iHeight;
        if (bLoaded)
            Check(bmp.HasImage() && bHeaderSize && iWidth > 0 && iHeight != 0, "a loaded bitmap has its header's size");
        else
            Check(!bmp.HasImage() && (bHeaderSize || (bmp.GetWidth() == 0 && bmp.GetHeight() == 0)),
                  "a refused bitmap has no image, and no size or its header's");
        std::memset(s_pCanvas, 0x5A, kCanvasBytes);
        DrawEveryWay(bmp, pData, cbData);
        if (!bLoaded)
            Check(std::all_of(s_pCanvas, s_pCanvas + kCanvasBytes, [](uint8_t b) { return b == 0x5A; }),
                  "a refused bitmap draws nothing");
    }
    return 0;
}
