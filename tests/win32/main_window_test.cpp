#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "win32/control_ids.h"
#include "win32/main_window.h"

// Every allocation of this program comes here: the one numbered by
// g_failing_allocation (counting down from it) fails, as memory running out
// would, so a test can make each allocation of a start fail in turn.
namespace {
long g_failing_allocation = -1;
bool g_allocation_failed = false;
}  // namespace

void* operator new(std::size_t size)
{
    if (g_failing_allocation >= 0 && g_failing_allocation-- == 0) {
        g_allocation_failed = true;
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

// The Win32 window in this process, under Wine: what its start and end do
// when things go otherwise than usual.
namespace {

using tubaro::ControlId;

// The windows this thread has, top-level, with their controls.
std::vector<HWND> thread_windows()
{
    std::vector<HWND> found;
    const WNDENUMPROC add = [](HWND each, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(each);
        return TRUE;
    };
    EnumThreadWindows(GetCurrentThreadId(), add, reinterpret_cast<LPARAM>(&found));
    for (std::size_t top = 0, tops = found.size(); top < tops; ++top)
        EnumChildWindows(found[top], add, reinterpret_cast<LPARAM>(&found));
    return found;
}

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

// A start that fails at any allocation takes its window with it: no window
// is left whose messages would reach the object that failed.
TEST_F(Win32Window, AStartThatRunsOutOfMemoryLeavesNoWindow)
{
    long failed_starts = 0;
    for (long allocation = 0;; ++allocation) {
        g_failing_allocation = allocation;
        g_allocation_failed = false;
        bool thrown = false;
        try {
            open();
        } catch (const std::bad_alloc&) {
            thrown = true;
        }
        g_failing_allocation = -1;
        if (!g_allocation_failed)
            break;  // the whole start made fewer allocations
        ++failed_starts;
        EXPECT_TRUE(thrown) << "allocation " << allocation;
        ASSERT_EQ(thread_windows().size(), 0u) << "left by a start that failed at allocation " << allocation;
    }
    EXPECT_GT(failed_starts, 20);
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

// This program's own import of a function, replaced for as long as the spy
// lives: every call the window's code makes to it goes through the spy.
class ImportSpy {
public:
    ImportSpy(const char* function, void* spy)
    {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
            base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); dll->Name; ++dll) {
            auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
            auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
            for (; names->u1.AddressOfData; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                    continue;
                const auto* named = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char*>(named->Name), function) == 0) {
                    m_slot = reinterpret_cast<void**>(&slots->u1.Function);
                    m_original = swap(spy);
                    return;
                }
            }
        }
    }
    ~ImportSpy()
    {
        if (m_slot)
            swap(m_original);
    }
    void* original() const { return m_original; }

private:
    void* swap(void* with)
    {
        DWORD protection;
        VirtualProtect(m_slot, sizeof *m_slot, PAGE_READWRITE, &protection);
        void* was = *m_slot;
        *m_slot = with;
        VirtualProtect(m_slot, sizeof *m_slot, protection, &protection);
        return was;
    }
    void** m_slot = nullptr;
    void* m_original = nullptr;
};

ImportSpy* g_default_spy = nullptr;
std::vector<HWND> g_nc_destroyed;

LRESULT WINAPI spy_default_procedure(HWND window, UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_NCDESTROY)
        g_nc_destroyed.push_back(window);
    return reinterpret_cast<decltype(&DefWindowProcW)>(g_default_spy->original())(window, message, w, l);
}

// The window's last message still reaches the system's own handling, with
// the window it is for, which frees what the system keeps of it.
TEST_F(Win32Window, ItsLastMessageReachesTheSystemWithItsWindow)
{
    auto window = open();
    ASSERT_NE(window, nullptr);
    const HWND handle = window->handle();
    ImportSpy spy("DefWindowProcW", reinterpret_cast<void*>(&spy_default_procedure));
    ASSERT_NE(spy.original(), nullptr);
    g_default_spy = &spy;
    g_nc_destroyed.clear();
    window.reset();
    g_default_spy = nullptr;
    EXPECT_EQ(g_nc_destroyed, std::vector<HWND>{handle});
}

ImportSpy* g_delete_spy = nullptr;
std::vector<HWND> g_holding_a_deleted_font;
int g_fonts_deleted = 0;

BOOL WINAPI spy_delete_object(HGDIOBJ object)
{
    if (GetObjectType(object) == OBJ_FONT) {
        ++g_fonts_deleted;
        for (HWND each : thread_windows())
            if (reinterpret_cast<HGDIOBJ>(SendMessageW(each, WM_GETFONT, 0, 0)) == object)
                g_holding_a_deleted_font.push_back(each);
    }
    return reinterpret_cast<decltype(&DeleteObject)>(g_delete_spy->original())(object);
}

// A font goes only once no control, note or tip holds it any more: a
// repaint in between would draw with a deleted font.
TEST_F(Win32Window, ANewResolutionDeletesNoFontInUse)
{
    auto window = open();
    ASSERT_NE(window, nullptr);
    window->load();
    // The note and the tips made, which take the font too.
    SendMessageW(control(*window, ControlId::Text_D), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"abc"));
    ASSERT_NE(window->error_note(), nullptr);
    ImportSpy spy("DeleteObject", reinterpret_cast<void*>(&spy_delete_object));
    ASSERT_NE(spy.original(), nullptr);
    g_delete_spy = &spy;
    g_holding_a_deleted_font.clear();
    g_fonts_deleted = 0;
    for (int dpi : {144, 96}) {
        RECT suggested{100, 100, 400, 400};
        SendMessageW(window->handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    }
    window.reset();
    g_delete_spy = nullptr;
    EXPECT_EQ(g_holding_a_deleted_font, std::vector<HWND>{});
    // The fonts of both resolutions and the last one, when the window went.
    EXPECT_GE(g_fonts_deleted, 3);
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
