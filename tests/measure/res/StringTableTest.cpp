#include "measure/res/StringTable.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tessmet;

TEST(StringTable, KnownIdsGiveTheirTextUnknownIdsNothing) {
    EXPECT_EQ(LoadString(StringId::TooManyImages), "The picture file which can be opened on a screen is 64 pictures.");
    EXPECT_EQ(LoadString(StringId::ResolutionNotSetup), "Resolution has not setup");
    EXPECT_EQ(LoadString(StringId::KindNameFirst + 7), "Center Distance");
    EXPECT_EQ(LoadString(StringId::ColumnTitleFirst + 3), "Angle[degree]");
    EXPECT_EQ(LoadString(99999), "");
    EXPECT_EQ(LoadString(10030), "");
}

// The lookup is a binary search, so an entry out of order would silently vanish.
TEST(StringTable, IdsAreAscendingAndUnique) {
    const std::vector<int> ids = AllStringIds();
    ASSERT_FALSE(ids.empty());
    EXPECT_TRUE(std::adjacent_find(ids.begin(), ids.end(), std::greater_equal<int>()) == ids.end());
    for (int id : ids) EXPECT_FALSE(SourceString(id).empty()) << id;
}

TEST(StringTable, EveryNumberedMessageIsPresent) {
    std::vector<int> expected;
    auto range = [&](int first, int last) {
        for (int id = first; id <= last; ++id) expected.push_back(id);
    };
    range(10001, 10011);
    range(10031, 10035);
    range(10051, 10059);
    range(11001, 11001);
    range(12001, 12006);
    range(12051, 12058);
    range(12061, 12068);
    range(12101, 12105);
    range(12111, 12111);
    range(12121, 12121);
    const std::vector<int> ids = AllStringIds();
    for (int id : expected) {
        EXPECT_TRUE(std::binary_search(ids.begin(), ids.end(), id)) << id;
    }
    // Nothing else in the message range: a stray id there would be a typo of a real one.
    const long inRange = std::count_if(ids.begin(), ids.end(), [](int id) { return id >= 10001 && id <= 12121; });
    EXPECT_EQ(inRange, static_cast<long>(expected.size()));
}

TEST(StringTable, CommandPromptsCarryStatusTextAndTooltip) {
    struct Case {
        int id;
        const char* text;
    };
    const Case cases[] = {
        {32791, "Image is binarizd\nImage Processing - Binary Image"},
        {32792, "The center of a image is detected\nImage Processing - Detect Center"},
        {32793, "Image is grayed\nImage Processing - Gray Image"},
        {32794, "Display color distribution\nImage Processing - Display Color Distribution"},
        {32775, "Display zoom window\nZoom - Window"},
        {32810, "Show or hide the measure result dialog\nToggle Measure Result"},
        {32841, "Display a draw setup dialog\nSetup - Draw Setup"},
        {32842, "Display a Calibration setup dialog\nSetup - Calibration Setup"},
        {32843, "Display a other setup dialog\nSetup - Other Setup"},
        {32781, "Show or hide the original picture layer\nToggle Original Picture Layer"},
        {59392, "Show or hide the toolbar\nToggle ToolBar"},
    };
    for (const Case& c : cases) EXPECT_EQ(LoadString(c.id), c.text) << c.id;
    const char* kinds[] = {"2 point distance", "vertical distance", "area", "angle",
                           "2 lines angle", "2 point radius", "3 point radius", "center distance"};
    for (int i = 0; i < 8; ++i) {
        const std::string prompt = LoadString(32801 + i);
        EXPECT_EQ(prompt.substr(0, prompt.find('\n')), std::string("Measures by ") + kinds[i] + " type");
    }
}
