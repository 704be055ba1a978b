#pragma once

#include <cstdio>
#include <string_view>

#include "cli/checked_output.h"

enum class InstallationEnd {
    AllWithin,     // every section has a loss from the meter within the allowance
    SomeInvalid,   // some line is no section
    NotAllWithin,  // some section is over the allowance or has no loss from the meter
    ReadFailed,    // the input could not be read to its end (errno in InstallationRun)
    WriteFailed,   // the output refused a write (see CheckedOutput::failure)
};

struct InstallationRun {
    InstallationEnd end;
    int read_error = 0;
};

// Reads an installation, one section a line of five tab-separated fields
// TRATTO DA L D KW (empty lines and lines starting with # skipped; a line
// longer than kLongestLine is not held, and is answered as too long), and
// writes two heading lines starting with # (the installation in one line,
// then the columns' names), then for each line read, in order,
// TRATTO DA L D KW P Y PROGRESSIVA POLLICI ESITO. An installation must be
// read whole before anything can be said of it: after a failed read,
// nothing is written. `allowance` must be one evaluate() can read.
InstallationRun run_installation(std::FILE* input, CheckedOutput& output, std::string_view allowance,
                                 std::string_view decimal_separator);
