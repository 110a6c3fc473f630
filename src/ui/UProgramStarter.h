#pragma once
// Starts a separate program (the updater); tests record the call instead.

#include <filesystem>
#include <string>
#include <vector>

class TProgramStarter {
public:
    virtual ~TProgramStarter() = default;
    // Starts `program` with `arguments` (Windows-1252 text), detached from this process.
    // False when it could not be started: missing, not executable, not a program.
    virtual bool Start(const std::filesystem::path& program, const std::vector<std::string>& arguments) = 0;
};

// Starts the program as its own process, which outlives this one.
class TDetachedProgramStarter : public TProgramStarter {
public:
    bool Start(const std::filesystem::path& program, const std::vector<std::string>& arguments) override;
};
