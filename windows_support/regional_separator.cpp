#include "windows_support/regional_separator.h"

#include <windows.h>

#include "windows_support/wide_text.h"

std::string windows_decimal_separator()
{
    wchar_t separator[LOCALE_NAME_MAX_LENGTH] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, LOCALE_NAME_MAX_LENGTH);
    if (length <= 1)
        return ".";
    return narrow(std::wstring_view(separator, static_cast<std::size_t>(length - 1)));
}
