// A second yardstick: the bare window with one caption, which is what loading
// fonts alone costs any window that shows text.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("LabelWindow"));
    QLabel window(QStringLiteral("Diametro [mm]"));
    window.resize(207, 161);
    window.show();
    return application.exec();
}
