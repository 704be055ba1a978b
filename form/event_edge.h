#pragma once

#include <exception>
#include <functional>
#include <optional>
#include <utility>

#include "error_kind.h"
#include "window_data.h"

namespace tubaro {

// Where an error stops. Every front end hands every event of the window to
// run(), and no handler catches anything:
//   - an event that a user action started is the edge: an error that ends
//     its handler stops here, is reported once with its kind and the control
//     the event came from, and the program goes on with the form as the
//     failing step left it;
//   - an event raised inside a handler (a text box's change, raised by an
//     assignment) is not an edge: its error is held and travels on to the
//     handler that made the assignment, raised again by through_toolkit once
//     the toolkit has returned, so no exception ever unwinds through a
//     toolkit's frames.
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
    void run(std::optional<ControlId> source, Handler&& handler) noexcept
    {
        if (m_depth > 0) {
            hold(std::forward<Handler>(handler));
            return;
        }
        std::exception_ptr failure;
        {
            const Depth depth(m_depth);
            try {
                std::forward<Handler>(handler)();
            } catch (...) {
                failure = std::current_exception();
            }
        }
        if (std::exception_ptr held = std::exchange(m_held, nullptr); !failure)
            failure = held;
        if (failure)
            report(source, failure);
    }

    // Makes an assignment through a toolkit that raises the change event
    // from inside it. Events raised meanwhile are nested; the first error
    // among them is raised again here, after the toolkit has returned.
    template <typename Call>
    void through_toolkit(Call&& call)
    {
        {
            const Depth depth(m_depth);
            std::forward<Call>(call)();
        }
        if (m_held)
            std::rethrow_exception(std::exchange(m_held, nullptr));
    }

private:
    struct Depth {
        explicit Depth(int& depth) : m_ref(depth) { ++m_ref; }
        ~Depth() { --m_ref; }
        Depth(const Depth&) = delete;
        Depth& operator=(const Depth&) = delete;
        int& m_ref;
    };

    template <typename Handler>
    void hold(Handler&& handler) noexcept
    {
        try {
            std::forward<Handler>(handler)();
        } catch (...) {
            if (!m_held)
                m_held = std::current_exception();
        }
    }

    void report(std::optional<ControlId> source, const std::exception_ptr& failure) noexcept;

    std::function<void(const Report&)> m_report;
    std::exception_ptr m_held;
    int m_depth = 0;
};

}  // namespace tubaro
