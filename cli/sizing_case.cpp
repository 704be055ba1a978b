#include "sizing_case.h"

#include "number_text.h"
#include "pipe_size.h"

using tubaro::Quantity;

std::optional<Quantity> parse_mode(std::string_view word, bool letters_too)
{
    struct Name {
        std::string_view word;
        std::string_view letter;
        Quantity mode;
    };
    static constexpr Name kNames[] = {{"diametro", "D", Quantity::Diameter},
                                      {"potenza", "P", Quantity::Power},
                                      {"perdita", "Y", Quantity::Loss},
                                      {"lunghezza", "L", Quantity::Length}};
    for (const Name& name : kNames)
        if (word == name.word || (letters_too && word == name.letter))
            return name.mode;
    return std::nullopt;
}

Calculator::Calculator(std::string decimal_separator)
    : m_separator(decimal_separator), m_form(std::move(decimal_separator))
{
}

SizingOutcome Calculator::solve(const SizingCase& sizing_case)
{
    for (Quantity quantity : tubaro::kQuantities)
        m_form.paste(quantity, sizing_case.texts[slot(quantity)]);
    m_form.click_option(sizing_case.mode);
    m_form.clear_errors();

    SizingOutcome outcome;
    try {
        m_form.logic().Ricalcola();
    } catch (const tubaro::CalcError& error) {
        outcome.error = error.kind();
    }
    for (Quantity quantity : tubaro::kQuantities)
        outcome.texts[slot(quantity)] = m_form.text(quantity);
    outcome.designation = designation_for(outcome.texts[slot(Quantity::Diameter)]);
    return outcome;
}

std::string Calculator::designation_for(std::string_view diameter_text) const
{
    if (diameter_text.empty())
        return {};
    try {
        return std::string(tubaro::nominal_pipe_size(tubaro::text_to_double(diameter_text, m_separator)));
    } catch (const tubaro::CalcError&) {
        return {};
    }
}
