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
#include "window_build.h"
#include "window_data.h"
#include "window_font.h"

// The one window on plain Win32: the form builds its controls through the
// factory below, the platform's own controls at the window's resolution;
// every message of theirs is told to the form, which decides what follows;
// an error is shown in a note beside the control it names.
class MainWindow final : public tubaro::Window, private tubaro::ControlFactory {
public:
    // The window and its controls, or null when Windows refused to make the
    // window (nothing to show, nothing to wait for).
    static std::unique_ptr<MainWindow> open(HINSTANCE instance, std::string decimal_separator);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND handle() const { return m_window.get(); }
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

    // Every key pressed on a control, which the message loop offers here
    // before dispatching it: told to the form. True when the form took it.
    bool take_keyboard(const MSG& message);

    // What the form asks of the window.
    tubaro::WindowTraits traits() const override { return {}; }
    void set_topmost(bool topmost) override;
    std::optional<tubaro::ControlId> focused() const override;
    void focus(tubaro::ControlId control, tubaro::FocusCause cause) override;
    void show_error(const tubaro::ErrorReport& report) override;
    void hide_error() override { m_note.hide(); }

private:
    struct FrameDeleter {
        void operator()(HWND frame) const { DestroyWindow(frame); }
    };
    using Frame = std::unique_ptr<std::remove_pointer_t<HWND>, FrameDeleter>;

    MainWindow(Frame frame, UINT made_at_dpi, std::string decimal_separator);

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(HWND window, UINT message, WPARAM w, LPARAM l);

    // Each control as the window's data has it, made for the form.
    tubaro::Window& host() override { return *this; }
    void make_label(const tubaro::ControlSpec& row) override { create_control(row); }
    tubaro::TextBox& make_text_box(const tubaro::ControlSpec& row) override;
    tubaro::OptionButton& make_option_button(const tubaro::ControlSpec& row) override;
    tubaro::CheckBox& make_check_box(const tubaro::ControlSpec& row) override;
    tubaro::SpinControl& make_spin_control(const tubaro::ControlSpec& row) override;
    HWND create_control(const tubaro::ControlSpec& row);

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
    void show_focus();

    HWND control(tubaro::ControlId id) const { return m_controls[index(id)]; }
    static std::size_t index(tubaro::ControlId id) { return static_cast<std::size_t>(id); }

    // First, so that a constructor that throws destroys it last. Its
    // messages reach this object only while the object is whole: from the
    // end of the constructor to WM_NCDESTROY, which the destructor brings
    // before anything else goes.
    Frame m_window;
    UINT m_dpi;
    std::array<HWND, tubaro::kControlCount> m_controls{};
    HWND m_last_focus = nullptr;
    // How the focus is coming now, for a field that takes it.
    tubaro::FocusCause m_focus_cause = tubaro::FocusCause::Program;
    std::array<std::unique_ptr<EditBox>, tubaro::kControlCount> m_edits;
    std::array<std::unique_ptr<RadioOption>, tubaro::kControlCount> m_options;
    std::array<std::unique_ptr<UpDownControl>, tubaro::kControlCount> m_spins;
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
    // Last: it builds the window through the factory above.
    tubaro::FormPresenter m_form;
};
