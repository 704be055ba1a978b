// Prints a program's version block as Windows reads it: the numeric file
// version, the translation, and each string of the table in that language.
// Usage: file_version PROGRAM.exe
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "windows_support/wide_text.h"

int wmain(int argc, wchar_t* argv[])
{
    if (argc != 2)
        return 2;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(argv[1], &ignored);
    std::vector<char> block(size);
    if (size == 0 || !GetFileVersionInfoW(argv[1], 0, size, block.data())) {
        std::puts("no version block");
        return 1;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length);
    std::printf("numeric %u.%u.%u.%u\n", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
    struct Translation {
        WORD language;
        WORD code_page;
    }* translation = nullptr;
    VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length);
    std::printf("translation %04x %u\n", translation->language, translation->code_page);
    for (const wchar_t* name : {L"CompanyName", L"ProductName", L"InternalName", L"OriginalFilename", L"FileVersion",
                                L"ProductVersion"}) {
        wchar_t path[128];
        swprintf(path, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language, translation->code_page, name);
        wchar_t* value = nullptr;
        if (VerQueryValueW(block.data(), path, reinterpret_cast<void**>(&value), &length) && value)
            std::printf("%s %s\n", narrow(name).c_str(), narrow(value).c_str());
    }
    return 0;
}
