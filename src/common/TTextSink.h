#pragma once
// Where the text of a data file goes while it is formatted: gathered in a buffer that is
// handed on whenever it fills, so that a large file is never held whole in memory.

#include <cstring>
#include <functional>
#include <string>
#include <string_view>

class TTextSink {
public:
    // Hands each full buffer, and the rest at Finish, to `write`.
    explicit TTextSink(std::function<void(std::string_view)> write)
        : Write(std::move(write))
    {
    }
    TTextSink(const TTextSink&) = delete;
    TTextSink& operator=(const TTextSink&) = delete;

    void Append(std::string_view bytes)
    {
        if (bytes.empty()) // an empty view may point nowhere
            return;
        if (bytes.size() > sizeof Buffer - Used) {
            Drain();
            if (bytes.size() > sizeof Buffer) {
                Write(bytes);
                return;
            }
        }
        std::memcpy(Buffer + Used, bytes.data(), bytes.size());
        Used += bytes.size();
    }
    // Hands on what is still gathered.
    void Finish() { Drain(); }

private:
    void Drain()
    {
        if (Used != 0)
            Write(std::string_view(Buffer, Used));
        Used = 0;
    }

    std::function<void(std::string_view)> Write;
    std::size_t Used = 0;
    char Buffer[65536];
};

// Formats with `format` into a string.
template <class Format>
std::string FormatToString(Format&& format)
{
    std::string text;
    TTextSink sink([&](std::string_view bytes) { text.append(bytes); });
    format(sink);
    sink.Finish();
    return text;
}
