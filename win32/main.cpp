#include <windows.h>

#include <commctrl.h>

#include "win32/main_window.h"
#include "windows_support/regional_separator.h"
#include "form/user_texts.h"
#include "windows_support/wide_text.h"
#include "form/window_data.h"

// The entry point brings up the window and does nothing else: the window and
// its controls with their stored start values, the load handler, the window
// shown with the focus where the form starts it, then events until it is
// closed.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);

    // The one place the regional format is read; everything below takes it
    // as an argument.
    const auto window = MainWindow::open(instance, windows_decimal_separator());
    if (!window) {
        // Without a window there is nothing to wait for: say so and end.
        MessageBoxW(nullptr, widen(tubaro::texts::kWindowRefused).c_str(), widen(tubaro::kWindowCaption).c_str(),
                    MB_OK | MB_ICONERROR);
        return 1;
    }
    window->load();
    window->show(show_command);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        window->before_dispatch(message);
        if (window->take_keyboard(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
