#include <algorithm>
#include <limits>
#include <string>
#include <unordered_map>

#include "rules/installation.h"
#include "calc/number_text.h"
#include "rules/pipe_size.h"
#include "rules/section_check.h"
#include "rules/section_loss.h"

namespace tubaro {

namespace {

constexpr double kNoLimit = std::numeric_limits<double>::infinity();

// What a valid line reads as, beside its result.
struct Reading {
    Long length = 0;                     // whole metres, as the loss mode reads L
    bool typed_diameter = false;
    std::optional<Currency> appliance;  // the power at its end, four decimals
};

// A line's faults, field by field; a valid start's line in section.from.
// A name is taken by the first section that has it: a line that is no
// section takes nothing, its name no more than its power.
void check_line(const SectionLine& line, std::size_t index, std::unordered_map<std::string_view, std::size_t>& names,
                std::vector<SectionResult>& sections, std::string_view separator)
{
    SectionResult& section = sections[index];
    if (line.whole_line) {
        section.line_fault = line.whole_line;
        return;
    }
    const auto& texts = line.texts;
    auto& faults = section.field_faults;
    faults[SectionField::Name] = name_fault(texts[SectionField::Name]);
    if (!faults[SectionField::Name] && names.contains(texts[SectionField::Name]))
        faults[SectionField::Name] = LineFault::NameTaken;
    if (!texts[SectionField::From].empty()) {
        const auto start = names.find(texts[SectionField::From]);
        if (start == names.end())
            faults[SectionField::From] = LineFault::UnknownStart;
        else
            section.from = start->second;
    }
    faults[SectionField::Length] = value_fault(Quantity::Length, texts[SectionField::Length], separator);
    if (!texts[SectionField::Diameter].empty())
        faults[SectionField::Diameter] = value_fault(Quantity::Diameter, texts[SectionField::Diameter], separator);
    if (!texts[SectionField::Power].empty())
        faults[SectionField::Power] = value_fault(Quantity::Power, texts[SectionField::Power], separator);
    if (section.valid())
        names.emplace(texts[SectionField::Name], index);
}

Outcome<Currency> sum(const Outcome<Currency>& a, const Outcome<Currency>& b)
{
    if (!a.ok() || !b.ok())
        return ErrorKind::Overflow;
    return capture([&] { return add(a.value(), b.value()); });
}

bool has_loss(const SectionResult& section)
{
    return section.loss && section.loss->ok();
}

// The window's indicator for a diameter's text (one in the field's range).
std::string_view designation(std::string_view diameter, std::string_view separator)
{
    const auto shown = capture([&] { return designation_of_text(diameter, separator); });
    return shown.ok() ? shown.value().value_or("") : "";
}

}  // namespace

bool SectionResult::valid() const
{
    return !line_fault && std::none_of(field_faults.items.begin(), field_faults.items.end(),
                                       [](const auto& fault) { return fault.has_value(); });
}

bool InstallationResult::all_within() const
{
    return std::all_of(sections.begin(), sections.end(),
                       [](const SectionResult& section) { return section.verdict == Verdict::Within; });
}

std::optional<LineFault> allowance_fault(std::string_view allowance, std::string_view decimal_separator)
{
    return value_fault(Quantity::Loss, allowance, decimal_separator);
}

namespace {

// The passes of one evaluation. Each visits every line once: a section
// starts from an earlier line, so line order runs from the meter down every
// path, and reverse line order from the appliances up. No path is walked on
// its own, which would make a long chain quadratic.
class Evaluation {
public:
    Evaluation(std::string_view allowance, std::span<const SectionLine> lines, std::string_view separator)
        : m_lines(lines), m_separator(separator), m_readings(lines.size()), m_power_texts(lines.size()),
          m_per_metre(lines.size(), kNoLimit), m_error_on_path(lines.size(), false)
    {
        m_result.allowance_fault = allowance_fault(allowance, separator);
        if (!m_result.allowance_fault)
            m_result.allowance = text_to_long(allowance, separator);
        m_result.sections.resize(lines.size());
    }

    InstallationResult run() &&
    {
        read_lines();
        sum_powers();
        typed_losses();
        allowances_per_metre();
        proposals();
        losses_from_meter();
        appliance_paths();
        return std::move(m_result);
    }

private:
    // The valid sections with their lines' indices, in line order (from
    // the meter down) or in reverse (from the appliances up).
    template <typename Visit>
    void down(Visit visit)
    {
        for (std::size_t i = 0; i < m_lines.size(); ++i)
            if (section(i).valid())
                visit(i, section(i));
    }
    template <typename Visit>
    void up(Visit visit)
    {
        for (std::size_t i = m_lines.size(); i-- > 0;)
            if (section(i).valid())
                visit(i, section(i));
    }

    SectionResult& section(std::size_t i) { return m_result.sections[i]; }
    std::string_view text(std::size_t i, SectionField field) const { return m_lines[i].texts[field]; }

    void read_lines()
    {
        std::unordered_map<std::string_view, std::size_t> names;
        names.reserve(m_lines.size());
        for (std::size_t i = 0; i < m_lines.size(); ++i) {
            check_line(m_lines[i], i, names, m_result.sections, m_separator);
            if (!section(i).valid()) {
                ++m_result.invalid_lines;
                continue;
            }
            ++m_result.section_count;
            m_readings[i].length = text_to_long(text(i, SectionField::Length), m_separator);
            m_readings[i].typed_diameter = !text(i, SectionField::Diameter).empty();
            if (!text(i, SectionField::Power).empty())
                m_readings[i].appliance = text_to_currency(text(i, SectionField::Power), m_separator);
        }
    }

    // Each section's power, summed exactly from the appliances up.
    void sum_powers()
    {
        up([&](std::size_t i, SectionResult& here) {
            if (m_readings[i].appliance) {
                here.feeds_appliance = true;
                here.power = sum(here.power, *m_readings[i].appliance);
            }
            if (here.from) {
                SectionResult& start = section(*here.from);
                start.feeds_appliance |= here.feeds_appliance;
                start.power = sum(start.power, here.power);
            }
        });
    }

    // The powers as they would be typed into the window, and the losses of
    // the typed diameters. A section without gas loses nothing, whatever its
    // diameter.
    void typed_losses()
    {
        down([&](std::size_t i, SectionResult& here) {
            if (here.power.ok())
                m_power_texts[i] = currency_to_text(here.power.value(), m_separator);
            if (m_readings[i].typed_diameter)
                here.designation = designation(text(i, SectionField::Diameter), m_separator);
            if (!here.feeds_appliance)
                here.loss = Long{0};
            else if (m_readings[i].typed_diameter)
                here.loss = here.power.ok() ? section_loss(text(i, SectionField::Diameter), m_power_texts[i],
                                                           text(i, SectionField::Length), m_separator)
                                            : Outcome<Long>(ErrorKind::Overflow);
        });
    }

    // Down from the meter: what the typed sections of each path lose, the
    // length left to the empty ones, and whether a typed one has no loss;
    // so each appliance's path allows its empty sections so much a metre.
    // Then up from the appliances: the smallest of those among the paths
    // through each section, and whether one holds a typed section without a
    // loss. The losses of one path fit in 64 bits: each is a Long, and a
    // path holds fewer than 2^32 sections.
    void allowances_per_metre()
    {
        const std::size_t count = m_lines.size();
        std::vector<std::int64_t> typed_loss(count, 0);
        std::vector<std::int64_t> empty_length(count, 0);
        std::vector<bool> typed_error(count, false);
        down([&](std::size_t i, const SectionResult& here) {
            if (!here.feeds_appliance)
                return;
            if (here.from) {
                typed_loss[i] = typed_loss[*here.from];
                empty_length[i] = empty_length[*here.from];
                typed_error[i] = typed_error[*here.from];
            }
            if (!m_readings[i].typed_diameter)
                empty_length[i] += m_readings[i].length;
            else if (has_loss(here))
                typed_loss[i] += here.loss->value();
            else
                typed_error[i] = true;
            if (!m_readings[i].appliance)
                return;
            // A path whose empty sections all read as 0 m sets no limit:
            // only they lie on it, and they get no proposal for their length.
            if (m_result.allowance && empty_length[i] > 0)
                m_per_metre[i] = static_cast<double>(*m_result.allowance - typed_loss[i]) /
                                 static_cast<double>(empty_length[i]);
            m_error_on_path[i] = typed_error[i];
        });
        up([&](std::size_t i, const SectionResult& here) {
            if (!here.feeds_appliance || !here.from)
                return;
            m_per_metre[*here.from] = std::min(m_per_metre[*here.from], m_per_metre[i]);
            m_error_on_path[*here.from] = m_error_on_path[*here.from] || m_error_on_path[i];
        });
    }

    // Each empty diameter by its own share, which no other proposal changes.
    void proposals()
    {
        down([&](std::size_t i, SectionResult& here) {
            if (!here.feeds_appliance || m_readings[i].typed_diameter)
                return;
            if (!m_result.allowance) {
                here.no_proposal = NoProposal::AllowanceNotValid;
                return;
            }
            if (m_error_on_path[i]) {
                here.no_proposal = NoProposal::ErrorOnPath;
                return;
            }
            if (m_readings[i].length == 0) {
                here.no_proposal = NoProposal::LengthZero;
                return;
            }
            here.share = m_per_metre[i] * m_readings[i].length;
            if (!(*here.share > 0)) {
                here.no_proposal = NoProposal::AllowanceUsedUp;
                return;
            }
            const auto proposal = here.power.ok() ? propose_diameter(m_power_texts[i], text(i, SectionField::Length),
                                                                     *here.share, m_separator)
                                                  : std::nullopt;
            if (!proposal) {
                here.no_proposal = NoProposal::NoneFits;
                return;
            }
            here.proposed_diameter = proposal->diameter;
            here.loss = proposal->loss;
            here.designation = designation(long_to_text(proposal->diameter), m_separator);
        });
    }

    // The losses from the meter, and each one's verdict.
    void losses_from_meter()
    {
        down([&](std::size_t, SectionResult& here) {
            std::int64_t above = 0;
            if (here.from) {
                const SectionResult& start = section(*here.from);
                if (!start.loss_from_meter) {
                    here.above_without_loss = has_loss(start) ? start.above_without_loss : here.from;
                    return;
                }
                above = *start.loss_from_meter;
            }
            if (!has_loss(here))
                return;
            here.loss_from_meter = above + here.loss->value();
            if (m_result.allowance)
                here.verdict = *here.loss_from_meter <= *m_result.allowance ? Verdict::Within : Verdict::Over;
        });
    }

    void appliance_paths()
    {
        down([&](std::size_t i, const SectionResult& here) {
            if (!m_readings[i].appliance)
                return;
            AppliancePath path{i, here.loss_from_meter, std::nullopt, here.verdict};
            if (path.loss_from_meter && m_result.allowance)
                path.margin = *m_result.allowance - *path.loss_from_meter;
            if (path.loss_from_meter && (!m_result.worst || *path.loss_from_meter >
                                                                 *m_result.appliances[*m_result.worst].loss_from_meter))
                m_result.worst = m_result.appliances.size();
            m_result.appliances.push_back(path);
        });
    }

    std::span<const SectionLine> m_lines;
    std::string_view m_separator;
    InstallationResult m_result;
    std::vector<Reading> m_readings;
    std::vector<std::string> m_power_texts;  // P as the loss mode reads it
    std::vector<double> m_per_metre;         // the smallest allowance a metre through each section
    std::vector<bool> m_error_on_path;       // a typed section without a loss on a path through it
};

}  // namespace

InstallationResult evaluate(std::string_view allowance, std::span<const SectionLine> lines,
                            std::string_view separator)
{
    return Evaluation(allowance, lines, separator).run();
}

}  // namespace tubaro
