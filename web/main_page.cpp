#include "main_page.h"

#include <emscripten/eventloop.h>

#include <algorithm>
#include <string>
#include <vector>

#include "page_layout.h"
#include "quantity.h"

namespace {

using tubaro::ControlId;
using tubaro::ControlKind;
using tubaro::ControlSpec;
using tubaro::Quantity;

// How long a note stays when no good recalculation takes it away.
constexpr double kNoteShownMs = 4000;
// A note starts below the column of the control it speaks of, but no
// further right than the fields' column, so it stays inside the form; the
// window's own note has the information line's margin.
constexpr int kFieldColumnTwips = tubaro::control_spec(ControlId::Text_D).left;
constexpr int kWindowNoteTwips = tubaro::control_spec(ControlId::Text1).left;

constexpr int kEnterKey = 13;
constexpr int kSpaceKey = 32;
constexpr int kLeftKey = 37;
constexpr int kUpKey = 38;
constexpr int kRightKey = 39;
constexpr int kDownKey = 40;

// The browser's keys by what they mean in the window; a modified key means
// nothing here.
std::optional<tubaro::NavigationKey> navigation_key(const DomEventDetail& detail)
{
    if (detail.modifiers != 0)
        return std::nullopt;
    switch (detail.key_code) {
    case kUpKey: return tubaro::NavigationKey::Up;
    case kDownKey: return tubaro::NavigationKey::Down;
    case kLeftKey: return tubaro::NavigationKey::Left;
    case kRightKey: return tubaro::NavigationKey::Right;
    case kSpaceKey: return tubaro::NavigationKey::Space;
    case kEnterKey: return tubaro::NavigationKey::Enter;
    default: return std::nullopt;
    }
}

}  // namespace

MainPage::MainPage(std::string decimal_separator) : m_form(std::move(decimal_separator))
{
    bind_controls();
    bind_form();
    wire_events();
    // The HTML gives the focus to where the form starts it; where the user
    // has already gone elsewhere in the form, it stays there.
    if (!dom::focus_is_within(m_form_element))
        dom::focus(element(m_form.first_focus()));
}

void MainPage::bind_controls()
{
    // The page's HTML holds the form, made from the window's data when the
    // page was built (page_markup): its elements are taken as they are, with
    // whatever was typed into them before this code ran.
    m_form_element = dom::by_id(tubaro::kWindowName);
    for (const ControlSpec& row : tubaro::kWindowControls) {
        const dom::Element found = dom::by_id(row.name);
        m_elements[static_cast<std::size_t>(row.id)] = found;
        switch (row.kind) {
        case ControlKind::Label: break;
        case ControlKind::TextBox:
            m_text_boxes[static_cast<std::size_t>(row.id)] =
                std::make_unique<DomTextBox>(found, [this, id = row.id] { m_form.text_changed(id); });
            break;
        case ControlKind::OptionButton:
            m_options[*tubaro::quantity_of(row.id)] = std::make_unique<DomOptionButton>(found);
            break;
        case ControlKind::CheckBox: m_check = std::make_unique<DomCheckBox>(found); break;
        case ControlKind::SpinControl:
            // Its two arrows, up first.
            m_spins[*tubaro::quantity_of(row.id)] =
                std::make_unique<DomSpinControl>(found, dom::child(found, 0), dom::child(found, 1));
            break;
        }
    }

    if (!FloatingForm::available()) {
        dom::set_disabled(element(ControlId::Check1), true);
        dom::set_attribute(element(ControlId::Check1), "title", tubaro::kStayOnTopUnavailableInBrowser);
    }
    m_floating = std::make_unique<FloatingForm>(m_form_element);
    m_note = dom::by_id("nota");
}

void MainPage::bind_form()
{
    tubaro::FormControls controls{{}, {}, {}, m_text_boxes[static_cast<std::size_t>(ControlId::Text_Pollici)].get(),
                                  m_text_boxes[static_cast<std::size_t>(ControlId::Text1)].get(), m_check.get(), this};
    for (Quantity quantity : tubaro::kQuantities) {
        controls.fields[quantity] =
            m_text_boxes[static_cast<std::size_t>(tubaro::kQuantityControls[quantity].field)].get();
        controls.options[quantity] = m_options[quantity].get();
        controls.spins[quantity] = m_spins[quantity].get();
    }
    m_form.bind(controls);
    // The window is not told it has loaded: that would float the form,
    // which a page may do only at the user's click.
}

void MainPage::wire_events()
{
    dom::listen(m_form_element, "keydown", kForm, static_cast<int>(DomEvent::KeyDown));
    dom::listen(m_form_element, "pointerdown", kForm, static_cast<int>(DomEvent::PointerDown));

    for (const ControlSpec& row : tubaro::kWindowControls) {
        const int target = static_cast<int>(row.id);
        const auto listen = [&](const char* type, DomEvent event) {
            dom::listen(element(row.id), type, target, static_cast<int>(event));
        };
        switch (row.kind) {
        case ControlKind::Label: break;
        case ControlKind::TextBox:
            listen("input", DomEvent::Input);
            listen("keydown", DomEvent::KeyDown);
            listen("keyup", DomEvent::KeyUp);
            listen("focusin", DomEvent::FocusIn);
            listen("focusout", DomEvent::FocusOut);
            listen("click", DomEvent::Click);
            break;
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
            listen("click", DomEvent::Click);
            listen("keydown", DomEvent::KeyDown);
            break;
        case ControlKind::SpinControl: {
            listen("keydown", DomEvent::KeyDown);
            const DomSpinControl& spin = *m_spins[*tubaro::quantity_of(row.id)];
            for (const auto& [arrow, offset] : {std::pair{spin.up(), kUpArrow}, std::pair{spin.down(), kDownArrow}}) {
                const int arrow_target = offset + target;
                dom::listen(arrow, "pointerdown", arrow_target, static_cast<int>(DomEvent::PointerDown));
                for (const char* end : {"pointerup", "pointerleave", "pointercancel"})
                    dom::listen(arrow, end, arrow_target, static_cast<int>(DomEvent::PointerUp));
                dom::listen(arrow, "click", arrow_target, static_cast<int>(DomEvent::Click));
                dom::listen(arrow, "contextmenu", arrow_target, static_cast<int>(DomEvent::ContextMenu));
            }
            break;
        }
        }
    }
}

bool MainPage::handle(int target, DomEvent event, const DomEventDetail& detail)
{
    if (target == kForm) {
        // Seen after the control's own listeners, before the browser moves
        // the focus for a Tab of its own.
        if (event == DomEvent::PointerDown) {
            m_pointer_down = true;
            m_tab_pressed.reset();
        } else if (event == DomEvent::KeyDown) {
            m_pointer_down = false;
            m_tab_pressed.reset();
            if (detail.key_code == kTabKey)
                m_tab_pressed = tubaro::KeyChord{kTabKey, detail.modifiers};
        }
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

bool MainPage::tab(ControlId from, const DomEventDetail& detail)
{
    if ((detail.modifiers & ~kShiftHeld) != 0)
        return false;
    const int direction = (detail.modifiers & kShiftHeld) ? -1 : +1;
    const tubaro::TabMove move = m_form.tab(from, direction);
    if (move.wraps)
        return false;
    m_pointer_down = false;
    m_tab_pressed = tubaro::KeyChord{kTabKey, detail.modifiers};
    dom::focus(element(move.to));
    return true;
}

bool MainPage::control_event(ControlId id, DomEvent event, const DomEventDetail& detail)
{
    const tubaro::KeyChord chord{detail.key_code, detail.modifiers};
    if (event == DomEvent::KeyDown) {
        if (detail.key_code == kTabKey)
            return tab(id, detail);
        if (m_text_boxes[static_cast<std::size_t>(id)])
            m_form.key_pressed(id, chord);
        const auto key = navigation_key(detail);
        return key && m_form.navigation_key(id, *key, detail.repeat);
    }
    switch (event) {
    case DomEvent::Input: m_form.text_changed(id); return false;
    case DomEvent::KeyUp: m_form.key_released(id, chord); return false;
    case DomEvent::FocusIn: {
        std::optional<tubaro::KeyChord> arrival;
        // Not by a pointer: by the Tab just pressed, or by a Tab from
        // outside the page, whose press the page never saw.
        if (!m_pointer_down)
            arrival = m_tab_pressed.value_or(tubaro::KeyChord{kTabKey, 0});
        m_pointer_down = false;
        m_tab_pressed.reset();
        m_form.focus_entered(id, arrival);
        return false;
    }
    case DomEvent::FocusOut: m_form.focus_left(id); return false;
    case DomEvent::Click: m_form.clicked(id, detail.clicks); return false;
    default: return false;
    }
}

bool MainPage::arrow_event(ControlId spin_id, int direction, DomEvent event, const DomEventDetail& detail)
{
    DomSpinControl& spin = *m_spins[*tubaro::quantity_of(spin_id)];
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

void MainPage::float_ended()
{
    dom::set_checked(element(ControlId::Check1), false);
}

void MainPage::show_error(std::optional<ControlId> source, std::string_view message)
{
    hide_error();
    // Below the form, from the column of the control it speaks of.
    const int left = source ? std::min(tubaro::control_spec(*source).left, kFieldColumnTwips) : kWindowNoteTwips;
    dom::set_style(m_note, "left", page_layout::percent_across(left));
    dom::set_text_content(m_note, message);
    dom::set_hidden(m_note, false);
    if (source && m_text_boxes[static_cast<std::size_t>(*source)]) {
        m_invalid = source;
        dom::set_attribute(element(*source), "aria-invalid", "true");
    }
    m_note_timer = emscripten_set_timeout(&MainPage::note_timed_out, kNoteShownMs, this);
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
