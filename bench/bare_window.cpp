// The yardstick for start-up and memory: an empty QWidget, nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("BareWindow"));
    QWidget window;
    window.resize(207, 161);
    window.show();
    return application.exec();
}
