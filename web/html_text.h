#pragma once

#include <string>
#include <string_view>

// Text put into HTML, by the page's markup at build time and by the code
// that writes rows at run time: every character that could end a text or a
// (double-quoted) attribute's value escaped, so a user's text is only ever
// text.
inline std::string html_escaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
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

// ` name="value"`, the value escaped.
inline std::string html_attribute(std::string_view name, std::string_view value)
{
    std::string out(" ");
    out.append(name).append("=\"").append(html_escaped(value)).append("\"");
    return out;
}
