#include <emscripten.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "main_page.h"

// The page's entry point: the form built into the page with the browser's
// decimal separator, then the service worker that keeps the page for use
// without a network. From then on the page answers the browser's events.

namespace {
MainPage* g_page = nullptr;
}

// clang-format off
// The decimal separator of the browser's language: a comma for Italian.
EM_JS(char*, js_decimal_separator, (), {
    let separator = ".";
    try {
        const part = new Intl.NumberFormat(navigator.language).formatToParts(1.5).find(each => each.type === "decimal");
        if (part) separator = part.value;
    } catch (e) {
        // An unknown language: the point.
    }
    const size = lengthBytesUTF8(separator) + 1;
    const text = _malloc(size);
    stringToUTF8(separator, text, size);
    return text;
});

EM_JS(void, js_register_service_worker, (), {
    if ("serviceWorker" in navigator && location.protocol !== "file:")
        navigator.serviceWorker.register("sw.js").catch(() => {});
});
// clang-format on

extern "C" {

EMSCRIPTEN_KEEPALIVE int on_dom_event(int target, int kind, int key_code, int modifiers, int repeat, int clicks)
{
    const DomEventDetail detail{key_code, modifiers, repeat != 0, clicks};
    return g_page && g_page->handle(target, static_cast<DomEvent>(kind), detail) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void on_float_ended()
{
    if (g_page)
        g_page->float_ended();
}

}  // extern "C"

int main()
{
    const std::unique_ptr<char, decltype(&std::free)> separator(js_decimal_separator(), &std::free);
    // The page lives as long as the page does.
    static MainPage page(separator ? separator.get() : ".");
    g_page = &page;
    js_register_service_worker();
    return 0;
}
