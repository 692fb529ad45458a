#pragma once

#include <filesystem>
#include <vector>

/// Where the font and icons are looked for when the working directory has none, in order: the
/// folder that holds the program, where the system tells it, then the data folder it was
/// installed with, where the system has one. A folder that cannot be found is left out.
std::vector<std::filesystem::path> dataFolders();
