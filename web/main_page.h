#pragma once

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "dom.h"
#include "dom_controls.h"
#include "dom_event.h"
#include "floating_form.h"
#include "form_presenter.h"
#include "kept_sizing.h"
#include "window_build.h"
#include "window_data.h"

// The one window as a page: the form builds it through the factory below,
// which binds the elements the page's HTML already holds, with whatever a
// user did to them before this code ran; every DOM event of theirs is told
// to the form, which decides what follows; an error is shown in a note
// below the form.
class MainPage final : public tubaro::Window, private tubaro::ControlFactory {
public:
    explicit MainPage(std::string decimal_separator);
    MainPage(const MainPage&) = delete;
    MainPage& operator=(const MainPage&) = delete;

    // The page is up, with the value fields its user changed before the
    // binding: the load handler, what they typed or else the sizing the
    // address holds, then the focus where the form starts it, unless the
    // user has already gone elsewhere in the form.
    void start(std::span<const tubaro::ControlId> changed_before_binding);
    // Every listened event of the page's elements.
    bool handle(int target, DomEvent event, const DomEventDetail& detail);
    // The floating window closed, or could not open.
    void float_ended() { m_form.topmost_ended(); }

    // What the form asks of the window.
    tubaro::WindowTraits traits() const override;
    void set_topmost(bool topmost) override { m_floating.set_floating(topmost); }
    std::optional<tubaro::ControlId> focused() const override;
    void focus(tubaro::ControlId control, tubaro::FocusCause) override { dom::focus(element(control)); }
    void show_error(const tubaro::ErrorReport& report) override;
    void hide_error() override;

private:
    // Which element an event came from: a control, an arrow of a spin
    // control, or the form itself.
    static constexpr int kUpArrow = 100;
    static constexpr int kDownArrow = 200;
    static constexpr int kForm = 1000;
    static constexpr int kWindow = 2000;

    dom::Element element(tubaro::ControlId id) const { return m_elements[static_cast<std::size_t>(id)]; }

    // Each control's element, found by its id and bound for the form.
    tubaro::Window& host() override { return *this; }
    void make_label(const tubaro::ControlSpec& row) override { bind(row); }
    tubaro::TextBox& make_text_box(const tubaro::ControlSpec& row) override;
    tubaro::OptionButton& make_option_button(const tubaro::ControlSpec& row) override;
    tubaro::CheckBox& make_check_box(const tubaro::ControlSpec& row) override;
    tubaro::SpinControl& make_spin_control(const tubaro::ControlSpec& row) override;
    dom::Element bind(const tubaro::ControlSpec& row);
    void listen(tubaro::ControlId id, const char* type, DomEvent event);
    static void note_timed_out(void* self);
    // The sizing the address holds now; none for a bare address.
    std::optional<tubaro::SizingLink> address_sizing() const;

    bool control_event(tubaro::ControlId id, DomEvent event, const DomEventDetail& detail);
    bool arrow_event(tubaro::ControlId spin, int direction, DomEvent event, const DomEventDetail& detail);

    std::string m_separator;
    dom::Element m_form_element;
    dom::Element m_note;
    FloatingForm m_floating;
    KeptSizing m_kept;
    std::array<dom::Element, tubaro::kControlCount> m_elements{};
    std::array<std::unique_ptr<DomTextBox>, tubaro::kControlCount> m_text_boxes;
    std::array<std::unique_ptr<DomOptionButton>, tubaro::kControlCount> m_options;
    std::array<std::unique_ptr<DomSpinControl>, tubaro::kControlCount> m_spins;
    std::unique_ptr<DomCheckBox> m_check;
    // A pointer went down on the form: the focus that follows came by it,
    // unless a key, or the browser's own bar, came first.
    bool m_pointer_down = false;
    std::optional<tubaro::ControlId> m_invalid;
    long m_note_timer = 0;
    // Last: it builds the window through the factory above.
    tubaro::FormPresenter m_form;
};
