#include "web/page_operations.h"

#include <cstdio>

namespace {

// A JSON string: quotes, backslashes and control characters escaped; the
// rest, UTF-8, as it is.
void append_string(std::string& out, std::string_view text)
{
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

}  // namespace

std::string& PageOperations::open(std::string_view what, std::string_view target)
{
    m_operations += ",[";
    append_string(m_operations, what);
    m_operations += ',';
    append_string(m_operations, target);
    return m_operations;
}

void PageOperations::add(std::string_view what, std::string_view target)
{
    open(what, target) += ']';
}

void PageOperations::add(std::string_view what, std::string_view target, std::string_view text)
{
    std::string& out = open(what, target);
    out += ',';
    append_string(out, text);
    out += ']';
}

void PageOperations::add_flag(std::string_view what, std::string_view target, bool on)
{
    open(what, target) += on ? ",true]" : ",false]";
}

void PageOperations::add_number(std::string_view what, std::string_view target, long long number)
{
    open(what, target).append(",").append(std::to_string(number)).append("]");
}

void PageOperations::add(std::string_view what, std::string_view target, std::string_view name,
                         std::optional<std::string_view> value)
{
    std::string& out = open(what, target);
    out += ',';
    append_string(out, name);
    out += ',';
    if (value)
        append_string(out, *value);
    else
        out += "null";
    out += ']';
}

void PageOperations::begin_later(std::string_view key)
{
    m_operations += ",[\"later\",";
    append_string(m_operations, key);
    m_operations += ",[";
    // The list inside starts with its first operation's comma: a null
    // first, which the bridge passes over.
    m_operations += "null";
}

void PageOperations::end_later(bool after_frame)
{
    m_operations += after_frame ? "],true]" : "]]";
}

std::string PageOperations::finish()
{
    std::string list = (m_taken ? "[true" : "[false") + m_operations + "]";
    m_operations.clear();
    m_taken = false;
    return list;
}
