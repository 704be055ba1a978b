#include "rules/recalculation.h"

#include "calc/long.h"
#include "calc/module_calcoli.h"
#include "calc/number_text.h"

namespace tubaro {

namespace {

Long solve(Quantity mode, const FieldTexts& texts, std::string_view sep)
{
    const auto whole = [&](Quantity input) { return text_to_long(texts[input], sep); };
    switch (mode) {
    case Quantity::Diameter: {
        const Long L = whole(Quantity::Length);
        const Long Y = whole(Quantity::Loss);
        const Long P = whole(Quantity::Power);
        return Calcola_Diametro(P, Y, L);
    }
    case Quantity::Power: {
        const Long L = whole(Quantity::Length);
        const Long Y = whole(Quantity::Loss);
        const Long D = whole(Quantity::Diameter);
        return Calcola_Potenza(D, Y, L);
    }
    case Quantity::Loss: {
        const Long L = whole(Quantity::Length);
        const Long P = whole(Quantity::Power);
        const Long D = whole(Quantity::Diameter);
        return Calcola_Perdita(D, P, L);
    }
    case Quantity::Length: {
        const Long Y = whole(Quantity::Loss);
        const Currency P = text_to_currency(texts[Quantity::Power], sep);
        const Long D = whole(Quantity::Diameter);
        return Calcola_Lunghezza(D, P, Y);
    }
    }
    raise(ErrorKind::InvalidArgument);  // unreachable: every mode is handled above
}

}  // namespace

Outcome<std::string> recalculate(Quantity mode, const FieldTexts& texts, std::string_view decimal_separator)
{
    return capture([&] { return long_to_text(solve(mode, texts, decimal_separator)); });
}

}  // namespace tubaro
