#include "dom.h"

#include <emscripten.h>

#include <cstdlib>
#include <memory>

// clang-format off
// Module.elements holds every element the page has made or found; a
// handle is its index.
EM_JS(int, js_by_id, (const char* id), {
    Module.elements = Module.elements || [];
    const element = document.getElementById(UTF8ToString(id));
    if (!element) return -1;
    Module.elements.push(element);
    return Module.elements.length - 1;
});
EM_JS(int, js_child, (int parent, int index), {
    Module.elements.push(Module.elements[parent].children[index]);
    return Module.elements.length - 1;
});
EM_JS(void, js_set_attribute, (int element, const char* name, const char* value), {
    Module.elements[element].setAttribute(UTF8ToString(name), UTF8ToString(value));
});
EM_JS(void, js_remove_attribute, (int element, const char* name), {
    Module.elements[element].removeAttribute(UTF8ToString(name));
});
EM_JS(void, js_set_style, (int element, const char* property, const char* value), {
    Module.elements[element].style.setProperty(UTF8ToString(property), UTF8ToString(value));
});
EM_JS(void, js_set_text_content, (int element, const char* text), {
    Module.elements[element].textContent = UTF8ToString(text);
});
EM_JS(char*, js_value, (int element), {
    const value = Module.elements[element].value;
    return allocateUTF8(value);
});
EM_JS(void, js_set_value, (int element, const char* value), {
    Module.elements[element].value = UTF8ToString(value);
});
EM_JS(int, js_checked, (int element), { return Module.elements[element].checked ? 1 : 0; });
EM_JS(void, js_set_checked, (int element, int checked), { Module.elements[element].checked = !!checked; });
EM_JS(int, js_disabled, (int element), { return Module.elements[element].disabled ? 1 : 0; });
EM_JS(void, js_set_disabled, (int element, int disabled), { Module.elements[element].disabled = !!disabled; });
EM_JS(int, js_hidden, (int element), { return Module.elements[element].hidden ? 1 : 0; });
EM_JS(void, js_set_hidden, (int element, int hidden), { Module.elements[element].hidden = !!hidden; });
EM_JS(void, js_focus, (int element), { Module.elements[element].focus(); });
EM_JS(char*, js_focused_child_id, (int parent), {
    const form = Module.elements[parent];
    let focused = form.ownerDocument.activeElement;
    while (focused && focused.parentElement !== form) focused = focused.parentElement;
    return allocateUTF8(focused ? focused.id : "");
});
EM_JS(int, js_window, (), {
    Module.elements = Module.elements || [];
    Module.elements.push(window);
    return Module.elements.length - 1;
});
EM_JS(char*, js_location_fragment, (), { return allocateUTF8(location.hash.replace(/^#/, "")); });
EM_JS(char*, js_location_href, (), { return allocateUTF8(location.href); });
EM_JS(void, js_replace_fragment, (const char* fragment), {
    const text = UTF8ToString(fragment);
    history.replaceState(history.state, "", text ? "#" + text : location.pathname + location.search);
});
// The floating window's too, which shows the form.
EM_JS(void, js_set_title, (const char* title), {
    document.title = UTF8ToString(title);
    if (Module.floating) Module.floating.document.title = document.title;
});
EM_JS(char*, js_date_and_time_now, (), {
    return allocateUTF8(new Date().toLocaleString("it-IT", {dateStyle: "long", timeStyle: "short"}));
});
EM_JS(void, js_listen, (int element, const char* type, int target, int kind), {
    Module.elements[element].addEventListener(UTF8ToString(type), event => {
        const modifiers = (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) | (event.altKey ? 4 : 0) | (event.metaKey ? 8 : 0);
        if (Module._on_dom_event(target, kind, event.keyCode | 0, modifiers, event.repeat ? 1 : 0, event.detail | 0))
            event.preventDefault();
    });
});
// clang-format on

namespace dom {

Element by_id(std::string_view id)
{
    return js_by_id(std::string(id).c_str());
}

Element child(Element parent, int index)
{
    return js_child(parent, index);
}

void set_attribute(Element element, std::string_view name, std::string_view value)
{
    js_set_attribute(element, std::string(name).c_str(), std::string(value).c_str());
}

void remove_attribute(Element element, std::string_view name)
{
    js_remove_attribute(element, std::string(name).c_str());
}

void set_style(Element element, std::string_view property, std::string_view value)
{
    js_set_style(element, std::string(property).c_str(), std::string(value).c_str());
}

void set_text_content(Element element, std::string_view text)
{
    js_set_text_content(element, std::string(text).c_str());
}

std::string value(Element element)
{
    const std::unique_ptr<char, decltype(&std::free)> text(js_value(element), &std::free);
    return text.get();
}

void set_value(Element element, std::string_view value)
{
    js_set_value(element, std::string(value).c_str());
}

bool checked(Element element)
{
    return js_checked(element) != 0;
}

void set_checked(Element element, bool checked)
{
    js_set_checked(element, checked);
}

bool disabled(Element element)
{
    return js_disabled(element) != 0;
}

void set_disabled(Element element, bool disabled)
{
    js_set_disabled(element, disabled);
}

bool hidden(Element element)
{
    return js_hidden(element) != 0;
}

void set_hidden(Element element, bool hidden)
{
    js_set_hidden(element, hidden);
}

void focus(Element element)
{
    js_focus(element);
}

std::string focused_child_id(Element parent)
{
    const std::unique_ptr<char, decltype(&std::free)> id(js_focused_child_id(parent), &std::free);
    return id.get();
}

Element window()
{
    return js_window();
}

namespace {

std::string taken(char* text)
{
    const std::unique_ptr<char, decltype(&std::free)> held(text, &std::free);
    return held ? held.get() : "";
}

}  // namespace

std::string location_fragment()
{
    return taken(js_location_fragment());
}

std::string location_href()
{
    return taken(js_location_href());
}

void replace_fragment(std::string_view fragment)
{
    js_replace_fragment(std::string(fragment).c_str());
}

void set_title(std::string_view title)
{
    js_set_title(std::string(title).c_str());
}

std::string date_and_time_now()
{
    return taken(js_date_and_time_now());
}

void listen(Element element, std::string_view type, int target, int kind)
{
    js_listen(element, std::string(type).c_str(), target, kind);
}

}  // namespace dom
