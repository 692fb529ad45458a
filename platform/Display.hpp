#pragma once

#include <string>

/// Why no window can be opened, before SFML tries to; empty when nothing is in the way.
std::string missingDisplay();
