#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "main_window.h"
#include "regional_separator.h"

// The entry point brings up the window and does nothing else: the window and
// its controls with their stored start values, the load handler, the window
// shown with the focus in Text_Y, then events until it is closed.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command)
{
    // For the accessibility service that names the controls.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
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
            if (window.take_keyboard(message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        status = static_cast<int>(message.wParam);
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return status;
}
