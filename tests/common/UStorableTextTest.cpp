#include "common/UStorableText.h"

#include "common/UUtils.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

constexpr char EscapeBytes[] = {'x', '\xA5', '\xA7', '\r', '\n'};

struct TFaultCase {
    const char* Text;
    TTextLines Lines;
    TStorableFault Fault;
};

class FindStorableFaultTest : public testing::TestWithParam<TFaultCase> { };

// Every text over the bytes that the line-break escape touches, up to `length` bytes.
template <class Visit>
void ForEveryText(std::size_t length, Visit visit)
{
    std::string text;
    auto grow = [&](auto& self) -> void {
        visit(text);
        if (text.size() == length)
            return;
        for (char c : EscapeBytes) {
            text.push_back(c);
            self(self);
            text.pop_back();
        }
    };
    grow(grow);
}

} // namespace

TEST_P(FindStorableFaultTest, NamesTheFirstFault)
{
    EXPECT_EQ(FindStorableFault(GetParam().Text, GetParam().Lines), GetParam().Fault) << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(Texts, FindStorableFaultTest,
                         testing::Values(TFaultCase{"", TTextLines::One, TStorableFault::None},
                                         TFaultCase{" plain \xA5 and \xA7 ", TTextLines::One, TStorableFault::None},
                                         TFaultCase{"ends in \xA5", TTextLines::One, TStorableFault::None},
                                         TFaultCase{"a^b", TTextLines::One, TStorableFault::Caret},
                                         TFaultCase{"^", TTextLines::Many, TStorableFault::Caret},
                                         TFaultCase{"x\xA5\xA5", TTextLines::One, TStorableFault::DoubledYen},
                                         TFaultCase{"\xA7\xA7x", TTextLines::Many, TStorableFault::DoubledSection},
                                         TFaultCase{"one\r\ntwo", TTextLines::One, TStorableFault::LineBreak},
                                         TFaultCase{"one\ntwo", TTextLines::One, TStorableFault::LineBreak},
                                         TFaultCase{"one\xA5\r\ntwo", TTextLines::Many, TStorableFault::YenBeforeCr},
                                         TFaultCase{"\xA7\ntwo", TTextLines::Many, TStorableFault::SectionBeforeLf},
                                         TFaultCase{"\xA5\xA5^", TTextLines::Many, TStorableFault::DoubledYen}));

// The rule is exactly the condition under which the files' escape gives a text back.
TEST(FindStorableFault, AcceptsExactlyTheTextsThatTheLineBreakEscapeGivesBack)
{
    std::optional<std::string> misjudged;
    ForEveryText(7, [&](const std::string& text) {
        const bool kept = DecodeLineBreaks(EncodeLineBreaks(text)) == text;
        if (!misjudged && (FindStorableFault(text, TTextLines::Many) == TStorableFault::None) != kept)
            misjudged = text;
    });
    EXPECT_EQ(misjudged, std::nullopt);
}
