#include <cerrno>

#include "cli/io_error.h"

int last_io_error(std::FILE*)
{
    return errno != 0 ? errno : EIO;
}

void clear_io_error()
{
    errno = 0;
}
