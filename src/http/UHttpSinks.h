#pragma once
// Where the body of an answer goes: into memory, into a stream, or nowhere. Each gives up
// past its cap, so a runaway answer fails instead of filling memory or disk.

#include "http/UHttpAnswer.h"

#include <cstdint>
#include <iosfwd>
#include <string>

class THttpStringSink final : public THttpBodySink {
public:
    THttpStringSink(std::string& text, uint64_t cap);
    void Write(const char* data, size_t size) override;

private:
    std::string& Text;
    uint64_t Cap;
};

// Writes as the body arrives and holds no copy of it.
class THttpStreamSink final : public THttpBodySink {
public:
    THttpStreamSink(std::ostream& stream, uint64_t cap);
    void Write(const char* data, size_t size) override;

private:
    std::ostream& Stream;
    uint64_t Cap;
    uint64_t Written = 0;
};

// Drops a body, keeping its start in `kept` (when given) for an error message.
class THttpDiscardSink final : public THttpBodySink {
public:
    THttpDiscardSink(std::string* kept, uint64_t cap);
    void Write(const char* data, size_t size) override;

private:
    std::string* Kept;
    uint64_t Cap;
    uint64_t Seen = 0;
};
