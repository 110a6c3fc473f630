// The update description: reading its version and comparing it with the program's.

#include "news/UUpdateDescription.h"
#include "common/UIniText.h"

#include <gtest/gtest.h>

namespace {

TEST(ReadIniValue, FindsTheKeyOfTheSectionByTheUsualRules)
{
    const std::string text = "\xEF\xBB\xBF; published by the publisher\r\n"
                             "[Other]\r\nVersion=9.9\r\n"
                             "[ application ]\nName = Taskwren\n  version =  \"2.1\" \r"
                             "[APPLICATION]\r\nVersion=3.0\r\n";
    EXPECT_EQ(ReadIniValue(text, "APPLICATION", "Version"), "2.1");
    EXPECT_EQ(ReadIniValue(text, "Application", "NAME"), "Taskwren");
    EXPECT_EQ(ReadIniValue(text, "Other", "Version"), "9.9");
    EXPECT_EQ(ReadIniValue(text, "APPLICATION", "Missing"), "");
    EXPECT_EQ(ReadIniValue(text, "Missing", "Version"), "");
    EXPECT_EQ(ReadIniValue("Version=2.1\r\n", "APPLICATION", "Version"), ""); // outside any section
    EXPECT_EQ(ReadIniValue("[APPLICATION]\r\nVersion='2.5'", "APPLICATION", "Version"), "2.5");
    EXPECT_EQ(ReadIniValue("[APPLICATION]\r\nVersion=\"2.5'", "APPLICATION", "Version"), "\"2.5'");
}

TEST(UpdateDescription, VersionsCompareAsNumbersRoundedToSinglePrecision)
{
    struct TCase {
        const char* Announced;
        const char* Own;
        bool Newer;
    };
    for (const TCase& c :
         {TCase{"2.0", "2.0", false}, TCase{"2.1", "2.0", true}, TCase{"1.9", "2.0", false},
          TCase{"2.00000001", "2.0", false}, TCase{"2.0000003", "2.0", true}, TCase{"10.0", "9.5", true},
          TCase{"2.10", "2.9", false}, TCase{"1.2.3", "0", false}, TCase{"", "2.0", false}, TCase{"3", "2.0", true},
          TCase{" 2.5 ", "2.0", true}, TCase{"+2.5", "2.0", true}, TCase{"2,5", "2.0", false},
          TCase{"inf", "2.0", false}, TCase{"nan", "2.0", false}, TCase{"1e3", "2.0", true}, TCase{"-5", "2.0", false},
          TCase{".5", "0.25", true}, TCase{"v3", "2.0", false}})
        EXPECT_EQ(IsNewerVersion(c.Announced, c.Own), c.Newer) << c.Announced << " against " << c.Own;
    // A hostile description's 900 KB of digits is no version: never asked about, never laid out.
    EXPECT_TRUE(IsNewerVersion(std::string(29, '0') + "2.5", "2.0"));
    EXPECT_FALSE(IsNewerVersion(std::string(30, '0') + "2.5", "2.0"));
    EXPECT_FALSE(IsNewerVersion(std::string(900000, '9'), "2.0"));
}

TEST(UpdateDescription, TheOfferNamesTheVersionAsWritten)
{
    EXPECT_EQ(UpdateOfferQuestion("2.10"),
              "There is a new update: (version 2.10) available for your application!. "
              "Do you want download this update now?");
    EXPECT_EQ(AnnouncedVersion("[APPLICATION]\r\nName=Taskwren\r\nVersion=02.10\r\n"), "02.10");
}

} // namespace
