#pragma once

#include <cstdio>
#include <span>
#include <string>
#include <string_view>

// What tubarogas-calc takes from the system it runs on; one implementation
// for POSIX systems (platform_posix.cpp), one for Windows
// (platform_windows.cpp), one for Node.js (platform_node.cpp).

// The decimal separator of the user's regional settings: on POSIX systems
// that of LC_ALL, LC_NUMERIC or LANG when that locale is installed (else a
// point), on Windows that of the regional settings (LOCALE_SDECIMAL), in
// Node.js that of the language of LC_ALL, LC_NUMERIC or LANG as its Intl
// writes a decimal.
std::string regional_decimal_separator();

// Where --help says the separator comes from.
extern const std::string_view kRegionalSettingsSource;

// Opens a file for reading, its name in UTF-8 (wide on Windows, so names
// that are not ASCII work).
std::FILE* open_for_reading(const std::string& utf8_name);

// Makes the standard streams carry bytes as they are: on Windows, no CR
// added before LF and no end of input at a byte 0x1A.
void use_binary_standard_streams();

// The program itself, on arguments in UTF-8 without the program's name.
int tubarogas_calc(std::span<const char* const> arguments);
