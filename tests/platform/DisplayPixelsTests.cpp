// A backend that keeps the display's pixels in the window image's format: the
// window is drawn and read straight there and presented without a copy, and
// falls back to its own pixels when the display stops offering them.
#include <gtest/gtest.h>

#include <vector>

#include "PlatformTestSupport.h"
#include "Platform/Backend.h"
#include "support/Isolation.h"

using namespace testsupport;

namespace {

// The headless backend with display pixels of its own, rows padded beyond
// the image's width.
class PixelsBackend final : public platform::Backend {
public:
    static const ptrdiff_t kStride = 640 * 4 + 64;
    std::vector<uint8_t> m_vPixels = std::vector<uint8_t>(kStride * 480, 0);
    bool m_bOffer = true;
    std::vector<const uint8_t*> m_vPresented;

    PixelsBackend() {
        platform::SelectHeadlessBackend();
        platform::SetCurrentBackend(this);
    }
    ~PixelsBackend() override { platform::SetCurrentBackend(&Inner()); }

    uint8_t* DisplayPixels(int iWidth, int iHeight, ptrdiff_t& iStride) override {
        if (!m_bOffer || iWidth != 640 || iHeight != 480) return nullptr;
        iStride = kStride;
        return m_vPixels.data();
    }
    COLORREF Pixel(int x, int y) const {
        const uint8_t* p = m_vPixels.data() + y * kStride + x * 4;
        return RGB(p[2], p[1], p[0]);
    }

    bool OpenDisplay(const char* szCaption, int iWidth, int iHeight, int iIconId) override {
        return Inner().OpenDisplay(szCaption, iWidth, iHeight, iIconId);
    }
    void ShowDisplay(bool bShow) override { Inner().ShowDisplay(bShow); }
    void CloseDisplay() override { Inner().CloseDisplay(); }
    void Present(const uint8_t* pPixels, int, int, ptrdiff_t) override { m_vPresented.push_back(pPixels); }
    void PumpEvents() override { Inner().PumpEvents(); }
    bool WaitForInput(DWORD dwMilliseconds) override { return Inner().WaitForInput(dwMilliseconds); }
    void Delay(DWORD dwMilliseconds) override { Inner().Delay(dwMilliseconds); }
    DWORD Ticks() override { return Inner().Ticks(); }
    bool IsKeyDown(int iVirtualKey) override { return Inner().IsKeyDown(iVirtualKey); }
    void GetScreenSize(int& iWidth, int& iHeight) override { Inner().GetScreenSize(iWidth, iHeight); }
    void SetCursorVisible(bool bVisible) override { Inner().SetCursorVisible(bVisible); }
    void ShowMessage(const char* szCaption, const char* szText) override { Inner().ShowMessage(szCaption, szText); }

private:
    static platform::Backend& Inner() { return platform::HeadlessBackend(); }
};

void Fill(HWND hWnd, const RECT& rc, COLORREF cr) {
    HDC hdc = GetDC(hWnd);
    HBRUSH hBrush = CreateSolidBrush(cr);
    FillRect(hdc, &rc, hBrush);
    DeleteObject(hBrush);
    ReleaseDC(hWnd, hdc);  // presents
}

}  // namespace

ISOLATED_TEST(PlatformDisplayPixels, TheWindowIsDrawnReadAndPresentedWhereTheDisplayKeepsIt) {
    PixelsBackend backend;
    RegisterTestClass();
    HWND hWnd = CreateTestWindow();
    ASSERT_NE(hWnd, nullptr);

    Fill(hWnd, RECT{630, 470, 640, 480}, RGB(10, 20, 30));
    EXPECT_EQ(backend.Pixel(639, 479), RGB(10, 20, 30));
    EXPECT_EQ(backend.Pixel(629, 479), RGB(0, 0, 0));
    // The padding past each row is the display's, not the image's.
    EXPECT_EQ(backend.m_vPixels[479 * PixelsBackend::kStride + 640 * 4], 0);
    ASSERT_EQ(backend.m_vPresented.size(), 1u);
    EXPECT_EQ(backend.m_vPresented[0], backend.m_vPixels.data());

    // Reading the window reads the display.
    backend.m_vPixels[5 * PixelsBackend::kStride + 7 * 4 + 2] = 200;
    HDC hdc = GetDC(hWnd);
    EXPECT_EQ(GetPixel(hdc, 7, 5), RGB(200, 0, 0));
    TestBitmap copy(8, 6, 32, true);
    ASSERT_TRUE(BitBlt(copy.m_hDC, 0, 0, 8, 6, hdc, 0, 0, SRCCOPY));
    EXPECT_EQ(copy.Get(7, 5), RGB(200, 0, 0));
    ReleaseDC(hWnd, hdc);

    // Once the display offers none, the window keeps drawing into its own
    // pixels and presents those.
    backend.m_bOffer = false;
    Fill(hWnd, RECT{0, 0, 640, 480}, RGB(40, 50, 60));
    EXPECT_EQ(backend.Pixel(639, 479), RGB(10, 20, 30));
    ASSERT_EQ(backend.m_vPresented.size(), 3u);
    EXPECT_NE(backend.m_vPresented[2], backend.m_vPixels.data());
    hdc = GetDC(hWnd);
    EXPECT_EQ(GetPixel(hdc, 639, 479), RGB(40, 50, 60));
    ReleaseDC(hWnd, hdc);
    EXPECT_TRUE(DestroyWindow(hWnd));
}
