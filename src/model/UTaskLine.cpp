#include "model/UTaskLine.h"

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
    explicit TTaskLineReader(std::string_view line)
        : Line(line)
    {
    }

    void ReadInto(std::vector<std::string>& fields, std::size_t maxFields)
    {
        SkipBlanks();
        while (!AtEnd() && fields.size() < maxFields) {
            fields.push_back(Current() == Quote ? ReadQuoted() : ReadUnquoted());
            SkipBlanks();
            if (!AtEnd() && Current() == Delimiter) {
                ++Position;
                SkipBlanks();
                if (AtEnd() && fields.size() < maxFields)
                    fields.emplace_back(); // a trailing delimiter ends with one empty field
            }
        }
    }

private:
    bool AtEnd() const { return Position >= Line.size(); }
    char Current() const { return Line[Position]; }

    void SkipBlanks()
    {
        while (!AtEnd() && IsSkippable(Current()))
            ++Position;
    }

    // From after the opening quote to the next quote not doubled; unclosed runs to the end.
    // Measured before it is built, so that a long field is allocated once, at its size.
    std::string ReadQuoted()
    {
        ++Position;
        std::size_t size = 0;
        ScanQuoted([&](std::string_view piece) { size += piece.size(); });
        std::string field;
        field.reserve(size);
        Position = ScanQuoted([&](std::string_view piece) { field.append(piece); });
        return field;
    }

    // Hands the pieces of the quoted field that starts at Position to `take`, a doubled
    // quote as one quote; returns the position after the field.
    template <class Take>
    std::string_view::size_type ScanQuoted(Take&& take) const
    {
        auto at = Position;
        while (at < Line.size()) {
            const auto next = Line.find(Quote, at);
            if (next == std::string_view::npos) {
                take(Line.substr(at));
                return Line.size();
            }
            take(Line.substr(at, next - at));
            at = next + 1;
            if (at >= Line.size() || Line[at] != Quote)
                break;
            take(Line.substr(at, 1));
            ++at;
        }
        return at;
    }

    // Up to a delimiter or a blank. A NUL byte counts as text, so reading always moves on.
    std::string ReadUnquoted()
    {
        const auto start = Position;
        while (!AtEnd() && Current() != Delimiter && !IsSkippable(Current()))
            ++Position;
        return std::string(Line.substr(start, Position - start));
    }

    std::string_view Line;
    std::string_view::size_type Position = 0;
};

} // namespace

void ParseTaskLine(std::string_view line, std::vector<std::string>& fields, std::size_t maxFields)
{
    fields.clear();
    TTaskLineReader(line).ReadInto(fields, maxFields);
}
