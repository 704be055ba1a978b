#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QLocale>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "qt/main_window.h"
#include "qt/platform_choice.h"
#include "qt/utf8_text.h"
#include "qt/startup_guard.h"
#include "tubaro_version.h"
#include "form/user_texts.h"
#include "form/window_data.h"

namespace {

constexpr std::string_view kHelp =
    "Uso: TubaroGAS [--help | --version]\n"
    "\n"
    "Apre la finestra di Tubaro GAS, il calcolatore per il dimensionamento di\n"
    "tubazioni gas a bassa pressione. Per gli stessi calcoli da uno script c'e'\n"
    "tubarogas-calc.\n";

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Writes an answer to standard output, checked to the last close.
int answer(const std::string& text)
{
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
    const int error = written ? 0 : errno;
    if (std::fclose(stdout) != 0 || !written) {
        std::fprintf(stderr, "TubaroGAS: scrittura non riuscita: %s\n", std::strerror(error ? error : errno));
        return 1;
    }
    return 0;
}

// The match icon, read with the PNG reader that Qt has built in: a reader
// left to guess the format would load every image plug-in to ask it.
QIcon window_icon()
{
    QIcon icon;
    for (const QString& path : {QStringLiteral(":/icons/tubarogas-16.png"), QStringLiteral(":/icons/tubarogas-32.png")}) {
        QImageReader reader(path, "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

// --help and --version answer without a display; every other argument is
// Qt's own (-platform, -style) or ignored.
std::optional<int> answer_command_line(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h")
            return answer(std::string(kHelp));
        if (argument == "--version")
            return answer("TubaroGAS (Tubaro GAS) " + std::string(tubaro::kVersionText) + "\n");
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (const auto status = answer_command_line(argc, argv))
        return *status;
    if (const auto why = missing_display()) {
        std::fprintf(stderr, "TubaroGAS: %s (%s)\n", tubaro::texts::kNoDisplay.data(), why->c_str());
        return kNoDisplayStatus;
    }

    // Through XWayland where the session has it, so the window can stay on
    // top; the user's own choice of platform stands.
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    if (const auto platform = platform_to_ask_for(environment, arguments))
        setenv("QT_QPA_PLATFORM", platform->c_str(), 1);

    std::optional<StartupGuard> guard(std::in_place);
    QApplication application(argc, argv);
    guard.reset();

    QApplication::setApplicationName(from_utf8(tubaro::kApplicationName));
    QApplication::setApplicationDisplayName(from_utf8(tubaro::kWindowCaption));
    QApplication::setApplicationVersion(from_utf8(tubaro::kVersionText));
    QApplication::setOrganizationName(from_utf8(tubaro::kCompanyName));
    QApplication::setDesktopFileName(QStringLiteral("tubarogas"));
    application.setProperty("productName", from_utf8(tubaro::kProductName));

    QApplication::setWindowIcon(window_icon());

    // The one place the regional format is read; everything below takes it
    // as an argument.
    MainWindow window(QLocale::system().decimalPoint().toStdString());
    window.winId();  // the native window exists before the load handler runs
    window.load();
    window.show();
    return application.exec();
}
