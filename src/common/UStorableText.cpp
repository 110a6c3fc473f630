#include "common/UStorableText.h"

namespace {

constexpr char Yen = '\xA5';
constexpr char Section = '\xA7';

} // namespace

TStorableFault FindStorableFault(std::string_view text, TTextLines lines)
{
    for (std::string_view::size_type i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (c == '^')
            return TStorableFault::Caret;
        if ((c == '\r' || c == '\n') && lines == TTextLines::One)
            return TStorableFault::LineBreak;
        if (c == Yen && next == Yen)
            return TStorableFault::DoubledYen;
        if (c == Section && next == Section)
            return TStorableFault::DoubledSection;
        if (c == Yen && next == '\r')
            return TStorableFault::YenBeforeCr;
        if (c == Section && next == '\n')
            return TStorableFault::SectionBeforeLf;
    }
    return TStorableFault::None;
}
