#pragma once

#include <string>
#include <string_view>

// Windows speaks UTF-16; the form library speaks UTF-8. These convert at the
// edge, and nowhere else.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);
