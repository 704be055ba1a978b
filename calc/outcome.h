#pragma once

#include <optional>
#include <type_traits>
#include <utility>

#include "calc/error_kind.h"

namespace tubaro {

// A calculation's result, or the kind of the error that ended it. For callers
// that hand an error on as a value (the command line, the recalculation
// without a window); a handler of the window raises it again with
// value_or_raise(), so it travels on to the event edge.
template <typename T>
class Outcome {
public:
    Outcome(T value) : m_value(std::move(value)) {}
    Outcome(ErrorKind kind) : m_error(kind) {}

    bool ok() const { return !m_error; }
    std::optional<ErrorKind> error() const { return m_error; }
    // Only when ok().
    const T& value() const { return m_value; }

    const T& value_or_raise() const
    {
        if (m_error)
            raise(*m_error);
        return m_value;
    }

    friend bool operator==(const Outcome&, const Outcome&) = default;

private:
    T m_value{};  // a default value after an error, never read
    std::optional<ErrorKind> m_error;
};

// Runs a calculation and returns what it gives, or the kind of the error
// that ended it. Besides the event edge, the one place where a CalcError
// stops.
template <typename Calculation>
auto capture(Calculation&& calculation) -> Outcome<std::invoke_result_t<Calculation>>
{
    try {
        return std::forward<Calculation>(calculation)();
    } catch (const CalcError& error) {
        return error.kind();
    }
}

}  // namespace tubaro
