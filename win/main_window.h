#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "accessible_names.h"
#include "description_tips.h"
#include "edit_box.h"
#include "error_note.h"
#include "focus_frame.h"
#include "event_edge.h"
#include "form_principale.h"
#include "simple_controls.h"
#include "up_down.h"
#include "window_data.h"
#include "window_font.h"

// The one window on plain Win32: the platform's own controls built from the
// window's data at the window's resolution, bound to the form logic through
// the control interface, every event handed to the event edge, where an
// error is reported in a note beside the field and the program goes on.
class MainWindow {
public:
    MainWindow(HINSTANCE instance, std::string decimal_separator);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND handle() const { return m_window; }

    // The load handler: after the window and its controls exist, before the
    // window is first shown.
    void load();
    // Shows the window with the focus in Text_Y.
    void show(int show_command);

    // The window's keys, which the message loop offers here before
    // dispatching a message: Tab and Shift+Tab by the form's focus order,
    // the option group's arrows, Up and Down on a spin control, Space and
    // Enter on the information line. True when taken.
    bool take_keyboard(const MSG& message);

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);

    void create_controls(const std::string& decimal_separator);
    void bind_form(const std::string& decimal_separator);
    void wire_events();
    // Places every control and fits the font at the window's resolution.
    void lay_out();
    void set_window_icon();

    void on_command(int identifier, HWND control, UINT code);
    LRESULT on_notify(const NMHDR& header);
    void on_activate(UINT state);
    void report(const tubaro::EventEdge::Report& report);

    void click_option(tubaro::Quantity mode);
    tubaro::Quantity mode() const;
    void move_focus(int direction, tubaro::KeyChord key);
    void show_focus();

    HWND control(tubaro::ControlId id) const { return m_controls[index(id)]; }
    static std::size_t index(tubaro::ControlId id) { return static_cast<std::size_t>(id); }

    tubaro::EventEdge m_edge;
    HWND m_window = nullptr;
    UINT m_dpi = USER_DEFAULT_SCREEN_DPI;
    std::array<HWND, tubaro::kControlCount> m_controls{};
    std::array<std::unique_ptr<EditBox>, tubaro::kControlCount> m_edits;
    tubaro::PerQuantity<std::unique_ptr<RadioOption>> m_options;
    tubaro::PerQuantity<std::unique_ptr<UpDownControl>> m_spins;
    std::unique_ptr<CheckBoxControl> m_check;
    // Around the spin controls, the option buttons and the check box.
    std::vector<std::unique_ptr<FocusFrame>> m_focus_frames;
    std::unique_ptr<TopmostWindow> m_topmost;
    std::unique_ptr<tubaro::Form_Principale> m_logic;
    WindowFont m_font;
    ErrorNote m_note;
    DescriptionTips m_tips;
    AccessibleNames m_names;
    struct IconDeleter {
        void operator()(HICON icon) const { DestroyIcon(icon); }
    };
    // The big and the small icon at the window's resolution.
    std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter> m_icons[2];
    HWND m_last_focus = nullptr;
    // The key that is moving the focus right now, for the field it reaches.
    std::optional<tubaro::KeyChord> m_focus_key;
};
