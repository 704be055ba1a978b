#include "windowless_form.h"

#include "error_kind.h"

namespace tubaro {

namespace {

constexpr ControlId field_of(Quantity quantity)
{
    return kQuantityControls[quantity].field;
}

template <typename Interface, typename Double>
PerQuantity<Interface*> addresses(PerQuantity<Double>& doubles)
{
    PerQuantity<Interface*> result{};
    for (Quantity quantity : kQuantities)
        result[quantity] = &doubles[quantity];
    return result;
}

// The kind a note names, read back from its text.
std::optional<ErrorKind> kind_named(std::string_view message)
{
    for (ErrorKind kind :
         {ErrorKind::TypeMismatch, ErrorKind::Overflow, ErrorKind::DivisionByZero, ErrorKind::InvalidArgument})
        if (error_name(kind) == message)
            return kind;
    return std::nullopt;
}

}  // namespace

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

void WindowDouble::show_error(std::optional<ControlId> source, std::string_view message)
{
    m_notes.push_back({source, std::string(message)});
    if (const auto kind = kind_named(message))
        m_kinds.push_back(*kind);
    else
        ++m_other_failures;
    m_note_shown = true;
}

void WindowDouble::hide_error()
{
    m_note_shown = false;
    ++m_recalculations;
    if (on_recalculated)
        on_recalculated();
}

WindowlessForm::WindowlessForm(std::string decimal_separator)
    : m_form(std::move(decimal_separator)),
      // Start values are stored, not computed: they are in place before the
      // form is bound, so no handler runs.
      m_boxes{{{{m_form, field_of(Quantity::Diameter)},
                {m_form, field_of(Quantity::Power)},
                {m_form, field_of(Quantity::Loss)},
                {m_form, field_of(Quantity::Length)}}}},
      m_text_pollici(m_form, ControlId::Text_Pollici),
      m_text1(m_form, ControlId::Text1),
      m_options{{{OptionButtonDouble(ControlId::Option_Diametro), OptionButtonDouble(ControlId::Option_Potenza),
                  OptionButtonDouble(ControlId::Option_Perdita), OptionButtonDouble(ControlId::Option_Lunghezza)}}},
      m_spins{{{SpinControlDouble(ControlId::UpDown_D), SpinControlDouble(ControlId::UpDown_P),
                SpinControlDouble(ControlId::UpDown_Y), SpinControlDouble(ControlId::UpDown_L)}}}
{
    m_form.bind(FormControls{addresses<TextBox>(m_boxes), addresses<OptionButton>(m_options),
                             addresses<SpinControl>(m_spins), &m_text_pollici, &m_text1, &m_check1, &m_window});
    m_form.loaded();
}

void WindowlessForm::press_key(Quantity field, KeyChord key)
{
    m_form.key_pressed(field_of(field), key);
}

void WindowlessForm::release_key(Quantity field, KeyChord key)
{
    m_form.key_released(field_of(field), key);
}

void WindowlessForm::focus(Quantity field, std::optional<KeyChord> moved_by)
{
    for (Quantity each : kQuantities)
        m_form.focus_left(field_of(each));
    m_form.focus_entered(field_of(field), moved_by);
}

void WindowlessForm::type(Quantity field, std::string_view text)
{
    for (char c : text) {
        const KeyChord key{static_cast<unsigned char>(c), 0};
        press_key(field, key);
        m_boxes[field].user_edit(m_boxes[field].text() + c);
        release_key(field, key);
    }
}

void WindowlessForm::backspace(Quantity field)
{
    constexpr KeyChord kBackspace{0x08, 0};
    press_key(field, kBackspace);
    std::string text = m_boxes[field].text();
    if (!text.empty()) {
        text.pop_back();
        m_boxes[field].user_edit(text);
    }
    release_key(field, kBackspace);
}

void WindowlessForm::paste(Quantity field, std::string_view text)
{
    m_boxes[field].user_edit(text);
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
    m_check1.m_value = m_check1.m_value == CheckBox::Unchecked ? CheckBox::Checked : CheckBox::Unchecked;
    m_form.clicked(ControlId::Check1, 1);
}

void WindowlessForm::click_text1(int clicks)
{
    m_form.clicked(ControlId::Text1, clicks);
}

std::optional<Quantity> WindowlessForm::mode() const
{
    for (Quantity quantity : kQuantities)
        if (m_options[quantity].is_set())
            return quantity;
    return std::nullopt;
}

int WindowlessForm::options_set() const
{
    int set = 0;
    for (Quantity quantity : kQuantities)
        set += m_options[quantity].is_set();
    return set;
}

std::optional<ErrorKind> WindowlessForm::last_error() const
{
    if (m_window.m_notes.empty())
        return std::nullopt;
    return kind_named(m_window.m_notes.back().message);
}

void WindowlessForm::clear_errors()
{
    m_window.m_notes.clear();
    m_window.m_kinds.clear();
    m_window.m_other_failures = 0;
}

}  // namespace tubaro
