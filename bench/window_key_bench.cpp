// A typed key in the real window, from the key press to the recalculated
// diameter on screen (offscreen platform): the mean over many keys.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

#include <cstdio>

#include "qt/main_window.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    MainWindow window(",");
    window.winId();
    window.load();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    auto* power = static_cast<QLineEdit*>(window.control(tubaro::ControlId::Text_P));
    power->setFocus();
    power->setText("11");
    constexpr int kKeys = 20000;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kKeys; ++i) {
        // "116" then back to "11": each key recalculates the diameter.
        QTest::keyClick(power, i % 2 ? Qt::Key_Backspace : Qt::Key_6);
    }
    const double microseconds = static_cast<double>(timer.nsecsElapsed()) / 1000.0 / kKeys;
    std::printf("window key release to result: %.1f us\n", microseconds);
    return 0;
}
