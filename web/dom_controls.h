#pragma once

#include <functional>
#include <string>

#include "controls.h"
#include "dom.h"

// The form's controls over DOM elements.

// An <input>. Setting .value raises no input event, so the page tells the
// form of the change itself, inside the assignment, as the desktop text
// boxes do.
class DomTextBox final : public tubaro::TextBox {
public:
    DomTextBox(dom::Element input, std::function<void()> changed) : m_input(input), m_changed(std::move(changed)) {}

    std::string text() const override { return dom::value(m_input); }
    void set_text(std::string_view text) override
    {
        dom::set_value(m_input, text);
        m_changed();
    }

private:
    dom::Element m_input;
    std::function<void()> m_changed;
};

// An <input type="radio"> of the one group.
class DomOptionButton final : public tubaro::OptionButton {
public:
    explicit DomOptionButton(dom::Element radio) : m_radio(radio) {}
    bool is_set() const override { return dom::checked(m_radio); }
    void set_checked(bool on) override { dom::set_checked(m_radio, on); }

private:
    dom::Element m_radio;
};

// An <input type="checkbox">: unchecked or checked, never grayed.
class DomCheckBox final : public tubaro::CheckBox {
public:
    explicit DomCheckBox(dom::Element box) : m_box(box) {}
    int value() const override { return dom::checked(m_box) ? Checked : Unchecked; }
    void set_value(int value) override { dom::set_checked(m_box, value != Unchecked); }
    bool enabled() const override { return !dom::disabled(m_box); }

private:
    dom::Element m_box;
};

// A group holding two buttons, up first. A press steps at once and, held,
// repeats as the desktop arrows do.
class DomSpinControl final : public tubaro::SpinControl {
public:
    DomSpinControl(dom::Element group, dom::Element up, dom::Element down) : m_group(group), m_up(up), m_down(down) {}
    ~DomSpinControl() override;
    DomSpinControl(const DomSpinControl&) = delete;
    DomSpinControl& operator=(const DomSpinControl&) = delete;

    void set_visible(bool visible) override;
    bool visible() const override { return !dom::hidden(m_group); }

    dom::Element up() const { return m_up; }
    dom::Element down() const { return m_down; }

    // A button pressed and held: `step_once` runs now, then again and again
    // until release() (after a pause, as a held key repeats).
    void press(std::function<void()> step_once);
    void release();

private:
    static void repeat(void* self);

    dom::Element m_group, m_up, m_down;
    std::function<void()> m_held_step;
    long m_timer = 0;
};
