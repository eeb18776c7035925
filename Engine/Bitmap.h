// One device-independent image with its size, drawn whole or in part, opaque
// or with one colour keyed out.
#pragma once

#include "Platform/Win32.h"

class Bitmap {
protected:
    HBITMAP m_hBitmap;
    int m_iWidth, m_iHeight;

    void Free();

public:
    Bitmap();
    Bitmap(HDC hDC, LPCSTR szFileName);
    Bitmap(HDC hDC, UINT uiResID, HINSTANCE hInstance);
    Bitmap(HDC hDC, int iWidth, int iHeight, COLORREF crColor = RGB(0, 0, 0));
    virtual ~Bitmap();

    BOOL Create(HDC hDC, LPCSTR szFileName);
    BOOL Create(HDC hDC, UINT uiResID, HINSTANCE hInstance);
    BOOL Create(HDC hDC, int iWidth, int iHeight, COLORREF crColor);
    void Draw(HDC hDC, int x, int y, BOOL bTrans = FALSE, COLORREF crTransColor = RGB(255, 0, 255));
    void DrawPart(HDC hDC, int x, int y, int xPart, int yPart, int wPart, int hPart, BOOL bTrans = FALSE,
                  COLORREF crTransColor = RGB(255, 0, 255));
    int GetWidth() const { return m_iWidth; }
    int GetHeight() const { return m_iHeight; }
    bool HasImage() const { return m_hBitmap != nullptr; }

    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
};
