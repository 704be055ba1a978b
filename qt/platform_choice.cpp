#include "qt/platform_choice.h"

std::optional<std::string> platform_to_ask_for(const std::function<std::string(const char*)>& environment,
                                               const std::vector<std::string_view>& arguments)
{
    if (!environment("QT_QPA_PLATFORM").empty())
        return std::nullopt;
    for (std::string_view argument : arguments)
        if (argument == "-platform" || argument == "--platform" || argument.substr(0, 10) == "-platform=" ||
            argument.substr(0, 11) == "--platform=")
            return std::nullopt;
    if (!environment("WAYLAND_DISPLAY").empty() && !environment("DISPLAY").empty())
        return "xcb;wayland";
    return std::nullopt;
}

bool platform_keeps_windows_on_top(std::string_view platform_name)
{
    return platform_name.substr(0, 7) != "wayland";
}
