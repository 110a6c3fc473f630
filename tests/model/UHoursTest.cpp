#include "model/UHours.h"

#include "TTempFolder.h"
#include "common/UProgramFolder.h"

#include <gtest/gtest.h>

namespace {

void AddHour(THours& hours, const std::string& date, const std::string& hour, const std::string& action)
{
    auto entry = std::make_unique<TToDoHour>();
    entry->Date = date;
    entry->Hour = hour;
    entry->Action = action;
    std::string key = entry->HourKey();
    hours.Append(std::move(key), std::move(entry));
}

} // namespace

TEST(THours, LookupIgnoresCaseAndFindsTheFirstMatch)
{
    THours hours;
    AddHour(hours, "7/5/2008", "1:00 PM", "first");
    AddHour(hours, "7/5/2008", "1:00 pm", "duplicate");
    AddHour(hours, "7/5/2008", "12:00 M", "noon");

    EXPECT_EQ(hours.Label(0), "7/5/2008-1:00 PM");
    EXPECT_EQ(hours.IndexOf("7/5/2008-1:00 PM"), 0);
    EXPECT_EQ(hours.IndexOf("7/5/2008-1:00 Pm"), 0);
    EXPECT_EQ(hours.IndexOf("7/5/2008-12:00 m"), 2);
    EXPECT_EQ(hours.IndexOf("7/5/2008-2:00 PM"), THours::NotFound);
}

TEST(THours, LookupStaysRightAcrossAppendsDeletesAndGrowth)
{
    THours hours;
    for (int i = 0; i < 1000; ++i)
        AddHour(hours, "d" + std::to_string(i), "1:00 AM", "a");
    EXPECT_EQ(hours.IndexOf("D999-1:00 am"), 999);
    for (int i = 1000; i < 3000; ++i) // appends after the index exists, through several growths
        AddHour(hours, "d" + std::to_string(i % 1500), "1:00 AM", "b");
    EXPECT_EQ(hours.IndexOf("d1499-1:00 AM"), 1499);
    EXPECT_EQ(hours.IndexOf("d2999-1:00 AM"), THours::NotFound);

    hours.Delete(0);
    EXPECT_EQ(hours.IndexOf("d0-1:00 AM"), 1499); // the later duplicate, shifted down by one
    EXPECT_EQ(hours.IndexOf("d1-1:00 AM"), 0);
    AddHour(hours, "new", "1:00 AM", "c");
    EXPECT_EQ(hours.IndexOf("NEW-1:00 AM"), hours.Count() - 1);
}

TEST(HoursFile, LayoutEscapesLineBreaksAndEndsEveryLineWithCrLf)
{
    THours hours;
    AddHour(hours, "7/5/2008", "1:00 PM", "Call\r\nBob");
    AddHour(hours, "7/6/2008", "12:00 M", "");
    EXPECT_EQ(FormatHours(hours),
              "7/5/2008^1:00 PM^Call\xA5\xA5\xA7\xA7"
              "Bob^\r\n7/6/2008^12:00 M^^\r\n");
    EXPECT_EQ(FormatHours(THours()), "");
}

TEST(HoursFile, ReadsBackWhatItWrote)
{
    THours hours;
    AddHour(hours, "12/13/2007", "11:00 AM", " spaced  action \r\nsecond line");
    const std::string text = FormatHours(hours);
    THours read;
    ParseHours(text, read);
    ASSERT_EQ(read.Count(), 1);
    EXPECT_EQ(read[0].Action, " spaced  action \r\nsecond line");
    EXPECT_EQ(read.Label(0), "12/13/2007-11:00 AM");
    EXPECT_EQ(FormatHours(read), text);
}

TEST(HoursFile, MissingFieldsAreEmptyAndBlankLinesSkipped)
{
    THours read;
    ParseHours("\r\n   \r\n7/5/2008\r\n7/5/2008^1:00 AM^a^extra^more\r\n", read);
    ASSERT_EQ(read.Count(), 2);
    EXPECT_EQ(read.Label(0), "7/5/2008-");
    EXPECT_EQ(read[0].Hour + read[0].Action, "");
    EXPECT_EQ(read[1].Action, "a");
}

TEST(HoursFile, AnyBytesLoadWithoutFailing)
{
    THours read;
    EXPECT_NO_THROW(
        ParseHours(std::string(500000, '^') + std::string("\0\r\0\n", 4) + std::string(4'000'000, 'x'), read));
    EXPECT_EQ(read.Count(), 3);
}

TEST(HoursFile, LoadsAndSavesInTheProgramFolder)
{
    TTempFolder temp;
    temp.Write("Hours.dat", "1/1/2009^1:00 AM^x^\r\n");
    TProgramFolder folder(temp.Path());
    THours hours;
    hours.LoadHours(folder);
    ASSERT_EQ(hours.Count(), 1);
    hours[0].Action = "y";
    hours.SaveHours(folder);
    EXPECT_EQ(temp.Read("Hours.dat"), "1/1/2009^1:00 AM^y^\r\n");
}

TEST(THours, HourCaptionsRunFromOneAmThroughNoonToTwelvePm)
{
    EXPECT_EQ(HourCaption(1), "1:00 AM");
    EXPECT_EQ(HourCaption(11), "11:00 AM");
    EXPECT_EQ(HourCaption(12), "12:00 M");
    EXPECT_EQ(HourCaption(13), "1:00 PM");
    EXPECT_EQ(HourCaption(24), "12:00 PM");
}

TEST(THours, SettingAnActionAddsOnceThenRewritesTheFirstEntryOfTheKey)
{
    THours hours;
    SetHourAction(hours, "7/5/2008", "1:00 PM", "Call");
    EXPECT_EQ(hours.Label(0), "7/5/2008-1:00 PM");
    SetHourAction(hours, "7/5/2008", "1:00 pm", "Write");
    ASSERT_EQ(hours.Count(), 1);
    EXPECT_EQ(hours.Label(0), "7/5/2008-1:00 PM"); // the label stays
    EXPECT_EQ(hours[0].Hour, "1:00 pm");
    EXPECT_EQ(hours[0].Action, "Write");

    EXPECT_FALSE(ClearHourAction(hours, "7/6/2008", "1:00 PM"));
    EXPECT_TRUE(ClearHourAction(hours, "7/5/2008", "1:00 PM"));
    EXPECT_EQ(hours.Count(), 0);
    EXPECT_EQ(hours.IndexOf("7/5/2008-1:00 PM"), THours::NotFound);
}
