#include <windows.h>

#include <cerrno>
#include <fcntl.h>
#include <io.h>

#include <string>
#include <vector>

#include "cli/platform.h"
#include "windows_support/regional_separator.h"
#include "windows_support/wide_text.h"

const std::string_view kRegionalSettingsSource = "dalle impostazioni internazionali di Windows";

std::string regional_decimal_separator()
{
    return windows_decimal_separator();
}

std::FILE* open_for_reading(const std::string& utf8_name)
{
    const std::wstring name = widen(utf8_name);
    std::FILE* file = _wfopen(name.c_str(), L"rb");
    // Windows refuses to open a folder as "Permission denied"; say what it
    // is, as POSIX systems do.
    if (!file) {
        const DWORD attributes = GetFileAttributesW(name.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            errno = EISDIR;
    }
    return file;
}

void use_binary_standard_streams()
{
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

// The arguments as Windows has them, in UTF-16, so that none is lost to a
// code page.
int wmain(int argc, wchar_t* argv[])
{
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(narrow(argv[i]));
    std::vector<const char*> pointers;
    for (const std::string& each : arguments)
        pointers.push_back(each.c_str());
    return tubarogas_calc(pointers);
}
