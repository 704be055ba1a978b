#pragma once

#include <optional>
#include <string>
#include <string_view>

// What the page's bridge (page/page_bridge.js) carries out for one event:
// a JSON list, whether the event was taken first, then each operation as a
// list of its name, its element's id and its values, each one DOM call:
//   ["value", id, text]  ["checked", id, on]  ["hidden", id, on]
//   ["disabled", id, on]  ["focus", id]  ["select", id]  ["text", id, text]
//   ["attribute", id, name, value or null]  ["style", id, property, value]
//   ["timer", name, ms]  ["untimer", name]  ["float", on]
//   ["address", fragment]  ["title", text]  ["now", id]  ["href", id]
//   ["markup", id, html]  ["insert", id, position, html]  ["remove", id]
//   ["ask", view, type]: the view is told an event of that type, with its
//   state (view_record.h)
//   ["later", key, [operation, ...]]: carried out once the event's turn is
//   over, and only the latest list of a key, so a burst of events (a key
//   held, an arrow held) writes what does not need to be on screen at once
//   (the address, the title, the sheet for paper) once;
//   ["later", key, [operation, ...], true]: the same once the frame after
//   the event is drawn, so it never holds that frame back.
class PageOperations {
public:
    void taken(bool taken) { m_taken = taken; }
    void add(std::string_view what, std::string_view target);
    void add(std::string_view what, std::string_view target, std::string_view text);
    // (Named apart: a string literal would take the bool.)
    void add_flag(std::string_view what, std::string_view target, bool on);
    void add_number(std::string_view what, std::string_view target, long long number);
    void add(std::string_view what, std::string_view target, std::string_view name,
             std::optional<std::string_view> value);
    // The operations added from here to end_later() go into one "later".
    void begin_later(std::string_view key);
    void end_later(bool after_frame = false);
    // The list; the operations start again empty.
    std::string finish();

private:
    std::string& open(std::string_view what, std::string_view target);

    bool m_taken = false;
    std::string m_operations;
};
