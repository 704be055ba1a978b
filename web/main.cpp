#include <emscripten.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <emscripten/eventloop.h>

#include "entry_check.h"
#include "main_page.h"
#include "pipe_size.h"
#include "recalculation.h"
#include "window_data.h"

// The page's entry point, once page_start.js has brought the code: the form
// built into the page with the browser's decimal separator (it works out at
// once what the user changed while the code was coming), then the service
// worker that keeps the page for use without a network. From then on the
// page answers the browser's events.

namespace {

MainPage* g_page = nullptr;

// Runs the rules once on the start texts, right after the page is up and
// long before anyone can type: the browser compiles WebAssembly a function
// at a time, at its first call, and the first key would pay for it. Pure
// functions: nothing on the page changes.
void warm_up(void* separator)
{
    const std::string& decimal = *static_cast<const std::string*>(separator);
    tubaro::FieldTexts texts{};
    for (tubaro::Quantity quantity : tubaro::kQuantities)
        texts[quantity] = tubaro::control_spec(tubaro::kQuantityControls[quantity].field).text;
    for (tubaro::Quantity mode : tubaro::kQuantities) {
        (void)tubaro::starts_recalculation(mode, texts[mode], decimal);
        if (const auto written = tubaro::recalculate(mode, texts, decimal); written.ok())
            (void)tubaro::designation_of_text(written.value(), decimal);
    }
}

// The controls of ids one space apart; those not of the form left out.
std::vector<tubaro::ControlId> controls_named(std::string_view ids)
{
    std::vector<tubaro::ControlId> controls;
    while (!ids.empty()) {
        const std::size_t end = ids.find(' ');
        if (const auto control = tubaro::control_named(ids.substr(0, end)))
            controls.push_back(*control);
        ids = end == std::string_view::npos ? std::string_view() : ids.substr(end + 1);
    }
    return controls;
}

}  // namespace

// clang-format off
// The decimal separator of the browser's language: read while the
// WebAssembly compiled (early_separator.js), or now.
EM_JS(char*, js_decimal_separator, (), {
    if (Module.decimalSeparator === undefined)
        Module.decimalSeparator = tubaroDecimalSeparator(navigator.language);
    return allocateUTF8(Module.decimalSeparator);
});

// The page's start script (page_start.js) lets go of the fields, with what
// it had emptied put back, and says which the user changed meanwhile: their
// ids, one space apart.
EM_JS(char*, js_page_bound, (), {
    performance.mark("tubarogas-binding");
    return allocateUTF8(Module.pageBound ? Module.pageBound() : "");
});

// When the form first answers input, for the benchmarks.
EM_JS(void, js_mark_ready, (), { performance.mark("tubarogas-ready"); });

EM_JS(void, js_register_service_worker, (), {
    if ("serviceWorker" in navigator && location.protocol !== "file:")
        navigator.serviceWorker.register("sw.js").catch(() => {});
});
// clang-format on

extern "C" {

EMSCRIPTEN_KEEPALIVE int on_dom_event(int target, int kind, int key_code, int modifiers, int repeat, int clicks)
{
    const DomEventDetail detail{key_code, static_cast<unsigned>(modifiers), repeat != 0, clicks};
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
    // The decimal separator of the browser's language: a comma for Italian.
    const std::unique_ptr<char, decltype(&std::free)> separator(js_decimal_separator(), &std::free);
    // The page lives as long as the page does.
    static const std::string decimal_separator = separator ? separator.get() : ".";
    const std::unique_ptr<char, decltype(&std::free)> changed(js_page_bound(), &std::free);
    static MainPage page(decimal_separator);
    g_page = &page;
    page.start(controls_named(changed.get()));
    js_mark_ready();
    emscripten_set_timeout(&warm_up, 0, const_cast<std::string*>(&decimal_separator));
    js_register_service_worker();
    return 0;
}
