#include "common/UWindows1252.h"

#include <gtest/gtest.h>

TEST(UWindows1252, EveryByteComesBackThroughUtf8)
{
    std::string every;
    for (int byte = 0; byte < 256; ++byte)
        every += static_cast<char>(byte);
    const std::string utf8 = Windows1252ToUtf8(every);
    EXPECT_TRUE(IsUtf8BeyondAscii(utf8));
    const TUtf8Conversion back = Utf8ToWindows1252(utf8);
    EXPECT_EQ(back.Lacking, 0u);
    EXPECT_EQ(back.Text, every);
    EXPECT_EQ(Windows1252ToUtf8("\x80\x81\x9F\xE9"), "\xE2\x82\xAC\xC2\x81\xC5\xB8\xC3\xA9");
}

TEST(UWindows1252, OnlyWellFormedUtf8BeyondAsciiCounts)
{
    EXPECT_TRUE(IsUtf8BeyondAscii("a\xF0\x9F\x98\x80"));
    for (const std::string text : {"plain ascii", "caf\xE9", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                                   "\xF4\x90\x80\x80", "\xC3", "\xE2\x82", "\xC3\xC3\xA9"})
        EXPECT_FALSE(IsUtf8BeyondAscii(text)) << text;
}

TEST(UWindows1252, ACharacterItLacksIsPlacedByLineAndColumn)
{
    // CR LF, CR and LF each end one line; columns count characters, not bytes.
    const TUtf8Conversion converted = Utf8ToWindows1252("a\r\nb\rc\n\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(converted.Lacking, U'\U0001F600');
    EXPECT_EQ(converted.LackingUtf8, "\xF0\x9F\x98\x80");
    EXPECT_EQ(converted.Line, 4u);
    EXPECT_EQ(converted.Column, 3u);
}
