#include "rules/installation_link.h"

#include "rules/sizing_link.h"
#include "rules/utf8_text.h"

namespace tubaro {

namespace {

constexpr char kBetweenFields = ',';
constexpr char kBetweenSections = ';';

bool is_name(SectionField field)
{
    return field == SectionField::Name || field == SectionField::From;
}

// Where a text is a name, a point is a point: only a number's point is the
// decimal separator.
std::string_view separator_of(SectionField field, std::string_view decimal_separator)
{
    return is_name(field) ? std::string_view() : decimal_separator;
}

// The texts between `mark`s, each passed to `each` (an empty text gives one
// empty piece).
template <typename Each>
void split(std::string_view text, char mark, Each each)
{
    for (;;) {
        const std::size_t end = text.find(mark);
        each(text.substr(0, end));
        if (end == std::string_view::npos)
            return;
        text.remove_prefix(end + 1);
    }
}

std::optional<std::string> readable_text(std::string_view value, std::string_view separator)
{
    auto text = link_value_text(value, separator);
    if (!text || text->size() > kLongestLinkText || !plain_line_text(*text))
        return std::nullopt;
    return text;
}

std::optional<PerSectionField<std::string>> read_section(std::string_view section, std::string_view separator)
{
    PerSectionField<std::string> texts{};
    std::size_t count = 0;
    bool readable = true;
    split(section, kBetweenFields, [&](std::string_view value) {
        if (count >= kSectionFields.size()) {
            ++count;
            return;
        }
        const SectionField field = kSectionFields[count++];
        // A name read with a point for its separator keeps its points.
        const auto text = readable_text(value, is_name(field) ? std::string_view(".") : separator);
        if (!text)
            readable = false;
        else
            texts[field] = *text;
    });
    if (!readable || count != kSectionFields.size())
        return std::nullopt;
    return texts;
}

}  // namespace

bool names_installation(std::string_view fragment)
{
    const std::string_view first = fragment.substr(0, fragment.find('&'));
    return first.substr(0, first.find('=')) == kInstallationLinkName;
}

std::string installation_fragment(std::string_view allowance, std::span<const SectionLine> lines,
                                  std::string_view decimal_separator)
{
    std::string fragment(kInstallationLinkName);
    fragment += '=';
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            fragment += kBetweenSections;
        for (SectionField field : kSectionFields) {
            if (field != SectionField::Name)
                fragment += kBetweenFields;
            fragment.append(link_value(lines[i].texts[field], separator_of(field, decimal_separator)));
        }
    }
    fragment.append("&").append(kAllowanceLinkName).append("=").append(link_value(allowance, decimal_separator));
    return fragment;
}

InstallationLink read_installation_fragment(std::string_view fragment, std::string_view decimal_separator)
{
    InstallationLink link;
    link.cut_short = true;
    bool sections_read = false;
    split(fragment, '&', [&](std::string_view pair) {
        const std::size_t equals = pair.find('=');
        if (equals == std::string_view::npos)
            return;
        const std::string_view name = pair.substr(0, equals);
        const std::string_view value = pair.substr(equals + 1);
        if (name == kInstallationLinkName && !sections_read) {
            sections_read = true;
            if (value.empty())
                return;
            split(value, kBetweenSections, [&](std::string_view section) {
                if (link.sections.size() == kMostSections) {
                    ++link.beyond_most;
                    return;
                }
                if (auto texts = read_section(section, decimal_separator))
                    link.sections.push_back(std::move(*texts));
                else
                    ++link.unreadable;
            });
        } else if (name == kAllowanceLinkName && sections_read && link.cut_short) {
            // The allowance ends the address; one before the sections is
            // not where a writer puts it.
            link.cut_short = false;
            link.allowance = readable_text(value, decimal_separator);
            link.allowance_unreadable = !link.allowance;
        }
    });
    return link;
}

}  // namespace tubaro
