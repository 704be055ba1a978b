#include "web/view_record.h"

#include "web/page_record.h"

static_assert(kViewRecordMark.size() == 5);

bool is_view_record(std::string_view text)
{
    // Its first field, as the bridge writes it.
    return text.starts_with("5:") && text.substr(2).starts_with(kViewRecordMark);
}

std::optional<ViewRecord> read_view_record(std::string_view text)
{
    const auto fields = page_fields(text);
    constexpr std::size_t kEventFields = 6;
    if (!fields || fields->size() < kEventFields || (fields->size() - kEventFields) % 2 != 0 ||
        (*fields)[0] != kViewRecordMark)
        return std::nullopt;
    const auto& f = *fields;
    ViewRecord record{f[1], f[2], f[3], f[4], f[5], {}};
    record.fields.reserve((f.size() - kEventFields) / 2);
    for (std::size_t i = kEventFields; i < f.size(); i += 2)
        record.fields.push_back({f[i], f[i + 1]});
    return record;
}
