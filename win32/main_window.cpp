#include "win32/main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <type_traits>
#include <vector>

#include "win32/control_ids.h"
#include "win32/control_procedure.h"
#include "win32/resource_ids.h"
#include "form/text_fit.h"
#include "win32/virtual_keys.h"
#include "windows_support/wide_text.h"
#include "form/window_build.h"

namespace {

using tubaro::ControlId;
using tubaro::ControlKind;
using tubaro::ControlSpec;
using tubaro::FormEvent;
using Kind = tubaro::FormEvent::Kind;

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// A desktop window: on top from the start, Tab wrapping around.
constexpr tubaro::WindowTraits kTraits{};

// The window class and the styles of each kind of control, from a row.
struct NativeControl {
    DWORD extended_style;
    const wchar_t* class_name;
    DWORD style;
};

NativeControl native_control(const ControlSpec& row)
{
    const DWORD shown = (row.has(tubaro::kHiddenAtStart) ? 0 : WS_VISIBLE) |
                        (row.has(tubaro::kDisabledAtStart) ? WS_DISABLED : 0);
    switch (row.kind) {
    case ControlKind::Label: return {0, L"STATIC", WS_CHILD | shown | SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX};
    case ControlKind::TextBox: {
        DWORD style = WS_CHILD | shown | WS_TABSTOP | ES_AUTOHSCROLL;
        if (row.has(tubaro::kRightAligned))
            style |= ES_RIGHT;
        if (row.has(tubaro::kCentred))
            style |= ES_CENTER;
        if (row.has(tubaro::kReadOnly))
            style |= ES_READONLY;
        return {WS_EX_CLIENTEDGE, L"EDIT", style};
    }
    case ControlKind::SpinControl: return {0, UPDOWN_CLASSW, WS_CHILD | shown | WS_TABSTOP | UDS_NOTHOUSANDS};
    // A radio button that checks nothing by itself: the form keeps the group.
    case ControlKind::OptionButton: return {0, L"BUTTON", WS_CHILD | shown | WS_TABSTOP | BS_RADIOBUTTON};
    case ControlKind::CheckBox: return {0, L"BUTTON", WS_CHILD | shown | WS_TABSTOP | BS_AUTOCHECKBOX};
    }
    return {0, L"STATIC", WS_CHILD};
}

FormEvent event_of(Kind kind, std::optional<ControlId> control, tubaro::Part part = tubaro::Part::Whole)
{
    FormEvent event;
    event.kind = kind;
    event.control = control;
    event.part = part;
    return event;
}

}  // namespace

std::unique_ptr<MainWindow> MainWindow::open(HINSTANCE instance, std::string decimal_separator)
{
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    window_class.lpszClassName = kWindowClassName;
    // A second window of the same program finds its class made.
    if (!RegisterClassExW(&window_class) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return nullptr;

    // Made at its size for the system's resolution, which is the window's
    // own unless it opens on a monitor of another. Destroyed again, whatever
    // fails before the object has it.
    const std::wstring caption = widen(tubaro::kWindowCaption);
    const UINT dpi = GetDpiForSystem();
    const SIZE size = window_size(dpi);
    Frame frame(CreateWindowExW(0, kWindowClassName, caption.c_str(), kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                size.cx, size.cy, nullptr, nullptr, instance, nullptr));
    if (!frame)
        return nullptr;
    return std::unique_ptr<MainWindow>(new MainWindow(std::move(frame), dpi, std::move(decimal_separator)));
}

// Only what the first paint shows: the window, its controls with their
// texts, the font and the title bar's icon. The rest waits for
// finish_start().
MainWindow::MainWindow(Frame frame, UINT made_at_dpi, std::string decimal_separator)
    : m_window(std::move(frame)), m_form(kTraits, std::move(decimal_separator))
{
    // Asked once: the window cannot move to another monitor before it is shown.
    const UINT resolution = dpi();
    make_controls(resolution);
    lay_out(resolution, resolution != made_at_dpi);
    set_window_icon(ICON_SMALL, resolution);
    // Last, and nothing after it can throw: until now the frame's messages
    // had only the system's handling, so none reached a part-built object,
    // nor one whose constructor threw and left it freed.
    SetWindowLongPtrW(handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void MainWindow::make_controls(UINT resolution)
{
    // Created in the order of the rows, so assistive technology meets them
    // top to bottom (the Tab order is the form's), each at its place at the
    // window's resolution, found again by its identifier.
    for (const ControlSpec& row : tubaro::shown_rows(kTraits)) {
        const NativeControl native = native_control(row);
        const std::wstring text = widen(row.text);
        const tubaro::PixelRect place = tubaro::to_pixels(row, static_cast<int>(resolution));
        const HWND made = CreateWindowExW(native.extended_style, native.class_name, text.c_str(), native.style,
                                          place.left, place.top, place.width, place.height, handle(),
                                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_identifier(row.id))),
                                          GetModuleHandleW(nullptr), nullptr);
        switch (row.kind) {
        case ControlKind::TextBox:
            SendMessageW(made, EM_SETLIMITTEXT, 0, 0);  // no limit but memory
            route_through(made, edit_procedure);
            break;
        case ControlKind::SpinControl:
            // A wide range with the position in its middle, which never
            // moves (the window refuses every change of it), so each click
            // reports its direction whatever the field holds.
            SendMessageW(made, UDM_SETRANGE32, static_cast<WPARAM>(-1'000'000), 1'000'000);
            SendMessageW(made, UDM_SETPOS32, 0, 0);
            draw_focus_frame(made);
            break;
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
            SendMessageW(made, BM_SETCHECK, row.has(tubaro::kSetAtStart) ? BST_CHECKED : BST_UNCHECKED, 0);
            draw_focus_frame(made);
            break;
        case ControlKind::Label: break;
        }
    }
}

HWND MainWindow::control(ControlId id) const
{
    return GetDlgItem(handle(), control_identifier(id));
}

std::optional<ControlId> MainWindow::control_of(HWND child) const
{
    if (!child || GetParent(child) != handle())
        return std::nullopt;
    const int row = GetDlgCtrlID(child) - kFirstControlIdentifier;
    if (row < 0 || row >= static_cast<int>(tubaro::kControlCount))
        return std::nullopt;
    return static_cast<ControlId>(row);
}

tubaro::WindowState MainWindow::state() const
{
    // Every control read in one walk of the window's children: finding each
    // by its identifier would ask Wine's server for the list once a control.
    tubaro::WindowState state;
    struct Walk {
        const MainWindow* window;
        tubaro::WindowState* state;
    } walk{this, &state};
    EnumChildWindows(
        handle(),
        [](HWND each, LPARAM context) -> BOOL {
            const Walk& reading = *reinterpret_cast<const Walk*>(context);
            if (const auto id = reading.window->control_of(each))
                reading.window->read(each, tubaro::control_spec(*id).kind, (*reading.state)[*id]);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&walk));
    state.focused = control_of(GetFocus());
    return state;
}

void MainWindow::read(HWND each, ControlKind kind, tubaro::ControlState& shown) const
{
    if (kind == ControlKind::TextBox) {
        const int length = GetWindowTextLengthW(each);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(each, text.data(), length + 1)));
        shown.text = narrow(text);
    } else if (kind == ControlKind::OptionButton || kind == ControlKind::CheckBox) {
        shown.value = static_cast<int>(SendMessageW(each, BM_GETCHECK, 0, 0));
    }
    // As the window's data means it, whether or not the window is on screen
    // yet.
    shown.visible = (GetWindowLongW(each, GWL_STYLE) & WS_VISIBLE) != 0;
    shown.enabled = IsWindowEnabled(each) != FALSE;
}

bool MainWindow::tell(FormEvent event)
{
    const tubaro::FormReply reply = m_form.handle(event, state());
    m_applying = true;
    for (const tubaro::Effect& effect : reply.effects)
        apply(effect);
    m_applying = false;
    return reply.taken;
}

void MainWindow::apply(const tubaro::Effect& effect)
{
    std::visit(
        [this](const auto& each) {
            using Each = std::decay_t<decltype(each)>;
            if constexpr (std::is_same_v<Each, tubaro::SetText>) {
                SetWindowTextW(control(each.control), widen(each.text).c_str());
            } else if constexpr (std::is_same_v<Each, tubaro::SetValue>) {
                SendMessageW(control(each.control), BM_SETCHECK, static_cast<WPARAM>(each.value), 0);
            } else if constexpr (std::is_same_v<Each, tubaro::SetVisible>) {
                ShowWindow(control(each.control), each.visible ? SW_SHOWNA : SW_HIDE);
            } else if constexpr (std::is_same_v<Each, tubaro::Focus>) {
                SetFocus(control(each.control));
            } else if constexpr (std::is_same_v<Each, tubaro::SelectAll>) {
                SendMessageW(control(each.control), EM_SETSEL, 0, -1);
            } else if constexpr (std::is_same_v<Each, tubaro::ShowNote>) {
                // A note can come before the first paint (a message sent by
                // another program is handled whenever the thread waits): the
                // note's window is made first.
                m_start.finish();
                RECT check_box;
                GetWindowRect(control(ControlId::Check1), &check_box);
                m_note.show(each.beside ? control(*each.beside) : handle(), widen(each.message), check_box);
            } else if constexpr (std::is_same_v<Each, tubaro::HideNote>) {
                m_note.hide();
            } else if constexpr (std::is_same_v<Each, tubaro::StartTimer>) {
                SetTimer(handle(), kFirstFormTimer + static_cast<UINT_PTR>(each.timer),
                         static_cast<UINT>(each.after.count()), nullptr);
            } else if constexpr (std::is_same_v<Each, tubaro::StopTimer>) {
                KillTimer(handle(), kFirstFormTimer + static_cast<UINT_PTR>(each.timer));
            } else if constexpr (std::is_same_v<Each, tubaro::KeepOnTop>) {
                // HWND_TOPMOST or HWND_NOTOPMOST, keeping size and place. A
                // refusal changes nothing.
                SetWindowPos(handle(), each.on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
            }
            // SizingChanged: a desktop window keeps none.
        },
        effect);
}

void MainWindow::finish_start()
{
    // The tooltips' class, for the note and the descriptions.
    INITCOMMONCONTROLSEX tooltips{sizeof tooltips, ICC_BAR_CLASSES};
    InitCommonControlsEx(&tooltips);
    m_note.create(handle());
    m_tips.create();
    m_names.emplace();
    for (const ControlSpec& row : tubaro::kWindowControls) {
        const std::string_view tooltip = tubaro::tooltip_of(row);
        if (tooltip.empty())
            continue;  // a label, named by its caption
        m_tips.add(control(row.id), widen(tooltip));
        m_names->name(control(row.id), widen(row.description));
    }
    SendMessageW(m_note.handle(), WM_SETFONT, reinterpret_cast<WPARAM>(m_font.handle()), FALSE);
    m_tips.set_font(m_font.handle());
    set_window_icon(ICON_BIG, dpi());
}

// The window goes first, while the font its controls use is still alive,
// however the message loop ended.
MainWindow::~MainWindow()
{
    m_window.reset();
}

SIZE MainWindow::window_size(UINT dpi)
{
    RECT frame{0, 0, tubaro::twips_to_pixels(tubaro::kClientWidthTwips, static_cast<int>(dpi)),
               tubaro::twips_to_pixels(tubaro::kClientHeightTwips, static_cast<int>(dpi))};
    AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, 0, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void MainWindow::lay_out(UINT resolution, bool resolution_changed)
{
    if (resolution_changed) {
        const SIZE size = window_size(resolution);
        SetWindowPos(handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        for (const ControlSpec& row : tubaro::kWindowControls) {
            const tubaro::PixelRect place = tubaro::to_pixels(row, static_cast<int>(resolution));
            MoveWindow(control(row.id), place.left, place.top, place.width, place.height, FALSE);
        }
    }

    // An edit's text has its room less the sunken border and a margin each
    // side. A label's box reaches its field (Label3 overlaps Text_D by 15
    // twips): its text keeps a margin short of it.
    const int border = GetSystemMetricsForDpi(SM_CXEDGE, resolution);
    const int margin = MulDiv(2, static_cast<int>(resolution), USER_DEFAULT_SCREEN_DPI);
    std::vector<TextRoom> texts;
    for (const tubaro::TextToFit& each : tubaro::texts_to_fit()) {
        const tubaro::PixelRect place =
            tubaro::to_pixels(tubaro::control_spec(each.control), static_cast<int>(resolution));
        const SIZE room = tubaro::control_spec(each.control).kind == ControlKind::Label
                              ? SIZE{place.width - 2 * margin, place.height}
                              : SIZE{place.width - 2 * (border + margin), place.height - 2 * border};
        texts.push_back({widen(each.text), room});
    }

    m_font.fit(handle(), resolution, texts, [this](HFONT font) {
        for (const ControlSpec& row : tubaro::kWindowControls)
            SendMessageW(control(row.id), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (m_start.finished()) {
            SendMessageW(m_note.handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            m_tips.set_font(font);
        }
    });
    if (resolution_changed)
        InvalidateRect(handle(), nullptr, TRUE);
}

void MainWindow::set_window_icon(WPARAM kind, UINT resolution)
{
    const int size = GetSystemMetricsForDpi(kind == ICON_BIG ? SM_CXICON : SM_CXSMICON, resolution);
    const HICON icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TUBAROGAS), IMAGE_ICON, size, size, 0));
    SendMessageW(handle(), WM_SETICON, kind, reinterpret_cast<LPARAM>(icon));
    m_icons[kind == ICON_BIG ? 0 : 1].reset(icon);
}

void MainWindow::load()
{
    tell(event_of(Kind::Loaded, std::nullopt));
}

void MainWindow::show(int show_command)
{
    ShowWindow(handle(), show_command);
    UpdateWindow(handle());
    tell(event_of(Kind::Shown, std::nullopt));
    m_start.begin(handle());
}

LRESULT CALLBACK MainWindow::procedure(HWND window, UINT message, WPARAM w, LPARAM l)
{
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY && self) {
        // The last message: nothing reaches the object after it, and the
        // window's own clean-up still runs, with its handle.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        static_cast<void>(self->m_window.release());
        self = nullptr;
    }
    return self ? self->handle(window, message, w, l) : DefWindowProcW(window, message, w, l);
}

LRESULT MainWindow::handle(HWND window, UINT message, WPARAM w, LPARAM l)
{
    switch (message) {
    case WM_COMMAND: {
        const auto id = control_of(reinterpret_cast<HWND>(l));
        const UINT code = HIWORD(w);
        // EN_CHANGE comes for the program's WM_SETTEXT too: the form's own,
        // while its effects are applied.
        if (id && code == EN_CHANGE && !m_applying) {
            tell(event_of(Kind::TextEdited, id));
        } else if (id && code == BN_CLICKED && !m_applying) {
            FormEvent click = event_of(Kind::Click, id);
            click.clicks = 1;
            tell(click);
        }
        return 0;
    }
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(l);
        const auto id = control_of(header.hwndFrom);
        if (!id || header.code != UDN_DELTAPOS)
            return 0;
        const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
        tell(event_of(Kind::SpinStepped, id, change.iDelta > 0 ? tubaro::Part::UpArrow : tubaro::Part::DownArrow));
        return TRUE;  // the control's own position never moves
    }
    case WM_CTLCOLORSTATIC: {
        // Read-only edits ask as statics do; the information line sits on the
        // colour of a button face, as do the labels.
        const auto dc = reinterpret_cast<HDC>(w);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_TIMER:
        if (w == DeferredStart::kTimer) {
            m_start.finish();
        } else if (w >= kFirstFormTimer) {
            KillTimer(window, w);  // the form's timers fire once
            FormEvent fired = event_of(Kind::TimerFired, std::nullopt);
            fired.timer = static_cast<tubaro::Timer>(w - kFirstFormTimer);
            tell(fired);
        }
        return 0;
    case WM_ACTIVATE: {
        if (LOWORD(w) == WA_INACTIVE) {
            tell(event_of(Kind::Deactivated, std::nullopt));
            return 0;
        }
        FormEvent activated = event_of(Kind::Activated, std::nullopt);
        activated.cause = LOWORD(w) == WA_CLICKACTIVE ? tubaro::FocusCause::Pointer : tubaro::FocusCause::Activation;
        tell(activated);
        return 0;
    }
    case WM_SIZE:
        // Not owned by the window (a tooltip owned by it could not be on
        // top under Wine), the note would stay on screen.
        if (w == SIZE_MINIMIZED)
            m_note.hide();
        return 0;
    case WM_SETFOCUS:
        // The window itself has the keyboard: the form gives it back to a
        // control, as a dialog does.
        tell(event_of(Kind::Activated, std::nullopt));
        return 0;
    case WM_DPICHANGED: {
        // The new resolution, as the message gives it.
        const UINT resolution = HIWORD(w);
        const RECT* suggested = reinterpret_cast<const RECT*>(l);
        SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        lay_out(resolution, true);
        set_window_icon(ICON_SMALL, resolution);
        if (m_start.finished())
            set_window_icon(ICON_BIG, resolution);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, w, l);
}

LRESULT CALLBACK MainWindow::edit_procedure(HWND edit, UINT message, WPARAM w, LPARAM l)
{
    // The window's object once it is whole, and until it is being
    // destroyed: its frame's user data is set last and cleared first.
    auto* const whole = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(GetParent(edit), GWLP_USERDATA));
    if (!whole || whole->m_applying || !whole->handle())
        return pass_on(edit, message, w, l);
    MainWindow& self = *whole;
    const auto id = self.control_of(edit);
    if (!id)
        return pass_on(edit, message, w, l);
    switch (message) {
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        // After the edit has handled the key, so any change it made comes
        // before the release.
        const LRESULT result = pass_on(edit, message, w, l);
        FormEvent up = event_of(Kind::KeyUp, id);
        up.key = key_chord(w);
        self.tell(up);
        return result;
    }
    case WM_SETFOCUS: {
        // Windows does not say how the focus came; the form works it out.
        FormEvent in = event_of(Kind::FocusIn, id);
        in.cause = tubaro::FocusCause::Unknown;
        self.tell(in);
        break;
    }
    case WM_KILLFOCUS: self.tell(event_of(Kind::FocusOut, id)); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // Before the edit takes the focus, which comes inside it.
        FormEvent down = event_of(Kind::PointerDown, id);
        down.clicks = message == WM_LBUTTONDBLCLK ? 2 : 1;
        self.tell(down);
        break;
    }
    case WM_LBUTTONUP: {
        const LRESULT result = pass_on(edit, message, w, l);
        RECT client;
        GetClientRect(edit, &client);
        const POINT at{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
        FormEvent up = event_of(Kind::PointerUp, id);
        up.inside = PtInRect(&client, at) != FALSE;
        self.tell(up);
        return result;
    }
    default:
        break;
    }
    return pass_on(edit, message, w, l);
}

bool MainWindow::take_keyboard(const MSG& message)
{
    if ((message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) || !IsChild(handle(), message.hwnd))
        return false;
    const auto id = control_of(message.hwnd);
    if (!id)
        return false;
    FormEvent down = event_of(Kind::KeyDown, id);
    down.key = key_chord(message.wParam);
    down.repeat = (message.lParam & (1 << 30)) != 0;
    if (down.key.key != tubaro::Key::Other)
        show_focus();
    return tell(down);
}

void MainWindow::show_focus()
{
    // As dialogs do once the keyboard is in use.
    SendMessageW(handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}
