#include "kept_sizing.h"

#include "page_texts.h"
#include "quantity_words.h"
#include "window_data.h"

using tubaro::Quantity;

KeptSizing::KeptSizing(std::string decimal_separator)
    : m_separator(std::move(decimal_separator)), m_sheet(dom::by_id("stampa")),
      m_designation(dom::by_id("stampa-pollici")), m_date(dom::by_id("stampa-data")),
      m_address(dom::by_id("stampa-indirizzo"))
{
    for (Quantity quantity : tubaro::kQuantities) {
        const std::string id = "stampa-" + std::string(tubaro::kQuantityWords[quantity].word);
        m_values[quantity] = dom::by_id(id);
        m_computed[quantity] = dom::by_id(id + "-modo");
    }
}

tubaro::SizingLink KeptSizing::in_address() const
{
    return tubaro::read_link_fragment(dom::location_fragment(), m_separator);
}

void KeptSizing::keep(Quantity mode, const tubaro::FieldTexts& texts, std::string_view designation)
{
    dom::replace_fragment(tubaro::link_fragment(mode, texts, m_separator));
    dom::set_title(std::string(tubaro::kWindowCaption) + " · " + tubaro::sizing_summary(mode, texts, designation));
    fill_sheet(mode, texts, designation);
}

void KeptSizing::fill_sheet(Quantity mode, const tubaro::FieldTexts& texts, std::string_view designation)
{
    for (Quantity quantity : tubaro::kQuantities) {
        dom::set_text_content(m_values[quantity], texts[quantity]);
        dom::set_text_content(m_computed[quantity], quantity == mode ? page_texts::kSheetComputed : "");
    }
    dom::set_text_content(m_designation, designation);
    before_print();
    // From now on paper shows this sheet, not the form.
    dom::set_attribute(m_sheet, "class", "compilato");
}

void KeptSizing::before_print()
{
    dom::set_text_content(m_date, dom::date_and_time_now());
    dom::set_text_content(m_address, dom::location_href());
}
