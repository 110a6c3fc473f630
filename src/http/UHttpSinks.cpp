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
    : FText(text)
    , FCap(cap)
{
}

void THttpStringSink::Write(const char* data, size_t size)
{
    RequireRoom(FText.size(), size, FCap);
    FText.append(data, size);
}

THttpStreamSink::THttpStreamSink(std::ostream& stream, uint64_t cap)
    : FStream(stream)
    , FCap(cap)
{
}

void THttpStreamSink::Write(const char* data, size_t size)
{
    RequireRoom(FWritten, size, FCap);
    FStream.write(data, static_cast<std::streamsize>(size));
    if (!FStream)
        throw EHttpError("Writing the answer to its destination failed.");
    FWritten += size;
}

THttpDiscardSink::THttpDiscardSink(std::string* kept, uint64_t cap)
    : FKept(kept)
    , FCap(cap)
{
}

void THttpDiscardSink::Write(const char* data, size_t size)
{
    if (FKept != nullptr && FKept->size() < KeptErrorBodyBytes)
        FKept->append(data, std::min(size, KeptErrorBodyBytes - FKept->size()));
    RequireRoom(FSeen, size, FCap);
    FSeen += size;
}
