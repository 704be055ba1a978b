#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>

#include "checked_output.h"

// The longest batch line read, not counting its LF or CR LF. A longer line
// is not held in memory: it comes back with empty fields as not valid, and
// the batch goes on.
inline constexpr std::size_t kLongestLine = 64 * 1024;

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
// "riga non valida" and the run goes on. The run stops at the first failed
// read or write; the lines read before a failed read are answered first.
BatchResult run_tsv(std::FILE* input, CheckedOutput& output, std::string_view decimal_separator);
