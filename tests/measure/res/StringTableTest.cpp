#include "measure/res/StringTable.h"

#include <gtest/gtest.h>

using namespace tessmet;

TEST(StringTable, KnownIdsGiveTheirTextUnknownIdsNothing) {
    EXPECT_EQ(LoadString(StringId::TooManyImages), "The picture file which can be opened on a screen is 64 pictures.");
    EXPECT_EQ(LoadString(StringId::ResolutionNotSetup), "Resolution has not setup");
    EXPECT_EQ(LoadString(StringId::KindNameFirst + 7), "Center Distance");
    EXPECT_EQ(LoadString(StringId::ColumnTitleFirst + 3), "Angle[degree]");
    EXPECT_EQ(LoadString(99999), "");
    EXPECT_EQ(LoadString(10030), "");
}
