#pragma once

#include <QString>

#include <string_view>

// The form library's UTF-8 texts as Qt's strings.
inline QString from_utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
