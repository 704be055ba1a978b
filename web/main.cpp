#include <emscripten.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <emscripten/eventloop.h>

#include "rules/entry_check.h"
#include "web/main_page.h"
#include "web/page_traits.h"
#include "rules/pipe_size.h"
#include "rules/recalculation.h"
#include "form/window_data.h"

// The page's entry point, once page_start.js has brought the code: the form
// bound to the page's elements with the browser's decimal separator (it
// works out at once what the user changed while the code was coming), then
// the service worker that keeps the page for use without a network. From
// then on the page answers the browser's events, which its bridge carries.

namespace {

MainPage* g_page = nullptr;
// The bridge's record of the event at hand, and the answer to it.
std::vector<char> g_record;
std::string g_answer;

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

std::string joined(const std::vector<std::string_view>& ids)
{
    std::string all;
    for (std::string_view id : ids)
        all.append(all.empty() ? "" : " ").append(id);
    return all;
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

EM_JS(int, js_can_float, (), { return "documentPictureInPicture" in window ? 1 : 0; });

// The bridge bound to the elements of these ids (page_bridge.js), and to
// the views beside the form; then the page loaded, with the fields changed
// before, and shown.
EM_JS(void, js_bind_and_start, (const char* controls, const char* others, const char* views, const char* changed), {
    const page = Module.bindPage(UTF8ToString(controls).split(" "), UTF8ToString(others).split(" "),
                                 UTF8ToString(views).split(" "));
    page.start(UTF8ToString(changed));
    page.shown();
});

// When the form first answers input, for the benchmarks.
EM_JS(void, js_mark_ready, (), { performance.mark("tubarogas-ready"); });

EM_JS(void, js_register_service_worker, (), {
    if ("serviceWorker" in navigator && location.protocol !== "file:")
        navigator.serviceWorker.register("sw.js").catch(() => {});
});
// clang-format on

extern "C" {

// Room for a record of `size` bytes and its end.
EMSCRIPTEN_KEEPALIVE char* page_buffer(int size)
{
    g_record.resize(static_cast<std::size_t>(size) + 1);
    return g_record.data();
}

// The record of `length` bytes in the buffer; the answer, as the bridge
// reads it.
EMSCRIPTEN_KEEPALIVE const char* on_page_event(int length)
{
    g_answer = g_page ? g_page->handle({g_record.data(), static_cast<std::size_t>(length)}) : "[false]";
    return g_answer.c_str();
}

}  // extern "C"

int main()
{
    // The decimal separator of the browser's language: a comma for Italian.
    const std::unique_ptr<char, decltype(&std::free)> separator(js_decimal_separator(), &std::free);
    // The page lives as long as the page does.
    static const std::string decimal_separator = separator ? separator.get() : ".";
    const std::unique_ptr<char, decltype(&std::free)> changed(js_page_bound(), &std::free);
    static MainPage page(page_traits(js_can_float() != 0), decimal_separator);
    g_page = &page;
    js_bind_and_start(joined(MainPage::control_ids()).c_str(), joined(MainPage::page_ids()).c_str(),
                      joined(MainPage::view_ids()).c_str(), changed.get());
    js_mark_ready();
    emscripten_set_timeout(&warm_up, 0, const_cast<std::string*>(&decimal_separator));
    js_register_service_worker();
    return 0;
}
