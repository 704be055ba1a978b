#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "accessible_names.h"
#include "deferred_start.h"
#include "description_tips.h"
#include "edit_box.h"
#include "error_note.h"
#include "focus_frame.h"
#include "form_presenter.h"
#include "simple_controls.h"
#include "up_down.h"
#include "window_data.h"
#include "window_font.h"

// The one window on plain Win32: the platform's own controls built from the
// window's data at the window's resolution and bound to the form, every
// message of theirs told to the form, which decides what follows; an error
// is shown in a note beside the control it names.
class MainWindow final : public tubaro::Window {
public:
    // The window and its controls, or null when Windows refused to make the
    // window (nothing to show, nothing to wait for).
    static std::unique_ptr<MainWindow> open(HINSTANCE instance, std::string decimal_separator);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND handle() const { return m_window; }
    // The error note's window, made once the start has finished.
    HWND error_note() const { return m_note.handle(); }

    // The load handler: after the window and its controls exist, before the
    // window is first shown.
    void load();
    // Shows the window with the focus where the form starts it; the rest of
    // the start waits for the first paint (DeferredStart).
    void show(int show_command);
    // Every message the loop takes, before it is dispatched.
    void before_dispatch(const MSG& message) { m_start.before_dispatch(message); }

    // The window's keys, which the message loop offers here before
    // dispatching a message: Tab and Shift+Tab by the form's focus order, and
    // the keys the form gives a meaning. True when taken.
    bool take_keyboard(const MSG& message);

    // What the form asks of the window.
    void set_topmost(bool topmost) override;
    void focus(tubaro::ControlId control) override;
    void show_error(std::optional<tubaro::ControlId> source, std::string_view message) override;
    void hide_error() override { m_note.hide(); }

private:
    explicit MainWindow(std::string decimal_separator);
    bool create(HINSTANCE instance);

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);

    void create_controls();
    void bind_form();
    // What a user needs only after the first paint.
    void finish_start();
    // The window's outer size for its client area at a resolution.
    static SIZE window_size(UINT dpi);
    // Fits the font at the window's resolution; when that has changed,
    // sizes the window and moves every control first.
    void lay_out(bool resolution_changed);
    // ICON_SMALL for the title bar, ICON_BIG for the task switcher.
    void set_window_icon(WPARAM kind);

    void on_command(int identifier, UINT code);
    LRESULT on_notify(const NMHDR& header);
    void on_activate(UINT state);

    void move_focus(int direction, tubaro::KeyChord key);
    void show_focus();

    HWND control(tubaro::ControlId id) const { return m_controls[index(id)]; }
    static std::size_t index(tubaro::ControlId id) { return static_cast<std::size_t>(id); }

    tubaro::FormPresenter m_form;
    HWND m_window = nullptr;
    UINT m_dpi = USER_DEFAULT_SCREEN_DPI;
    std::array<HWND, tubaro::kControlCount> m_controls{};
    std::array<std::unique_ptr<EditBox>, tubaro::kControlCount> m_edits;
    tubaro::PerQuantity<std::unique_ptr<RadioOption>> m_options;
    tubaro::PerQuantity<std::unique_ptr<UpDownControl>> m_spins;
    std::unique_ptr<CheckBoxControl> m_check;
    // Around the spin controls, the option buttons and the check box.
    std::vector<std::unique_ptr<FocusFrame>> m_focus_frames;
    WindowFont m_font;
    ErrorNote m_note;
    DescriptionTips m_tips;
    std::optional<AccessibleNames> m_names;
    DeferredStart m_start{[this] { finish_start(); }};
    struct IconDeleter {
        void operator()(HICON icon) const { DestroyIcon(icon); }
    };
    // The big and the small icon at the window's resolution.
    std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter> m_icons[2];
    HWND m_last_focus = nullptr;
    // The key that is moving the focus right now, for the field it reaches.
    std::optional<tubaro::KeyChord> m_focus_key;
};
