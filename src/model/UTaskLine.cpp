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

    void ReadInto(std::vector<std::string>& fields)
    {
        SkipBlanks();
        while (!AtEnd()) {
            fields.push_back(Current() == Quote ? ReadQuoted() : ReadUnquoted());
            SkipBlanks();
            if (!AtEnd() && Current() == Delimiter) {
                ++Position;
                SkipBlanks();
                if (AtEnd())
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
    std::string ReadQuoted()
    {
        std::string field;
        ++Position;
        while (!AtEnd()) {
            const auto next = Line.find(Quote, Position);
            if (next == std::string_view::npos) {
                field.append(Line.substr(Position));
                Position = Line.size();
                break;
            }
            field.append(Line.substr(Position, next - Position));
            Position = next + 1;
            if (AtEnd() || Current() != Quote)
                break;
            field.push_back(Quote);
            ++Position;
        }
        return field;
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

void ParseTaskLine(std::string_view line, std::vector<std::string>& fields)
{
    fields.clear();
    TTaskLineReader(line).ReadInto(fields);
}
