#pragma once
// A private nginx on 127.0.0.1 for tests and benchmarks: its own configuration, logs,
// pid and temporary paths in a fresh temporary folder, stopped and removed on destruction.
// Throws std::runtime_error when nginx cannot be found or does not start.

#include <string>
#include <sys/types.h>

class TNginxServer {
public:
    // Locations served: "/" static files from DocumentRoot(); "/chunked/" the same files with
    // chunked transfer coding (server-side includes drop the length); "/form" answers any
    // method with "OK". The access log records "<connection> <request number> <request line>".
    TNginxServer();
    ~TNginxServer();
    TNginxServer(const TNginxServer&) = delete;
    TNginxServer& operator=(const TNginxServer&) = delete;

    [[nodiscard]] int Port() const { return PortNumber; }
    [[nodiscard]] std::string Url(const std::string& target) const;
    [[nodiscard]] const std::string& DocumentRoot() const { return Root; }
    // The access log so far (nginx writes it as each request ends).
    [[nodiscard]] std::string AccessLog() const;

private:
    // Runs nginx on PortNumber; "" once it serves, else what its error log says.
    std::string Start(const std::string& nginx);

    std::string Folder;
    std::string Root;
    int PortNumber = 0;
    pid_t Pid = -1;
};

// Writes `size` bytes of a reproducible pattern to `path`; returns the bytes written.
std::string WritePatternFile(const std::string& path, size_t size);
