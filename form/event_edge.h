#pragma once

#include <functional>
#include <optional>
#include <utility>

#include "calc/error_kind.h"
#include "form/window_data.h"

namespace tubaro {

// Where an error stops. The form runs the handler of every event a user's
// action started through run(), and no handler catches anything: an error
// that ends a handler stops here, is reported once with its kind and the
// control the event came from, and the program goes on with the form as the
// failing step left it. A handler run from inside another (a text box's
// change, run by an assignment) is no edge: its error ends the handler that
// made the assignment too, and stops at that one's edge.
class EventEdge {
public:
    struct Report {
        // The control the event came from; empty for the window itself.
        std::optional<ControlId> source;
        // Empty for a failure outside the four kinds (out of memory, say),
        // which stops here all the same.
        std::optional<ErrorKind> kind;
    };

    explicit EventEdge(std::function<void(const Report&)> report) : m_report(std::move(report)) {}
    EventEdge(const EventEdge&) = delete;
    EventEdge& operator=(const EventEdge&) = delete;

    // Runs the handler of an event that came from `source` (empty: from the
    // window itself).
    template <typename Handler>
    void run(std::optional<ControlId> source, Handler&& handler)
    {
        if (m_running) {
            std::forward<Handler>(handler)();
            return;
        }
        m_running = true;
        try {
            std::forward<Handler>(handler)();
        } catch (const CalcError& error) {
            m_running = false;
            m_report({source, error.kind()});
            return;
        } catch (...) {
            m_running = false;
            m_report({source, std::nullopt});
            return;
        }
        m_running = false;
    }

private:
    std::function<void(const Report&)> m_report;
    bool m_running = false;
};

}  // namespace tubaro
