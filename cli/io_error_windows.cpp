#include <windows.h>

#include <cerrno>
#include <io.h>

#include "cli/io_error.h"

int last_io_error(std::FILE* stream)
{
    switch (GetLastError()) {
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA: return EPIPE;
    case ERROR_INVALID_HANDLE: return EBADF;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    default: break;
    }
    const int error = errno != 0 ? errno : EIO;
    if (error != EINVAL)
        return error;
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr)
        return EBADF;
    DWORD available = 0;
    if (GetFileType(handle) == FILE_TYPE_PIPE && !PeekNamedPipe(handle, nullptr, 0, nullptr, &available, nullptr))
        return EPIPE;
    return error;
}

void clear_io_error()
{
    errno = 0;
    SetLastError(0);
}
