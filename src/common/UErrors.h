#pragma once
// Errors that reach the program's general error handler. Each one keeps the call stack
// of the place that raised it, so the report shows where it came from.

#include <stdexcept>
#include <string>
#include <vector>

class EAppError : public std::runtime_error {
public:
    explicit EAppError(const std::string& message);
    // The stack at construction, one frame a line; empty where the platform cannot tell.
    std::string StackTrace() const;

private:
    std::vector<void*> Frames;
};

// A data or settings file that exists but cannot be read, or cannot be written.
class EFileError : public EAppError {
public:
    using EAppError::EAppError;
};

// The call stack of the caller, one frame a line.
std::string CurrentStackTrace();
