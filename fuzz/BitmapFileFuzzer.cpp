// Any bytes as a .bmp file: Bitmap::Create(device context, file name).
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <string>

#include "Platform/Headless.h"
#include "fuzz/BitmapFuzzing.h"

namespace {

int s_fd = -1;
std::string s_sPath;
fuzzing::Canvas* s_pCanvas = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    platform::SelectHeadlessBackend();
    // The file lives in memory; the loader opens it by name like any other.
    s_fd = memfd_create("whirl-fuzz.bmp", 0);
    fuzzing::Check(s_fd >= 0, "an in-memory file can be made");
    s_sPath = "/proc/self/fd/" + std::to_string(s_fd);
    s_pCanvas = new fuzzing::Canvas();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t cbData) {
    if (fuzzing::Huge(fuzzing::ReadHeaderSize(pData, cbData, 14))) return 0;
    fuzzing::Check(ftruncate(s_fd, 0) == 0, "the file can be emptied");
    size_t cbDone = 0;
    while (cbDone < cbData) {
        const ssize_t n = pwrite(s_fd, pData + cbDone, cbData - cbDone, static_cast<off_t>(cbDone));
        fuzzing::Check(n > 0, "the file can be written");
        cbDone += static_cast<size_t>(n);
    }

    {
        Bitmap bitmap;
        const BOOL bLoaded = bitmap.Create(s_pCanvas->DC(), s_sPath.c_str());
        fuzzing::CheckLoad(bitmap, bLoaded, pData, cbData, 14, *s_pCanvas);
    }
    {
        // A bitmap that already holds an image gives it up, whatever the new file holds.
        Bitmap bitmap(s_pCanvas->DC(), 3, 2, RGB(1, 2, 3));
        const BOOL bLoaded = bitmap.Create(s_pCanvas->DC(), s_sPath.c_str());
        fuzzing::CheckLoad(bitmap, bLoaded, pData, cbData, 14, *s_pCanvas);
    }
    return 0;
}
