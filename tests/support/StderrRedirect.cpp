#include "support/StderrRedirect.hpp"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <unistd.h>

StderrRedirect::StderrRedirect() {
    std::cerr.flush();
    std::fflush(stderr);
    char name[] = "/tmp/grainwright-stderr-XXXXXX";
    captureDescriptor = mkstemp(name);
    if (captureDescriptor < 0)
        throw std::runtime_error("cannot create a file for the standard error stream");
    unlink(name);
    savedDescriptor = dup(STDERR_FILENO);
    dup2(captureDescriptor, STDERR_FILENO);
}

StderrRedirect::~StderrRedirect() {
    if (savedDescriptor >= 0)
        finish();
}

std::string StderrRedirect::finish() {
    std::cerr.flush();
    std::fflush(stderr);
    dup2(savedDescriptor, STDERR_FILENO);
    close(savedDescriptor);
    savedDescriptor = -1;

    std::string captured;
    lseek(captureDescriptor, 0, SEEK_SET);
    char chunk[4096];
    for (ssize_t got; (got = read(captureDescriptor, chunk, sizeof chunk)) > 0;)
        captured.append(chunk, static_cast<std::size_t>(got));
    close(captureDescriptor);
    captureDescriptor = -1;
    return captured;
}
