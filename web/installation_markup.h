#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "rules/section_line.h"

// The installation's view on the page, as HTML: what page_markup writes
// into the page at build time (the links between the views, the view with
// its headings and no row, the sheet for paper without its figures), and
// each row, which InstallationView writes at run time. Every text a user
// typed is escaped; every other text is the installation library's.
namespace installation_page {

// The ids the view's operations name.
inline constexpr std::string_view kViewId = "impianto";
inline constexpr std::string_view kAllowanceId = "impianto-ammessa";
inline constexpr std::string_view kRowsId = "impianto-tratti";
inline constexpr std::string_view kAddId = "impianto-aggiungi";
inline constexpr std::string_view kEmptyId = "impianto-vuoto";
inline constexpr std::string_view kSummaryId = "impianto-sintesi";
inline constexpr std::string_view kNoteId = "impianto-nota";
inline constexpr std::string_view kFormLinkId = "vista-calcolo";
inline constexpr std::string_view kViewLinkId = "vista-impianto";
inline constexpr std::string_view kSheetId = "stampa-impianto";
inline constexpr std::string_view kSheetRowsId = "stampa-impianto-tratti";
inline constexpr std::string_view kSheetPathsId = "stampa-impianto-percorsi";
inline constexpr std::string_view kSheetSummaryId = "stampa-impianto-sintesi";
inline constexpr std::string_view kSheetDateId = "stampa-impianto-data";
inline constexpr std::string_view kSheetAddressId = "stampa-impianto-indirizzo";

// A row's elements: "tratto-3", its fields "tratto-3-l", a field's fault
// "tratto-3-l-errore", its figures "tratto-3-p", its buttons.
inline constexpr std::string_view kRowPrefix = "tratto-";
inline constexpr tubaro::PerSectionField<std::string_view> kFieldSuffixes{{"nome", "da", "l", "d", "kw"}};
inline constexpr std::array<std::string_view, 5> kFigureSuffixes{{"p", "y", "ydc", "pollici", "esito"}};
inline constexpr std::string_view kFaultSuffix = "errore";
inline constexpr std::string_view kProposedSuffix = "proposto";
inline constexpr std::string_view kFromHereSuffix = "daqui";
inline constexpr std::string_view kRemoveSuffix = "togli";
// A start whose section is no longer there: the select keeps its name, as
// its choice's value after this mark.
inline constexpr std::string_view kLostStart = "-";

std::string row_id(int row);
std::string part_id(int row, std::string_view suffix);
std::string field_id(int row, tubaro::SectionField field);
std::string fault_id(std::string_view field);

// A choice of where a section starts: the meter (value empty) or a row
// above, as an option of its select.
std::string start_option(std::string_view value, std::string_view label);

// All a row shows.
struct RowShown {
    int number = 0;
    tubaro::PerSectionField<std::string_view> texts{};  // as typed (Da: its choice's name)
    std::string options;  // start_option()s, the meter's first
    std::string start;    // the chosen one's value, which the select is set to
    tubaro::PerSectionField<std::string> faults{};  // empty where none
    std::string proposal;                          // "17 proposto", or empty
    std::array<std::string, 5> figures{};          // P, Y, Y dal contatore, Pollici, Esito
    std::string_view outcome_class;                // entro, oltre, or empty
    bool worst = false;
};

// (Its select shows the first option, the meter's, until set to
// row.start.)
std::string row_markup(const RowShown& row);
// The class of a row, on the screen and on paper: its outcome, and whether
// it is the worst path's.
std::string row_class_of(std::string_view outcome_class, bool worst);
std::string row_class(const RowShown& row);
// A row of a table on paper, its cells' texts escaped.
std::string table_row_markup(const std::vector<std::string>& cells, std::string_view class_name);

// Built into the page: the links between the views (the installation's
// leading to `view_fragment`), the view, and its sheet for paper.
std::string views_markup(std::string_view view_fragment);
std::string view_markup();
std::string sheet_markup(std::string_view caption, std::string_view version_line);

}  // namespace installation_page
