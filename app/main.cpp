#include <QApplication>
#include <QIcon>
#include <QLocale>

#include "main_window.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TubaroCalcolatore"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tubaro GAS"));
    QApplication::setApplicationVersion(QStringLiteral(TUBARO_VERSION_TEXT));
    QApplication::setOrganizationName(QStringLiteral("USER"));
    QApplication::setDesktopFileName(QStringLiteral("tubarogas"));
    application.setProperty("productName", QStringLiteral("TubaroGAS"));

    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/tubarogas-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/tubarogas-32.png"), QSize(32, 32));
    QApplication::setWindowIcon(icon);

    // The one place the regional format is read; everything below takes it
    // as an argument.
    MainWindow window(QLocale::system().decimalPoint().toStdString());
    window.winId();  // the native window exists before the load handler runs
    window.load();
    window.show();
    return application.exec();
}
