// Resources, files and the MIDI sequencer commands.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Platform/IconImage.h"
#include "Platform/ResourceTable.h"
#include "PlatformTestSupport.h"

namespace {

const BITMAPINFOHEADER* LockedBitmap(int iId, DWORD* pcbSize = nullptr) {
    HMODULE hModule = GetModuleHandle(nullptr);
    HRSRC hRes = FindResource(hModule, MAKEINTRESOURCE(iId), RT_BITMAP);
    if (!hRes) return nullptr;
    if (pcbSize) *pcbSize = SizeofResource(hModule, hRes);
    return static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(hModule, hRes)));
}

// A file in the temporary folder with the given bytes, removed afterwards.
struct TempFile {
    std::string m_sPath;
    explicit TempFile(const std::string& sBytes) {
        char szPath[] = "/tmp/platform-test-XXXXXX";
        const int fd = mkstemp(szPath);
        m_sPath = szPath;
        if (fd >= 0) {
            if (write(fd, sBytes.data(), sBytes.size()) != static_cast<ssize_t>(sBytes.size())) m_sPath.clear();
            close(fd);
        }
    }
    ~TempFile() { std::remove(m_sPath.c_str()); }
};

}  // namespace

TEST(PlatformResources, EmbeddedBitmapsStartAtTheirInformationHeader) {
    DWORD cbSize = 0;
    const BITMAPINFOHEADER* pHeader = LockedBitmap(2000, &cbSize);
    ASSERT_NE(pHeader, nullptr);
    EXPECT_EQ(pHeader->biSize, 40u);
    EXPECT_EQ(pHeader->biWidth, 920);
    EXPECT_EQ(pHeader->biHeight, 85);
    EXPECT_EQ(pHeader->biBitCount, 24);
    // The pixels follow the header, the whole image is there.
    const DWORD dwRow = ((920 * 24 + 31) / 32) * 4;
    EXPECT_GE(cbSize, 40u + dwRow * 85);

    for (int iId = 2000; iId <= 2020; ++iId) EXPECT_NE(LockedBitmap(iId), nullptr) << iId;
    EXPECT_EQ(LockedBitmap(2021), nullptr);
    EXPECT_EQ(LockedBitmap(1999), nullptr);
    // An icon group is not a bitmap, and the other way round.
    EXPECT_EQ(LockedBitmap(1000), nullptr);
    EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(2000), RT_GROUP_ICON), nullptr);
    EXPECT_NE(FindResource(nullptr, MAKEINTRESOURCE(1000), RT_GROUP_ICON), nullptr);
    // Resources of another module are not ours to give.
    EXPECT_EQ(FindResource(reinterpret_cast<HMODULE>(0x1234), MAKEINTRESOURCE(2000), RT_BITMAP), nullptr);
    EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
    EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
}

TEST(PlatformResources, AddedResourcesTakePrecedenceUntilRemoved) {
    const unsigned char aFirst[] = {1, 2, 3};
    const unsigned char aSecond[] = {9, 8, 7, 6, 5};
    platform::AddResource(2, 2000, aFirst, sizeof(aFirst));
    platform::AddResource(2, 2000, aSecond, sizeof(aSecond));
    platform::AddResource(2, 4242, aFirst, sizeof(aFirst));

    HRSRC hRes = FindResource(nullptr, MAKEINTRESOURCE(2000), RT_BITMAP);
    ASSERT_NE(hRes, nullptr);
    ASSERT_EQ(SizeofResource(nullptr, hRes), sizeof(aSecond));
    const unsigned char* p = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, hRes)));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::vector<unsigned char>(p, p + 5), std::vector<unsigned char>(aSecond, aSecond + 5));
    EXPECT_NE(p, aSecond);  // a copy, not the caller's bytes
    EXPECT_NE(FindResource(nullptr, MAKEINTRESOURCE(4242), RT_BITMAP), nullptr);
    // Same ID, other type: not found.
    EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(4242), RT_GROUP_ICON), nullptr);

    // An empty resource is found, with size 0 and an address all the same.
    platform::AddResource(2, 4343, nullptr, 0);
    HRSRC hEmpty = FindResource(nullptr, MAKEINTRESOURCE(4343), RT_BITMAP);
    ASSERT_NE(hEmpty, nullptr);
    EXPECT_EQ(SizeofResource(nullptr, hEmpty), 0u);
    EXPECT_NE(LockResource(LoadResource(nullptr, hEmpty)), nullptr);

    platform::RemoveAddedResources();
    EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(4242), RT_BITMAP), nullptr);
    // A handle to a removed resource is refused rather than followed.
    EXPECT_EQ(LoadResource(nullptr, hRes), nullptr);
    const BITMAPINFOHEADER* pHeader = LockedBitmap(2000);
    ASSERT_NE(pHeader, nullptr);
    EXPECT_EQ(pHeader->biWidth, 920);
}

TEST(PlatformResources, TheWindowIconDecodesFromItsIconGroup) {
    HRSRC hRes = FindResource(nullptr, MAKEINTRESOURCE(1000), RT_GROUP_ICON);
    ASSERT_NE(hRes, nullptr);
    const uint8_t* p = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, hRes)));
    const DWORD cb = SizeofResource(nullptr, hRes);
    std::vector<uint32_t> vARGB;
    int iWidth = 0, iHeight = 0;
    ASSERT_TRUE(platform::DecodeIcon(p, cb, vARGB, iWidth, iHeight));
    EXPECT_GE(iWidth, 16);
    EXPECT_EQ(iWidth, iHeight);
    EXPECT_EQ(vARGB.size(), static_cast<size_t>(iWidth) * iHeight);

    // Every prefix of the file is refused or decoded without reading past it
    // (the sanitizer build would catch a stray read).
    for (DWORD n = 0; n < cb; ++n) {
        std::vector<uint8_t> vPrefix(p, p + n);
        std::vector<uint32_t> vOut;
        int w = 0, h = 0;
        if (platform::DecodeIcon(vPrefix.data(), vPrefix.size(), vOut, w, h)) {
            EXPECT_EQ(vOut.size(), size_t(w) * h);
        }
    }
}

TEST(PlatformResources, IconImagesDecodeWithTheirMaskAndPalette) {
    // One 2 x 2 image of 4 bits: a palette of 16, colour rows bottom-up, then
    // the 1-bit mask rows.
    std::vector<uint8_t> v = {0, 0, 1, 0, 1, 0,                                // directory, one image
                              2, 2, 16, 0, 1, 0, 4, 0, 0, 0, 0, 0, 22, 0, 0, 0};  // entry
    const size_t cbHeaderAt = v.size();
    const uint8_t aHeader[40] = {40, 0, 0, 0, 2, 0, 0, 0, 4, 0, 0, 0, 1, 0, 4, 0};
    v.insert(v.end(), aHeader, aHeader + 40);
    for (int i = 0; i < 16; ++i) {
        const uint8_t aEntry[4] = {static_cast<uint8_t>(i), static_cast<uint8_t>(i * 2), static_cast<uint8_t>(i * 3), 0};
        v.insert(v.end(), aEntry, aEntry + 4);
    }
    const uint8_t aColours[8] = {0x12, 0, 0, 0,   // bottom row: indices 1, 2
                                 0x34, 0, 0, 0};  // top row: indices 3, 4
    v.insert(v.end(), aColours, aColours + 8);
    const uint8_t aMask[8] = {0x40, 0, 0, 0,   // bottom row: the right pixel is see-through
                              0x00, 0, 0, 0};  // top row: both drawn
    v.insert(v.end(), aMask, aMask + 8);
    const uint32_t uiSize = static_cast<uint32_t>(v.size() - cbHeaderAt);
    v[14] = static_cast<uint8_t>(uiSize);

    std::vector<uint32_t> vARGB;
    int iWidth = 0, iHeight = 0;
    ASSERT_TRUE(platform::DecodeIcon(v.data(), v.size(), vARGB, iWidth, iHeight));
    ASSERT_EQ(iWidth, 2);
    ASSERT_EQ(iHeight, 2);
    auto colour = [](uint32_t i, bool bOpaque) { return (bOpaque ? 0xFF000000u : 0u) | (i * 3) << 16 | (i * 2) << 8 | i; };
    EXPECT_EQ(vARGB, std::vector<uint32_t>({colour(3, true), colour(4, true), colour(1, true), colour(2, false)}));

    // An entry that points past the end of the file is passed over.
    v[18] = 0xF0;
    EXPECT_FALSE(platform::DecodeIcon(v.data(), v.size(), vARGB, iWidth, iHeight));
}

TEST(PlatformFiles, ReadsAreShortAtTheEndAndSeeksMove) {
    TempFile file("0123456789");
    ASSERT_FALSE(file.m_sPath.empty());
    HANDLE h = CreateFile(file.m_sPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileSize(h, nullptr), 10u);

    char aBuffer[16] = {};
    DWORD dwRead = 99;
    ASSERT_TRUE(ReadFile(h, aBuffer, 4, &dwRead, nullptr));
    EXPECT_EQ(dwRead, 4u);
    EXPECT_EQ(std::string(aBuffer, 4), "0123");

    EXPECT_EQ(SetFilePointer(h, 3, nullptr, FILE_CURRENT), 7u);
    ASSERT_TRUE(ReadFile(h, aBuffer, 16, &dwRead, nullptr));
    EXPECT_EQ(dwRead, 3u);
    EXPECT_EQ(std::string(aBuffer, 3), "789");
    ASSERT_TRUE(ReadFile(h, aBuffer, 16, &dwRead, nullptr));  // at the end: success, nothing read
    EXPECT_EQ(dwRead, 0u);

    EXPECT_EQ(SetFilePointer(h, -2, nullptr, FILE_END), 8u);
    EXPECT_EQ(SetFilePointer(h, 1, nullptr, FILE_BEGIN), 1u);
    ASSERT_TRUE(ReadFile(h, aBuffer, 2, &dwRead, nullptr));
    EXPECT_EQ(std::string(aBuffer, 2), "12");
    EXPECT_EQ(SetFilePointer(h, -5, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
    LONG lHigh = 0;
    EXPECT_EQ(SetFilePointer(h, 5, &lHigh, FILE_BEGIN), 5u);
    EXPECT_EQ(lHigh, 0);

    EXPECT_TRUE(CloseHandle(h));
    EXPECT_FALSE(CloseHandle(h));
    EXPECT_FALSE(ReadFile(h, aBuffer, 1, &dwRead, nullptr));
    EXPECT_EQ(dwRead, 0u);
}

TEST(PlatformFiles, OpeningWhatCannotBeReadFails) {
    EXPECT_EQ(CreateFile("/nonexistent/file.bmp", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(CreateFile("/tmp", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(CreateFile(nullptr, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
    TempFile file("x");
    EXPECT_EQ(CreateFile(file.m_sPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
}

TEST(PlatformMci, OpeningWithoutASongLeavesNoDevice) {
    for (const char* szName : {"", static_cast<const char*>(nullptr), "/nonexistent/song.mid"}) {
        MCI_OPEN_PARMS parms{};
        parms.lpstrDeviceType = "sequencer";
        parms.lpstrElementName = szName;
        EXPECT_EQ(mciSendCommand(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&parms)),
                  static_cast<MCIERROR>(MCIERR_FILE_NOT_FOUND));
        EXPECT_EQ(parms.wDeviceID, 0u);
    }
    // No ID answers: not the one a failed open might have handed out, nor 0.
    for (MCIDEVICEID wId : {0u, 1u, 2u, 99u}) {
        EXPECT_EQ(mciSendCommand(wId, MCI_PLAY, 0, 0), static_cast<MCIERROR>(MCIERR_INVALID_DEVICE_ID)) << wId;
        EXPECT_EQ(mciSendCommand(wId, MCI_PAUSE, 0, 0), static_cast<MCIERROR>(MCIERR_INVALID_DEVICE_ID)) << wId;
        EXPECT_EQ(mciSendCommand(wId, MCI_SEEK, MCI_SEEK_TO_START, 0), static_cast<MCIERROR>(MCIERR_INVALID_DEVICE_ID));
        EXPECT_EQ(mciSendCommand(wId, MCI_CLOSE, 0, 0), static_cast<MCIERROR>(MCIERR_INVALID_DEVICE_ID)) << wId;
    }
    EXPECT_NE(mciSendCommand(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, 0), 0u);
}

TEST(PlatformMci, AnOpenedSongTakesCommandsUntilClosed) {
    TempFile song("MThd");
    ASSERT_FALSE(song.m_sPath.empty());
    MCI_OPEN_PARMS parms{};
    parms.lpstrDeviceType = "sequencer";
    parms.lpstrElementName = song.m_sPath.c_str();
    ASSERT_EQ(mciSendCommand(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&parms)), 0u);
    const MCIDEVICEID wId = parms.wDeviceID;
    ASSERT_NE(wId, 0u);
    MCI_SEEK_PARMS seek{};
    EXPECT_EQ(mciSendCommand(wId, MCI_SEEK, MCI_SEEK_TO_START, reinterpret_cast<DWORD_PTR>(&seek)), 0u);
    MCI_PLAY_PARMS play{};
    EXPECT_EQ(mciSendCommand(wId, MCI_PLAY, 0, reinterpret_cast<DWORD_PTR>(&play)), 0u);
    EXPECT_EQ(mciSendCommand(wId, MCI_PAUSE, 0, 0), 0u);
    EXPECT_EQ(mciSendCommand(wId, MCI_CLOSE, 0, 0), 0u);
    EXPECT_EQ(mciSendCommand(wId, MCI_PLAY, 0, 0), static_cast<MCIERROR>(MCIERR_INVALID_DEVICE_ID));

    // Another kind of device is refused.
    parms.lpstrDeviceType = "waveaudio";
    parms.wDeviceID = 0;
    EXPECT_NE(mciSendCommand(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&parms)), 0u);
    EXPECT_EQ(parms.wDeviceID, 0u);
}
