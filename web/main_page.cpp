#include "main_page.h"

#include <emscripten/eventloop.h>

#include <algorithm>
#include <string>
#include <vector>

#include "quantity.h"

namespace {

using tubaro::ControlId;
using tubaro::ControlKind;
using tubaro::ControlSpec;
using tubaro::Quantity;

// Below the window's own rows, a strip for the error note, so the note
// never covers a control.
constexpr int kNoteTopTwips = tubaro::kClientHeightTwips + 60;
constexpr int kNoteHeightTwips = 330;
constexpr int kPageHeightTwips = kNoteTopTwips + kNoteHeightTwips + 60;
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

std::string percent(int twips, int whole)
{
    return std::to_string(static_cast<double>(twips) * 100.0 / whole) + "%";
}

void place(dom::Element element, int left, int top, int width, int height)
{
    dom::set_style(element, "left", percent(left, tubaro::kClientWidthTwips));
    dom::set_style(element, "top", percent(top, kPageHeightTwips));
    dom::set_style(element, "width", percent(width, tubaro::kClientWidthTwips));
    dom::set_style(element, "height", percent(height, kPageHeightTwips));
}

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
    dom::set_title(tubaro::kWindowCaption);
    const dom::Element page = dom::by_id("pagina");
    dom::set_text_content(dom::by_id("titolo"), tubaro::kWindowCaption);

    m_form_element = dom::create("div", page);
    dom::set_attribute(m_form_element, "id", tubaro::kWindowName);
    dom::set_attribute(m_form_element, "class", "form");
    dom::set_style(m_form_element, "aspect-ratio",
                   std::to_string(tubaro::kClientWidthTwips) + " / " + std::to_string(kPageHeightTwips));

    build_controls();
    bind_form();
    wire_events();

    // The page is usable: the stand-in text goes, the focus is where the
    // form starts it.
    dom::set_hidden(dom::by_id("attesa"), true);
    dom::focus(element(m_form.first_focus()));
}

void MainPage::build_controls()
{
    // In the order of the tab indexes, so the browser's own Tab order into
    // the page, and what a screen reader meets in turn, are the window's.
    std::vector<const ControlSpec*> rows;
    for (const ControlSpec& row : tubaro::kWindowControls)
        rows.push_back(&row);
    std::sort(rows.begin(), rows.end(), [](auto* a, auto* b) { return a->tab_index < b->tab_index; });

    for (const ControlSpec* row : rows) {
        dom::Element made = 0;
        switch (row->kind) {
        case ControlKind::Label: {
            made = dom::create("label", m_form_element);
            dom::set_text_content(made, row->text);
            const ControlId field = tubaro::kQuantityControls[*tubaro::quantity_of(row->id)].field;
            dom::set_attribute(made, "for", tubaro::control_spec(field).name);
            break;
        }
        case ControlKind::TextBox: {
            made = dom::create("input", m_form_element);
            dom::set_attribute(made, "type", "text");
            dom::set_attribute(made, "autocomplete", "off");
            dom::set_attribute(made, "spellcheck", "false");
            if (row->has(tubaro::kReadOnly) || row->id == ControlId::Text_Pollici) {
                dom::set_attribute(made, "readonly", "");
                dom::set_attribute(made, "class", row->has(tubaro::kCentred) ? "info" : "output");
            } else {
                dom::set_attribute(made, "inputmode", "decimal");
                dom::set_attribute(made, "enterkeyhint", "done");
            }
            dom::set_value(made, row->text);
            m_text_boxes[static_cast<std::size_t>(row->id)] =
                std::make_unique<DomTextBox>(made, [this, id = row->id] { m_form.text_changed(id); });
            break;
        }
        case ControlKind::OptionButton:
            made = dom::create("input", m_form_element);
            dom::set_attribute(made, "type", "radio");
            dom::set_attribute(made, "name", "grandezza");
            dom::set_checked(made, row->has(tubaro::kSetAtStart));
            m_options[*tubaro::quantity_of(row->id)] = std::make_unique<DomOptionButton>(made);
            break;
        case ControlKind::CheckBox:
            made = dom::create("input", m_form_element);
            dom::set_attribute(made, "type", "checkbox");
            // The page starts in the page, not floating: floating needs the
            // user's own click.
            dom::set_checked(made, false);
            m_check = std::make_unique<DomCheckBox>(made);
            break;
        case ControlKind::SpinControl: {
            made = dom::create("div", m_form_element);
            dom::set_attribute(made, "role", "group");
            dom::set_attribute(made, "class", "spin");
            dom::set_tab_index(made, 0);  // the group takes the focus
            const tubaro::QuantityControls& names = tubaro::kQuantityControls[*tubaro::quantity_of(row->id)];
            dom::Element arrows[2];
            const std::string_view arrow_names[2] = {names.step_up_name, names.step_down_name};
            for (int i = 0; i < 2; ++i) {
                arrows[i] = dom::create("button", made);
                dom::set_attribute(arrows[i], "type", "button");
                dom::set_attribute(arrows[i], "class", i == 0 ? "up" : "down");
                dom::set_attribute(arrows[i], "aria-label", arrow_names[i]);
                dom::set_attribute(arrows[i], "title", arrow_names[i]);
                // Its arrows answer pointers and assistive technology.
                dom::set_tab_index(arrows[i], -1);
            }
            auto spin = std::make_unique<DomSpinControl>(made, arrows[0], arrows[1]);
            spin->set_visible(!row->has(tubaro::kHiddenAtStart));
            m_spins[*tubaro::quantity_of(row->id)] = std::move(spin);
            break;
        }
        }
        dom::set_attribute(made, "id", row->name);
        place(made, row->left, row->top, row->width, row->height);
        if (row->kind != ControlKind::Label) {
            dom::set_attribute(made, "aria-label", row->description);
            dom::set_attribute(made, "title", row->description);
        }
        m_elements[static_cast<std::size_t>(row->id)] = made;
    }

    if (!FloatingForm::available()) {
        dom::set_disabled(element(ControlId::Check1), true);
        dom::set_attribute(element(ControlId::Check1), "title",
                           "Sempre in primo piano: non disponibile, questo browser non apre finestre "
                           "Picture-in-Picture per le pagine");
    }
    m_floating = std::make_unique<FloatingForm>(m_form_element);

    m_note = dom::create("div", m_form_element);
    dom::set_attribute(m_note, "id", "nota");
    dom::set_attribute(m_note, "role", "alert");
    dom::set_attribute(m_note, "class", "note");
    dom::set_hidden(m_note, true);
    place(m_note, 0, kNoteTopTwips, tubaro::kClientWidthTwips, kNoteHeightTwips);
    dom::set_style(m_note, "width", "auto");
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
    ControlId at = from;
    // A disabled box (no floating window here) takes no focus: the stop
    // after it does.
    for (std::size_t tries = 0; tries < tubaro::kControlCount; ++tries) {
        const tubaro::TabMove move = m_form.tab(at, direction);
        if (move.wraps)
            return false;
        if (move.to == ControlId::Check1 && !FloatingForm::available()) {
            at = move.to;
            continue;
        }
        m_pointer_down = false;
        m_tab_pressed = tubaro::KeyChord{kTabKey, detail.modifiers};
        dom::focus(element(move.to));
        return true;
    }
    return false;
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
    dom::set_style(m_note, "left", percent(left, tubaro::kClientWidthTwips));
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
