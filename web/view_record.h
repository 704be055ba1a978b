#pragma once

#include <optional>
#include <string_view>
#include <vector>

// A DOM event in one of the page's views beside the form (the
// installation), as the page's bridge carries it: the event, then every
// field of the view as the DOM holds it, in the document's order, the DOM
// being the only copy. Length-prefixed UTF-8 fields, as a form's record:
//   "vista", the view's id, the event's type, its target's id, the extra
//   text, the id of the view's element that has the focus, then for each
//   input, then each select, in the document's order: its id and its value.
// Its texts point into the record.
struct ViewField {
    std::string_view id;
    std::string_view value;
};

struct ViewRecord {
    std::string_view view;
    std::string_view type;    // input, click
    std::string_view target;  // the id of the element the event is about
    std::string_view extra;
    std::string_view focused;
    std::vector<ViewField> fields;
};

inline constexpr std::string_view kViewRecordMark = "vista";

// Whether a record of the bridge's is a view's.
bool is_view_record(std::string_view text);

// The record read, or nullopt where it is not one the bridge writes.
std::optional<ViewRecord> read_view_record(std::string_view text);
