// Reading files: open, read, seek, size, close.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <unordered_map>

#include "Platform/Handles.h"
#include "Platform/Win32.h"

namespace platform {
namespace {

std::unordered_map<uintptr_t, int>& OpenFiles() {
    static std::unordered_map<uintptr_t, int> s_mapFiles;
    return s_mapFiles;
}

int DescriptorOf(HANDLE hFile) {
    auto& map = OpenFiles();
    auto it = map.find(HandleValue(hFile));
    return it == map.end() ? -1 : it->second;
}

}  // namespace
}  // namespace platform

using namespace platform;

HANDLE WINAPI CreateFile(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode, void* lpSecurityAttributes,
                         DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes, HANDLE hTemplateFile) {
    (void)dwShareMode, (void)lpSecurityAttributes, (void)dwFlagsAndAttributes, (void)hTemplateFile;
    // Only reading existing files is provided.
    if (!lpFileName || !*lpFileName || dwDesiredAccess != GENERIC_READ || dwCreationDisposition != OPEN_EXISTING)
        return INVALID_HANDLE_VALUE;
    const int fd = ::open(lpFileName, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return INVALID_HANDLE_VALUE;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return INVALID_HANDLE_VALUE;
    }
    const uintptr_t uiHandle = NextHandleValue();
    OpenFiles().emplace(uiHandle, fd);
    return MakeHandle<HANDLE>(uiHandle);
}

BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
                     void* lpOverlapped) {
    (void)lpOverlapped;
    if (lpNumberOfBytesRead) *lpNumberOfBytesRead = 0;
    const int fd = DescriptorOf(hFile);
    if (fd < 0 || (!lpBuffer && nNumberOfBytesToRead)) return FALSE;
    char* p = static_cast<char*>(lpBuffer);
    DWORD dwDone = 0;
    while (dwDone < nNumberOfBytesToRead) {
        const ssize_t n = ::read(fd, p + dwDone, nNumberOfBytesToRead - dwDone);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (lpNumberOfBytesRead) *lpNumberOfBytesRead = dwDone;
            return FALSE;
        }
        if (n == 0) break;  // end of file: a short read, and still a success
        dwDone += static_cast<DWORD>(n);
    }
    if (lpNumberOfBytesRead) *lpNumberOfBytesRead = dwDone;
    return TRUE;
}

DWORD WINAPI SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh, DWORD dwMoveMethod) {
    const int fd = DescriptorOf(hFile);
    if (fd < 0) return INVALID_SET_FILE_POINTER;
    // With a high part the distance is a signed 64-bit number; without, the
    // low part alone is signed.
    int64_t iDistance = lDistanceToMove;
    if (lpDistanceToMoveHigh)
        iDistance = static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(*lpDistanceToMoveHigh)) << 32) |
                                         static_cast<uint32_t>(lDistanceToMove));
    int iWhence;
    switch (dwMoveMethod) {
    case FILE_BEGIN:
        iWhence = SEEK_SET;
        break;
    case FILE_CURRENT:
        iWhence = SEEK_CUR;
        break;
    case FILE_END:
        iWhence = SEEK_END;
        break;
    default:
        return INVALID_SET_FILE_POINTER;
    }
    const off_t iPosition = ::lseek(fd, static_cast<off_t>(iDistance), iWhence);
    if (iPosition < 0) return INVALID_SET_FILE_POINTER;
    if (lpDistanceToMoveHigh) *lpDistanceToMoveHigh = static_cast<LONG>(static_cast<uint64_t>(iPosition) >> 32);
    return static_cast<DWORD>(iPosition);
}

DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
    const int fd = DescriptorOf(hFile);
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0) return 0xFFFFFFFFu;
    const uint64_t uiSize = static_cast<uint64_t>(st.st_size);
    if (lpFileSizeHigh) *lpFileSizeHigh = static_cast<DWORD>(uiSize >> 32);
    return static_cast<DWORD>(uiSize);
}

BOOL WINAPI CloseHandle(HANDLE hObject) {
    auto& map = OpenFiles();
    auto it = map.find(HandleValue(hObject));
    if (it == map.end()) return FALSE;
    ::close(it->second);
    map.erase(it);
    return TRUE;
}
