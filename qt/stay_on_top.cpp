#include "qt/stay_on_top.h"

#include <QWidget>
#include <QWindow>

void set_stay_on_top(QWidget* window, bool on_top)
{
    // On the QWindow, not QWidget::setWindowFlag: that one hides the window
    // and creates a new native one at every toggle.
    window->winId();
    window->windowHandle()->setFlag(Qt::WindowStaysOnTopHint, on_top);
}
