#include "main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <vector>

#include "control_ids.h"
#include "keys.h"
#include "resource_ids.h"
#include "text_fit.h"
#include "wide_text.h"

namespace {

using tubaro::ControlId;
using tubaro::ControlKind;
using tubaro::ControlSpec;
using tubaro::Quantity;

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

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
    case ControlKind::OptionButton: return {0, L"BUTTON", WS_CHILD | shown | WS_TABSTOP | BS_RADIOBUTTON};
    case ControlKind::CheckBox: return {0, L"BUTTON", WS_CHILD | shown | WS_TABSTOP | BS_AUTOCHECKBOX};
    }
    return {0, L"STATIC", WS_CHILD};
}

std::optional<ControlId> control_of(int identifier)
{
    const int row = identifier - kFirstControlIdentifier;
    if (row < 0 || row >= static_cast<int>(tubaro::kControlCount))
        return std::nullopt;
    return static_cast<ControlId>(row);
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
// texts (made by the form through the factory), the font and the title
// bar's icon. The rest waits for finish_start().
MainWindow::MainWindow(Frame frame, UINT made_at_dpi, std::string decimal_separator)
    : m_window(std::move(frame)),
      m_dpi(GetDpiForWindow(handle())),
      m_form(*this, std::move(decimal_separator))
{
    lay_out(m_dpi != made_at_dpi);
    set_window_icon(ICON_SMALL);
    // Last, and nothing after it can throw: until now the frame's messages
    // had only the system's handling, so none reached a part-built object,
    // nor one whose constructor threw and left it freed.
    SetWindowLongPtrW(handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

HWND MainWindow::create_control(const ControlSpec& row)
{
    // Created in the order of the rows, so assistive technology meets them
    // top to bottom (the Tab order is the form's), each at its place at the
    // window's resolution, moved only when that changes.
    const NativeControl native = native_control(row);
    const std::wstring text = widen(row.text);
    const tubaro::PixelRect place = tubaro::to_pixels(row, static_cast<int>(m_dpi));
    const HWND made = CreateWindowExW(native.extended_style, native.class_name, text.c_str(), native.style,
                                      place.left, place.top, place.width, place.height, handle(),
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_identifier(row.id))),
                                      GetModuleHandleW(nullptr), nullptr);
    m_controls[index(row.id)] = made;
    return made;
}

tubaro::TextBox& MainWindow::make_text_box(const ControlSpec& row)
{
    const HWND edit = create_control(row);
    SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);  // no limit but memory
    return *(m_edits[index(row.id)] =
                 std::make_unique<EditBox>(edit, row.id, m_form, [this] { return m_focus_cause; }));
}

tubaro::OptionButton& MainWindow::make_option_button(const ControlSpec& row)
{
    const HWND button = create_control(row);
    SendMessageW(button, BM_SETCHECK, row.has(tubaro::kSetAtStart) ? BST_CHECKED : BST_UNCHECKED, 0);
    m_focus_frames.push_back(std::make_unique<FocusFrame>(button));
    return *(m_options[index(row.id)] = std::make_unique<RadioOption>(button));
}

tubaro::CheckBox& MainWindow::make_check_box(const ControlSpec& row)
{
    const HWND box = create_control(row);
    SendMessageW(box, BM_SETCHECK, row.has(tubaro::kSetAtStart) ? BST_CHECKED : BST_UNCHECKED, 0);
    m_focus_frames.push_back(std::make_unique<FocusFrame>(box));
    return *(m_check = std::make_unique<CheckBoxControl>(box));
}

tubaro::SpinControl& MainWindow::make_spin_control(const ControlSpec& row)
{
    const HWND up_down = create_control(row);
    m_focus_frames.push_back(std::make_unique<FocusFrame>(up_down));
    return *(m_spins[index(row.id)] = std::make_unique<UpDownControl>(up_down));
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
    set_window_icon(ICON_BIG);
}

// The window goes first, while the controls' adapters and the font it uses
// are still alive, however the message loop ended.
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

void MainWindow::lay_out(bool resolution_changed)
{
    if (resolution_changed) {
        const SIZE size = window_size(m_dpi);
        SetWindowPos(handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        for (const ControlSpec& row : tubaro::kWindowControls) {
            const tubaro::PixelRect place = tubaro::to_pixels(row, static_cast<int>(m_dpi));
            MoveWindow(control(row.id), place.left, place.top, place.width, place.height, FALSE);
        }
    }

    // An edit's text has its room less the sunken border and a margin each
    // side. A label's box reaches its field (Label3 overlaps Text_D by 15
    // twips): its text keeps a margin short of it.
    const int border = GetSystemMetricsForDpi(SM_CXEDGE, m_dpi);
    const int margin = MulDiv(2, static_cast<int>(m_dpi), USER_DEFAULT_SCREEN_DPI);
    std::vector<TextRoom> texts;
    for (const tubaro::TextToFit& each : tubaro::texts_to_fit()) {
        const tubaro::PixelRect place = tubaro::to_pixels(tubaro::control_spec(each.control), static_cast<int>(m_dpi));
        const SIZE room = tubaro::control_spec(each.control).kind == ControlKind::Label
                              ? SIZE{place.width - 2 * margin, place.height}
                              : SIZE{place.width - 2 * (border + margin), place.height - 2 * border};
        texts.push_back({widen(each.text), room});
    }

    m_font.fit(handle(), m_dpi, texts, [this](HFONT font) {
        for (HWND each : m_controls)
            SendMessageW(each, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (m_start.finished()) {
            SendMessageW(m_note.handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            m_tips.set_font(font);
        }
    });
    if (resolution_changed)
        InvalidateRect(handle(), nullptr, TRUE);
}

void MainWindow::set_window_icon(WPARAM kind)
{
    const int size = GetSystemMetricsForDpi(kind == ICON_BIG ? SM_CXICON : SM_CXSMICON, m_dpi);
    const HICON icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TUBAROGAS), IMAGE_ICON, size, size, 0));
    SendMessageW(handle(), WM_SETICON, kind, reinterpret_cast<LPARAM>(icon));
    m_icons[kind == ICON_BIG ? 0 : 1].reset(icon);
}

void MainWindow::load()
{
    m_form.loaded();
}

void MainWindow::show(int show_command)
{
    ShowWindow(handle(), show_command);
    UpdateWindow(handle());
    m_form.shown();
    m_last_focus = GetFocus();
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
    case WM_COMMAND:
        return HANDLE_WM_COMMAND(window, w, l,
                                 [this](HWND, int identifier, HWND, UINT code) { on_command(identifier, code); });
    case WM_NOTIFY:
        return on_notify(*reinterpret_cast<const NMHDR*>(l));
    case WM_CTLCOLORSTATIC: {
        // Read-only edits ask as statics do; the information line sits on the
        // colour of a button face, as do the labels.
        const auto dc = reinterpret_cast<HDC>(w);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_TIMER:
        if (w == ErrorNote::kHideTimer)
            m_note.hide();
        else if (w == DeferredStart::kTimer)
            m_start.finish();
        return 0;
    case WM_ACTIVATE:
        on_activate(LOWORD(w));
        return 0;
    case WM_SIZE:
        if (w == SIZE_MINIMIZED)
            m_note.hide();  // not owned by the window, so it would stay
        return 0;
    case WM_SETFOCUS:
        if (m_last_focus)
            SetFocus(m_last_focus);
        return 0;
    case WM_DPICHANGED: {
        m_dpi = HIWORD(w);
        const RECT* suggested = reinterpret_cast<const RECT*>(l);
        SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        lay_out(true);
        set_window_icon(ICON_SMALL);
        if (m_start.finished())
            set_window_icon(ICON_BIG);
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

void MainWindow::on_command(int identifier, UINT code)
{
    const auto id = control_of(identifier);
    if (!id)
        return;
    if (code == EN_CHANGE)
        m_form.text_changed(*id);
    else if (code == BN_CLICKED)
        m_form.clicked(*id, 1);
}

LRESULT MainWindow::on_notify(const NMHDR& header)
{
    const auto id = control_of(static_cast<int>(header.idFrom));
    if (!id || header.code != UDN_DELTAPOS || tubaro::control_spec(*id).kind != ControlKind::SpinControl)
        return 0;
    const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
    m_form.spin_stepped(*id, change.iDelta > 0 ? +1 : -1);
    return TRUE;  // the control's own position never moves
}

void MainWindow::on_activate(UINT state)
{
    if (state == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(handle(), focus))
            m_last_focus = focus;
        return;
    }
    if (!m_last_focus)
        return;
    m_focus_cause = state == WA_CLICKACTIVE ? tubaro::FocusCause::Pointer : tubaro::FocusCause::Activation;
    SetFocus(m_last_focus);
    m_focus_cause = tubaro::FocusCause::Program;
}

void MainWindow::set_topmost(bool topmost)
{
    // HWND_TOPMOST or HWND_NOTOPMOST, keeping size and place. A refusal
    // changes nothing.
    SetWindowPos(handle(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

std::optional<ControlId> MainWindow::focused() const
{
    const HWND focus = GetFocus();
    if (!focus || !IsChild(handle(), focus))
        return std::nullopt;
    return control_of(GetDlgCtrlID(focus));
}

void MainWindow::focus(ControlId id, tubaro::FocusCause cause)
{
    SetFocus(control(id));
    // Typing replaces, as in a dialog.
    const bool by_tab = cause == tubaro::FocusCause::Tab || cause == tubaro::FocusCause::BackTab;
    if (by_tab && tubaro::control_spec(id).kind == ControlKind::TextBox)
        SendMessageW(control(id), EM_SETSEL, 0, -1);
}

void MainWindow::show_error(const tubaro::ErrorReport& report)
{
    // A report can come before the first paint (a message sent by another
    // program is handled whenever the thread waits): the note is made first.
    m_start.finish();
    RECT check_box;
    GetWindowRect(control(ControlId::Check1), &check_box);
    m_note.show(report.source ? control(*report.source) : handle(), widen(report.message), check_box);
}

bool MainWindow::take_keyboard(const MSG& message)
{
    if ((message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) || !IsChild(handle(), message.hwnd))
        return false;
    const auto id = control_of(GetDlgCtrlID(message.hwnd));
    if (!id)
        return false;
    const tubaro::KeyChord key = key_chord(message.wParam);
    if (key.key != tubaro::Key::Other)
        show_focus();
    const bool repeated = (message.lParam & (1 << 30)) != 0;
    return m_form.key_pressed(*id, key, repeated);
}

void MainWindow::show_focus()
{
    // As dialogs do once the keyboard is in use.
    SendMessageW(handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}
