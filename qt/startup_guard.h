#pragma once

#include <optional>
#include <string>

// Why the window cannot be shown on this session, when that is plain before
// Qt starts: no platform is named (QT_QPA_PLATFORM) and neither DISPLAY nor
// WAYLAND_DISPLAY is set. Empty when Qt may try.
std::optional<std::string> missing_display();

// While it lives, Qt's start-up cannot abort the program. A fatal message
// (no platform plugin could reach its display) ends it with one clear line
// on standard error and status 1, no core; other messages are held back and
// passed on once the start-up has gone well.
class StartupGuard {
public:
    StartupGuard();
    ~StartupGuard();
    StartupGuard(const StartupGuard&) = delete;
    StartupGuard& operator=(const StartupGuard&) = delete;
};

// The status with which the program ends when it has no display.
inline constexpr int kNoDisplayStatus = 1;
