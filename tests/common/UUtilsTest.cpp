#include "common/UUtils.h"

#include "common/TTextSink.h"

#include <gtest/gtest.h>

using Fields = std::vector<std::string>;

namespace {

Fields Split(std::string_view text)
{
    Fields list{"stale"};
    SplitByChar('^', text, list);
    return list;
}

} // namespace

TEST(SplitByChar, KeepsEmptyFieldsBetweenSeparatorsButNotATrailingEmptyOne)
{
    EXPECT_EQ(Split("a^b"), (Fields{"a", "b"}));
    EXPECT_EQ(Split("a^^b"), (Fields{"a", "", "b"}));
    EXPECT_EQ(Split("^b"), (Fields{"", "b"}));
    EXPECT_EQ(Split("a^"), (Fields{"a"}));
    EXPECT_EQ(Split("^"), (Fields{""}));
    EXPECT_EQ(Split(""), Fields{});
    EXPECT_EQ(Split("a^b^^"), (Fields{"a", "b", ""}));
}

TEST(SplitByChar, TreatsEveryOtherByteAsText)
{
    EXPECT_EQ(Split(std::string("a\0b^\xFF", 5)), (Fields{std::string("a\0b", 3), "\xFF"}));
}

TEST(LineBreaks, EncodeEscapesEachBreakAsTwoBytes)
{
    EXPECT_EQ(EncodeLineBreaks("one\r\ntwo"), "one\xA5\xA5\xA7\xA7two");
    EXPECT_EQ(EncodeLineBreaks("\n\r"), "\xA7\xA7\xA5\xA5");
    EXPECT_EQ(EncodeLineBreaks("plain"), "plain");
}

TEST(LineBreaks, EncodingIntoASinkEqualsEncoding)
{
    for (const std::string_view text : {"", "one\r\ntwo", "\n\r", "plain", "\r\r\r\nx\n\ny\r"})
        EXPECT_EQ(FormatToString([&](TTextSink& sink) { AppendEncodingLineBreaks(sink, text); }),
                  EncodeLineBreaks(text));
}

TEST(LineBreaks, DecodeReplacesPairsLeftToRight)
{
    EXPECT_EQ(DecodeLineBreaks("one\xA5\xA5\xA7\xA7two"), "one\r\ntwo");
    // Three in a row: the first two form a pair, the third stays.
    EXPECT_EQ(DecodeLineBreaks("\xA5\xA5\xA5"), "\r\xA5");
    EXPECT_EQ(DecodeLineBreaks("a\xA5"
                               "b\xA7"),
              "a\xA5"
              "b\xA7");
}

TEST(LineBreaks, DecodeUndoesEncodeForTextWithoutEscapeBytes)
{
    const std::string text = "line 1\r\nline 2\rline 3\n\n";
    EXPECT_EQ(DecodeLineBreaks(EncodeLineBreaks(text)), text);
}

TEST(LineBreaks, FlattenShowsEachBreakAsABlank)
{
    EXPECT_EQ(FlattenLineBreaks("one\r\ntwo\nthree\r"), "one  two three ");
}

TEST(SplitByChar, ALimitKeepsTheFirstFieldsOfTheWholeSplit)
{
    for (const std::string_view text : {"a^b^c^d", "^^^^^^", "a^b^", "a", "", "a^^b^^c^"}) {
        const Fields whole = Split(text);
        for (std::size_t limit = 0; limit <= whole.size() + 1; ++limit) {
            Fields limited;
            SplitByChar('^', text, limited, limit);
            EXPECT_EQ(limited, Fields(whole.begin(), whole.begin() + std::min(limit, whole.size())))
                << text << " up to " << limit;
        }
    }
}

TEST(DecodeHexEscapes, TurnsEachEscapeIntoItsByte)
{
    EXPECT_EQ(DecodeHexEscapes("$24"), "$");
    EXPECT_EQ(DecodeHexEscapes("$0D$0a"), "\r\n");
    EXPECT_EQ(DecodeHexEscapes("A$41B"), "AAB");
    EXPECT_EQ(DecodeHexEscapes("$3Cb$3E$AF$00"), std::string("<b>\xAF\0", 5));
    EXPECT_EQ(DecodeHexEscapes("x$4"), "x\x04"); // at the end one digit is enough
    EXPECT_EQ(DecodeHexEscapes("plain"), "plain");
    EXPECT_EQ(DecodeHexEscapes(""), "");
}

TEST(DecodeHexEscapes, AMalformedEscapeEmptiesTheWholeText)
{
    for (const char* text : {"before $Z1", "$", "ok$", "$ 1", "$+1", "$-1", "$1G", "$$41"})
        EXPECT_EQ(DecodeHexEscapes(text), "") << text;
}
