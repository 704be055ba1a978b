#include "dom_controls.h"

#include <emscripten.h>
#include <emscripten/eventloop.h>

#include <utility>

void DomTextBox::set_text(std::string_view text)
{
    if (text == this->text())
        return;
    m_edge.through_toolkit([&] {
        dom::set_value(m_input, text);
        if (on_change)
            on_change();
    });
}

void DomTextBox::input()
{
    if (on_change)
        on_change();
}

void DomTextBox::key_up(tubaro::KeyChord chord)
{
    if (m_keys.released(chord) && on_key_release)
        on_key_release();
}

DomSpinControl::DomSpinControl(dom::Element group, dom::Element up, dom::Element down, tubaro::TextBox& paired,
                               int upper, std::string decimal_separator)
    : m_group(group), m_up(up), m_down(down), m_paired(paired), m_stepper(upper, std::move(decimal_separator))
{
}

DomSpinControl::~DomSpinControl()
{
    release();
}

void DomSpinControl::set_visible(bool visible)
{
    m_visible = visible;
    dom::set_hidden(m_group, !visible);
    if (!visible)
        release();
}

namespace {
// As long as a held key waits before it repeats, and then between repeats.
constexpr double kFirstRepeatMs = 400;
constexpr double kRepeatMs = 80;
}  // namespace

void DomSpinControl::press(std::function<void()> step_once)
{
    release();
    m_held_step = std::move(step_once);
    m_held_step();
    m_timer = emscripten_set_timeout(&DomSpinControl::repeat, kFirstRepeatMs, this);
}

void DomSpinControl::release()
{
    if (m_timer)
        emscripten_clear_timeout(m_timer);
    m_timer = 0;
    m_held_step = nullptr;
}

void DomSpinControl::repeat(void* self)
{
    auto& spin = *static_cast<DomSpinControl*>(self);
    spin.m_timer = emscripten_set_timeout(&DomSpinControl::repeat, kRepeatMs, self);
    if (spin.m_held_step)
        spin.m_held_step();
}

// clang-format off
EM_JS(int, js_can_float, (), { return "documentPictureInPicture" in window ? 1 : 0; });

// Moves the form into a window of its own, with the page's style sheet, and
// back into its place when that window closes; either way, or when the
// browser refuses, on_float_ended tells the page. Nodes keep their event
// listeners and values when they move between documents.
EM_JS(void, js_float_form, (int form), {
    if (Module.floating) return;
    const element = Module.elements[form];
    const home = element.parentNode;
    const next = element.nextSibling;
    const box = element.getBoundingClientRect();
    documentPictureInPicture.requestWindow({width: Math.round(box.width) + 16, height: Math.round(box.height) + 16})
        .then(floating => {
            for (const sheet of document.querySelectorAll('link[rel="stylesheet"]'))
                floating.document.head.append(sheet.cloneNode());
            floating.document.documentElement.lang = document.documentElement.lang;
            floating.document.title = document.title;
            floating.document.body.className = "floating";
            floating.document.body.append(element);
            Module.floating = floating;
            floating.addEventListener("pagehide", () => {
                home.insertBefore(element, next);
                Module.floating = null;
                Module._on_float_ended();
            }, {once: true});
        }, () => Module._on_float_ended());
});

EM_JS(void, js_unfloat_form, (), {
    if (Module.floating) Module.floating.close();
});
// clang-format on

bool DomWindow::can_float()
{
    return js_can_float() != 0;
}

void DomWindow::set_topmost(bool topmost)
{
    if (!can_float())
        return;
    if (topmost)
        js_float_form(m_form);
    else
        js_unfloat_form();
}
