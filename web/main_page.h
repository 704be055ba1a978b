#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "dom.h"
#include "dom_controls.h"
#include "dom_event.h"
#include "floating_form.h"
#include "form_presenter.h"
#include "window_data.h"

// The one window as a page: its controls built from the window's data as
// DOM elements and bound to the form, every DOM event of theirs told to the
// form, which decides what follows; an error is shown in a note below the
// form.
class MainPage final : public tubaro::Window {
public:
    explicit MainPage(std::string decimal_separator);
    MainPage(const MainPage&) = delete;
    MainPage& operator=(const MainPage&) = delete;

    // Every listened event of the page's elements.
    bool handle(int target, DomEvent event, const DomEventDetail& detail);
    // The floating window closed, or could not open.
    void float_ended();

    // What the form asks of the window.
    void set_topmost(bool topmost) override { m_floating->set_floating(topmost); }
    void focus(tubaro::ControlId control) override { dom::focus(element(control)); }
    void show_error(std::optional<tubaro::ControlId> source, std::string_view message) override;
    void hide_error() override;

private:
    // Which element an event came from: a control, an arrow of a spin
    // control, or the form itself.
    static constexpr int kUpArrow = 100;
    static constexpr int kDownArrow = 200;
    static constexpr int kForm = 1000;

    dom::Element element(tubaro::ControlId id) const { return m_elements[static_cast<std::size_t>(id)]; }

    void bind_controls();
    void bind_form();
    void wire_events();
    static void note_timed_out(void* self);

    bool control_event(tubaro::ControlId id, DomEvent event, const DomEventDetail& detail);
    bool arrow_event(tubaro::ControlId spin, int direction, DomEvent event, const DomEventDetail& detail);
    // Tab inside the form goes by the form's order; at either end it goes on
    // to the browser, which a page must not keep from the keyboard.
    bool tab(tubaro::ControlId from, const DomEventDetail& detail);

    tubaro::FormPresenter m_form;
    dom::Element m_form_element = 0;
    dom::Element m_note = 0;
    std::array<dom::Element, tubaro::kControlCount> m_elements{};
    std::array<std::unique_ptr<DomTextBox>, tubaro::kControlCount> m_text_boxes;
    tubaro::PerQuantity<std::unique_ptr<DomOptionButton>> m_options;
    tubaro::PerQuantity<std::unique_ptr<DomSpinControl>> m_spins;
    std::unique_ptr<DomCheckBox> m_check;
    std::unique_ptr<FloatingForm> m_floating;

    // How the focus is about to arrive: by a pointer (nothing to ignore), or
    // by the Tab whose press the form has just seen.
    bool m_pointer_down = false;
    std::optional<tubaro::KeyChord> m_tab_pressed;
    std::optional<tubaro::ControlId> m_invalid;
    long m_note_timer = 0;
};
