#include "Engine/Bitmap.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const LONG lMaxDimension = 16384;
const DWORD dwMaxColors = 256;
const WORD wBitmapFileType = 0x4D42;  // "BM"

// An information header followed by room for a full colour table; laid out as
// a BITMAPINFO with 256 entries.
struct HeaderBuffer {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD aColors[dwMaxColors];

    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(this); }
};
static_assert(sizeof(HeaderBuffer) == 1064, "header buffer holds 40 bytes of header and 256 colours");

// Where the pixels of a checked image are and how many bytes of them to copy.
struct DibLayout {
    uint64_t qwColorBytes;  // colour table behind the header
    uint64_t qwPixelBytes;  // bytes copied into the DIB section
};

// Refuses any header whose pixels could not be copied into a DIB section of
// its own dimensions without overrunning it.
bool CheckHeader(const BITMAPINFOHEADER& bih, DibLayout& layout) {
    if (bih.biSize < sizeof(BITMAPINFOHEADER)) return false;
    if (bih.biWidth <= 0 || bih.biWidth > lMaxDimension) return false;
    if (bih.biHeight == 0 || bih.biHeight > lMaxDimension || bih.biHeight < -lMaxDimension) return false;
    if (bih.biBitCount != 24 && bih.biBitCount != 32) return false;
    if (bih.biCompression != BI_RGB) return false;
    if (bih.biClrUsed > dwMaxColors) return false;

    // Rows are padded to whole 32-bit words.
    uint64_t qwStride = (static_cast<uint64_t>(bih.biWidth) * bih.biBitCount + 31) / 32 * 4;
    uint64_t qwFullSize = qwStride * static_cast<uint64_t>(std::labs(bih.biHeight));
    uint64_t qwPixelBytes = bih.biSizeImage != 0 ? bih.biSizeImage : qwFullSize;
    if (qwPixelBytes > qwFullSize) return false;

    layout.qwColorBytes = 4ull * bih.biClrUsed;
    layout.qwPixelBytes = qwPixelBytes;
    return true;
}

// Images are kept with 32 bits a pixel whatever their source says: every frame
// copies them into a 32-bit off-screen image, and a copy between equal formats
// converts nothing. A DIB section for the checked header, in the kept format.
HBITMAP CreateKeptSection(HDC hDC, const HeaderBuffer& header, void** ppBits) {
    if (header.bmiHeader.biBitCount != 24)
        return CreateDIBSection(hDC, header.Info(), DIB_RGB_COLORS, ppBits, NULL, 0);
    BITMAPINFO info;
    std::memset(&info, 0, sizeof(info));
    info.bmiHeader = header.bmiHeader;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biSizeImage = 0;
    info.bmiHeader.biClrUsed = 0;
    info.bmiHeader.biClrImportant = 0;
    return CreateDIBSection(hDC, &info, DIB_RGB_COLORS, ppBits, NULL, 0);
}

// Puts the first qwBytes bytes of the source's pixels into a section made by
// CreateKeptSection; 24-bit rows are widened pixel by pixel, the fourth byte
// left 0. A source cut short keeps what it has, down to single bytes of a pixel.
void FillKeptSection(void* pBits, const BITMAPINFOHEADER& bih, const BYTE* pPixels, uint64_t qwBytes) {
    if (bih.biBitCount != 24) {
        std::memcpy(pBits, pPixels, static_cast<size_t>(qwBytes));
        return;
    }
    const uint64_t qwWidth = static_cast<uint64_t>(bih.biWidth);
    const uint64_t qwInStride = (qwWidth * 3 + 3) / 4 * 4, qwOutStride = qwWidth * 4;
    BYTE* pOutRow = static_cast<BYTE*>(pBits);
    for (const BYTE* pInRow = pPixels; qwBytes > 0; pInRow += qwInStride, pOutRow += qwOutStride) {
        const uint64_t qwRowBytes = qwBytes < qwInStride ? qwBytes : qwInStride;
        qwBytes -= qwRowBytes;
        const uint64_t qwPixelBytes = qwRowBytes < qwWidth * 3 ? qwRowBytes : qwWidth * 3;
        const BYTE* pIn = pInRow;
        BYTE* pOut = pOutRow;
        for (uint64_t x = 0; x < qwPixelBytes / 3; ++x, pIn += 3, pOut += 4) {
            pOut[0] = pIn[0];
            pOut[1] = pIn[1];
            pOut[2] = pIn[2];
        }
        for (uint64_t c = 0; c < qwPixelBytes % 3; ++c) pOut[c] = pIn[c];
    }
}

bool ReadExactly(HANDLE hFile, void* pBuffer, DWORD dwBytes) {
    DWORD dwRead = 0;
    return ReadFile(hFile, pBuffer, dwBytes, &dwRead, NULL) && dwRead == dwBytes;
}

}  // namespace

Bitmap::Bitmap() : m_hBitmap(NULL), m_iWidth(0), m_iHeight(0) {}

Bitmap::Bitmap(HDC hDC, LPCSTR szFileName) : m_hBitmap(NULL), m_iWidth(0), m_iHeight(0) {
    Create(hDC, szFileName);
}

Bitmap::Bitmap(HDC hDC, UINT uiResID, HINSTANCE hInstance) : m_hBitmap(NULL), m_iWidth(0), m_iHeight(0) {
    Create(hDC, uiResID, hInstance);
}

Bitmap::Bitmap(HDC hDC, int iWidth, int iHeight, COLORREF crColor)
    : m_hBitmap(NULL), m_iWidth(0), m_iHeight(0) {
    Create(hDC, iWidth, iHeight, crColor);
}

Bitmap::~Bitmap() { Free(); }

void Bitmap::Free() {
    if (m_hBitmap != NULL) {
        DeleteObject(m_hBitmap);
        m_hBitmap = NULL;
    }
}

BOOL Bitmap::Create(HDC hDC, LPCSTR szFileName) {
    Free();
    // A refused image must not report the size of the one it replaced.
    m_iWidth = m_iHeight = 0;

    HANDLE hFile = CreateFile(szFileName, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE) return FALSE;

    BOOL bResult = FALSE;
    DWORD dwSizeHigh = 0;
    DWORD dwFileSize = GetFileSize(hFile, &dwSizeHigh);
    BITMAPFILEHEADER bmfHeader;
    HeaderBuffer header;
    std::memset(&header, 0, sizeof(header));

    // Every offset and length is checked against the file's real size before it is used.
    if (dwSizeHigh == 0 && dwFileSize <= static_cast<DWORD>(INT32_MAX) &&
        ReadExactly(hFile, &bmfHeader, sizeof(BITMAPFILEHEADER)) && bmfHeader.bfType == wBitmapFileType &&
        ReadExactly(hFile, &header.bmiHeader, sizeof(BITMAPINFOHEADER))) {
        m_iWidth = header.bmiHeader.biWidth;
        m_iHeight = header.bmiHeader.biHeight;

        DibLayout layout;
        const uint64_t qwHeaderEnd = sizeof(BITMAPFILEHEADER) + static_cast<uint64_t>(header.bmiHeader.biSize);
        if (CheckHeader(header.bmiHeader, layout) && qwHeaderEnd + layout.qwColorBytes <= dwFileSize &&
            static_cast<uint64_t>(bmfHeader.bfOffBits) + layout.qwPixelBytes <= dwFileSize) {
            bool bHeaderRead = true;
            if (header.bmiHeader.biSize != sizeof(BITMAPINFOHEADER))
                bHeaderRead = SetFilePointer(hFile, static_cast<LONG>(header.bmiHeader.biSize - 40), NULL,
                                             FILE_CURRENT) != INVALID_SET_FILE_POINTER;
            if (bHeaderRead && layout.qwColorBytes > 0)
                bHeaderRead = ReadExactly(hFile, header.aColors, static_cast<DWORD>(layout.qwColorBytes));
            // Only the first 40 bytes of a longer header were kept: describe the buffer as it is.
            header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);

            void* pBitmapBits = NULL;
            if (bHeaderRead) m_hBitmap = CreateKeptSection(hDC, header, &pBitmapBits);
            std::vector<BYTE> vPixels;
            if (m_hBitmap != NULL && pBitmapBits != NULL &&
                SetFilePointer(hFile, static_cast<LONG>(bmfHeader.bfOffBits), NULL, FILE_BEGIN) !=
                    INVALID_SET_FILE_POINTER) {
                vPixels.resize(static_cast<size_t>(layout.qwPixelBytes));
                if (ReadExactly(hFile, vPixels.data(), static_cast<DWORD>(vPixels.size()))) {
                    FillKeptSection(pBitmapBits, header.bmiHeader, vPixels.data(), layout.qwPixelBytes);
                    bResult = TRUE;
                }
            }
        }
    }

    if (!bResult) Free();
    CloseHandle(hFile);
    return bResult;
}

BOOL Bitmap::Create(HDC hDC, UINT uiResID, HINSTANCE hInstance) {
    Free();
    // A refused image must not report the size of the one it replaced.
    m_iWidth = m_iHeight = 0;

    HRSRC hResInfo = FindResource(hInstance, MAKEINTRESOURCE(uiResID), RT_BITMAP);
    if (hResInfo == NULL) return FALSE;
    HGLOBAL hMemBitmap = LoadResource(hInstance, hResInfo);
    if (hMemBitmap == NULL) return FALSE;
    const BYTE* pBitmapInfo = static_cast<const BYTE*>(LockResource(hMemBitmap));
    if (pBitmapInfo == NULL) {
        FreeResource(hMemBitmap);
        return FALSE;
    }

    // Nothing is read past the resource's real size.
    const uint64_t qwResSize = SizeofResource(hInstance, hResInfo);
    if (qwResSize < sizeof(BITMAPINFOHEADER)) {
        FreeResource(hMemBitmap);
        return FALSE;
    }

    HeaderBuffer header;
    std::memset(&header, 0, sizeof(header));
    std::memcpy(&header.bmiHeader, pBitmapInfo, sizeof(BITMAPINFOHEADER));
    m_iWidth = header.bmiHeader.biWidth;
    m_iHeight = header.bmiHeader.biHeight;

    DibLayout layout;
    const uint64_t qwColorOffset = header.bmiHeader.biSize;
    if (!CheckHeader(header.bmiHeader, layout) ||
        qwColorOffset + layout.qwColorBytes + layout.qwPixelBytes > qwResSize) {
        FreeResource(hMemBitmap);
        return FALSE;
    }
    std::memcpy(header.aColors, pBitmapInfo + qwColorOffset, static_cast<size_t>(layout.qwColorBytes));
    // The DIB section is made from the first 40 bytes of the header and the colour table.
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);

    void* pBitmapBits = NULL;
    m_hBitmap = CreateKeptSection(hDC, header, &pBitmapBits);
    if (m_hBitmap != NULL && pBitmapBits != NULL) {
        FillKeptSection(pBitmapBits, header.bmiHeader, pBitmapInfo + qwColorOffset + layout.qwColorBytes,
                        layout.qwPixelBytes);
        FreeResource(hMemBitmap);
        return TRUE;
    }

    FreeResource(hMemBitmap);
    Free();
    return FALSE;
}

BOOL Bitmap::Create(HDC hDC, int iWidth, int iHeight, COLORREF crColor) {
    Free();
    // A refused image must not report the size of the one it replaced.
    m_iWidth = m_iHeight = 0;

    m_hBitmap = CreateCompatibleBitmap(hDC, iWidth, iHeight);
    if (m_hBitmap == NULL) return FALSE;
    m_iWidth = iWidth;
    m_iHeight = iHeight;

    HDC hMemDC = CreateCompatibleDC(hDC);
    HBRUSH hBrush = CreateSolidBrush(crColor);
    HGDIOBJ hOldBitmap = SelectObject(hMemDC, m_hBitmap);
    RECT rcBitmap = {0, 0, m_iWidth, m_iHeight};
    FillRect(hMemDC, &rcBitmap, hBrush);
    SelectObject(hMemDC, hOldBitmap);
    DeleteDC(hMemDC);
    DeleteObject(hBrush);
    return TRUE;
}

void Bitmap::Draw(HDC hDC, int x, int y, BOOL bTrans, COLORREF crTransColor) {
    if (m_hBitmap == NULL) return;
    // A top-down image keeps its negative header height; it is drawn at its real size.
    DrawPart(hDC, x, y, 0, 0, GetWidth(), std::abs(GetHeight()), bTrans, crTransColor);
}

void Bitmap::DrawPart(HDC hDC, int x, int y, int xPart, int yPart, int wPart, int hPart, BOOL bTrans,
                      COLORREF crTransColor) {
    if (m_hBitmap == NULL) return;

    HDC hMemDC = CreateCompatibleDC(hDC);
    HGDIOBJ hOldBitmap = SelectObject(hMemDC, m_hBitmap);
    if (bTrans)
        TransparentBlt(hDC, x, y, wPart, hPart, hMemDC, xPart, yPart, wPart, hPart, crTransColor);
    else
        BitBlt(hDC, x, y, wPart, hPart, hMemDC, xPart, yPart, SRCCOPY);
    SelectObject(hMemDC, hOldBitmap);
    DeleteDC(hMemDC);
}
