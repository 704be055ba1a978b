#include "qt/startup_guard.h"

#include "form/user_texts.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

QtMessageHandler g_previous = nullptr;
std::vector<std::pair<QtMsgType, QString>> g_held;

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

[[noreturn]] void no_display(const std::string& why)
{
    std::fprintf(stderr, "TubaroGAS: %s (%s)\n", tubaro::texts::kNoDisplay.data(), why.c_str());
    std::fflush(stderr);
    std::_Exit(kNoDisplayStatus);
}

void during_startup(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtFatalMsg) {
        g_held.emplace_back(type, message);
        return;
    }
    const std::string display = environment("DISPLAY");
    const std::string wayland = environment("WAYLAND_DISPLAY");
    if (!display.empty())
        no_display("impossibile collegarsi a " + display);
    if (!wayland.empty())
        no_display("impossibile collegarsi a " + wayland);
    no_display(message.section(QLatin1Char('\n'), 0, 0).toStdString());
}

}  // namespace

std::optional<std::string> missing_display()
{
    if (!environment("QT_QPA_PLATFORM").empty())
        return std::nullopt;
    if (environment("DISPLAY").empty() && environment("WAYLAND_DISPLAY").empty())
        return "DISPLAY non impostato";
    return std::nullopt;
}

StartupGuard::StartupGuard()
{
    g_previous = qInstallMessageHandler(during_startup);
}

StartupGuard::~StartupGuard()
{
    qInstallMessageHandler(g_previous);
    for (const auto& [type, message] : std::exchange(g_held, {}))
        g_previous(type, QMessageLogContext(), message);
}
