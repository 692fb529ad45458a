#include "platform/Folders.hpp"

std::vector<std::filesystem::path> dataFolders() {
    std::vector<std::filesystem::path> folders;
    std::error_code failed;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failed);
    if (!failed)
        folders.push_back(program.parent_path());
    folders.emplace_back(GRAINWRIGHT_DATA_DIR);
    return folders;
}
