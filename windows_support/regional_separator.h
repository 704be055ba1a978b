#pragma once

#include <string>

// The decimal separator of the user's regional settings (LOCALE_SDECIMAL),
// in UTF-8; a point if Windows gives none.
std::string windows_decimal_separator();
