#include "web/installation_view.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <unordered_set>

#include "rules/installation_link.h"
#include "rules/installation_words.h"
#include "rules/section_figures.h"
#include "form/window_data.h"

namespace {

// The bridge's events once the frame after a change is drawn, and once the
// frame after the page's start is drawn.
constexpr std::string_view kSettled = "settled";
constexpr std::string_view kFresh = "fresh";
// A start no section can be named (a name never begins with "#").
constexpr std::string_view kNoStartName = "#";

using installation_page::RowShown;
using tubaro::SectionField;

// A row's number and the suffix of its element, from an id such as
// "tratto-3-l" (none for a row's own id, "tratto-3"); none for an id that
// is no row's.
std::optional<std::pair<int, std::string_view>> row_part(std::string_view id)
{
    if (!id.starts_with(installation_page::kRowPrefix))
        return std::nullopt;
    id.remove_prefix(installation_page::kRowPrefix.size());
    int number = 0;
    const auto [end, error] = std::from_chars(id.data(), id.data() + id.size(), number);
    if (error != std::errc())
        return std::nullopt;
    const std::string_view rest = id.substr(static_cast<std::size_t>(end - id.data()));
    if (!rest.empty() && rest.front() != '-')
        return std::nullopt;
    return std::pair{number, rest.empty() ? rest : rest.substr(1)};
}

std::optional<SectionField> field_of(std::string_view suffix)
{
    for (SectionField field : tubaro::kSectionFields)
        if (installation_page::kFieldSuffixes[field] == suffix)
            return field;
    return std::nullopt;
}

std::string_view outcome_class(const tubaro::SectionResult& section)
{
    if (!section.valid())
        return "non-valido";
    if (!section.verdict)
        return "";
    return *section.verdict == tubaro::Verdict::Within ? "entro" : "oltre";
}

}  // namespace

std::unordered_map<int, std::size_t> InstallationView::row_indexes(const State& state)
{
    std::unordered_map<int, std::size_t> rows;
    for (std::size_t i = 0; i < state.rows.size(); ++i)
        rows.emplace(state.rows[i].number, i);
    return rows;
}

std::vector<tubaro::SectionLine> InstallationView::lines_of(const State& state, Reader reader)
{
    std::vector<tubaro::SectionLine> lines(state.rows.size());
    for (std::size_t i = 0; i < state.rows.size(); ++i) {
        for (SectionField field : tubaro::kSectionFields)
            lines[i].texts[field] = state.rows[i].texts[field];
        if (reader == Reader::Library && state.rows[i].start_unknown)
            lines[i].texts[SectionField::From] = kNoStartName;
    }
    return lines;
}

InstallationView::Evaluated InstallationView::evaluated(State& state)
{
    // The library finds a start by its name, as the first valid section of
    // that name above. Where that is not the row chosen (left without a
    // name, named as a row above it, or itself no valid section), the row
    // is told a start no section has, and says it has lost its start; the
    // address keeps the name its start last had, if it had one. A row that
    // loses its start so may leave one below it without its own: again,
    // until none does.
    const std::unordered_map<int, std::size_t> rows = row_indexes(state);
    for (;;) {
        Evaluated done{lines_of(state, Reader::Library), {}};
        done.result = tubaro::evaluate(state.allowance, done.lines, m_separator);
        bool again = false;
        for (std::size_t i = 0; i < state.rows.size(); ++i) {
            Row& row = state.rows[i];
            const auto start = row_part(row.start);
            const auto chosen = start ? rows.find(start->first) : rows.end();
            if (row.start_unknown || chosen == rows.end())
                continue;
            if (done.result.sections[i].from == chosen->second) {
                m_start_names[row.number] = row.texts[SectionField::From];
                continue;
            }
            row.start_unknown = true;
            const auto kept = m_start_names.find(row.number);
            row.texts[SectionField::From] = kept != m_start_names.end() ? kept->second : std::string();
            again = true;
        }
        if (!again)
            return done;
    }
}

InstallationView::InstallationView(std::string decimal_separator) : m_separator(std::move(decimal_separator)) {}

InstallationView::State InstallationView::state_of(const ViewRecord& record)
{
    State state;
    std::unordered_map<int, std::size_t> rows;  // row number to index
    for (const ViewField& each : record.fields) {
        if (each.id == installation_page::kAllowanceId) {
            state.allowance = each.value;
            continue;
        }
        const auto part = row_part(each.id);
        const auto field = part ? field_of(part->second) : std::nullopt;
        if (!field)
            continue;
        const auto [at, added] = rows.try_emplace(part->first, state.rows.size());
        if (added)
            state.rows.push_back({part->first, {}, {}});
        Row& row = state.rows[at->second];
        if (*field == SectionField::From)
            row.start = each.value;
        else
            row.texts[*field] = each.value;
    }
    resolve_starts(state);
    return state;
}

void InstallationView::resolve_starts(State& state)
{
    // Each start as the name its row has now; a lost one, as the name it
    // keeps.
    const std::unordered_map<int, std::size_t> rows = row_indexes(state);
    for (std::size_t i = 0; i < state.rows.size(); ++i) {
        Row& row = state.rows[i];
        if (row.start.starts_with(installation_page::kLostStart)) {
            row.texts[SectionField::From] = row.start.substr(installation_page::kLostStart.size());
            continue;
        }
        const auto start = row_part(row.start);
        const auto found = start ? rows.find(start->first) : rows.end();
        if (found == rows.end())
            continue;
        row.texts[SectionField::From] = state.rows[found->second].texts[SectionField::Name];
    }
}

void InstallationView::open(std::string_view fragment, PageOperations& out)
{
    m_opened = true;
    m_start_names.clear();
    const bool given = tubaro::names_installation(fragment);
    const tubaro::InstallationLink link =
        tubaro::read_installation_fragment(given ? fragment : tubaro::kExampleFragment, m_separator);
    State state;
    state.allowance = link.allowance.value_or(std::string(tubaro::kDefaultAllowance));
    for (std::size_t i = 0; i < link.sections.size(); ++i)
        state.rows.push_back({static_cast<int>(i) + 1, link.sections[i], {}});
    // A start is the section the library finds by that name, or, where it
    // finds none, a name kept as a lost start.
    const tubaro::InstallationResult result = tubaro::evaluate(state.allowance, lines_of(state), m_separator);
    for (std::size_t i = 0; i < state.rows.size(); ++i) {
        Row& row = state.rows[i];
        if (const std::string& from = row.texts[SectionField::From]; !from.empty())
            row.start = result.sections[i].from ? installation_page::row_id(state.rows[*result.sections[i].from].number)
                                                : std::string(installation_page::kLostStart) + from;
    }
    out.add("value", installation_page::kAllowanceId, std::string_view(state.allowance));
    out.add("text", installation_page::kNoteId, tubaro::link_note(link).value_or(""));
    show_all(state, Redraw::All, 0, out);
}

void InstallationView::open_later(PageOperations& out)
{
    out.begin_later(installation_page::kViewId);
    out.add("ask", installation_page::kViewId, kFresh);
    out.end_later(true);
}

void InstallationView::set_shown(bool shown)
{
    m_shown = shown;
}

void InstallationView::write_address(PageOperations& out)
{
    out.add("address", "", std::string_view(m_fragment));
    out.add("title", "", std::string_view(m_title));
    out.add("href", installation_page::kSheetAddressId);
}

void InstallationView::handle(const ViewRecord& record, PageOperations& out)
{
    if (record.type == kFresh) {
        // (Unless an address has opened it meanwhile.)
        if (!m_opened)
            open("", out);
        return;
    }
    State state = state_of(record);
    if (record.type == kSettled) {
        settled(state, out);
        return;
    }
    const auto index_of = [&](int number) {
        return static_cast<std::size_t>(
            std::find_if(state.rows.begin(), state.rows.end(), [&](const Row& row) { return row.number == number; }) -
            state.rows.begin());
    };
    const auto part = row_part(record.target);
    if (record.type == "input") {
        out.add("text", installation_page::kNoteId, "");
        show_all(state, Redraw::None, 0, out);
        return;
    }
    if (record.type != "click")
        return;
    const bool add = record.target == installation_page::kAddId;
    const bool from_here = part && part->second == installation_page::kFromHereSuffix;
    if (add || from_here) {
        if (state.rows.size() >= tubaro::kMostSections) {
            out.add("text", installation_page::kNoteId, tubaro::most_sections_text());
            return;
        }
        out.add("text", installation_page::kNoteId, "");
        int number = 0;
        for (const Row& row : state.rows)
            number = std::max(number, row.number);
        Row row{number + 1, {}, {}};
        row.texts[SectionField::Name] = tubaro::new_section_name(lines_of(state));
        std::size_t at = state.rows.size();
        if (from_here) {
            at = index_of(part->first);
            if (at == state.rows.size())
                return;
            row.start = installation_page::row_id(part->first);
            ++at;
        }
        state.rows.insert(state.rows.begin() + static_cast<std::ptrdiff_t>(at), std::move(row));
        resolve_starts(state);
        show_all(state, Redraw::One, at, out);
        const std::string name = installation_page::field_id(number + 1, SectionField::Name);
        out.add("focus", name);
        out.add("select", name);
        return;
    }
    if (part && part->second == installation_page::kRemoveSuffix) {
        const std::size_t at = index_of(part->first);
        if (at == state.rows.size())
            return;
        out.add("text", installation_page::kNoteId, "");
        out.add("remove", installation_page::row_id(part->first));
        m_written.erase(part->first);
        m_start_names.erase(part->first);
        state.rows.erase(state.rows.begin() + static_cast<std::ptrdiff_t>(at));
        show_all(state, Redraw::None, 0, out);
        // The focus where the row was: the next, or else the one above, or
        // else the button that adds one.
        if (state.rows.empty())
            out.add("focus", installation_page::kAddId);
        else
            out.add("focus", installation_page::field_id(state.rows[std::min(at, state.rows.size() - 1)].number,
                                                         SectionField::Name));
    }
}

namespace {

// FNV-1a, to tell whether a row's choices of start changed without keeping
// every row's copy of them.
std::uint64_t hashed(std::uint64_t hash, std::string_view text)
{
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

}  // namespace

// The choices of start every row has, grown from the meter row by row: each
// row above whose name can be started from.
struct InstallationView::Choices {
    std::string markup = installation_page::start_option("", tubaro::kMeterName);
    std::uint64_t hash = hashed(14695981039346656037ULL, markup);
    std::unordered_set<std::string> values{""};

    void add(std::string value, std::string_view label)
    {
        const std::string option = installation_page::start_option(value, label);
        markup += option;
        hash = hashed(hash, option);
        values.insert(std::move(value));
    }
};

InstallationView::RowMade InstallationView::row_shown(const State& state, std::size_t i,
                                                      const tubaro::InstallationResult& result,
                                                      const std::vector<tubaro::SectionLine>& lines,
                                                      const Choices& choices) const
{
    const Row& row = state.rows[i];
    const tubaro::SectionResult& section = result.sections[i];
    RowMade made;
    RowShown& shown = made.shown;
    shown.number = row.number;
    for (SectionField field : tubaro::kSectionFields) {
        shown.texts[field] = row.texts[field];
        if (const auto fault = section.field_faults[field])
            shown.faults[field] = tubaro::field_fault_phrase(field, *fault);
    }
    shown.start = row.start;
    if (!choices.values.contains(row.start)) {
        // Kept as it is chosen: a row whose name is not valid now, or one
        // that is gone.
        const bool present = std::any_of(state.rows.begin(), state.rows.end(), [&](const Row& other) {
            return installation_page::row_id(other.number) == row.start;
        });
        if (!present)
            shown.start = std::string(installation_page::kLostStart) + row.texts[SectionField::From];
        made.extra_choice = installation_page::start_option(shown.start, row.texts[SectionField::From]);
    }
    if (section.proposed_diameter)
        shown.proposal = tubaro::long_to_text(*section.proposed_diameter) + " " + std::string(tubaro::kProposedWord);
    const tubaro::SectionFigures figures = tubaro::section_figures(result, lines, i, m_separator);
    shown.figures = {figures.power, figures.loss, figures.loss_from_meter, std::string(figures.designation),
                     tubaro::outcome_phrase(result, lines, i)};
    shown.outcome_class = outcome_class(section);
    shown.worst = result.worst && result.appliances[*result.worst].section == i;
    made.written = {shown.faults, shown.proposal, shown.figures, installation_page::row_class(shown),
                    hashed(choices.hash, made.extra_choice)};
    return made;
}

void InstallationView::show_all(State& state, Redraw redraw, std::size_t written, PageOperations& out)
{
    const Evaluated done = evaluated(state);
    const std::vector<tubaro::SectionLine>& lines = done.lines;
    const tubaro::InstallationResult& result = done.result;

    if (redraw == Redraw::All)
        m_written.clear();
    Choices choices;
    std::string markup;
    std::vector<std::pair<std::string, std::string>> starts;  // each select's choice, once all are written
    for (std::size_t i = 0; i < state.rows.size(); ++i) {
        const Row& row = state.rows[i];
        RowMade made = row_shown(state, i, result, lines, choices);
        RowShown& shown = made.shown;
        const std::string select = installation_page::field_id(row.number, SectionField::From);
        const auto was = m_written.find(row.number);
        const bool rewritten = redraw == Redraw::All || (redraw == Redraw::One && i == written);
        const bool new_choices = was == m_written.end() || was->second.options != made.written.options;
        if (rewritten || new_choices)
            shown.options = choices.markup + made.extra_choice;
        if (redraw == Redraw::All) {
            markup += installation_page::row_markup(shown);
            if (!shown.start.empty())
                starts.emplace_back(select, shown.start);
        } else if (rewritten) {
            if (i == 0)
                out.add("insert", installation_page::kRowsId, "afterbegin", installation_page::row_markup(shown));
            else
                out.add("insert", installation_page::row_id(state.rows[i - 1].number), "afterend",
                        installation_page::row_markup(shown));
            if (!shown.start.empty())
                out.add("value", select, std::string_view(shown.start));
        } else {
            write_changes(row.number, was == m_written.end() ? nullptr : &was->second, made.written, out);
            // Choices written anew choose again what was chosen.
            if (new_choices) {
                out.add("markup", select, std::string_view(shown.options));
                if (!shown.start.empty())
                    out.add("value", select, std::string_view(shown.start));
            }
        }
        m_written[row.number] = std::move(made.written);
        if (!result.sections[i].field_faults[SectionField::Name])
            choices.add(installation_page::row_id(row.number), row.texts[SectionField::Name]);
    }
    if (redraw == Redraw::All) {
        out.add("markup", installation_page::kRowsId, markup);
        for (const auto& [select, start] : starts)
            out.add("value", select, std::string_view(start));
    }

    const std::string allowance_fault =
        result.allowance_fault ? tubaro::allowance_fault_phrase(*result.allowance_fault) : std::string();
    if (allowance_fault != m_allowance_fault || redraw == Redraw::All) {
        out.add("attribute", installation_page::kAllowanceId, "aria-invalid",
                allowance_fault.empty() ? std::nullopt : std::optional<std::string_view>("true"));
        out.add("text", installation_page::fault_id(installation_page::kAllowanceId), std::string_view(allowance_fault));
        m_allowance_fault = allowance_fault;
    }
    out.add("text", installation_page::kSummaryId, tubaro::installation_summary(result, lines));
    out.add_flag("hidden", installation_page::kEmptyId, !state.rows.empty());
    // The address, the title and the sheet once the frame is drawn.
    out.begin_later(installation_page::kViewId);
    out.add("ask", installation_page::kViewId, kSettled);
    out.end_later(true);
}

// Only what differs from what the row shows: a change in one section
// touches a few cells of a few rows.
void InstallationView::write_changes(int number, const Written* was, const Written& now, PageOperations& out)
{
    const auto differs = [&](std::string Written::*part) { return !was || was->*part != now.*part; };
    for (SectionField field : tubaro::kSectionFields) {
        if (was && was->faults[field] == now.faults[field])
            continue;
        const std::string id = installation_page::field_id(number, field);
        out.add("attribute", id, "aria-invalid",
                now.faults[field].empty() ? std::nullopt : std::optional<std::string_view>("true"));
        out.add("text", installation_page::fault_id(id), std::string_view(now.faults[field]));
    }
    if (differs(&Written::proposal))
        out.add("text", installation_page::part_id(number, installation_page::kProposedSuffix),
                std::string_view(now.proposal));
    for (std::size_t f = 0; f < now.figures.size(); ++f)
        if (!was || was->figures[f] != now.figures[f])
            out.add("text", installation_page::part_id(number, installation_page::kFigureSuffixes[f]),
                    std::string_view(now.figures[f]));
    if (differs(&Written::row_class))
        out.add("attribute", installation_page::row_id(number), "class", std::string_view(now.row_class));
}

void InstallationView::settled(State& state, PageOperations& out)
{
    const tubaro::InstallationResult result = evaluated(state).result;
    // Each start as the address writes it: the sheet shows no start that
    // only the library is told.
    const std::vector<tubaro::SectionLine> lines = lines_of(state);
    m_fragment = tubaro::installation_fragment(state.allowance, lines, m_separator);
    m_title = std::string(tubaro::kWindowCaption) + " · " + tubaro::installation_title(result);
    // The sheet for paper: every section with its figures, then each
    // appliance's path.
    std::vector<std::string> cells;
    std::string rows;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const tubaro::SectionFigures figures = tubaro::section_figures(result, lines, i, m_separator);
        const tubaro::SectionResult& section = result.sections[i];
        const std::string_view from = lines[i].texts[SectionField::From];
        std::string diameter = figures.diameter;
        if (section.proposed_diameter)
            diameter.append(" ").append(tubaro::kProposedWord);
        std::string outcome = tubaro::outcome_phrase(result, lines, i);
        if (!section.valid())
            outcome.append(": ").append(tubaro::section_faults_phrase(section));
        rows += installation_page::table_row_markup(
            {std::string(lines[i].texts[SectionField::Name]), std::string(from.empty() ? tubaro::kMeterName : from),
             std::string(lines[i].texts[SectionField::Length]), diameter, std::string(lines[i].texts[SectionField::Power]),
             figures.power, figures.loss, figures.loss_from_meter, std::string(figures.designation), outcome},
            installation_page::row_class_of(outcome_class(section), false));
    }
    std::string paths;
    for (std::size_t a = 0; a < result.appliances.size(); ++a) {
        const tubaro::AppliancePath& path = result.appliances[a];
        const auto number = [](const std::optional<std::int64_t>& value) {
            return value ? std::to_string(*value) : std::string();
        };
        paths += installation_page::table_row_markup(
            {std::string(lines[path.section].texts[SectionField::Name]),
             std::string(lines[path.section].texts[SectionField::Power]), number(path.loss_from_meter),
             number(path.margin), tubaro::path_phrase(result, lines, a)},
            installation_page::row_class_of(outcome_class(result.sections[path.section]), result.worst == a));
    }
    out.add("attribute", installation_page::kViewLinkId, "href", "#" + m_fragment);
    if (m_shown)
        write_address(out);
    out.add("markup", installation_page::kSheetRowsId, rows);
    out.add("markup", installation_page::kSheetPathsId, paths);
    out.add("text", installation_page::kSheetSummaryId, tubaro::installation_summary(result, lines));
}
