#pragma once

#include <string>
#include <string_view>

// The few DOM operations the page needs, on elements held by handle. The
// JavaScript behind each is one or two lines (dom.cpp): the page's
// behaviour stays in C++ beside the form library. Elements are held by
// handle, not looked up by id, so they stay reachable when the form moves
// into a window of its own (another document).
namespace dom {

using Element = int;

Element by_id(std::string_view id);
// The element's child element at `index`, in document order.
Element child(Element parent, int index);

void set_attribute(Element element, std::string_view name, std::string_view value);
void remove_attribute(Element element, std::string_view name);
// A style property through the CSS object model (allowed by a policy that
// forbids inline style attributes).
void set_style(Element element, std::string_view property, std::string_view value);
void set_text_content(Element element, std::string_view text);

// An input's value and its checked state.
std::string value(Element element);
void set_value(Element element, std::string_view value);
bool checked(Element element);
void set_checked(Element element, bool checked);
bool disabled(Element element);
void set_disabled(Element element, bool disabled);
bool hidden(Element element);
void set_hidden(Element element, bool hidden);
void focus(Element element);
// The id of the child of `parent` that has the keyboard focus or holds the
// element that has it, in whichever document `parent` is now; empty for
// none.
std::string focused_child_id(Element parent);

// The page's window, for the events that are its own.
Element window();

// The page's address: its fragment (after '#', still percent-escaped, empty
// for none) and the whole of it; the fragment replaced in the current
// history entry, adding none (an empty one leaves the address without '#');
// the document's title.
std::string location_fragment();
std::string location_href();
void replace_fragment(std::string_view fragment);
void set_title(std::string_view title);
// The date and time now, as Italian writes them ("9 dicembre 2026, 14:05").
std::string date_and_time_now();

// Events of `type` on the element reach on_dom_event (main.cpp, with the
// DomEvent of dom_event.h) with `target`, a number of the caller's that
// tells which element it was, and `kind`; the event's modifiers are the
// form's bits (keys.h); its default is prevented when the handler says so.
void listen(Element element, std::string_view type, int target, int kind);

}  // namespace dom
