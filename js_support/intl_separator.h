#pragma once

#include <string>
#include <string_view>

// The decimal separator of a language ("it-IT": a comma) as the JavaScript
// engine's Intl writes a decimal in it; a point for a tag Intl does not
// know. For the WebAssembly builds: the page and tubarogas-calc for Node.js.
std::string intl_decimal_separator(std::string_view language_tag);
