#pragma once

#include <cstdlib>
#include <string>

// The tubarogas-calc a test runs: the one built beside it, or, when
// TUBAROGAS_CALC_UNDER_TEST names one, that (the Windows build runs these
// tests against tubarogas-calc.exe under Wine through a small wrapper).
inline std::string calc_under_test(const char* built_beside)
{
    const char* chosen = std::getenv("TUBAROGAS_CALC_UNDER_TEST");
    return chosen && *chosen ? chosen : built_beside;
}
