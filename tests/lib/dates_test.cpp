#include <gtest/gtest.h>

#include "vorane2.h"
TEST(Placeholder, Builds) { EXPECT_EQ(ad2jd(CalendarDate{2000, 1, 1, 0, 0, 0, 0.0}), 2451544.5); }
