#include "platform/Folders.hpp"

#include <windows.h>

std::vector<std::filesystem::path> dataFolders() {
    // Long enough for the longest path Windows allows.
    std::wstring program(32768, L'\0');
    const DWORD length =
        GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
    if (length == 0 || length >= program.size())
        return {};
    program.resize(length);
    return {std::filesystem::path(program).parent_path()};
}
