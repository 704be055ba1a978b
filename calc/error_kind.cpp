#include "calc/error_kind.h"

namespace tubaro {

std::string_view error_name(ErrorKind kind) noexcept
{
    switch (kind) {
    case ErrorKind::TypeMismatch: return "Tipo non corrispondente";
    case ErrorKind::Overflow: return "Overflow";
    case ErrorKind::DivisionByZero: return "Divisione per zero";
    case ErrorKind::InvalidArgument: return "Argomento non valido";
    }
    return "Overflow";  // unreachable: every enumerator is handled above
}

const char* CalcError::what() const noexcept
{
    // The names are string literals, so their data is NUL-terminated.
    return error_name(m_kind).data();
}

}  // namespace tubaro
