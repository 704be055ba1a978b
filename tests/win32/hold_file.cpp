// Holds a file open, sharing no right to delete it, as a running program
// holds its own .exe; says "held" (or "not held") and lets go when a line,
// or the end, comes on standard input.
// Usage: hold_file FILE
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t* argv[])
{
    if (argc != 2)
        return 2;
    const HANDLE file = CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::puts(file == INVALID_HANDLE_VALUE ? "not held" : "held");
    std::fflush(stdout);
    char line[16];
    static_cast<void>(std::fgets(line, sizeof line, stdin));
    CloseHandle(file);
    return 0;
}
