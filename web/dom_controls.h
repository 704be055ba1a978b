#pragma once

#include <functional>
#include <optional>
#include <string>

#include "controls.h"
#include "dom.h"
#include "event_edge.h"
#include "key_release_filter.h"
#include "spin_stepper.h"

// The form's controls over DOM elements.

// An <input>. Setting .value raises no input event, so an assignment runs
// the change handler itself, inside the assignment, as the desktop text
// boxes do; an equal text is not set at all, so the caret and selection
// stay. Key releases pass the key-release filter.
class DomTextBox final : public tubaro::TextBox {
public:
    DomTextBox(dom::Element input, tubaro::EventEdge& edge) : m_input(input), m_edge(edge) {}

    std::string text() const override { return dom::value(m_input); }
    void set_text(std::string_view text) override;

    dom::Element element() const { return m_input; }

    // The page hands each of these to the event edge.
    std::function<void()> on_change;
    std::function<void()> on_key_release;

    void input();
    void key_down(tubaro::KeyChord chord) { m_keys.pressed(chord); }
    void key_up(tubaro::KeyChord chord);
    void focus_in(std::optional<tubaro::KeyChord> arrival) { m_keys.focus_entered(arrival); }

private:
    dom::Element m_input;
    tubaro::EventEdge& m_edge;
    tubaro::KeyReleaseFilter m_keys;
};

// An <input type="radio"> of the one group.
class DomOptionButton final : public tubaro::OptionButton {
public:
    explicit DomOptionButton(dom::Element radio) : m_radio(radio) {}
    bool is_set() const override { return dom::checked(m_radio); }
    dom::Element element() const { return m_radio; }

private:
    dom::Element m_radio;
};

// An <input type="checkbox">: unchecked or checked, never grayed.
class DomCheckBox final : public tubaro::CheckBox {
public:
    explicit DomCheckBox(dom::Element box) : m_box(box) {}
    int value() const override { return dom::checked(m_box) ? Checked : Unchecked; }
    dom::Element element() const { return m_box; }

private:
    dom::Element m_box;
};

// A group holding two buttons, up first. A press steps at once and, held,
// repeats as the desktop arrows do; with the group focused, Up and Down step.
class DomSpinControl final : public tubaro::SpinControl {
public:
    DomSpinControl(dom::Element group, dom::Element up, dom::Element down, tubaro::TextBox& paired, int upper,
                   std::string decimal_separator);
    ~DomSpinControl() override;
    DomSpinControl(const DomSpinControl&) = delete;
    DomSpinControl& operator=(const DomSpinControl&) = delete;

    void set_visible(bool visible) override;
    bool visible() const override { return m_visible; }

    dom::Element element() const { return m_group; }
    dom::Element up() const { return m_up; }
    dom::Element down() const { return m_down; }

    // +1 up, -1 down: writes the paired field, then notifies.
    void step(int direction) { m_stepper.step(direction, m_visible, m_paired, on_notification); }
    std::function<void()> on_notification;

    // A button pressed and held: `step_once` runs now, then again and again
    // until release() (after a pause, as a held key repeats).
    void press(std::function<void()> step_once);
    void release();

private:
    static void repeat(void* self);

    dom::Element m_group, m_up, m_down;
    tubaro::TextBox& m_paired;
    tubaro::SpinStepper m_stepper;
    bool m_visible = true;
    std::function<void()> m_held_step;
    long m_timer = 0;
};

// The page as the form's window. A page cannot float above other windows by
// itself: staying on top moves the form into a Document Picture-in-Picture
// window, which does.
class DomWindow final : public tubaro::Window {
public:
    explicit DomWindow(dom::Element form) : m_form(form) {}
    void set_topmost(bool topmost) override;
    // Whether this browser can float the form at all.
    static bool can_float();

private:
    dom::Element m_form;
};
