#include <QApplication>
#include <QIcon>
#include <QLocale>

#include "main_window.h"
#include "tubaro_version.h"
#include "window_data.h"

namespace {

QString from_utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(from_utf8(tubaro::kApplicationName));
    QApplication::setApplicationDisplayName(from_utf8(tubaro::kWindowCaption));
    QApplication::setApplicationVersion(from_utf8(tubaro::kVersionText));
    QApplication::setOrganizationName(from_utf8(tubaro::kCompanyName));
    QApplication::setDesktopFileName(QStringLiteral("tubarogas"));
    application.setProperty("productName", from_utf8(tubaro::kProductName));

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
