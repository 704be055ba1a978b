// The yardstick a Windows text window is held to: a plain Win32 window of
// TubaroGAS's size with one STATIC label, no manifest, nothing else.
#include <windows.h>

#include "form/window_data.h"

namespace {

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, w, l);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command)
{
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    window_class.lpszClassName = L"LabelWindow";
    RegisterClassW(&window_class);

    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, tubaro::twips_to_pixels(tubaro::kClientWidthTwips, 96),
               tubaro::twips_to_pixels(tubaro::kClientHeightTwips, 96)};
    AdjustWindowRect(&frame, style, FALSE);
    const HWND window = CreateWindowW(L"LabelWindow", L"Tubaro GAS", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                      frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
                                      nullptr);
    CreateWindowW(L"STATIC", L"Diametro [mm]", WS_CHILD | WS_VISIBLE, 24, 16, 73, 17, window, nullptr, instance,
                  nullptr);
    ShowWindow(window, show_command);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
