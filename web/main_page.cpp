#include "main_page.h"

#include <emscripten/eventloop.h>

#include <algorithm>
#include <string>
#include <vector>

#include "error_kind.h"
#include "keyboard.h"
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

std::optional<Quantity> quantity_where(ControlId id, ControlId tubaro::QuantityControls::*member)
{
    for (Quantity quantity : tubaro::kQuantities)
        if (tubaro::kQuantityControls[quantity].*member == id)
            return quantity;
    return std::nullopt;
}

}  // namespace

MainPage::MainPage(std::string decimal_separator)
    : m_edge([this](const tubaro::EventEdge::Report& each) { report(each); })
{
    dom::set_title(tubaro::kWindowCaption);
    const dom::Element page = dom::by_id("pagina");
    dom::set_text_content(dom::by_id("titolo"), tubaro::kWindowCaption);

    m_form = dom::create("div", page);
    dom::set_attribute(m_form, "id", tubaro::kWindowName);
    dom::set_attribute(m_form, "class", "form");
    dom::set_style(m_form, "aspect-ratio",
                   std::to_string(tubaro::kClientWidthTwips) + " / " + std::to_string(kPageHeightTwips));

    build_controls(decimal_separator);
    bind_form(decimal_separator);
    wire_events();
    apply_focus_order();

    // The page is usable: the stand-in text goes, the focus is in Text_Y.
    dom::set_hidden(dom::by_id("attesa"), true);
    dom::focus(m_elements[index(ControlId::Text_Y)]);
}

void MainPage::build_controls(const std::string& decimal_separator)
{
    // In the order of the tab indexes, so the browser's own Tab order, and
    // what a screen reader meets in turn, are the window's.
    std::vector<const ControlSpec*> rows;
    for (const ControlSpec& row : tubaro::kWindowControls)
        rows.push_back(&row);
    std::sort(rows.begin(), rows.end(), [](auto* a, auto* b) { return a->tab_index < b->tab_index; });

    for (const ControlSpec* row : rows) {
        dom::Element element = 0;
        switch (row->kind) {
        case ControlKind::Label: {
            element = dom::create("label", m_form);
            dom::set_text_content(element, row->text);
            const auto quantity = quantity_where(row->id, &tubaro::QuantityControls::label);
            dom::set_attribute(element, "for", tubaro::control_spec(tubaro::kQuantityControls[*quantity].field).name);
            break;
        }
        case ControlKind::TextBox: {
            element = dom::create("input", m_form);
            dom::set_attribute(element, "type", "text");
            dom::set_attribute(element, "autocomplete", "off");
            dom::set_attribute(element, "spellcheck", "false");
            if (row->has(tubaro::kReadOnly) || row->id == ControlId::Text_Pollici) {
                dom::set_attribute(element, "readonly", "");
                dom::set_attribute(element, "class", row->has(tubaro::kCentred) ? "info" : "output");
            } else {
                dom::set_attribute(element, "inputmode", "decimal");
                dom::set_attribute(element, "enterkeyhint", "done");
            }
            dom::set_value(element, row->text);
            m_text_boxes[index(row->id)] = std::make_unique<DomTextBox>(element, m_edge);
            break;
        }
        case ControlKind::OptionButton:
            element = dom::create("input", m_form);
            dom::set_attribute(element, "type", "radio");
            dom::set_attribute(element, "name", "grandezza");
            dom::set_checked(element, row->has(tubaro::kSetAtStart));
            break;
        case ControlKind::CheckBox:
            element = dom::create("input", m_form);
            dom::set_attribute(element, "type", "checkbox");
            // The page starts in the page, not floating: floating needs the
            // user's own click.
            dom::set_checked(element, false);
            break;
        case ControlKind::SpinControl: {
            element = dom::create("div", m_form);
            dom::set_attribute(element, "role", "group");
            dom::set_attribute(element, "class", "spin");
            dom::set_hidden(element, row->has(tubaro::kHiddenAtStart));
            break;
        }
        }
        dom::set_attribute(element, "id", row->name);
        place(element, row->left, row->top, row->width, row->height);
        if (row->kind != ControlKind::Label) {
            dom::set_attribute(element, "aria-label", row->description);
            dom::set_attribute(element, "title", row->description);
        }
        m_elements[index(row->id)] = element;
    }

    for (Quantity quantity : tubaro::kQuantities) {
        const tubaro::QuantityControls& row = tubaro::kQuantityControls[quantity];
        const dom::Element group = m_elements[index(row.spin)];
        dom::Element arrows[2];
        const std::string_view names[2] = {row.step_up_name, row.step_down_name};
        for (int i = 0; i < 2; ++i) {
            arrows[i] = dom::create("button", group);
            dom::set_attribute(arrows[i], "type", "button");
            dom::set_attribute(arrows[i], "class", i == 0 ? "up" : "down");
            dom::set_attribute(arrows[i], "aria-label", names[i]);
            dom::set_attribute(arrows[i], "title", names[i]);
            // The group takes the focus; its arrows answer pointers and
            // assistive technology.
            dom::set_tab_index(arrows[i], -1);
        }
        m_spins[quantity] = std::make_unique<DomSpinControl>(group, arrows[0], arrows[1], *m_text_boxes[index(row.field)],
                                                             row.spin_upper, decimal_separator);
        m_spins[quantity]->set_visible(!tubaro::control_spec(row.spin).has(tubaro::kHiddenAtStart));
        m_options[quantity] = std::make_unique<DomOptionButton>(m_elements[index(row.option)]);
    }

    const dom::Element check = m_elements[index(ControlId::Check1)];
    m_check = std::make_unique<DomCheckBox>(check);
    if (!DomWindow::can_float()) {
        dom::set_disabled(check, true);
        dom::set_attribute(check, "title",
                           "Sempre in primo piano: non disponibile, questo browser non apre finestre "
                           "Picture-in-Picture per le pagine");
    }
    m_window = std::make_unique<DomWindow>(m_form);

    m_note = dom::create("div", m_form);
    dom::set_attribute(m_note, "id", "nota");
    dom::set_attribute(m_note, "role", "alert");
    dom::set_attribute(m_note, "class", "note");
    dom::set_hidden(m_note, true);
    place(m_note, 0, kNoteTopTwips, tubaro::kClientWidthTwips, kNoteHeightTwips);
    dom::set_style(m_note, "width", "auto");
}

void MainPage::bind_form(const std::string& decimal_separator)
{
    tubaro::FormControls controls{{}, {}, {}, m_text_boxes[index(ControlId::Text_Pollici)].get(),
                                  m_text_boxes[index(ControlId::Text1)].get(), m_check.get(), m_window.get()};
    for (Quantity quantity : tubaro::kQuantities) {
        controls.fields[quantity] = m_text_boxes[index(tubaro::kQuantityControls[quantity].field)].get();
        controls.options[quantity] = m_options[quantity].get();
        controls.spins[quantity] = m_spins[quantity].get();
    }
    m_logic = std::make_unique<tubaro::Form_Principale>(controls, decimal_separator);
    m_logic->set_recalculated_listener([this] { hide_note(); });
    // No load handler: it would float the form, which a page may do only at
    // the user's click.
}

void MainPage::wire_events()
{
    dom::listen(m_form, "keydown", kForm, static_cast<int>(DomEvent::KeyDown));
    dom::listen(m_form, "pointerdown", kForm, static_cast<int>(DomEvent::PointerDown));

    m_text_boxes[index(ControlId::Text_D)]->on_change = [this] {
        m_edge.run(ControlId::Text_D, [this] { m_logic->diameter_change(); });
    };
    for (Quantity quantity : tubaro::kQuantities) {
        const ControlId field = tubaro::kQuantityControls[quantity].field;
        m_text_boxes[index(field)]->on_key_release = [this, field, quantity] {
            m_edge.run(field, [this, quantity] { m_logic->key_release(quantity); });
        };
        m_spins[quantity]->on_notification = [this, quantity] { m_logic->spin_notification(quantity); };
    }

    for (const ControlSpec& row : tubaro::kWindowControls) {
        const int target = static_cast<int>(row.id);
        const dom::Element element = m_elements[index(row.id)];
        const auto listen = [&](const char* type, DomEvent event) {
            dom::listen(element, type, target, static_cast<int>(event));
        };
        switch (row.kind) {
        case ControlKind::Label: break;
        case ControlKind::TextBox:
            listen("input", DomEvent::Input);
            listen("keydown", DomEvent::KeyDown);
            listen("keyup", DomEvent::KeyUp);
            listen("focusin", DomEvent::FocusIn);
            listen("click", DomEvent::Click);
            break;
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
            listen("click", DomEvent::Click);
            listen("keydown", DomEvent::KeyDown);
            break;
        case ControlKind::SpinControl: {
            listen("keydown", DomEvent::KeyDown);
            const Quantity quantity = *quantity_where(row.id, &tubaro::QuantityControls::spin);
            for (const auto& [arrow, offset] : {std::pair{m_spins[quantity]->up(), kUpArrow},
                                                std::pair{m_spins[quantity]->down(), kDownArrow}}) {
                const int arrow_target = offset + static_cast<int>(quantity);
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

void MainPage::apply_focus_order()
{
    const std::vector<ControlId> stops = m_logic->tab_stops();
    for (const ControlSpec& row : tubaro::kWindowControls) {
        if (row.kind == ControlKind::Label)
            continue;
        const bool stop = std::find(stops.begin(), stops.end(), row.id) != stops.end();
        dom::set_tab_index(m_elements[index(row.id)], stop ? 0 : -1);
    }
}

void MainPage::choose_option(Quantity target)
{
    const dom::Element option = m_options[target]->element();
    dom::set_checked(option, true);  // the group clears the others
    dom::focus(option);
    m_edge.run(tubaro::kQuantityControls[target].option, [this, target] { m_logic->option_click(target); });
    apply_focus_order();
}

bool MainPage::handle(int target, DomEvent event, const DomEventDetail& detail)
{
    if (target == kForm) {
        // Seen after the control's own listeners, before the browser moves
        // the focus for a Tab.
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
    if (target >= kDownArrow)
        return arrow_event(tubaro::kQuantities[static_cast<std::size_t>(target - kDownArrow)], -1, event, detail);
    if (target >= kUpArrow)
        return arrow_event(tubaro::kQuantities[static_cast<std::size_t>(target - kUpArrow)], +1, event, detail);
    if (target >= 0 && target < static_cast<int>(tubaro::kControlCount))
        return control_event(static_cast<ControlId>(target), event, detail);
    return false;
}

bool MainPage::control_event(ControlId id, DomEvent event, const DomEventDetail& detail)
{
    const tubaro::KeyChord chord{detail.key_code, detail.modifiers};
    const auto key = navigation_key(detail);

    if (DomTextBox* box = m_text_boxes[index(id)].get()) {
        switch (event) {
        case DomEvent::Input: box->input(); return false;
        case DomEvent::KeyDown:
            box->key_down(chord);
            // The information line answers Space and Enter as a click, once
            // a press.
            if (id == ControlId::Text1 && key && tubaro::presses_information_field(*key)) {
                if (!detail.repeat)
                    m_edge.run(id, [this] { m_logic->information_click(); });
                return true;
            }
            return false;
        case DomEvent::KeyUp: box->key_up(chord); return false;
        case DomEvent::FocusIn: {
            std::optional<tubaro::KeyChord> arrival;
            // Not by a pointer: by the Tab just pressed, or by a Tab from
            // outside the page, whose press the page never saw.
            if (!m_pointer_down)
                arrival = m_tab_pressed.value_or(tubaro::KeyChord{kTabKey, 0});
            m_pointer_down = false;
            m_tab_pressed.reset();
            box->focus_in(arrival);
            return false;
        }
        case DomEvent::Click:
            // A double click is one click, as on the desktop.
            if (id == ControlId::Text1 && detail.clicks <= 1)
                m_edge.run(id, [this] { m_logic->information_click(); });
            return false;
        default: return false;
        }
    }

    if (const auto quantity = quantity_where(id, &tubaro::QuantityControls::option)) {
        if (event == DomEvent::Click) {
            m_edge.run(id, [this, mode = *quantity] { m_logic->option_click(mode); });
            apply_focus_order();
            return false;
        }
        if (event == DomEvent::KeyDown && key) {
            // The browser's own arrows would stop at the ends; the group
            // moves by the form's order and wraps.
            if (const auto next = tubaro::option_after(m_logic->mode(), *key)) {
                choose_option(*next);
                return true;
            }
        }
        return false;
    }

    if (const auto quantity = quantity_where(id, &tubaro::QuantityControls::spin)) {
        if (event == DomEvent::KeyDown && key) {
            // Each press a step, a held key's repeats included.
            if (const auto direction = tubaro::spin_direction(*key)) {
                DomSpinControl& spin = *m_spins[*quantity];
                m_edge.run(tubaro::kQuantityControls[*quantity].field, [&spin, &direction] { spin.step(*direction); });
                return true;
            }
        }
        return false;
    }

    if (id == ControlId::Check1 && event == DomEvent::Click)
        m_edge.run(id, [this] { m_logic->stay_on_top_click(); });
    return false;
}

bool MainPage::arrow_event(Quantity quantity, int direction, DomEvent event, const DomEventDetail& detail)
{
    DomSpinControl& spin = *m_spins[quantity];
    const ControlId field = tubaro::kQuantityControls[quantity].field;
    const auto step = [this, &spin, field, direction] {
        // A step's error is reported beside the field it wrote.
        m_edge.run(field, [&spin, direction] { spin.step(direction); });
    };
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
    dom::set_checked(m_check->element(), false);
}

void MainPage::report(const tubaro::EventEdge::Report& report)
{
    const std::string_view message = report.kind ? tubaro::error_name(*report.kind) : "Errore interno";
    hide_note();
    // Below the form, from the column of the control it speaks of.
    const int left = report.source ? std::min(tubaro::control_spec(*report.source).left, 1440) : 120;
    dom::set_style(m_note, "left", percent(left, tubaro::kClientWidthTwips));
    dom::set_text_content(m_note, message);
    dom::set_hidden(m_note, false);
    if (report.source && m_text_boxes[index(*report.source)]) {
        m_invalid = report.source;
        dom::set_attribute(m_elements[index(*report.source)], "aria-invalid", "true");
    }
    m_note_timer = emscripten_set_timeout(&MainPage::note_timed_out, kNoteShownMs, this);
}

void MainPage::hide_note()
{
    if (m_note_timer)
        emscripten_clear_timeout(m_note_timer);
    m_note_timer = 0;
    dom::set_hidden(m_note, true);
    if (m_invalid)
        dom::remove_attribute(m_elements[index(*m_invalid)], "aria-invalid");
    m_invalid.reset();
}

void MainPage::note_timed_out(void* self)
{
    auto& page = *static_cast<MainPage*>(self);
    page.m_note_timer = 0;
    page.hide_note();
}
