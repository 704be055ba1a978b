#include "main_page.h"

#include <emscripten/eventloop.h>

#include <algorithm>
#include <string>
#include <utility>

#include "keys.h"
#include "page_layout.h"
#include "quantity.h"

namespace {

using tubaro::ControlId;
using tubaro::ControlSpec;

// dom.cpp writes an event's modifiers in the form's bits.
static_assert(tubaro::kShift == 1 && tubaro::kControl == 2 && tubaro::kAlt == 4 && tubaro::kMeta == 8);

// The browser's keyCode, as the form reads a key.
tubaro::KeyChord key_chord(const DomEventDetail& detail)
{
    tubaro::Key key = tubaro::Key::Other;
    switch (detail.key_code) {
    case 9: key = tubaro::Key::Tab; break;
    case 13: key = tubaro::Key::Enter; break;
    case 32: key = tubaro::Key::Space; break;
    case 37: key = tubaro::Key::Left; break;
    case 38: key = tubaro::Key::Up; break;
    case 39: key = tubaro::Key::Right; break;
    case 40: key = tubaro::Key::Down; break;
    default: break;
    }
    return {key, detail.key_code, detail.modifiers};
}

}  // namespace

MainPage::MainPage(std::string decimal_separator)
    : m_separator(decimal_separator),
      m_form_element(dom::by_id(tubaro::kWindowName)),
      m_note(dom::by_id("nota")),
      m_floating(m_form_element),
      m_form(*this, std::move(decimal_separator))
{
    dom::listen(m_form_element, "keydown", kForm, static_cast<int>(DomEvent::KeyDown));
    dom::listen(m_form_element, "pointerdown", kForm, static_cast<int>(DomEvent::PointerDown));
    const dom::Element window = dom::window();
    dom::listen(window, "hashchange", kWindow, static_cast<int>(DomEvent::HashChange));
    dom::listen(window, "beforeprint", kWindow, static_cast<int>(DomEvent::BeforePrint));
    dom::listen(window, "blur", kWindow, static_cast<int>(DomEvent::Blur));
    dom::listen(window, "keydown", kWindow, static_cast<int>(DomEvent::KeyDown));
    m_form.listen({{}, [this](const tubaro::SizingRecord& record) { m_kept.write(record); }});
}

void MainPage::start(std::span<const ControlId> changed_before_binding)
{
    m_form.loaded(changed_before_binding, address_sizing());
    m_form.shown();
}

std::optional<tubaro::SizingLink> MainPage::address_sizing() const
{
    const std::string fragment = m_kept.in_address();
    if (fragment.empty())
        return std::nullopt;
    return tubaro::read_link_fragment(fragment, m_separator);
}

tubaro::WindowTraits MainPage::traits() const
{
    return {FloatingForm::available() ? tubaro::StayOnTop::AtAClick : tubaro::StayOnTop::NotInBrowser, false};
}

std::optional<ControlId> MainPage::focused() const
{
    return tubaro::control_named(dom::focused_child_id(m_form_element));
}

dom::Element MainPage::bind(const ControlSpec& row)
{
    // The page's HTML holds the form, made from the window's data when the
    // page was built (page_markup): its elements are taken as they are.
    return m_elements[static_cast<std::size_t>(row.id)] = dom::by_id(row.name);
}

void MainPage::listen(ControlId id, const char* type, DomEvent event)
{
    dom::listen(element(id), type, static_cast<int>(id), static_cast<int>(event));
}

tubaro::TextBox& MainPage::make_text_box(const ControlSpec& row)
{
    const dom::Element input = bind(row);
    for (const auto& [type, event] : {std::pair{"input", DomEvent::Input}, std::pair{"keydown", DomEvent::KeyDown},
                                      std::pair{"keyup", DomEvent::KeyUp}, std::pair{"focusin", DomEvent::FocusIn},
                                      std::pair{"focusout", DomEvent::FocusOut}, std::pair{"click", DomEvent::Click}})
        listen(row.id, type, event);
    return *(m_text_boxes[static_cast<std::size_t>(row.id)] =
                 std::make_unique<DomTextBox>(input, [this, id = row.id] { m_form.text_changed(id); }));
}

tubaro::OptionButton& MainPage::make_option_button(const ControlSpec& row)
{
    const dom::Element radio = bind(row);
    listen(row.id, "click", DomEvent::Click);
    listen(row.id, "keydown", DomEvent::KeyDown);
    return *(m_options[static_cast<std::size_t>(row.id)] = std::make_unique<DomOptionButton>(radio));
}

tubaro::CheckBox& MainPage::make_check_box(const ControlSpec& row)
{
    const dom::Element box = bind(row);
    // Where this browser cannot float the form the box says so, whatever a
    // quick user did to it before this code ran.
    if (row.has(tubaro::kDisabledAtStart)) {
        dom::set_checked(box, false);
        dom::set_disabled(box, true);
        dom::set_attribute(box, "title", tubaro::tooltip_of(row));
    }
    listen(row.id, "click", DomEvent::Click);
    listen(row.id, "keydown", DomEvent::KeyDown);
    return *(m_check = std::make_unique<DomCheckBox>(box));
}

tubaro::SpinControl& MainPage::make_spin_control(const ControlSpec& row)
{
    const dom::Element group = bind(row);
    listen(row.id, "keydown", DomEvent::KeyDown);
    // Its two arrows, up first.
    auto& spin = m_spins[static_cast<std::size_t>(row.id)] =
        std::make_unique<DomSpinControl>(group, dom::child(group, 0), dom::child(group, 1));
    for (const auto& [arrow, offset] : {std::pair{spin->up(), kUpArrow}, std::pair{spin->down(), kDownArrow}}) {
        const int target = offset + static_cast<int>(row.id);
        dom::listen(arrow, "pointerdown", target, static_cast<int>(DomEvent::PointerDown));
        for (const char* end : {"pointerup", "pointerleave", "pointercancel"})
            dom::listen(arrow, end, target, static_cast<int>(DomEvent::PointerUp));
        dom::listen(arrow, "click", target, static_cast<int>(DomEvent::Click));
        dom::listen(arrow, "contextmenu", target, static_cast<int>(DomEvent::ContextMenu));
    }
    return *spin;
}

bool MainPage::handle(int target, DomEvent event, const DomEventDetail& detail)
{
    if (target == kWindow) {
        // A bare address is the start sizing (back to the page as it was
        // first opened, say).
        if (event == DomEvent::HashChange)
            m_form.open(address_sizing().value_or(tubaro::start_sizing_link()));
        else if (event == DomEvent::BeforePrint)
            m_kept.before_print();
        else if (event == DomEvent::Blur || event == DomEvent::KeyDown)
            // The focus went to the browser's bar or elsewhere, or a key was
            // pressed anywhere: the next focus is no pointer's.
            m_pointer_down = false;
        return false;
    }
    if (target == kForm) {
        // Seen after the control's own listeners: a pointer going down tells
        // how the focus that follows comes; a key, that it does not.
        m_pointer_down = event == DomEvent::PointerDown;
        return false;
    }
    const auto control = [](int number) { return static_cast<ControlId>(number); };
    if (target >= kDownArrow)
        return arrow_event(control(target - kDownArrow), -1, event, detail);
    if (target >= kUpArrow)
        return arrow_event(control(target - kUpArrow), +1, event, detail);
    if (target >= 0 && target < static_cast<int>(tubaro::kControlCount))
        return control_event(control(target), event, detail);
    return false;
}

bool MainPage::control_event(ControlId id, DomEvent event, const DomEventDetail& detail)
{
    switch (event) {
    case DomEvent::KeyDown: return m_form.key_pressed(id, key_chord(detail), detail.repeat);
    case DomEvent::Input: m_form.text_changed(id); return false;
    case DomEvent::KeyUp: m_form.key_released(id, key_chord(detail)); return false;
    case DomEvent::FocusIn:
        // By a pointer, or from outside the page, whose keys it never saw;
        // a Tab inside the form the form itself moves, and knows.
        m_form.focus_entered(id, std::exchange(m_pointer_down, false) ? tubaro::FocusCause::Pointer
                                                                       : tubaro::FocusCause::Unknown);
        return false;
    case DomEvent::FocusOut: m_form.focus_left(id); return false;
    case DomEvent::Click: m_form.clicked(id, detail.clicks); return false;
    default: return false;
    }
}

bool MainPage::arrow_event(ControlId spin_id, int direction, DomEvent event, const DomEventDetail& detail)
{
    DomSpinControl& spin = *m_spins[static_cast<std::size_t>(spin_id)];
    const auto step = [this, spin_id, direction] { m_form.spin_stepped(spin_id, direction); };
    switch (event) {
    case DomEvent::PointerDown:
        spin.press(step);
        return true;  // the focus stays where it is
    case DomEvent::PointerUp: spin.release(); return false;
    case DomEvent::Click:
        // A pointer's click has stepped at its press; a click from the
        // keyboard or assistive technology steps now.
        if (detail.clicks == 0)
            step();
        return false;
    case DomEvent::ContextMenu: return true;  // a long press is a held arrow
    default: return false;
    }
}

void MainPage::show_error(const tubaro::ErrorReport& report)
{
    hide_error();
    // Below the form, from the column of the control it speaks of.
    const int left =
        report.source ? std::min(tubaro::control_spec(*report.source).left, page_layout::kFieldColumnTwips)
                      : page_layout::kWindowNoteTwips;
    dom::set_style(m_note, "left", page_layout::percent_across(left));
    dom::set_text_content(m_note, report.message);
    dom::set_hidden(m_note, false);
    if (report.source && m_text_boxes[static_cast<std::size_t>(*report.source)]) {
        m_invalid = report.source;
        dom::set_attribute(element(*report.source), "aria-invalid", "true");
    }
    m_note_timer = emscripten_set_timeout(&MainPage::note_timed_out,
                                          static_cast<double>(tubaro::kErrorNoteShownFor.count()), this);
}

void MainPage::hide_error()
{
    if (m_note_timer)
        emscripten_clear_timeout(m_note_timer);
    m_note_timer = 0;
    dom::set_hidden(m_note, true);
    if (m_invalid)
        dom::remove_attribute(element(*m_invalid), "aria-invalid");
    m_invalid.reset();
}

void MainPage::note_timed_out(void* self)
{
    auto& page = *static_cast<MainPage*>(self);
    page.m_note_timer = 0;
    page.hide_error();
}
