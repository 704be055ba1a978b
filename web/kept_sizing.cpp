#include "kept_sizing.h"

#include <string>

#include "quantity_words.h"

using tubaro::Quantity;

KeptSizing::KeptSizing()
    : m_page(dom::by_id("pagina")), m_sheet(dom::by_id("stampa")), m_designation(dom::by_id("stampa-pollici")),
      m_date(dom::by_id("stampa-data")), m_address(dom::by_id("stampa-indirizzo"))
{
    for (Quantity quantity : tubaro::kQuantities) {
        const std::string id = "stampa-" + std::string(tubaro::kQuantityWords[quantity].word);
        m_values[quantity] = dom::by_id(id);
        m_notes[quantity] = dom::by_id(id + "-modo");
    }
}

void KeptSizing::write(const tubaro::SizingRecord& record)
{
    dom::replace_fragment(record.fragment);
    dom::set_title(record.title);
    for (Quantity quantity : tubaro::kQuantities) {
        dom::set_text_content(m_values[quantity], record.values[quantity]);
        dom::set_text_content(m_notes[quantity], record.notes[quantity]);
    }
    dom::set_text_content(m_designation, record.designation);
    before_print();
    // From now on paper shows this sheet, not the form.
    dom::set_attribute(m_page, "class", "con-foglio");
}

void KeptSizing::before_print()
{
    dom::set_text_content(m_date, dom::date_and_time_now());
    dom::set_text_content(m_address, dom::location_href());
}
