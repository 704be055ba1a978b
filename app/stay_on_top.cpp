#include "stay_on_top.h"

#include <QWidget>
#include <QWindow>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

void set_stay_on_top(QWidget* window, bool on_top)
{
#ifdef Q_OS_WIN
    // HWND_TOPMOST (-1) or HWND_NOTOPMOST (-2); SWP_NOSIZE | SWP_NOMOVE keep
    // size and place. The result is not examined: a refusal changes nothing.
    const HWND handle = reinterpret_cast<HWND>(window->winId());
    SetWindowPos(handle, on_top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
#else
    // On the QWindow, not QWidget::setWindowFlag: that one hides the window
    // and creates a new native one at every toggle.
    window->winId();
    window->windowHandle()->setFlag(Qt::WindowStaysOnTopHint, on_top);
#endif
}
