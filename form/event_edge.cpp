#include "event_edge.h"

namespace tubaro {

void EventEdge::report(std::optional<ControlId> source, const std::exception_ptr& failure) noexcept
{
    Report report{source, std::nullopt};
    try {
        std::rethrow_exception(failure);
    } catch (const CalcError& error) {
        report.kind = error.kind();
    } catch (...) {
    }
    m_report(report);
}

}  // namespace tubaro
