#include "http/UHttpSinks.h"

#include "http/UHttpError.h"

#include <algorithm>
#include <ostream>

namespace {

constexpr size_t KeptErrorBodyBytes = 64 * 1024;

// Throws before `size` more bytes would take the total past `cap`.
void RequireRoom(uint64_t sofar, size_t size, uint64_t cap)
{
    if (size > cap - sofar)
        throw EHttpError("The answer is larger than the " + std::to_string(cap) + " bytes allowed.");
}

} // namespace

THttpStringSink::THttpStringSink(std::string& text, uint64_t cap)
    : Text(text)
    , Cap(cap)
{
}

void THttpStringSink::Write(const char* data, size_t size)
{
    RequireRoom(Text.size(), size, Cap);
    Text.append(data, size);
}

THttpStreamSink::THttpStreamSink(std::ostream& stream, uint64_t cap)
    : Stream(stream)
    , Cap(cap)
{
}

void THttpStreamSink::Write(const char* data, size_t size)
{
    RequireRoom(Written, size, Cap);
    Stream.write(data, static_cast<std::streamsize>(size));
    if (!Stream)
        throw EHttpError("Writing the answer to its destination failed.");
    Written += size;
}

THttpDiscardSink::THttpDiscardSink(std::string* kept, uint64_t cap)
    : Kept(kept)
    , Cap(cap)
{
}

void THttpDiscardSink::Write(const char* data, size_t size)
{
    if (Kept != nullptr && Kept->size() < KeptErrorBodyBytes)
        Kept->append(data, std::min(size, KeptErrorBodyBytes - Kept->size()));
    RequireRoom(Seen, size, Cap);
    Seen += size;
}
