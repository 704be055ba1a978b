#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "rules/installation.h"
#include "web/installation_markup.h"
#include "web/page_operations.h"
#include "web/view_record.h"

// The installation as a view of the page, beside the form. The page's
// bridge carries each of its DOM events with every field as the DOM holds
// it (the DOM is the only copy of what was typed); this hands the texts to
// the installation library and answers with the DOM operations that show
// what the library says: each row's figures, a field marked invalid with
// its reason, a row added or taken away (its markup written here, every
// typed text escaped), the address, the title and the sheet for paper. It
// decides nothing of the installation: sums, losses, verdicts, proposals,
// reading and texts are the library's.
//
// A row's Da is a choice among the rows above, by the rows' ids: a section
// renamed keeps what starts from it. The library reads starts by name, so
// each choice is handed over as the name its row has now.
class InstallationView {
public:
    explicit InstallationView(std::string decimal_separator);

    // The view as an address gives it (an installation's fragment), or the
    // fresh example for any other; said at once where it could not be
    // read whole.
    void open(std::string_view fragment, PageOperations& out);
    // The fresh example, once the frame after this event is drawn: the
    // browser compiles the code a function at a time, at its first call, and
    // a page opened at the form waits for none of the installation's.
    void open_later(PageOperations& out);
    // Shown or not: only the view shown writes the page's address and title.
    void set_shown(bool shown);
    // The address, the title and the sheet's address, as they stand: the
    // view shown again, as its link left it.
    void write_address(PageOperations& out);
    void handle(const ViewRecord& record, PageOperations& out);

    // The address this view last wrote (without its '#'): the link that
    // shows it again as it stands.
    const std::string& fragment() const { return m_fragment; }

private:
    struct Row {
        int number = 0;
        tubaro::PerSectionField<std::string> texts{};  // Da: the name of the row chosen
        std::string start;                             // the choice's value
        // The library is told a start no section has: by name it would find
        // another, or none, where the row chosen is not a valid section of
        // its own name.
        bool start_unknown = false;
    };
    // The rows as the library reads them, and what it answers.
    struct Evaluated {
        std::vector<tubaro::SectionLine> lines;
        tubaro::InstallationResult result;
    };
    struct State {
        std::string allowance;
        std::vector<Row> rows;
    };

    // How much of the rows' markup is written anew: none (each row's
    // figures and marks are set), one row, or every row.
    enum class Redraw { None, One, All };

    // What the view last wrote into a row, besides its fields: what the
    // user types is in the DOM alone, what the code writes is kept here so
    // that a change writes only what differs.
    struct Written {
        tubaro::PerSectionField<std::string> faults;
        std::string proposal;
        std::array<std::string, 5> figures;
        std::string row_class;
        std::uint64_t options = 0;  // the choices of start, hashed
    };
    // A row as shown now, what to compare with what it showed, and the
    // choice of start it has beyond every row's.
    struct RowMade {
        installation_page::RowShown shown;
        Written written;
        std::string extra_choice;
    };
    struct Choices;

    // The rows as the page shows them.
    State state_of(const ViewRecord& record);
    // Each row's start as the name of the row chosen, or of a lost one.
    static void resolve_starts(State& state);
    // Each row's place in `state`, by its number.
    static std::unordered_map<int, std::size_t> row_indexes(const State& state);
    // The rows' texts, pointing into `state`: as the address writes them,
    // or as the library is to read them.
    enum class Reader { Address, Library };
    static std::vector<tubaro::SectionLine> lines_of(const State& state, Reader reader = Reader::Address);
    // The installation evaluated, each row's start as it was chosen.
    Evaluated evaluated(State& state);
    // Everything shown, from the rows as they now stand; `written` is the
    // row Redraw::One writes.
    void show_all(State& state, Redraw redraw, std::size_t written, PageOperations& out);
    RowMade row_shown(const State& state, std::size_t i, const tubaro::InstallationResult& result,
                      const std::vector<tubaro::SectionLine>& lines, const Choices& choices) const;
    void write_changes(int number, const Written* was, const Written& now, PageOperations& out);
    // What waits until the frame after a change is drawn: the address
    // (while shown), the title, the link to this view and the sheet.
    void settled(State& state, PageOperations& out);

    std::string m_separator;
    bool m_shown = false;
    bool m_opened = false;
    std::string m_fragment;
    std::string m_title;
    std::unordered_map<int, Written> m_written;  // by row number
    // The name each row's start last had, by row number.
    std::unordered_map<int, std::string> m_start_names;
    std::string m_allowance_fault;
};
