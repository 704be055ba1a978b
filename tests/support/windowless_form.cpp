#include "windowless_form.h"

namespace tubaro {

void TextBoxDouble::set_text(std::string_view text)
{
    m_text = text;
    m_form.text_changed(m_id);
}

void TextBoxDouble::user_edit(std::string_view text)
{
    if (text == m_text)
        return;
    set_text(text);
}

void WindowDouble::focus(ControlId control, FocusCause cause)
{
    if (m_focus)
        m_form.focus_left(*m_focus);
    m_focus = control;
    m_form.focus_entered(control, cause);
}

void WindowDouble::show_error(const ErrorReport& report)
{
    m_notes.push_back({report.source, report.kind, std::string(report.message)});
    if (report.kind)
        m_kinds.push_back(*report.kind);
    else
        ++m_other_failures;
    m_note_shown = true;
}

WindowlessForm::WindowlessForm(std::string decimal_separator, WindowTraits traits, DoneBeforeBinding done)
    : m_window(m_form, traits), m_doubles(m_window, m_form, done), m_form(m_doubles, decimal_separator)
{
    m_form.listen({[this] {
                       ++m_recalculations;
                       if (m_on_recalculated)
                           m_on_recalculated();
                   },
                   [this](const SizingRecord& record) { m_records.push_back(record); }});
    std::vector<ControlId> typed;
    for (const auto& [id, text] : done.texts)
        typed.push_back(id);
    std::optional<SizingLink> address;
    if (done.address)
        address = read_link_fragment(*done.address, decimal_separator);
    m_form.loaded(typed, address);
}

ControlSpec WindowlessForm::Doubles::as_left(const ControlSpec& row) const
{
    ControlSpec left = row;
    const auto set = [&](bool on) {
        left.settings = on ? left.settings | kSetAtStart : left.settings & ~static_cast<unsigned>(kSetAtStart);
    };
    if (m_done.option && row.kind == ControlKind::OptionButton)
        set(quantity_of(row.id) == m_done.option);
    if (m_done.check1_ticked && row.id == ControlId::Check1 && !row.has(kDisabledAtStart))
        set(true);
    for (const auto& [id, text] : m_done.texts)
        if (id == row.id)
            left.text = text;
    return left;
}

TextBox& WindowlessForm::Doubles::make_text_box(const ControlSpec& row)
{
    return *(m_text_boxes[index(row.id)] = std::make_unique<TextBoxDouble>(m_form, as_left(row)));
}

OptionButton& WindowlessForm::Doubles::make_option_button(const ControlSpec& row)
{
    return *(m_options[index(row.id)] = std::make_unique<OptionButtonDouble>(as_left(row)));
}

CheckBox& WindowlessForm::Doubles::make_check_box(const ControlSpec& row)
{
    return *(m_check1 = std::make_unique<CheckBoxDouble>(as_left(row)));
}

SpinControl& WindowlessForm::Doubles::make_spin_control(const ControlSpec& row)
{
    return *(m_spins[index(row.id)] = std::make_unique<SpinControlDouble>(row));
}

void WindowlessForm::press_key(Quantity field, KeyChord key)
{
    m_form.key_pressed(kQuantityControls[field].field, key, false);
}

void WindowlessForm::release_key(Quantity field, KeyChord key)
{
    m_form.key_released(kQuantityControls[field].field, key);
}

void WindowlessForm::focus(Quantity field, FocusCause cause)
{
    m_window.focus(kQuantityControls[field].field, cause);
}

void WindowlessForm::type(Quantity field, std::string_view text)
{
    for (char c : text) {
        const KeyChord key{Key::Other, static_cast<unsigned char>(c), 0};
        press_key(field, key);
        box(field).user_edit(box(field).text() + c);
        release_key(field, key);
    }
}

void WindowlessForm::backspace(Quantity field)
{
    constexpr KeyChord kBackspace{Key::Other, 0x08, 0};
    press_key(field, kBackspace);
    std::string text = box(field).text();
    if (!text.empty()) {
        text.pop_back();
        box(field).user_edit(text);
    }
    release_key(field, kBackspace);
}

void WindowlessForm::paste(Quantity field, std::string_view text)
{
    box(field).user_edit(text);
}

void WindowlessForm::step(Quantity field, int direction)
{
    m_form.spin_stepped(kQuantityControls[field].spin, direction);
}

void WindowlessForm::click_option(Quantity mode)
{
    m_form.clicked(kQuantityControls[mode].option, 1);
}

void WindowlessForm::click_check1()
{
    CheckBoxDouble& box = *m_doubles.m_check1;
    box.m_value = box.m_value == CheckBox::Unchecked ? CheckBox::Checked : CheckBox::Unchecked;
    m_form.clicked(ControlId::Check1, 1);
}

void WindowlessForm::click_text1(int clicks)
{
    m_form.clicked(ControlId::Text1, clicks);
}

std::optional<Quantity> WindowlessForm::mode() const
{
    for (Quantity quantity : kQuantities)
        if (m_doubles.option(quantity).is_set())
            return quantity;
    return std::nullopt;
}

int WindowlessForm::options_set() const
{
    int set = 0;
    for (Quantity quantity : kQuantities)
        set += m_doubles.option(quantity).is_set();
    return set;
}

bool WindowlessForm::spin_visible(Quantity field) const
{
    return m_doubles.spin(field).visible();
}

std::optional<ErrorKind> WindowlessForm::last_error() const
{
    if (m_window.m_notes.empty())
        return std::nullopt;
    return m_window.m_notes.back().kind;
}

void WindowlessForm::clear_errors()
{
    m_window.m_notes.clear();
    m_window.m_kinds.clear();
    m_window.m_other_failures = 0;
}

}  // namespace tubaro
