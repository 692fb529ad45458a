#pragma once

#include <string>

/// Collects everything written to the standard error stream while it lives, at the level of
/// the file descriptor: std::cerr and SFML's own error output alike.
class StderrRedirect {
public:
    StderrRedirect();
    ~StderrRedirect();
    StderrRedirect(const StderrRedirect&) = delete;
    StderrRedirect& operator=(const StderrRedirect&) = delete;

    /// Restores the stream and returns what was written meanwhile.
    std::string finish();

private:
    int savedDescriptor = -1;
    int captureDescriptor = -1;
};
