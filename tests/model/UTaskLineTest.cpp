#include "model/UTaskLine.h"

#include <gtest/gtest.h>

using Fields = std::vector<std::string>;

namespace {

Fields Parse(std::string_view line)
{
    Fields fields{"stale"};
    ParseTaskLine(line, fields);
    return fields;
}

} // namespace

TEST(ParseTaskLine, ReadsTheFiveQuotedFieldsOfASavedLineIntact)
{
    EXPECT_EQ(Parse("^True^,^ Call  Bob ^,^a\r\nb^,^ 7/ 5/2008^,^^"),
              (Fields{"True", " Call  Bob ", "a\r\nb", " 7/ 5/2008", ""}));
    EXPECT_EQ(Parse("^False^,^^,^^,^^,^^"), (Fields{"False", "", "", "", ""}));
}

TEST(ParseTaskLine, DoubledQuoteInsideAQuotedFieldStandsForOne)
{
    EXPECT_EQ(Parse("^a^^b^,^^^^"), (Fields{"a^b", "^"}));
    EXPECT_EQ(Parse("^^^^"), (Fields{"^"}));
}

TEST(ParseTaskLine, UnterminatedQuotedFieldRunsToTheEnd)
{
    EXPECT_EQ(Parse("^True^,^never closed, really"), (Fields{"True", "never closed, really"}));
}

TEST(ParseTaskLine, UnquotedFieldsStopAtCommaOrBlank)
{
    EXPECT_EQ(Parse("  True , two words,x"), (Fields{"True", "two", "words", "x"}));
    EXPECT_EQ(Parse(",,a"), (Fields{"", "", "a"}));
}

TEST(ParseTaskLine, TrailingCommaAddsOneEmptyField)
{
    EXPECT_EQ(Parse("a,"), (Fields{"a", ""}));
    EXPECT_EQ(Parse("a,  "), (Fields{"a", ""}));
    EXPECT_EQ(Parse("^a^ ,"), (Fields{"a", ""}));
}

TEST(ParseTaskLine, TextRightAfterAClosingQuoteStartsANewField)
{
    EXPECT_EQ(Parse("^a^b,c"), (Fields{"a", "b", "c"}));
}

TEST(ParseTaskLine, BlankOrEmptyLineHasNoField)
{
    EXPECT_EQ(Parse(""), Fields{});
    EXPECT_EQ(Parse(" \t "), Fields{});
}

TEST(ParseTaskLine, NulBytesAreTextAndNeverStallTheReader)
{
    EXPECT_EQ(Parse(std::string("\0,\0a", 4)), (Fields{std::string("\0", 1), std::string("\0a", 2)}));
    EXPECT_EQ(Parse(std::string("^x\0^", 4)), (Fields{std::string("x\0", 2)}));
}

TEST(ParseTaskLine, ALimitKeepsTheFirstFieldsOfTheWholeParse)
{
    for (const std::string_view line : {"^a^,^b^,^c^,^d^", ",,,,,,", "a,b,", "^a^^^,b", "^unclosed,x", ""}) {
        const Fields whole = Parse(line);
        for (std::size_t limit = 0; limit <= whole.size() + 1; ++limit) {
            Fields limited;
            ParseTaskLine(line, limited, limit);
            EXPECT_EQ(limited, Fields(whole.begin(), whole.begin() + std::min(limit, whole.size())))
                << line << " up to " << limit;
        }
    }
}
