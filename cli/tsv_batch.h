#pragma once

#include <cstdio>
#include <string_view>

#include "cli/checked_output.h"

enum class BatchEnd {
    AllValid,
    SomeInvalid,  // some line was not five fields with a known mode, or too long
    ReadFailed,   // the input could not be read to its end (errno in BatchResult)
    WriteFailed,  // the output refused a write (see CheckedOutput::failure)
};

struct BatchResult {
    BatchEnd end;
    int read_error = 0;
};

// Reads lines of five tab-separated fields, MODO D P Y L, and writes for each
// MODO D P Y L POLLICI ESITO. Comment lines (#...) and empty lines are copied
// as they are. A line that is not five fields with a known mode gets ESITO
// "riga non valida" and the run goes on; so does a line longer than
// kLongestLine, with its fields empty. The run stops at the first failed
// read or write; the lines read before a failed read are answered first.
BatchResult run_tsv(std::FILE* input, CheckedOutput& output, std::string_view decimal_separator);
