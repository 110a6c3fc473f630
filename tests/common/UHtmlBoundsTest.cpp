#include "common/UHtmlBounds.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

std::string Repeated(const std::string& part, std::size_t times)
{
    std::string text;
    for (std::size_t i = 0; i < times; ++i)
        text += part;
    return text;
}

TEST(UHtmlBounds, ARealPageComesBackUnchanged)
{
    // Sloppy as pages are: unclosed paragraphs, items and cells, a comment, a style sheet,
    // references, a table in a table, Word's own tags.
    const std::string page =
        "<!DOCTYPE html><html><head><style>p { margin: 0 } td > b { color: red }</style></head><body>"
        "<!-- news 2.1 --><h1>Version&nbsp;2.1 is out</h1><p>First<p>Second &amp; third<o:p></o:p>"
        "<ul><li>one<li>two</ul><table border=1><tr><td>a<td><table><tr><td>inner</table><tr><th>b</table>"
        "<img src=\"http://x.example/a.png\"><br>" +
        Repeated("<p>Paragraph with some words in it.", 400) + Repeated("<table><tr><td>", 4) + "deep" +
        "</body></html>";
    EXPECT_EQ(BoundedHtml(page), page);
}

TEST(UHtmlBounds, ElementsPastTheDepthAreDroppedAndTheirTextStays)
{
    const std::string bounded = BoundedHtml(Repeated("<div>x", 3000) + Repeated("</div>", 3000));
    EXPECT_EQ(Count(bounded, "<div>"), MaxHtmlDepth);
    EXPECT_EQ(Count(bounded, "</div>"), MaxHtmlDepth);
    EXPECT_EQ(Count(bounded, "x"), 3000u);
    // Close tags that match nothing open cannot make room for more.
    EXPECT_EQ(Count(BoundedHtml(Repeated("<div></b>", 500)), "<div>"), MaxHtmlDepth);
}

TEST(UHtmlBounds, TablesNestOnlyAFewDeep)
{
    const std::string bounded = BoundedHtml(Repeated("<table><tr><td>", 20) + "x");
    EXPECT_EQ(Count(bounded, "<table>"), static_cast<std::size_t>(MaxTableDepth));
    // Tags Qt could read as a table though they do not look like one go altogether.
    EXPECT_EQ(BoundedHtml("<\"table\">a< t&#97;ble>b</\"td\">c<\xC2\xA0table>d</ table>"), "abcd");
}

TEST(UHtmlBounds, LongWordsGetBreaksAndReferencesStayWhole)
{
    const std::string word = Repeated("&#937;", 600);
    const std::string bounded = BoundedHtml("<b>" + word + "</b> short");
    EXPECT_EQ(Count(bounded, "&#8203;"), 2u);
    EXPECT_EQ(bounded.find("&#8203;"), 3 + 256 * 6u);
    EXPECT_EQ(Count(bounded, "&#937;"), 600u);
    EXPECT_EQ(Count(BoundedHtml(std::string(256, 'x') + " " + std::string(256, 'y')), "&#8203;"), 0u);
    // A style sheet is not text: nothing is put into it.
    const std::string style = "<style>" + std::string(1000, 'z') + "</style>";
    EXPECT_EQ(BoundedHtml(style), style);
}

TEST(UHtmlBounds, ACostlyDocumentLosesItsTablesThenItsEnd)
{
    // Four tables deep, this text would take a minute to lay out; without them it keeps.
    const std::string text = Repeated("words and words ", 40000);
    const std::string bounded = BoundedHtml(Repeated("<table><tr><td>", 4) + text);
    EXPECT_EQ(Count(bounded, "<table>"), 0u);
    EXPECT_EQ(Count(bounded, "<td>"), 0u);
    EXPECT_NE(bounded.find(text), std::string::npos);
    // A million paragraphs are cut to what the cost allows.
    EXPECT_EQ(Count(BoundedHtml(Repeated("<p>x", 1000000)), "<p>"), MaxLayoutCost / 11);
    EXPECT_EQ(BoundedHtml(std::string(MaxHtmlBytes + 10, ' ')).size(), MaxLayoutCost);
    // A list lays out in quadratic time: its items beyond the bound are text of the last one.
    EXPECT_EQ(Count(BoundedHtml("<ul>" + Repeated("<li>x", 6000)), "<li>"), MaxListItems);
}

} // namespace
