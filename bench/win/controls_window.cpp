// The yardstick TubaroGAS.exe is held to for the work it does: the same
// nineteen controls in a Win32 window, made the obvious way (the common
// controls initialised, every control created with its text and the
// message font, the window shown), and nothing else: no tooltips, no
// accessible names, no icon, no font fitting.
#include <windows.h>

#include <commctrl.h>

#include <string>

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

const wchar_t* class_of(tubaro::ControlKind kind)
{
    switch (kind) {
    case tubaro::ControlKind::Label: return L"STATIC";
    case tubaro::ControlKind::TextBox: return L"EDIT";
    case tubaro::ControlKind::SpinControl: return UPDOWN_CLASSW;
    case tubaro::ControlKind::OptionButton:
    case tubaro::ControlKind::CheckBox: return L"BUTTON";
    }
    return L"STATIC";
}

DWORD style_of(tubaro::ControlKind kind)
{
    switch (kind) {
    case tubaro::ControlKind::TextBox: return WS_TABSTOP | ES_AUTOHSCROLL | ES_RIGHT;
    case tubaro::ControlKind::OptionButton: return WS_TABSTOP | BS_AUTORADIOBUTTON;
    case tubaro::ControlKind::CheckBox: return WS_TABSTOP | BS_AUTOCHECKBOX;
    default: return 0;
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);

    WNDCLASSW window_class{};
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    window_class.lpszClassName = L"ControlsWindow";
    RegisterClassW(&window_class);

    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, tubaro::twips_to_pixels(tubaro::kClientWidthTwips, 96),
               tubaro::twips_to_pixels(tubaro::kClientHeightTwips, 96)};
    AdjustWindowRect(&frame, style, FALSE);
    const HWND window = CreateWindowW(L"ControlsWindow", L"Tubaro GAS", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                      frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
                                      nullptr);

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);

    for (const tubaro::ControlSpec& row : tubaro::kWindowControls) {
        const tubaro::PixelRect place = tubaro::to_pixels(row, 96);
        const std::wstring text(row.text.begin(), row.text.end());  // ASCII
        const DWORD shown = row.has(tubaro::kHiddenAtStart) ? 0 : WS_VISIBLE;
        const DWORD edge = row.kind == tubaro::ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0;
        const HWND control = CreateWindowExW(edge, class_of(row.kind), text.c_str(), WS_CHILD | shown | style_of(row.kind),
                                             place.left, place.top, place.width, place.height, window, nullptr,
                                             instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (row.has(tubaro::kSetAtStart))
            SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
    }
    ShowWindow(window, show_command);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(font);
    return 0;
}
