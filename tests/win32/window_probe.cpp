// Reads and sets the Windows window from another process, as test tools and
// screen readers do: one command a line on standard input, one answer a line
// on standard output, in UTF-8.
//
//   wait                 waits for the window; "ready" or "missing"
//   text NAME            the text of a control (by the window data's name)
//   set NAME TEXT        sets a control's text, as a paste does (no key)
//   checked NAME         BM_GETCHECK of a button: 0, 1 or 2
//   visible NAME         1 when the control is shown
//   rect NAME|window     its place on the screen: left top right bottom
//   topmost              1 when the window has WS_EX_TOPMOST
//   focus                the name of the control with the focus, or "-"
//   selection NAME       where a field's selection starts and ends: "0 3"
//   note                 the text of the error note shown, or "-"
//   noterect             the note's place on the screen, or "-"
//   hidenote             hides the note, as its time running out does
//   tooltips             how many tooltip windows the window's thread has
//   quit
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "win32/control_ids.h"
#include "form/form_event.h"
#include "windows_support/wide_text.h"
#include "form/window_data.h"

namespace {

HWND g_window = nullptr;

std::optional<tubaro::ControlId> control_named(const std::string& name)
{
    for (const tubaro::ControlSpec& row : tubaro::kWindowControls)
        if (row.name == name)
            return row.id;
    return std::nullopt;
}

HWND control(const std::string& name)
{
    const auto id = control_named(name);
    return id ? GetDlgItem(g_window, control_identifier(*id)) : nullptr;
}

std::string text_of(HWND window)
{
    wchar_t buffer[4096] = {};
    SendMessageW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer));
    return narrow(buffer);
}

std::string rect_of(HWND window)
{
    RECT place{};
    GetWindowRect(window, &place);
    std::ostringstream out;
    out << place.left << ' ' << place.top << ' ' << place.right << ' ' << place.bottom;
    return out.str();
}

// The tooltip windows of the window's thread: the description tips and the
// error note.
std::vector<HWND> tooltips()
{
    std::vector<HWND> found;
    EnumThreadWindows(
        GetWindowThreadProcessId(g_window, nullptr),
        [](HWND each, LPARAM data) -> BOOL {
            wchar_t class_name[64] = {};
            GetClassNameW(each, class_name, 64);
            if (lstrcmpiW(class_name, TOOLTIPS_CLASSW) == 0)
                reinterpret_cast<std::vector<HWND>*>(data)->push_back(each);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The shown tooltip of the window's thread that carries a message.
HWND shown_note()
{
    for (HWND each : tooltips())
        if (IsWindowVisible(each) && GetWindowTextLengthW(each) > 0)
            return each;
    return nullptr;
}

std::string answer(const std::string& line)
{
    std::istringstream words(line);
    std::string command, name;
    words >> command >> name;
    if (command == "wait") {
        for (int i = 0; i < 200 && !g_window; ++i) {
            g_window = FindWindowW(kWindowClassName, L"Tubaro GAS");
            if (!g_window)
                Sleep(100);
        }
        return g_window ? "ready" : "missing";
    }
    if (!g_window)
        return "no window";
    if (command == "text")
        return text_of(control(name));
    if (command == "set") {
        const std::size_t start = line.find(name) + name.size() + 1;
        const std::wstring text = widen(start < line.size() ? line.substr(start) : std::string());
        SendMessageW(control(name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        return "ok";
    }
    if (command == "checked")
        return std::to_string(SendMessageW(control(name), BM_GETCHECK, 0, 0));
    if (command == "visible")
        return IsWindowVisible(control(name)) ? "1" : "0";
    if (command == "rect")
        return rect_of(name == "window" ? g_window : control(name));
    if (command == "topmost")
        return (GetWindowLongPtrW(g_window, GWL_EXSTYLE) & WS_EX_TOPMOST) ? "1" : "0";
    if (command == "focus") {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(g_window, nullptr), &info);
        const int id = info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) - kFirstControlIdentifier : -1;
        if (id < 0 || id >= static_cast<int>(tubaro::kControlCount))
            return "-";
        return std::string(tubaro::kWindowControls[static_cast<std::size_t>(id)].name);
    }
    if (command == "selection") {
        const auto both = static_cast<DWORD>(SendMessageW(control(name), EM_GETSEL, 0, 0));
        return std::to_string(LOWORD(both)) + ' ' + std::to_string(HIWORD(both));
    }
    if (command == "hidenote") {
        SendMessageW(g_window, WM_TIMER, kFirstFormTimer + static_cast<UINT_PTR>(tubaro::Timer::ErrorNote), 0);
        return "ok";
    }
    if (command == "tooltips")
        return std::to_string(tooltips().size());
    if (command == "note" || command == "noterect") {
        const HWND note = shown_note();
        if (!note)
            return "-";
        return command == "note" ? text_of(note) : rect_of(note);
    }
    return "unknown command";
}

}  // namespace

int main()
{
    for (std::string line; std::getline(std::cin, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line == "quit")
            break;
        std::cout << answer(line) << '\n' << std::flush;
    }
    return 0;
}
