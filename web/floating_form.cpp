#include "floating_form.h"

#include <emscripten.h>

// clang-format off
EM_JS(int, js_can_float, (), { return "documentPictureInPicture" in window ? 1 : 0; });

// Module.floatWanted is what the box last asked for; Module.floatPending a
// request the browser has not answered yet. Nodes keep their event
// listeners and values when they move between documents.
EM_JS(void, js_set_floating, (int form, int wanted), {
    Module.floatWanted = !!wanted;
    if (!wanted) {
        if (Module.floating) Module.floating.close();
        return;
    }
    if (Module.floating || Module.floatPending) return;
    const element = Module.elements[form];
    const home = element.parentNode;
    const next = element.nextSibling;
    const box = element.getBoundingClientRect();
    Module.floatPending = true;
    documentPictureInPicture.requestWindow({width: Math.round(box.width) + 16, height: Math.round(box.height) + 16})
        .then(floating => {
            Module.floatPending = false;
            if (!Module.floatWanted) {
                // Unticked while the browser was opening it.
                floating.close();
                return;
            }
            for (const sheet of document.querySelectorAll("style"))
                floating.document.head.append(sheet.cloneNode(true));
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
        }, () => {
            Module.floatPending = false;
            Module._on_float_ended();
        });
});
// clang-format on

bool FloatingForm::available()
{
    return js_can_float() != 0;
}

void FloatingForm::set_floating(bool floating)
{
    if (available())
        js_set_floating(m_form, floating ? 1 : 0);
}
