#include "web/page_record.h"

#include <charconv>

namespace {

template <typename Number>
Number number_of(std::string_view text)
{
    Number value{};
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace

std::optional<std::vector<std::string_view>> page_fields(std::string_view text)
{
    std::vector<std::string_view> fields;
    while (!text.empty()) {
        const std::size_t colon = text.find(':');
        std::size_t length = 0;
        if (colon == std::string_view::npos ||
            std::from_chars(text.data(), text.data() + colon, length).ptr != text.data() + colon ||
            length > text.size() - colon - 1)
            return std::nullopt;
        fields.push_back(text.substr(colon + 1, length));
        text.remove_prefix(colon + 1 + length);
    }
    return fields;
}

std::optional<PageRecord> read_page_record(std::string_view text)
{
    const auto fields = page_fields(text);
    constexpr std::size_t kEventFields = 9;
    if (!fields || fields->size() != kEventFields + 2 * tubaro::kControlCount)
        return std::nullopt;
    const auto& f = *fields;
    PageRecord record;
    record.type = f[0];
    record.control = f[1];
    record.part = f[2];
    record.key_code = number_of<int>(f[3]);
    record.modifiers = number_of<unsigned>(f[4]);
    record.repeat = f[5] == "1";
    record.detail = number_of<int>(f[6]);
    record.extra = f[7];
    record.state.focused = tubaro::control_named(f[8]);
    for (std::size_t i = 0; i < tubaro::kControlCount; ++i) {
        tubaro::ControlState& control = record.state.controls[i];
        const std::string_view flags = f[kEventFields + 2 * i + 1];
        control.text = f[kEventFields + 2 * i];
        control.value = flags.size() > 0 && flags[0] == '1' ? 1 : 0;
        control.visible = !(flags.size() > 1 && flags[1] == '1');
        control.enabled = !(flags.size() > 2 && flags[2] == '1');
    }
    return record;
}
