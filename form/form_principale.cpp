#include "form_principale.h"

#include "module_calcoli.h"
#include "number_text.h"
#include "pipe_size.h"

namespace tubaro {

TextBox& FormControls::field(Quantity quantity) const
{
    switch (quantity) {
    case Quantity::Diameter: return text_d;
    case Quantity::Power: return text_p;
    case Quantity::Loss: return text_y;
    case Quantity::Length: return text_l;
    }
    return text_d;
}

SpinControl& FormControls::spin(Quantity quantity) const
{
    switch (quantity) {
    case Quantity::Diameter: return updown_d;
    case Quantity::Power: return updown_p;
    case Quantity::Loss: return updown_y;
    case Quantity::Length: return updown_l;
    }
    return updown_d;
}

Form_Principale::Form_Principale(const FormControls& controls, std::string decimal_separator)
    : m_controls(controls), m_separator(std::move(decimal_separator))
{
}

void Form_Principale::load()
{
    m_controls.window.set_topmost(true);
}

void Form_Principale::option_click(Quantity mode)
{
    // In the order D, P, Y, L; only the computed quantity cannot be stepped.
    for (Quantity quantity : kQuantities)
        m_controls.spin(quantity).set_visible(quantity != mode);
}

void Form_Principale::key_release(Quantity field)
{
    const std::string text = m_controls.field(field).text();
    if (text.empty())
        return;  // only the empty text; spaces go on and fail to convert
    const double value = text_to_double(text, m_separator);
    if (value > 0.0 && value < limits_of(field).typed_limit)
        spin_notification(field);
}

void Form_Principale::spin_notification(Quantity)
{
    // Whichever field was touched, the mode's quantity is recalculated.
    Ricalcola();
}

void Form_Principale::diameter_change()
{
    const std::string text = m_controls.text_d.text();
    if (text.empty())
        return;  // the designation stays as it was
    m_controls.text_pollici.set_text(nominal_pipe_size(text_to_double(text, m_separator)));
}

void Form_Principale::stay_on_top_click()
{
    m_controls.window.set_topmost(m_controls.check1.value() != CheckBox::Unchecked);
}

void Form_Principale::information_click()
{
    const bool showing_address = m_controls.text1.text() == kWebAddress;
    m_controls.text1.set_text(showing_address ? kVersionLine : kWebAddress);
}

void Form_Principale::Ricalcola()
{
    const FormControls& c = m_controls;
    const std::string_view sep = m_separator;
    bool wrote = false;

    // The four tests run in this fixed order; exactly one option is set. In
    // each branch the inputs are converted in the order that decides which
    // error a user sees when several fields are bad.
    if (c.option_diametro.is_set()) {
        const Long L = text_to_long(c.text_l.text(), sep);
        const Long Y = text_to_long(c.text_y.text(), sep);
        const Long P = text_to_long(c.text_p.text(), sep);
        c.text_d.set_text(long_to_text(Calcola_Diametro(P, Y, L)));
        wrote = true;
    }
    if (c.option_potenza.is_set()) {
        const Long L = text_to_long(c.text_l.text(), sep);
        const Long Y = text_to_long(c.text_y.text(), sep);
        const Long D = text_to_long(c.text_d.text(), sep);
        c.text_p.set_text(long_to_text(Calcola_Potenza(D, Y, L)));
        wrote = true;
    }
    if (c.option_perdita.is_set()) {
        const Long L = text_to_long(c.text_l.text(), sep);
        const Long P = text_to_long(c.text_p.text(), sep);
        const Long D = text_to_long(c.text_d.text(), sep);
        c.text_y.set_text(long_to_text(Calcola_Perdita(D, P, L)));
        wrote = true;
    }
    if (c.option_lunghezza.is_set()) {
        const Long Y = text_to_long(c.text_y.text(), sep);
        const Currency P = text_to_currency(c.text_p.text(), sep);  // keeps its fraction here
        const Long D = text_to_long(c.text_d.text(), sep);
        c.text_l.set_text(long_to_text(Calcola_Lunghezza(D, P, Y)));
        wrote = true;
    }
    if (wrote && m_recalculated)
        m_recalculated();
}

}  // namespace tubaro
