// Writes what the page's HTML and style sheet say of the form, from the
// window's data, at build time: so the form is on screen as soon as the HTML
// and the style sheet arrive, and the WebAssembly only binds to it.
//   page_markup html   the form's elements, made by the form's own walk over
//                      the window's data and written in the order of the tab
//                      indexes (the browser's own order into the page, and
//                      what a screen reader meets in turn, are the window's)
//   page_markup css    the window's layout: each control's place, in
//                      percent of the form, for a mouse on a wide screen
// (page_html.cmake puts both into index.html, the style sheet inside it.)
#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "web/html_text.h"
#include "rules/installation_link.h"
#include "web/installation_markup.h"
#include "form/keyboard.h"
#include "web/page_layout.h"
#include "web/page_traits.h"
#include "rules/quantity_words.h"
#include "tubaro_version.h"
#include "form/user_texts.h"
#include "form/form_principale.h"
#include "form/window_build.h"
#include "form/window_data.h"

namespace {

using tubaro::ControlId;
using tubaro::ControlSpec;

std::string escaped(std::string_view text)
{
    return html_escaped(text);
}

std::string attribute(std::string_view name, std::string_view value)
{
    return html_attribute(name, value);
}

// What assistive technology and a pointer's tooltip read of a control.
std::string named(const ControlSpec& row)
{
    return attribute("aria-label", row.description) + attribute("title", tubaro::tooltip_of(row));
}

// Each control's element, written from its row as the page shows it.
std::string element_of(const ControlSpec& row)
{
    const std::string id = attribute("id", row.name);
    switch (row.kind) {
    case tubaro::ControlKind::Label: {
        const ControlId field = tubaro::kQuantityControls[*tubaro::quantity_of(row.id)].field;
        return "<label" + id + attribute("for", tubaro::control_spec(field).name) + ">" + escaped(row.text) + "</label>";
    }
    case tubaro::ControlKind::TextBox: {
        std::string input = "<input" + id + " type=\"text\" autocomplete=\"off\" spellcheck=\"false\"";
        if (row.has(tubaro::kReadOnly))
            input += std::string(" readonly") + attribute("class", row.has(tubaro::kCentred) ? "info" : "output");
        // What the inch size follows, for the page's start script.
        if (row.has(tubaro::kWrittenOnly))
            input += attribute("data-field", tubaro::control_spec(ControlId::Text_D).name);
        else if (!row.has(tubaro::kReadOnly))
            input += " inputmode=\"decimal\" enterkeyhint=\"done\"";
        if (row.id == tubaro::first_focus_at_start())
            input += " autofocus";
        return input + attribute("value", row.text) + named(row) + ">";
    }
    case tubaro::ControlKind::OptionButton: {
        // The field it makes the computed one, for the page's start script.
        const ControlId field = tubaro::kQuantityControls[*tubaro::quantity_of(row.id)].field;
        return "<input" + id + " type=\"radio\" name=\"grandezza\"" + (row.has(tubaro::kSetAtStart) ? " checked" : "") +
               attribute("data-field", tubaro::control_spec(field).name) + named(row) + ">";
    }
    case tubaro::ControlKind::CheckBox:
        return "<input" + id + " type=\"checkbox\"" + (row.has(tubaro::kSetAtStart) ? " checked" : "") +
               (row.has(tubaro::kDisabledAtStart) ? " disabled" : "") + named(row) + ">";
    case tubaro::ControlKind::SpinControl: {
        const tubaro::QuantityControls& names = tubaro::kQuantityControls[*tubaro::quantity_of(row.id)];
        // The group takes the focus; its arrows, up first, answer pointers
        // and assistive technology.
        std::string group = "<div" + id + " role=\"group\" class=\"spin\" tabindex=\"0\"" + named(row) +
                            (row.has(tubaro::kHiddenAtStart) ? " hidden" : "") + ">";
        for (const auto& [kind, name] : {std::pair{"up", names.step_up_name}, std::pair{"down", names.step_down_name}})
            group += "<button type=\"button\"" + attribute("class", kind) + attribute("aria-label", name) +
                     attribute("title", name) + " tabindex=\"-1\"></button>";
        return group + "</div>";
    }
    }
    return {};
}

// The controls in the order of their tab indexes: the browser's own order
// into the page, and what a screen reader meets in turn, are the window's.
std::string controls_in_tab_order()
{
    // A page floats only at the user's own click: Check1 starts unticked.
    std::array<ControlSpec, tubaro::kControlCount> rows = tubaro::shown_rows(page_traits(true));
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.tab_index < b.tab_index; });
    std::string html;
    for (const ControlSpec& row : rows)
        html += element_of(row) + "\n";
    return html;
}

std::string sheet();

std::string version_line()
{
    return std::string(tubaro::kWindowCaption) + " " + std::string(tubaro::kVersionText) + " · " +
           std::string(tubaro::texts::kVersionLine);
}

void write_html()
{
    const std::string html = "<div" + attribute("id", tubaro::kWindowName) + " class=\"form\">\n" +
                             controls_in_tab_order() + "<div id=\"nota\" role=\"alert\" class=\"note\"" +
                             attribute("data-lento", tubaro::texts::kCodeSlow) +
                             attribute("data-mancante", tubaro::texts::kCodeMissing) +
                             attribute("data-senza-webassembly", tubaro::texts::kNoWebAssembly) + " hidden></div>\n</div>\n";
    // The links between the page's views above the form; the
    // installation's view and its sheet after the form's.
    std::fputs((installation_page::views_markup(tubaro::kExampleFragment) + html + installation_page::view_markup() +
                sheet() + installation_page::sheet_markup(tubaro::kWindowCaption, version_line()))
                   .c_str(),
               stdout);
}

// The sheet for paper, below the form and shown only there: the four
// quantities with their units, which one is computed, the inch size, the
// date, the version, and the address that reopens the sizing. KeptSizing
// fills it in; until it has, paper shows the form itself.
std::string sheet()
{
    std::string html = "<section id=\"stampa\">\n<h2>" + escaped(tubaro::kWindowCaption) + "</h2>\n<p>" +
                       escaped(tubaro::texts::kSheetHeading) + "</p>\n<table>\n";
    for (tubaro::Quantity quantity : tubaro::kQuantities) {
        const std::string id = "stampa-" + std::string(tubaro::kQuantityWords[quantity].word);
        html += "<tr><th>" + escaped(tubaro::control_spec(tubaro::kQuantityControls[quantity].label).text) +
                "</th><td" + attribute("id", id) + "></td><td" + attribute("id", id + "-modo") + "></td></tr>\n";
    }
    html += "<tr><th>" + escaped(tubaro::texts::kSheetDesignation) + "</th><td id=\"stampa-pollici\"></td><td></td></tr>\n";
    html += "</table>\n<p>" + escaped(tubaro::texts::kSheetPrinted) + " <span id=\"stampa-data\"></span></p>\n";
    html += "<p>" + escaped(tubaro::texts::kSheetReopen) + "<br><span id=\"stampa-indirizzo\"></span></p>\n";
    html += "<p>" + escaped(version_line()) + "</p>\n</section>\n";
    return html;
}

std::string place(std::string_view selector, int left, int top, int width, int height)
{
    return std::string(selector) + " { left: " + page_layout::percent_across(left) +
           "; top: " + page_layout::percent_down(top) + "; width: " + page_layout::percent_across(width) +
           "; height: " + page_layout::percent_down(height) + "; }\n";
}

void write_css()
{
    // The layout for a thumb (page/tubarogas.css, after these rules in the same sheet) sets these
    // aside.
    std::string css = "/* Made by page_markup from the window's data: the window's own layout. */\n";
    css += "#" + std::string(tubaro::kWindowName) + " { aspect-ratio: " + std::to_string(tubaro::kClientWidthTwips) +
           " / " + std::to_string(page_layout::kPageHeightTwips) + "; }\n";
    for (const ControlSpec& row : tubaro::kWindowControls)
        css += place("#" + std::string(row.name), row.left, row.top, row.width, row.height);
    // The note's left edge follows the control it speaks of (MainPage).
    // It starts at the window's own margin, where the page's start script
    // shows it, and keeps that margin on the right when its text wraps.
    css += "#nota { top: " + page_layout::percent_down(page_layout::kNoteTopTwips) +
           "; height: " + page_layout::percent_down(page_layout::kNoteHeightTwips) +
           "; left: " + page_layout::percent_across(page_layout::kWindowNoteTwips) + "; max-width: " +
           page_layout::percent_across(tubaro::kClientWidthTwips - 2 * page_layout::kWindowNoteTwips) + "; }\n";
    std::fputs(css.c_str(), stdout);
}

}  // namespace

int main(int argc, char* argv[])
{
    const std::string_view what = argc > 1 ? argv[1] : "";
    if (what == "html")
        write_html();
    else if (what == "css")
        write_css();
    else {
        std::fputs("Usage: page_markup html|css\n", stderr);
        return 2;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
