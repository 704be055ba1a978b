#include <windows.h>

#include <commctrl.h>

#include "main_window.h"
#include "regional_separator.h"

// The entry point brings up the window and does nothing else: the window and
// its controls with their stored start values, the load handler, the window
// shown with the focus in Text_Y, then events until it is closed.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);

    int status = 0;
    {
        // The one place the regional format is read; everything below takes
        // it as an argument.
        MainWindow window(instance, windows_decimal_separator());
        window.load();
        window.show(show_command);

        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            window.before_dispatch(message);
            if (window.take_keyboard(message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        status = static_cast<int>(message.wParam);
    }
    return status;
}
