#include "web/installation_markup.h"

#include "web/html_text.h"
#include "rules/installation.h"
#include "rules/installation_words.h"
#include "form/user_texts.h"

namespace installation_page {

namespace {

using tubaro::SectionField;

bool is_number(SectionField field)
{
    return field != SectionField::Name && field != SectionField::From;
}

std::string text_input(std::string_view id, std::string_view value, bool number, bool invalid,
                       std::string_view described_by)
{
    std::string html = "<input" + html_attribute("id", id) + " type=\"text\" autocomplete=\"off\" spellcheck=\"false\"";
    if (number)
        html += " inputmode=\"decimal\" enterkeyhint=\"done\"";
    if (invalid)
        html += " aria-invalid=\"true\"";
    return html + html_attribute("aria-describedby", described_by) + html_attribute("value", value) + ">";
}

// Seen on a phone, where a row is a card: what a cell holds.
std::string label_for(std::string_view id, std::string_view text)
{
    return "<label class=\"etichetta\"" + html_attribute("for", id) + ">" + html_escaped(text) + "</label>";
}

std::string fault_span(std::string_view field, std::string_view fault)
{
    return "<span" + html_attribute("id", fault_id(field)) + " class=\"errore\">" + html_escaped(fault) + "</span>";
}

std::string field_cell(const RowShown& row, SectionField field)
{
    const std::string id = field_id(row.number, field);
    const bool invalid = !row.faults[field].empty();
    std::string described_by = fault_id(id);
    std::string html = label_for(id, tubaro::kFieldHeadings[field]);
    if (field == SectionField::From) {
        html += "<select" + html_attribute("id", id) + (invalid ? " aria-invalid=\"true\"" : "") +
                html_attribute("aria-describedby", described_by) + ">" + row.options + "</select>";
    } else if (field == SectionField::Diameter) {
        // The proposal where the field is left empty, shown in it.
        const std::string proposed = part_id(row.number, kProposedSuffix);
        html += "<span class=\"campo\">" +
                text_input(id, row.texts[field], true, invalid, described_by + " " + proposed) + "<span" +
                html_attribute("id", proposed) + " class=\"proposto\">" + html_escaped(row.proposal) + "</span></span>";
    } else {
        html += text_input(id, row.texts[field], is_number(field), invalid, described_by);
    }
    html += fault_span(id, row.faults[field]);
    if (field == SectionField::Name)
        return "<th scope=\"row\">" + html + "</th>";
    return std::string(is_number(field) ? "<td class=\"numero\">" : "<td>") + html + "</td>";
}

std::string button(std::string_view id, std::string_view text, std::string_view class_name, int row)
{
    // Each names its section by its name field, as a screen reader reads it.
    return "<button type=\"button\"" + html_attribute("id", id) + html_attribute("class", class_name) +
           html_attribute("aria-describedby", field_id(row, SectionField::Name)) + ">" + html_escaped(text) + "</button>";
}

}  // namespace

std::string row_id(int row)
{
    return std::string(kRowPrefix) + std::to_string(row);
}

std::string part_id(int row, std::string_view suffix)
{
    return row_id(row).append("-").append(suffix);
}

std::string field_id(int row, SectionField field)
{
    return part_id(row, kFieldSuffixes[field]);
}

std::string fault_id(std::string_view field)
{
    return std::string(field).append("-").append(kFaultSuffix);
}

std::string start_option(std::string_view value, std::string_view label)
{
    return "<option" + html_attribute("value", value) + ">" + html_escaped(label) + "</option>";
}

std::string row_class_of(std::string_view outcome_class, bool worst)
{
    std::string name(outcome_class);
    if (worst)
        name += name.empty() ? "peggiore" : " peggiore";
    return name;
}

std::string row_class(const RowShown& row)
{
    return row_class_of(row.outcome_class, row.worst);
}

std::string table_row_markup(const std::vector<std::string>& cells, std::string_view class_name)
{
    std::string html = "<tr" + html_attribute("class", class_name) + ">";
    for (const std::string& cell : cells)
        html += "<td>" + html_escaped(cell) + "</td>";
    return html + "</tr>";
}

std::string row_markup(const RowShown& row)
{
    std::string html = "<tr" + html_attribute("id", row_id(row.number)) + html_attribute("class", row_class(row)) + ">";
    for (SectionField field : tubaro::kSectionFields)
        html += field_cell(row, field);
    for (std::size_t i = 0; i < kFigureSuffixes.size(); ++i)
        html += std::string(i + 1 == kFigureSuffixes.size() ? "<td class=\"esito\">" : "<td class=\"cifra\">") +
                "<span class=\"etichetta\">" + html_escaped(tubaro::kFigureHeadings[i]) + "</span><span" +
                html_attribute("id", part_id(row.number, kFigureSuffixes[i])) + ">" + html_escaped(row.figures[i]) +
                "</span></td>";
    html += "<td class=\"azioni\">" +
            button(part_id(row.number, kFromHereSuffix), tubaro::kAddSectionFromHere, "da-qui", row.number) +
            button(part_id(row.number, kRemoveSuffix), tubaro::kRemoveSection, "togli", row.number) + "</td></tr>";
    return html;
}

std::string views_markup(std::string_view view_fragment)
{
    return "<nav class=\"viste\"" + html_attribute("aria-label", tubaro::texts::kViewsName) + "><a" +
           html_attribute("id", kFormLinkId) + " href=\"#\" aria-current=\"page\">" +
           html_escaped(tubaro::texts::kFormViewName) + "</a><a" + html_attribute("id", kViewLinkId) +
           html_attribute("href", "#" + std::string(view_fragment)) + ">" + html_escaped(tubaro::kViewName) +
           "</a></nav>\n";
}

std::string view_markup()
{
    std::string html = "<section" + html_attribute("id", kViewId) +
                       " class=\"impianto\" aria-labelledby=\"impianto-titolo\">\n<h2 id=\"impianto-titolo\">" +
                       html_escaped(tubaro::kViewName) + "</h2>\n<p class=\"ammessa\">" +
                       "<label" + html_attribute("for", kAllowanceId) + ">" + html_escaped(tubaro::kAllowanceHeading) +
                       "</label>" +
                       text_input(kAllowanceId, tubaro::kDefaultAllowance, true, false, fault_id(kAllowanceId)) +
                       fault_span(kAllowanceId, "") + "</p>\n<div class=\"tabella\"><table>\n<thead><tr>";
    for (SectionField field : tubaro::kSectionFields)
        html += std::string(is_number(field) ? "<th scope=\"col\" class=\"numero\">" : "<th scope=\"col\">") +
                html_escaped(tubaro::kFieldHeadings[field]) + "</th>";
    for (std::size_t i = 0; i < tubaro::kFigureHeadings.size(); ++i)
        html += std::string(i + 1 < tubaro::kFigureHeadings.size() ? "<th scope=\"col\" class=\"cifra\">"
                                                                   : "<th scope=\"col\">") +
                html_escaped(tubaro::kFigureHeadings[i]) + "</th>";
    html += "<th scope=\"col\"><span class=\"nascosto\">" + html_escaped(tubaro::kActionsHeading) + "</span></th>";
    html += "</tr></thead>\n<tbody" + html_attribute("id", kRowsId) + "></tbody>\n</table></div>\n";
    html += "<p" + html_attribute("id", kEmptyId) + " class=\"suggerimento\" hidden>" + html_escaped(tubaro::kEmptyHint) +
            "</p>\n";
    html += "<p class=\"comandi\"><button type=\"button\"" + html_attribute("id", kAddId) + ">" +
            html_escaped(tubaro::kAddSection) + "</button></p>\n";
    html += "<p" + html_attribute("id", kSummaryId) + " class=\"sintesi\"></p>\n";
    html += "<p" + html_attribute("id", kNoteId) + " class=\"avviso\" role=\"status\"></p>\n</section>\n";
    return html;
}

std::string sheet_markup(std::string_view caption, std::string_view version_line)
{
    std::string html = "<section" + html_attribute("id", kSheetId) + ">\n<h2>" + html_escaped(caption) + "</h2>\n<p>" +
                       html_escaped(tubaro::kSheetHeading) + "</p>\n<table class=\"tratti\">\n<thead><tr>";
    for (SectionField field : tubaro::kSectionFields)
        html += "<th>" + html_escaped(tubaro::kFieldHeadings[field]) + "</th>";
    for (std::string_view heading : tubaro::kFigureHeadings)
        html += "<th>" + html_escaped(heading) + "</th>";
    html += "</tr></thead>\n<tbody" + html_attribute("id", kSheetRowsId) + "></tbody>\n</table>\n";
    html += "<h3>" + html_escaped(tubaro::kPathsHeading) + "</h3>\n<table class=\"percorsi\">\n<thead><tr><th>" +
            html_escaped(tubaro::kFieldHeadings[SectionField::Name]) + "</th><th>" +
            html_escaped(tubaro::kFieldHeadings[SectionField::Power]) +
            "</th><th>" + html_escaped(tubaro::kFigureHeadings[2]) + "</th><th>" + html_escaped(tubaro::kMarginHeading) +
            "</th><th>" + html_escaped(tubaro::kFigureHeadings[4]) + "</th></tr></thead>\n<tbody" +
            html_attribute("id", kSheetPathsId) + "></tbody>\n</table>\n";
    html += "<p" + html_attribute("id", kSheetSummaryId) + "></p>\n<p>" + html_escaped(tubaro::kAssumptions) + "</p>\n";
    html += "<p>" + html_escaped(tubaro::kSheetPrinted) + " <span" + html_attribute("id", kSheetDateId) + "></span></p>\n";
    html += "<p>" + html_escaped(tubaro::kSheetReopen) + "<br><span" + html_attribute("id", kSheetAddressId) +
            "></span></p>\n";
    html += "<p>" + html_escaped(version_line) + "</p>\n</section>\n";
    return html;
}

}  // namespace installation_page
