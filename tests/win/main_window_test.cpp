#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "control_ids.h"
#include "main_window.h"

// The Win32 window in this process, under Wine: what its start and end do
// when things go otherwise than usual.
namespace {

using tubaro::ControlId;

class Win32Window : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&controls);
    }
    // The quit message a closed window posts, so the next test starts clean.
    void TearDown() override
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    static std::unique_ptr<MainWindow> open() { return MainWindow::open(GetModuleHandleW(nullptr), ","); }
    static HWND control(const MainWindow& window, ControlId id)
    {
        return GetDlgItem(window.handle(), control_identifier(id));
    }
};

LRESULT CALLBACK refuse_every_window(int code, WPARAM w, LPARAM l)
{
    return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, w, l);
}

TEST_F(Win32Window, AWindowThatWindowsRefusesIsNoWindow)
{
    const HHOOK refusal = SetWindowsHookExW(WH_CBT, refuse_every_window, nullptr, GetCurrentThreadId());
    ASSERT_NE(refusal, nullptr);
    const auto window = open();
    UnhookWindowsHookEx(refusal);
    EXPECT_EQ(window, nullptr);
}

// Another program's WM_SETTEXT is handled whenever the thread waits, even
// before the first paint has finished the start: its error is shown all the
// same.
TEST_F(Win32Window, AnErrorBeforeTheStartHasFinishedIsShown)
{
    const auto window = open();
    ASSERT_NE(window, nullptr);
    window->load();
    EXPECT_EQ(window->error_note(), nullptr);
    SendMessageW(control(*window, ControlId::Text_D), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"abc"));
    ASSERT_NE(window->error_note(), nullptr);
    wchar_t text[64] = {};
    GetWindowTextW(window->error_note(), text, 64);
    EXPECT_STREQ(text, L"Tipo non corrispondente");
}

// However the message loop ended, the window goes with its object, and no
// message reaches the object after it.
TEST_F(Win32Window, TheWindowGoesWithItsObject)
{
    HWND handle = nullptr;
    {
        const auto window = open();
        ASSERT_NE(window, nullptr);
        window->load();
        window->show(SW_SHOWNOACTIVATE);
        handle = window->handle();
        EXPECT_TRUE(IsWindow(handle));
    }
    EXPECT_FALSE(IsWindow(handle));
}

// Moved to a monitor of another resolution, the window and every control
// take their sizes at it.
TEST_F(Win32Window, ANewResolutionResizesTheWindowAndItsControls)
{
    const auto window = open();
    ASSERT_NE(window, nullptr);
    RECT suggested{100, 100, 400, 400};
    SendMessageW(window->handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    // Its height depends on the title bar, which Wine draws at one size.
    RECT client;
    GetClientRect(window->handle(), &client);
    EXPECT_EQ(client.right, 311);
    RECT field;
    GetWindowRect(control(*window, ControlId::Text_D), &field);
    MapWindowPoints(nullptr, window->handle(), reinterpret_cast<POINT*>(&field), 2);
    EXPECT_EQ(field.left, 144);
    EXPECT_EQ(field.top, 24);
    EXPECT_EQ(field.right, 225);
    EXPECT_EQ(field.bottom, 53);
}

}  // namespace
