#include "platform/Folders.hpp"

std::vector<std::filesystem::path> dataFolders() {
    // There is no /proc/self/exe to find the program's own folder by.
    return {GRAINWRIGHT_DATA_DIR};
}
