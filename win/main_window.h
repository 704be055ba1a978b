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
    // What a user needs only after the first paint: the error note's
    // window, the tooltips, the accessible names, the large icon. Runs once
    // the window is painted and the queue is empty, or before the first
    // input or the first question of a screen reader, whichever is first.
    void finish_start();
    // Every message the loop takes, before it is dispatched.
    void before_dispatch(const MSG& message);

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
    // The window's outer size for its client area at a resolution.
    static SIZE window_size(UINT dpi);
    // Fits the font at the window's resolution; when that has changed,
    // sizes the window and moves every control first.
    void lay_out(bool resolution_changed);
    // ICON_SMALL for the title bar, ICON_BIG for the task switcher.
    void set_window_icon(WPARAM kind);
    static constexpr UINT_PTR kFinishStartTimer = 2;

    void on_command(int identifier, HWND control, UINT code);
    LRESULT on_notify(const NMHDR& header);
    void on_activate(UINT state);
    void report(const tubaro::EventEdge::Report& report);

    void click_option(tubaro::Quantity mode);
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
    std::optional<AccessibleNames> m_names;
    bool m_started = false;
    HHOOK m_question_hook = nullptr;
    struct IconDeleter {
        void operator()(HICON icon) const { DestroyIcon(icon); }
    };
    // The big and the small icon at the window's resolution.
    std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter> m_icons[2];
    HWND m_last_focus = nullptr;
    // The key that is moving the focus right now, for the field it reaches.
    std::optional<tubaro::KeyChord> m_focus_key;
};
