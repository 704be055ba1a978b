#pragma once

#include <cstdio>

// The errno value of the operation on `stream` that has just failed, named
// as POSIX names it. On Windows the C library reports a closed pipe or a
// missing handle only as "Invalid argument"; the handle itself tells which
// it was.
int last_io_error(std::FILE* stream);

// Clears what last_io_error reads (errno, and on Windows the thread's last
// error code too), before an operation whose failure it is to name: a code
// left by an earlier call would name the wrong failure.
void clear_io_error();
