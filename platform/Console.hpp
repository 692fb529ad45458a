#pragma once

#include <string>

/// Clears the console the program's standard output is, as "cls" would, and returns once it is
/// done; writes nothing when the output is a file or a pipe.
void clearConsole();

/// Reports why the sandbox cannot start: on the standard error stream always, and in a message
/// box too where the console closes with the program, before anyone could read it.
void reportStartupFailure(const std::string& message);
