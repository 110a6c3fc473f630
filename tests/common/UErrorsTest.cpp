#include "common/UErrors.h"

#include <gtest/gtest.h>

TEST(EAppError, KeepsTheStackOfWhereItWasRaised)
{
    const EFileError error("boom");
    EXPECT_STREQ(error.what(), "boom");
    EXPECT_NE(error.StackTrace(), "");
}
