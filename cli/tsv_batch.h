#pragma once

#include <cstdio>
#include <string_view>

// Reads lines of five tab-separated fields, MODO D P Y L, and writes for each
// MODO D P Y L POLLICI ESITO. Comment lines (#...) and empty lines are copied
// as they are. A line that is not five fields with a known mode gets ESITO
// "riga non valida" and the run goes on.
// Returns 0, or 1 when any line was not valid.
int run_tsv(std::FILE* input, std::FILE* output, std::string_view decimal_separator);
