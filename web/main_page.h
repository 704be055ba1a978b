#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "dom.h"
#include "dom_controls.h"
#include "dom_event.h"
#include "event_edge.h"
#include "form_principale.h"
#include "window_data.h"

// The one window as a page: its controls built from the window's data as
// DOM elements, bound to the form logic through the control interface,
// every event handed to the event edge, where an error is reported in a
// note below the form and the page goes on.
class MainPage {
public:
    explicit MainPage(std::string decimal_separator);
    MainPage(const MainPage&) = delete;
    MainPage& operator=(const MainPage&) = delete;

    // Every listened event of the page's elements.
    bool handle(int target, DomEvent event, const DomEventDetail& detail);
    // The floating window closed, or could not open.
    void float_ended();

private:
    // Which element an event came from: a control, an arrow of a spin
    // control, or the form itself.
    static constexpr int kUpArrow = 100;
    static constexpr int kDownArrow = 200;
    static constexpr int kForm = 1000;

    static std::size_t index(tubaro::ControlId id) { return static_cast<std::size_t>(id); }

    void build_controls(const std::string& decimal_separator);
    void bind_form(const std::string& decimal_separator);
    void wire_events();
    void apply_focus_order();
    void choose_option(tubaro::Quantity target);
    void report(const tubaro::EventEdge::Report& report);
    void hide_note();
    static void note_timed_out(void* self);

    bool control_event(tubaro::ControlId id, DomEvent event, const DomEventDetail& detail);
    bool arrow_event(tubaro::Quantity quantity, int direction, DomEvent event, const DomEventDetail& detail);

    tubaro::EventEdge m_edge;
    dom::Element m_form;
    dom::Element m_note;
    std::array<dom::Element, tubaro::kControlCount> m_elements{};
    std::array<std::unique_ptr<DomTextBox>, tubaro::kControlCount> m_text_boxes;
    tubaro::PerQuantity<std::unique_ptr<DomOptionButton>> m_options;
    tubaro::PerQuantity<std::unique_ptr<DomSpinControl>> m_spins;
    std::unique_ptr<DomCheckBox> m_check;
    std::unique_ptr<DomWindow> m_window;
    std::unique_ptr<tubaro::Form_Principale> m_logic;

    // How the focus is about to arrive: by a pointer (nothing to ignore), or
    // by the Tab whose press the form has just seen.
    bool m_pointer_down = false;
    std::optional<tubaro::KeyChord> m_tab_pressed;
    std::optional<tubaro::ControlId> m_invalid;
    long m_note_timer = 0;
};
