#include "model/UTaskLine.h"

#include <cstring>

namespace {

constexpr char Quote = '^';
constexpr char Delimiter = ',';

bool IsSkippable(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return code >= 0x01 && code <= 0x20;
}

class TTaskLineReader {
public:
    TTaskLineReader(char* line, std::size_t size)
        : Line(line)
        , Size(size)
    {
    }

    // Hands each field to `take`, up to `maxFields` of them; returns their count.
    template <class Take>
    std::size_t ReadInto(Take&& take, std::size_t maxFields)
    {
        std::size_t count = 0;
        SkipBlanks();
        while (!AtEnd() && count < maxFields) {
            take(Current() == Quote ? ReadQuoted() : ReadUnquoted());
            ++count;
            SkipBlanks();
            if (!AtEnd() && Current() == Delimiter) {
                ++Position;
                SkipBlanks();
                if (AtEnd() && count < maxFields) {
                    take(std::string_view()); // a trailing delimiter ends with one empty field
                    ++count;
                }
            }
        }
        return count;
    }

private:
    bool AtEnd() const { return Position >= Size; }
    char Current() const { return Line[Position]; }

    void SkipBlanks()
    {
        while (!AtEnd() && IsSkippable(Current()))
            ++Position;
    }

    // From after the opening quote to the next quote not doubled; unclosed runs to the end.
    // A doubled quote's second half is dropped by moving what follows it down, in place.
    std::string_view ReadQuoted()
    {
        char* const field = Line + ++Position;
        std::size_t length = 0; // of the field as it reads, at `field`
        for (;;) {
            const auto* found = static_cast<char*>(std::memchr(Line + Position, Quote, Size - Position));
            const std::size_t next = found == nullptr ? Size : static_cast<std::size_t>(found - Line);
            const std::size_t piece = next - Position;
            if (field + length != Line + Position)
                std::memmove(field + length, Line + Position, piece);
            length += piece;
            Position = next;
            if (AtEnd())
                break;
            ++Position; // past the quote
            if (AtEnd() || Current() != Quote)
                break;
            field[length++] = Quote; // a doubled quote stands for one
            ++Position;
        }
        return std::string_view(field, length);
    }

    // Up to a delimiter or a blank. A NUL byte counts as text, so reading always moves on.
    std::string_view ReadUnquoted()
    {
        const auto start = Position;
        while (!AtEnd() && Current() != Delimiter && !IsSkippable(Current()))
            ++Position;
        return std::string_view(Line + start, Position - start);
    }

    char* Line;
    std::size_t Size;
    std::size_t Position = 0;
};

} // namespace

std::size_t ReadTaskLine(char* line, std::size_t size, std::string_view* fields, std::size_t maxFields)
{
    std::size_t count = 0;
    return TTaskLineReader(line, size).ReadInto([&](std::string_view field) { fields[count++] = field; }, maxFields);
}

void ParseTaskLine(std::string_view line, std::vector<std::string>& fields, std::size_t maxFields)
{
    fields.clear();
    std::string copy(line);
    TTaskLineReader(copy.data(), copy.size()).ReadInto([&](std::string_view field) { fields.emplace_back(field); },
                                                      maxFields);
}
