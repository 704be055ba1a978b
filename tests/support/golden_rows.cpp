// Prints the golden rows for the tests that drive a window from outside (the
// Windows window under Wine, the page in a browser), one a line,
// tab-separated: name, mode letter, separator, D, P, Y, L, the expected
// written text or error name, and the designation.
#include <cstdio>
#include <string>

#include "tests/support/golden_recalculations.h"

int main()
{
    constexpr const char* kLetters[] = {"D", "P", "Y", "L"};
    for (const golden::Row& row : golden::kRows) {
        std::string line = std::string(row.name) + '\t' + kLetters[static_cast<int>(row.mode)] + '\t' +
                           std::string(row.separator);
        for (std::string_view text : row.texts)
            line += '\t' + std::string(text);
        line += '\t';
        line += row.expected.written ? std::string(*row.expected.written)
                                     : std::string(tubaro::error_name(*row.expected.error));
        line += '\t' + std::string(row.designation) + '\n';
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    return 0;
}
