#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "installation.h"
#include "installation_markup.h"
#include "page_operations.h"
#include "view_record.h"

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
    };
    struct State {
        std::string allowance;
        std::vector<Row> rows;
    };

    // How much of the rows' markup is written anew: none (each row's
    // figures and marks are set), one row, or every row.
    enum class Redraw { None, One, All };

    static State state_of(const ViewRecord& record);
    // Everything shown, from the rows as they now stand: from row
    // `choices_from` on, the choices of start are written again (a name
    // above them changed); `written` is the row Redraw::One writes.
    void show_all(const State& state, std::size_t choices_from, Redraw redraw, std::size_t written,
                  PageOperations& out);
    void later(const State& state, const tubaro::InstallationResult& result,
               const std::vector<tubaro::SectionLine>& lines, PageOperations& out);

    std::string m_separator;
    bool m_shown = false;
    std::string m_fragment;
    std::string m_title;
};
