#pragma once

#include <exception>
#include <string_view>

namespace tubaro {

// The four ways a conversion or a calculation step can fail. Every failure in
// the program is one of these; nothing else is ever raised by calc/ or form/.
enum class ErrorKind {
    TypeMismatch,     // a text that names no number in an accepted form
    Overflow,         // out of range, or an operation without a defined result
    DivisionByZero,   // a non-zero value divided by zero
    InvalidArgument,  // a negative base raised to a fractional power
};

// The program's own Italian name for a kind, the one every front end shows.
std::string_view error_name(ErrorKind kind) noexcept;

// Thrown by the first step that fails; it ends every calculation above it.
class CalcError : public std::exception {
public:
    explicit CalcError(ErrorKind kind) noexcept : m_kind(kind) {}
    ErrorKind kind() const noexcept { return m_kind; }
    const char* what() const noexcept override;

private:
    ErrorKind m_kind;
};

[[noreturn]] inline void raise(ErrorKind kind) { throw CalcError(kind); }

}  // namespace tubaro
