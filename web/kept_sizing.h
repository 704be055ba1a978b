#pragma once

#include <string>
#include <string_view>

#include "dom.h"
#include "quantity.h"
#include "recalculation.h"
#include "sizing_link.h"

// What the page keeps of a sizing, storing nothing: its own address (the
// fragment of sizing_link.h) and the document's title follow each accepted
// recalculation and each choice of the computed quantity, in the current
// history entry (a reload, a discarded tab, a bookmark and a shared link
// bring it back); the sheet for paper (#stampa, which page_markup writes)
// follows the same sizing and takes the date and time when it is printed.
class KeptSizing {
public:
    explicit KeptSizing(std::string decimal_separator);

    // The sizing the address holds now, in this reader's separator.
    tubaro::SizingLink in_address() const;

    // An accepted recalculation, or the computed quantity chosen: into the
    // address, the title and the sheet.
    void keep(tubaro::Quantity mode, const tubaro::FieldTexts& texts, std::string_view designation);
    // The sheet alone: the sizing the page opens with.
    void fill_sheet(tubaro::Quantity mode, const tubaro::FieldTexts& texts, std::string_view designation);
    // Just before printing: the date and time, and the address that
    // reopens the sizing.
    void before_print();

private:
    std::string m_separator;
    dom::Element m_sheet;
    tubaro::PerQuantity<dom::Element> m_values{};
    tubaro::PerQuantity<dom::Element> m_computed{};
    dom::Element m_designation, m_date, m_address;
};
