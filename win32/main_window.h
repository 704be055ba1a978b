#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "win32/accessible_names.h"
#include "win32/deferred_start.h"
#include "win32/description_tips.h"
#include "form/effect.h"
#include "win32/error_note.h"
#include "win32/focus_frame.h"
#include "form/form_event.h"
#include "form/form_presenter.h"
#include "form/window_data.h"
#include "win32/window_font.h"
#include "form/window_state.h"

// The one window on plain Win32: the platform's own controls made from the
// window's data in one loop, found by their identifiers, each message of
// theirs turned into the form's event and handed to the form with the
// controls' state, and the effects the form answers applied. It decides
// nothing; what it keeps are the platform's own ways: the up-down control,
// which presses and repeats by itself at the system's rate; the focus
// rectangles, shown once the keyboard is in use; the balloon at the window's
// edge; the font at the window's resolution; the start deferred past the
// first paint.
class MainWindow final {
public:
    // The window and its controls, or null when Windows refused to make the
    // window (nothing to show, nothing to wait for).
    static std::unique_ptr<MainWindow> open(HINSTANCE instance, std::string decimal_separator);
    ~MainWindow();
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
    void before_dispatch(const MSG& message)
    {
        m_start.before_dispatch(message);
        m_tips.relay(message);
    }

    // Every key pressed on a control, which the message loop offers here
    // before dispatching it: told to the form. True when the form took it.
    bool take_keyboard(const MSG& message);

private:
    struct FrameDeleter {
        void operator()(HWND frame) const { DestroyWindow(frame); }
    };
    using Frame = std::unique_ptr<std::remove_pointer_t<HWND>, FrameDeleter>;

    MainWindow(Frame frame, UINT made_at_dpi, std::string decimal_separator);

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(HWND window, UINT message, WPARAM w, LPARAM l);
    // An edit's own messages: its keys' releases, the focus, the mouse.
    static LRESULT CALLBACK edit_procedure(HWND, UINT, WPARAM, LPARAM);

    // One event handed to the form, its answer applied; true when the form
    // took the event.
    bool tell(tubaro::FormEvent event);
    tubaro::WindowState state() const;
    void apply(const tubaro::Effect& effect);

    void make_controls(UINT resolution);
    // What a user needs only after the first paint.
    void finish_start();
    // The window's outer size for its client area at a resolution.
    static SIZE window_size(UINT dpi);
    // Fits the font at the window's resolution; when that has changed,
    // sizes the window and moves every control first.
    void lay_out(UINT resolution, bool resolution_changed);
    // ICON_SMALL for the title bar, ICON_BIG for the task switcher.
    void set_window_icon(WPARAM kind, UINT resolution);
    void show_focus();

    HWND control(tubaro::ControlId id) const;
    std::optional<tubaro::ControlId> control_of(HWND child) const;
    // One control as the toolkit shows it.
    void read(HWND control, tubaro::ControlKind kind, tubaro::ControlState& shown) const;
    UINT dpi() const { return GetDpiForWindow(handle()); }

    // First, so that a constructor that throws destroys it last. Its
    // messages reach this object only while the object is whole: from the
    // end of the constructor to WM_NCDESTROY, which the destructor brings
    // before anything else goes.
    Frame m_window;
    // Around the spin controls, the option buttons and the check box.
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
    tubaro::FormPresenter m_form;
    // While the form's effects are applied, the messages Windows sends for
    // them are none of the form's.
    bool m_applying = false;
};
