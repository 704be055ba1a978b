// Arbitrary field texts and modes through the four procedures and the
// window-less form: never a crash or undefined behaviour; a recalculation
// writes exactly what the pure recalculation gives, a whole number in plain
// digits, into the mode's field alone, or nothing when a step fails.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "calc/error_kind.h"
#include "form/keys.h"
#include "calc/module_calcoli.h"
#include "rules/recalculation.h"
#include "tests/support/windowless_form.h"

namespace {

using tubaro::CalcError;
using tubaro::Quantity;

template <typename T>
T take(const std::uint8_t*& data, std::size_t& size)
{
    T value{};
    const std::size_t n = std::min(sizeof value, size);
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 4096)
        return 0;

    // The procedures on raw whole numbers and a raw Currency count.
    {
        const std::uint8_t* raw = data;
        std::size_t left = size;
        const auto a = take<std::int32_t>(raw, left), b = take<std::int32_t>(raw, left),
                   c = take<std::int32_t>(raw, left);
        const auto count = take<std::int64_t>(raw, left);
        try { (void)tubaro::Calcola_Diametro(a, b, c); } catch (const CalcError&) {}
        try { (void)tubaro::Calcola_Potenza(a, b, c); } catch (const CalcError&) {}
        try { (void)tubaro::Calcola_Perdita(a, b, c); } catch (const CalcError&) {}
        try { (void)tubaro::Calcola_Lunghezza(a, tubaro::Currency::from_count(count), c); } catch (const CalcError&) {}
    }

    // The form: first byte the mode and separator, then four texts split on tabs.
    if (size == 0)
        return 0;
    const Quantity mode = tubaro::kQuantities[data[0] % 4];
    const std::string sep = data[0] & 4 ? "." : ",";
    std::array<std::string, 4> texts;
    std::size_t field = 0;
    for (std::size_t i = 1; i < size; ++i) {
        if (data[i] == '\t') {
            if (++field == texts.size())
                break;
        } else {
            texts[field] += static_cast<char>(data[i]);
        }
    }

    tubaro::WindowlessForm form(sep);
    for (Quantity q : tubaro::kQuantities)
        form.paste(q, texts[static_cast<std::size_t>(q)]);
    form.click_option(mode);
    tubaro::FieldTexts views{};
    for (Quantity q : tubaro::kQuantities)
        views[q] = texts[static_cast<std::size_t>(q)];
    const auto expected = tubaro::recalculate(mode, views, sep);
    if (expected.ok()) {
        const std::string& written = expected.value();
        const std::size_t digits_from = written.starts_with('-') ? 1 : 0;
        if (written.size() == digits_from || written.size() > 11 ||
            written.find_first_not_of("0123456789", digits_from) != std::string::npos)
            std::abort();
    }
    // A recalculation started from the computed field, whose text (a 1,
    // inside every typed window) is never read.
    form.paste(mode, "1");
    form.clear_errors();
    form.press_key(mode, {tubaro::Key::Other, 'x', 0});
    form.release_key(mode, {tubaro::Key::Other, 'x', 0});
    if (expected.ok() ? form.text(mode) != expected.value() || form.last_error()
                      : form.last_error() != expected.error() || form.text(mode) != "1")
        std::abort();
    for (Quantity q : tubaro::kQuantities)
        if (q != mode && form.text(q) != texts[static_cast<std::size_t>(q)])
            std::abort();

    // A key release in every field, as typing would end.
    for (Quantity q : tubaro::kQuantities) {
        form.press_key(q, {tubaro::Key::Other, 'x', 0});
        form.release_key(q, {tubaro::Key::Other, 'x', 0});
    }
    return 0;
}
