#include "measure/dialogs/PenSetup.h"
#include "measure/dialogs/ZoomPresets.h"
#include "measure/dialogs/ZoomRender.h"
#include "measure/processing/PixelAccess.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using namespace tessmet;

namespace {

TEST(PenSetupRules, BlackIsKeptForEveryPenButImageProcessing) {
    struct Case {
        PenRow row;
        ColorRef chosen;
        ColorRef stored;
    };
    const Case cases[] = {
        {PenRow::ImageProcessing, 0x000000, 0x010101},  // black marks empty processing pixels
        {PenRow::ImageProcessing, 0x010101, 0x010101},
        {PenRow::ImageProcessing, 0x0000FF, 0x0000FF},
        {PenRow::ImageProcessing, 0xFF000000, 0x010101},  // only the colour bytes count
        {PenRow::Measure, 0x000000, 0x000000},
        {PenRow::Draw, 0x000000, 0x000000},
        {PenRow::Draw, 0xFFFFFF, 0xFFFFFF},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StoredPenColour(c.row, c.chosen), c.stored) << static_cast<int>(c.row) << " " << c.chosen;
    }
}

TEST(PenSetupRules, AWidthOtherThanOneShowsSolidAndLocksTheType) {
    struct Case {
        int width, type;
        TypeListState state;
    };
    const Case cases[] = {
        {1, 0, {0, true}},  {1, 2, {2, true}},  {1, 4, {4, true}},
        {1, 5, {0, true}},  {1, -1, {0, true}},  // types outside the five show as solid
        {2, 2, {0, false}}, {3, 4, {0, false}}, {10, 1, {0, false}},
        {0, 3, {0, false}},  // hand-edited widths count as "not 1"
    };
    for (const Case& c : cases) EXPECT_EQ(TypeListFor(c.width, c.type), c.state) << c.width << "/" << c.type;
}

TEST(PenSetupRules, StoredWidthsOutsideTheListShowAsTheNearestEntry) {
    const std::pair<int, int> cases[] = {{1, 0}, {3, 2}, {10, 9}, {0, 0}, {-4, 0}, {11, 9}, {1000, 9}};
    for (const auto& [width, index] : cases) EXPECT_EQ(WidthIndexFor(width), index) << width;
}

TEST(PenSetupRules, DefaultsAndTheRoundTripThroughTheSettings) {
    const PenSetup defaults = DefaultPenSetup();
    EXPECT_EQ(defaults.ip, (Pen{0, 1, 0x00FF00}));
    EXPECT_EQ(defaults.measure, (Pen{0, 1, 0xFF0000}));
    EXPECT_EQ(defaults.draw, (Pen{0, 1, 0xFFFFFF}));
    EXPECT_EQ(defaults.addColor, 0xFFFF00);
    EXPECT_EQ(defaults.addUseXor, 1);

    Settings s;
    s.jpegQuality = 9;
    PenSetup pens{{2, 3, 7}, {1, 1, 8}, {4, 1, 9}, 10, 0};
    ApplyPenSetup(pens, s);
    EXPECT_EQ(PenSetupFrom(s), pens);
    EXPECT_EQ(s.jpegQuality, 9);  // only the eleven pen settings

    const FontDescription font = DefaultViewFont();
    EXPECT_EQ(font.height, 18);
    EXPECT_EQ(font.width, 8);
    EXPECT_EQ(font.weight, 400);
    EXPECT_EQ(font.charSet, 128);
    EXPECT_EQ(font.outPrecision, 1);
    EXPECT_EQ(font.clipPrecision, 2);
    EXPECT_EQ(font.quality, 2);
    EXPECT_EQ(font.pitchAndFamily, 2);
    EXPECT_EQ(font.faceName, "FixedSys");
}

TEST(PenSetupRules, FontComparisonCoversEveryField) {
    const FontDescription base;
    EXPECT_FALSE(FontChanged(base, base));
    const auto changed = [&](auto edit) {
        FontDescription f = base;
        edit(f);
        return FontChanged(base, f);
    };
    EXPECT_TRUE(changed([](FontDescription& f) { f.height = -18; }));
    EXPECT_TRUE(changed([](FontDescription& f) { f.escapement = 900; }));
    EXPECT_TRUE(changed([](FontDescription& f) { f.strikeOut = 1; }));
    EXPECT_TRUE(changed([](FontDescription& f) { f.pitchAndFamily = 1; }));
    EXPECT_TRUE(changed([](FontDescription& f) { f.faceName = "Fixedsys"; }));  // letter case counts
    // What lies beyond the record's 31 characters or a terminator does not.
    EXPECT_FALSE(changed([](FontDescription& f) { f.faceName = std::string("FixedSys\0junk", 13); }));
    FontDescription longA = base, longB = base;
    longA.faceName = std::string(31, 'a') + "x";
    longB.faceName = std::string(31, 'a') + "y";
    EXPECT_FALSE(FontChanged(longA, longB));
}

TEST(ZoomPresets, OpeningPicksTheSmallestPresetNotBelowTheZoom) {
    const std::pair<double, int> cases[] = {
        {16.0, 1}, {8.0, 1}, {4.25, 1}, {4.0, 2}, {2.25, 2}, {2.0, 3}, {1.5, 3}, {1.25, 3}, {1.0, 4},
        {0.8, 4},  {0.75, 5}, {0.6, 5}, {0.5, 6}, {0.3, 6},  {0.25, 7}, {0.1, 7},
    };
    for (const auto& [zoom, index] : cases) EXPECT_EQ(PresetForZoom(zoom), index) << zoom;
}

TEST(ZoomPresets, PercentTexts) {
    const char* texts[] = {"800%", "400%", "200%", "100%", "75%", "50%", "25%"};
    for (int i = 1; i <= kZoomPresetCount; ++i) EXPECT_EQ(PresetPercentText(i), texts[i - 1]) << i;
    EXPECT_DOUBLE_EQ(ZoomPreset(5), 0.75);
    EXPECT_DOUBLE_EQ(ZoomPreset(0), 1.0);
    EXPECT_DOUBLE_EQ(ZoomPreset(8), 1.0);
}

// A source whose pixel (x, y) has blue x, green y and red 200, so every picture pixel tells
// which source pixel it came from.
Dib Coordinates(int width, int height, int bits = 24) {
    Dib dib(width, height, bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            WritePixel(dib.pixel(x, y), static_cast<uint8_t>(x), static_cast<uint8_t>(y), 200, bits);
    return dib;
}

// The source pixel a picture pixel shows, or (-1, -1) for black.
std::pair<int, int> SourceOf(const Dib& picture, int c, int row) {
    const uint8_t* p = picture.pixel(c, row);
    if (p[2] == 0) return {-1, -1};
    return {p[0], p[1]};
}

TEST(ZoomRender, NearTheLeftEdgeTheColumnsLeftOfTheImageAreBlack) {
    const Dib source = Coordinates(200, 150);
    Dib picture(240, 240, 24);
    RenderMagnified(picture, source, 10, 75, 4);
    // Column c shows source column 10 - 30 + c / 4: negative up to c = 79.
    for (int row = 0; row < 240; row += 17) {
        for (int c = 0; c < 80; ++c) ASSERT_EQ(SourceOf(picture, c, row).first, -1) << c << "," << row;
        EXPECT_EQ(SourceOf(picture, 80, row).first, 0);
        EXPECT_EQ(SourceOf(picture, 239, row).first, 10 - 30 + 59);
    }
}

TEST(ZoomRender, AtSixteenTimesEachPixelIsABlockAndFifteenByFifteenFit) {
    const Dib source = Coordinates(100, 100);
    Dib picture(240, 240, 24);
    RenderMagnified(picture, source, 50, 50, 16);
    std::set<std::pair<int, int>> shown;
    for (int row = 0; row < 240; ++row) {
        for (int c = 0; c < 240; ++c) {
            const auto s = SourceOf(picture, c, row);
            ASSERT_NE(s.first, -1);
            // Blocks start at multiples of 16 from the picture's left and bottom edge.
            const int i = 239 - row;
            ASSERT_EQ(s, SourceOf(picture, c - c % 16, 239 - (i - i % 16))) << c << "," << row;
            shown.insert(s);
        }
    }
    EXPECT_EQ(shown.size(), 15u * 15u);
    // Columns 50 - 7 .. 50 + 7; bottom-up rows 100 - 50 - 7 .. + 14, i.e. top-down rows 56 .. 42.
    EXPECT_EQ(shown.begin()->first, 43);
    EXPECT_EQ(shown.rbegin()->first, 57);
    EXPECT_EQ(SourceOf(picture, 0, 239), std::make_pair(43, 56));  // bottom left
    EXPECT_EQ(SourceOf(picture, 239, 0), std::make_pair(57, 42));  // top right
}

TEST(ZoomRender, MatchesTheSamplingRuleForEveryMagnificationAndDepth) {
    std::mt19937 random(19);
    for (const int bits : {16, 24, 32}) {
        const Dib source = Coordinates(90, 70, bits);
        for (int m = 1; m <= 16; ++m) {
            const int x = static_cast<int>(random() % 130) - 20, y = static_cast<int>(random() % 110) - 20;
            Dib picture(240, 240, 24);
            picture.fill(0x55);
            RenderMagnified(picture, source, x, y, m);
            for (int k = 0; k < 400; ++k) {
                const int c = static_cast<int>(random() % 240), i = static_cast<int>(random() % 240);
                const int sx = x - 120 / m + c / m;
                const int sy = 70 - 1 - (70 - y - 120 / m + i / m);
                const uint8_t* p = picture.pixel(c, 239 - i);
                if (sx < 0 || sx >= 90 || sy < 0 || sy >= 70) {
                    ASSERT_EQ(p[0] | p[1] | p[2], 0) << bits << " m=" << m << " c=" << c << " i=" << i;
                } else {
                    const uint8_t* s = source.pixel(sx, sy);
                    ASSERT_EQ(p[0], ReadChannel(s, Channel::Blue, bits));
                    ASSERT_EQ(p[1], ReadChannel(s, Channel::Green, bits));
                    ASSERT_EQ(p[2], ReadChannel(s, Channel::Red, bits));
                }
            }
        }
    }
}

TEST(ZoomRender, AnEmptySourceGivesBlack) {
    Dib picture(240, 240, 24);
    picture.fill(0x7F);
    RenderMagnified(picture, Dib(), 0, 0, 4);
    for (int y = 0; y < 240; y += 7)
        for (int x = 0; x < 240; x += 5) ASSERT_EQ(picture.pixel(x, y)[1], 0);
}

}  // namespace
