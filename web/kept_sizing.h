#pragma once

#include "dom.h"
#include "quantity.h"
#include "sizing_record.h"

// Where the page says what sizing it shows, storing nothing: its own address
// (the fragment of sizing_link.h, in the current history entry, so a reload,
// a discarded tab, a bookmark and a shared link bring it back), the
// document's title, and the sheet for paper (#stampa, which page_markup
// writes), which takes the date and time when it is printed. The form
// decides what each says (SizingRecord); this only writes it.
class KeptSizing {
public:
    KeptSizing();

    // The page's address fragment now, still escaped; empty for none.
    std::string in_address() const { return dom::location_fragment(); }

    void write(const tubaro::SizingRecord& record);
    // Just before printing: the date and time, and the address that
    // reopens the sizing.
    void before_print();

private:
    dom::Element m_page;
    dom::Element m_sheet;
    tubaro::PerQuantity<dom::Element> m_values{};
    tubaro::PerQuantity<dom::Element> m_notes{};
    dom::Element m_designation, m_date, m_address;
};
