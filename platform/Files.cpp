#include "platform/Files.hpp"

#include <filesystem>

bool isRegularFile(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}
