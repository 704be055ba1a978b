#pragma once

#include <functional>
#include <utility>

#include "error_kind.h"

namespace tubaro {

// The outer edge of an event handler: where an error that no handler caught
// stops and is reported, and the program goes on with the form as the failing
// step left it.
//
// Events nest: assigning a text raises that box's change event inside the
// handler that assigned it. A nested event is not an edge, so its error keeps
// travelling to the handler that made the assignment.
class EventEdge {
public:
    explicit EventEdge(std::function<void(ErrorKind)> report) : m_report(std::move(report)) {}

    template <typename Handler>
    void run(Handler&& handler)
    {
        if (m_depth > 0) {
            std::forward<Handler>(handler)();
            return;
        }
        Depth depth(m_depth);
        try {
            std::forward<Handler>(handler)();
        } catch (const CalcError& error) {
            m_report(error.kind());
        }
    }

private:
    struct Depth {
        explicit Depth(int& depth) : m_ref(depth) { ++m_ref; }
        ~Depth() { --m_ref; }
        Depth(const Depth&) = delete;
        Depth& operator=(const Depth&) = delete;
        int& m_ref;
    };

    std::function<void(ErrorKind)> m_report;
    int m_depth = 0;
};

}  // namespace tubaro
