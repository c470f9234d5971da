#pragma once
#include <exception>

// Ends the handling of a socket read without any message: the rest of the
// read is dropped. Thrown by handlers and decoders that meet bytes they cannot
// convert.
struct SilentAbort : std::exception {
    const char *what() const noexcept override { return "silent abort"; }
};
