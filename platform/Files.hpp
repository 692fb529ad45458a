#pragma once

#include <string>

/// True when `path` names a regular file, or a link to one: the only kind that can be read
/// without blocking (a named pipe waits for a writer) or failing half-way (a folder).
bool isRegularFile(const std::string& path);
