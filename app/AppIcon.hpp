#pragma once

#include <cstddef>

/// The application icon as the bytes of a PNG image, built into the program from the same
/// artwork as the desktop's icon, so that the window shows it without a file to read.
extern const unsigned char appIconPng[];
extern const std::size_t appIconPngSize;
