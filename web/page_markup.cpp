// Writes what the page's HTML and style sheet say of the form, from the
// window's data, at build time: so the form is on screen as soon as the HTML
// and the style sheet arrive, and the WebAssembly only binds to it.
//   page_markup html   the form's elements, in the order of the tab indexes
//                      (the browser's own order into the page, and what a
//                      screen reader meets in turn, are the window's)
//   page_markup css    the window's layout: each control's place, in
//                      percent of the form, for a mouse on a wide screen
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "form_presenter.h"
#include "page_layout.h"
#include "window_data.h"

namespace {

using tubaro::ControlId;
using tubaro::ControlKind;
using tubaro::ControlSpec;

std::string escaped(std::string_view text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string attribute(std::string_view name, std::string_view value)
{
    return " " + std::string(name) + "=\"" + escaped(value) + "\"";
}

// What assistive technology and a pointer's tooltip read of a control.
std::string named(std::string_view description)
{
    return attribute("aria-label", description) + attribute("title", description);
}

std::string control_markup(const ControlSpec& row, ControlId first_focus)
{
    const std::string id = attribute("id", row.name);
    switch (row.kind) {
    case ControlKind::Label: {
        const ControlId field = tubaro::kQuantityControls[*tubaro::quantity_of(row.id)].field;
        return "<label" + id + attribute("for", tubaro::control_spec(field).name) + ">" + escaped(row.text) +
               "</label>";
    }
    case ControlKind::TextBox: {
        std::string input = "<input" + id + " type=\"text\" autocomplete=\"off\" spellcheck=\"false\"";
        // Text_Pollici too is only read: on a phone a tap would bring up a
        // keyboard for nothing.
        if (row.has(tubaro::kReadOnly) || row.id == ControlId::Text_Pollici)
            input += std::string(" readonly") + attribute("class", row.has(tubaro::kCentred) ? "info" : "output");
        else
            input += " inputmode=\"decimal\" enterkeyhint=\"done\"";
        if (row.id == first_focus)
            input += " autofocus";
        return input + attribute("value", row.text) + named(row.description) + ">";
    }
    case ControlKind::OptionButton:
        return "<input" + id + " type=\"radio\" name=\"grandezza\"" +
               (row.has(tubaro::kSetAtStart) ? " checked" : "") + named(row.description) + ">";
    case ControlKind::CheckBox:
        // The page starts in the page, not floating: floating needs the
        // user's own click.
        return "<input" + id + " type=\"checkbox\"" + named(row.description) + ">";
    case ControlKind::SpinControl: {
        const tubaro::QuantityControls& names = tubaro::kQuantityControls[*tubaro::quantity_of(row.id)];
        // The group takes the focus; its arrows, up first, answer pointers
        // and assistive technology.
        std::string group = "<div" + id + " role=\"group\" class=\"spin\" tabindex=\"0\"" + named(row.description) +
                            (row.has(tubaro::kHiddenAtStart) ? " hidden" : "") + ">";
        for (const auto& [kind, name] : {std::pair{"up", names.step_up_name}, std::pair{"down", names.step_down_name}})
            group += "<button type=\"button\"" + attribute("class", kind) + named(name) + " tabindex=\"-1\"></button>";
        return group + "</div>";
    }
    }
    return "";
}

void write_html()
{
    std::vector<const ControlSpec*> rows;
    for (const ControlSpec& row : tubaro::kWindowControls)
        rows.push_back(&row);
    std::stable_sort(rows.begin(), rows.end(), [](auto* a, auto* b) { return a->tab_index < b->tab_index; });
    const ControlId first_focus = tubaro::FormPresenter(".").first_focus();

    std::string html = "<div" + attribute("id", tubaro::kWindowName) + " class=\"form\">\n";
    for (const ControlSpec* row : rows)
        html += control_markup(*row, first_focus) + "\n";
    html += "<div id=\"nota\" role=\"alert\" class=\"note\" hidden></div>\n</div>\n";
    std::fputs(html.c_str(), stdout);
}

std::string place(std::string_view selector, int left, int top, int width, int height)
{
    return std::string(selector) + " { left: " + page_layout::percent_across(left) +
           "; top: " + page_layout::percent_down(top) + "; width: " + page_layout::percent_across(width) +
           "; height: " + page_layout::percent_down(height) + "; }\n";
}

void write_css()
{
    // The layout for a thumb (tubarogas.css, after these rules) sets these
    // aside.
    std::string css = "/* Made by page_markup from the window's data: the window's own layout. */\n";
    css += "#" + std::string(tubaro::kWindowName) + " { aspect-ratio: " + std::to_string(tubaro::kClientWidthTwips) +
           " / " + std::to_string(page_layout::kPageHeightTwips) + "; }\n";
    for (const ControlSpec& row : tubaro::kWindowControls)
        css += place("#" + std::string(row.name), row.left, row.top, row.width, row.height);
    // The note's left edge follows the control it speaks of (MainPage).
    css += "#nota { top: " + page_layout::percent_down(page_layout::kNoteTopTwips) +
           "; height: " + page_layout::percent_down(page_layout::kNoteHeightTwips) + "; }\n";
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
