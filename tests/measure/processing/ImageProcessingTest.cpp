#include "measure/core/RegionOfInterest.h"
#include "measure/processing/Binarisation.h"
#include "measure/processing/CentreDetection.h"
#include "measure/processing/ColourDistribution.h"
#include "measure/processing/GreyImage.h"
#include "measure/processing/PixelAccess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

using namespace tessmet;

namespace {

constexpr uint32_t kBlueish = 0x00FF8040;  // 0x00BBGGRR: blue 255, green 128, red 64

Dib Filled(int w, int h, int bpp, uint8_t b, uint8_t g, uint8_t r) {
    Dib dib(w, h, bpp);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) WritePixel(dib.pixel(x, y), b, g, r, bpp);
    return dib;
}

void Set(Dib& dib, int x, int y, uint8_t b, uint8_t g, uint8_t r) { WritePixel(dib.pixel(x, y), b, g, r, dib.bitsPerPixel()); }

bool IsMarked(const Dib& layer, int x, int y) {
    for (int i = 0; i < layer.bytesPerPixel(); ++i)
        if (layer.pixel(x, y)[i]) return true;
    return false;
}

RoiSpans Whole(const Dib& d) { return RoiSpans::WholeImage(d.width(), d.height()); }

// Binarisation ---------------------------------------------------------------------------------

TEST(Binarise, ComparesOnlyTheChannelSum) {
    struct Case {
        const char* name;
        uint8_t b, g, r;
        int max, min;
        bool marked;
    } cases[] = {
        {"black at the opening thresholds", 0, 0, 0, 0, 0, true},
        {"a dark pixel is not black", 0, 0, 1, 0, 0, false},
        {"grey 100 at 100", 100, 100, 100, 100, 100, true},
        {"99, 100, 101 sums to 300", 99, 100, 101, 100, 100, true},
        {"sum 301 is above 3 x 100", 99, 100, 102, 100, 100, false},
        {"sum 299 is below 3 x 100", 99, 100, 100, 100, 100, false},
        {"white in the full range", 255, 255, 255, 255, 0, true},
        {"min above max marks nothing", 50, 50, 50, 40, 60, false},
        {"bounds beyond 0..255 still compare", 255, 255, 255, 1000, -5, true},
    };
    for (const Case& c : cases) {
        const Dib original = Filled(3, 2, 24, c.b, c.g, c.r);
        Dib layer(3, 2, 24);
        const BinariseCounts counts = Binarise(original, layer, Whole(original), c.max, c.min, kBlueish);
        EXPECT_EQ(counts.roi, 6) << c.name;
        EXPECT_EQ(counts.marked, c.marked ? 6 : 0) << c.name;
        EXPECT_EQ(IsMarked(layer, 2, 1), c.marked) << c.name;
    }
}

TEST(Binarise, WritesTheProcessingColourAndClearsTheRest) {
    for (const int bpp : {24, 32}) {
        Dib original = Filled(4, 3, bpp, 200, 200, 200);
        Set(original, 1, 2, 0, 0, 0);
        Dib layer = Filled(4, 3, bpp, 9, 9, 9);  // an earlier result
        const BinariseCounts counts = Binarise(original, layer, Whole(original), 0, 0, kBlueish);
        EXPECT_EQ(counts.marked, 1);
        EXPECT_EQ(layer.pixel(1, 2)[0], 0xFF);
        EXPECT_EQ(layer.pixel(1, 2)[1], 0x80);
        EXPECT_EQ(layer.pixel(1, 2)[2], 0x40);
        EXPECT_FALSE(IsMarked(layer, 0, 0)) << bpp;
    }
}

TEST(Binarise, PixelsOutsideTheRegionStayEmptyAndUncounted) {
    const Dib original = Filled(20, 10, 24, 0, 0, 0);
    Dib layer(20, 10, 24);
    const RoiSpans roi = RegionOfInterest::Rectangle({2, 3}, {5, 6}).spans(20, 10);
    const BinariseCounts counts = Binarise(original, layer, roi, 255, 0, kBlueish);
    EXPECT_EQ(counts.roi, 16);
    EXPECT_EQ(counts.marked, 16);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            EXPECT_EQ(IsMarked(layer, x, y), x >= 2 && x <= 5 && y >= 3 && y <= 6) << x << "," << y;
}

TEST(Binarise, SixteenBitPixelsReadScaledChannels) {
    // 5-bit 31 reads 255, 1 reads 8: (31, 31, 31) sums to 765, (1, 1, 1) to 24.
    Dib original(2, 1, 16);
    original.pixel(0, 0)[0] = 0xFF, original.pixel(0, 0)[1] = 0x7F;
    original.pixel(1, 0)[0] = 0x21, original.pixel(1, 0)[1] = 0x04;
    Dib layer(2, 1, 16);
    EXPECT_EQ(Binarise(original, layer, Whole(original), 255, 255, 0x00FFFFFF).marked, 1);
    EXPECT_EQ(layer.pixel(0, 0)[0], 0xFF);
    EXPECT_EQ(layer.pixel(0, 0)[1], 0x7F);
    EXPECT_EQ(Binarise(original, layer, Whole(original), 8, 8, 0x00FFFFFF).marked, 1);
    EXPECT_TRUE(IsMarked(layer, 1, 0));
    EXPECT_EQ(Binarise(original, layer, Whole(original), 7, 7, 0x00FFFFFF).marked, 0);
}

TEST(Binarise, DegenerateInputsCountNothing) {
    Dib layer(4, 4, 24);
    EXPECT_EQ(Binarise(Dib(), layer, {}, 255, 0, kBlueish).roi, 0);
    const Dib other(5, 4, 24);
    EXPECT_EQ(Binarise(other, layer, Whole(other), 255, 0, kBlueish).marked, 0);
    const Dib original(4, 4, 24);
    const BinariseCounts empty = Binarise(original, layer, RegionOfInterest::Ellipse({1, 1}, {1, 3}).spans(4, 4), 255, 0, kBlueish);
    EXPECT_EQ(empty.roi, 0);
    EXPECT_EQ(empty.marked, 0);
}

// Split into parts on threads, a large region must give what a plain per-pixel loop gives.
TEST(Binarise, LargeRegionsAgreeWithAPixelLoop) {
    std::mt19937 random(1717);
    const int w = 1400, h = 900;
    Dib original(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) Set(original, x, y, static_cast<uint8_t>(random()), static_cast<uint8_t>(random()), static_cast<uint8_t>(random()));
    const RegionOfInterest regions[] = {
        RegionOfInterest::Ellipse({-100, 20}, {1300, 950}),
        RegionOfInterest::Polygon({{10, 10}, {1390, 40}, {700, 890}, {300, 400}, {1200, 800}}),
    };
    for (const RegionOfInterest& region : regions) {
        const RoiSpans roi = region.spans(w, h);
        std::vector<std::vector<bool>> inside(static_cast<size_t>(h), std::vector<bool>(static_cast<size_t>(w)));
        for (const RoiSpan& s : roi.spans())
            for (int x = s.xBegin; x < s.xEnd; ++x) inside[static_cast<size_t>(s.y)][static_cast<size_t>(x)] = true;
        Dib layer(w, h, 24);
        const BinariseCounts counts = Binarise(original, layer, roi, 200, 60, kBlueish);
        long long expected = 0, roiCount = 0;
        bool layerAgrees = true;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const uint8_t* p = original.pixel(x, y);
                const int sum = p[0] + p[1] + p[2];
                const bool in = inside[static_cast<size_t>(y)][static_cast<size_t>(x)];
                roiCount += in;
                const bool marked = in && sum >= 180 && sum <= 600;
                expected += marked;
                layerAgrees = layerAgrees && IsMarked(layer, x, y) == marked;
            }
        EXPECT_EQ(counts.roi, roiCount);
        EXPECT_EQ(counts.marked, expected);
        EXPECT_TRUE(layerAgrees);
    }
}

// The row loops of each depth against one pixel at a time through ReadChannel and WritePixel:
// the whole layer byte for byte (row padding and the 32-bit fourth byte included), over a stale
// layer, on regions with several runs a row, small ones kept on one thread and large ones split.
TEST(Binarise, EveryDepthAgreesWithThePixelAccessors) {
    std::mt19937 random(2024);
    const int w = 1101, h = 1003;  // odd width: 16- and 24-bit rows are padded
    const RegionOfInterest regions[] = {
        RegionOfInterest::Rectangle({0, 0}, {w - 1, h - 1}),
        RegionOfInterest::Ellipse({-50, 3}, {1080, 1100}),
        RegionOfInterest::Polygon({{5, 5}, {1095, 20}, {550, 500}, {1090, 990}, {10, 1000}, {560, 480}}),
        RegionOfInterest::Rectangle({1, 2}, {1, 2}),
        RegionOfInterest::Polygon({{0, 0}, {40, 3}, {3, 40}, {40, 40}, {20, 2}, {2, 20}}),
    };
    for (const int bpp : {16, 24, 32}) {
        Dib original(w, h, bpp);
        for (size_t i = 0; i < original.sizeBytes(); ++i) original.bits()[i] = static_cast<uint8_t>(random() >> 24);
        for (const RegionOfInterest& region : regions) {
            const RoiSpans roi = region.spans(w, h);
            const int min = static_cast<int>(random() % 200) - 20, max = min + static_cast<int>(random() % 120) - 10;
            const uint32_t colour = random() & 0x00FFFFFF;
            Dib expected(w, h, bpp);
            long long expectedMarked = 0;
            const ColourBytes c = SplitColour(colour);
            for (const RoiSpan& s : roi.spans())
                for (int x = s.xBegin; x < s.xEnd; ++x) {
                    const uint8_t* p = original.pixel(x, s.y);
                    const int sum = ReadChannel(p, Channel::Blue, bpp) + ReadChannel(p, Channel::Green, bpp) + ReadChannel(p, Channel::Red, bpp);
                    if (sum < 3 * min || sum > 3 * max) continue;
                    WritePixel(expected.pixel(x, s.y), c.blue, c.green, c.red, bpp);
                    ++expectedMarked;
                }
            Dib layer(w, h, bpp);
            layer.fill(0xA5);  // an earlier result, padding included
            const BinariseCounts counts = Binarise(original, layer, roi, max, min, colour);
            const std::string what = std::to_string(bpp) + " bits, " + std::to_string(roi.pixelCount()) + " pixels, max " +
                                     std::to_string(max) + ", min " + std::to_string(min);
            EXPECT_EQ(counts.roi, roi.pixelCount()) << what;
            EXPECT_EQ(counts.marked, expectedMarked) << what;
            EXPECT_EQ(std::memcmp(layer.bits(), expected.bits(), layer.sizeBytes()), 0) << what;
        }
    }
}

// Centre detection -----------------------------------------------------------------------------

TEST(DetectCentre, SingleMarkedPixelIsItsMiddleWithTheMarkOneRowUp) {
    Dib original = Filled(40, 40, 24, 255, 255, 255);
    Set(original, 10, 20, 0, 0, 0);
    Dib layer(40, 40, 24);
    const CentreResult c = DetectCentre(original, layer, Whole(original), 0, 0, DetectType::Centre, kBlueish);
    EXPECT_DOUBLE_EQ(c.cx, 10.5);
    EXPECT_DOUBLE_EQ(c.cy, 20.5);
    EXPECT_EQ(c.counts.marked, 1);
    // The X's centre pixel is (10, 19): an empty pixel turned white.
    EXPECT_EQ(layer.pixel(10, 19)[0], 255);
    EXPECT_EQ(layer.pixel(10, 19)[2], 255);
    EXPECT_EQ(layer.pixel(6, 15)[1], 255);   // offset (-4, -4)
    EXPECT_EQ(layer.pixel(14, 23)[1], 255);  // offset (4, 4)
    EXPECT_FALSE(IsMarked(layer, 11, 19));   // not on the X
    // The marked pixel itself is outside the X and keeps the colour.
    EXPECT_EQ(layer.pixel(10, 20)[0], 0xFF);
    EXPECT_EQ(layer.pixel(10, 20)[2], 0x40);
}

TEST(DetectCentre, TheMarkInvertsMarkedPixels) {
    Dib original = Filled(30, 30, 24, 0, 0, 0);  // everything marked at (0, 0)
    Dib layer(30, 30, 24);
    const CentreResult c = DetectCentre(original, layer, RegionOfInterest::Rectangle({10, 10}, {19, 19}).spans(30, 30), 0, 0,
                                        DetectType::Centre, kBlueish);
    EXPECT_DOUBLE_EQ(c.cx, 15.0);
    EXPECT_DOUBLE_EQ(c.cy, 15.0);
    // Centre pixel of the mark at (15, 14): the complement of the colour.
    EXPECT_EQ(layer.pixel(15, 14)[0], 0x00);
    EXPECT_EQ(layer.pixel(15, 14)[1], 0x7F);
    EXPECT_EQ(layer.pixel(15, 14)[2], 0xBF);
}

TEST(DetectCentre, WeightsAndDegenerateCentres) {
    struct Case {
        const char* name;
        uint8_t grey;  // of the marked pixels
        int type;
        double cx, cy;
    } cases[] = {
        {"black pixels carry no weight", 0, DetectType::CentreOfGravity, 0.0, 0.0},
        {"black pixels counted plainly", 0, DetectType::Centre, 5.5, 3.0},
        {"uniform grey, weighted", 90, DetectType::CentreOfGravity, 5.5, 3.0},
        {"uniform grey, plain", 90, DetectType::Centre, 5.5, 3.0},
    };
    for (const Case& c : cases) {
        Dib original = Filled(20, 10, 24, 255, 255, 255);
        for (int x = 4; x <= 6; ++x)
            for (int y = 2; y <= 3; ++y) Set(original, x, y, c.grey, c.grey, c.grey);
        Dib layer(20, 10, 24);
        const CentreResult r = DetectCentre(original, layer, Whole(original), c.grey, c.grey, c.type, kBlueish);
        EXPECT_EQ(r.counts.marked, 6) << c.name;
        EXPECT_DOUBLE_EQ(r.cx, c.cx) << c.name;
        EXPECT_DOUBLE_EQ(r.cy, c.cy) << c.name;
        // No mark for (0, 0): only the six marked pixels are non-empty.
        if (c.cx == 0) {
            EXPECT_TRUE(IsMarked(layer, 4, 2) && !IsMarked(layer, 1, 1)) << c.name;
        }
    }
    Dib original = Filled(8, 8, 24, 255, 255, 255);
    Dib layer(8, 8, 24);
    const CentreResult none = DetectCentre(original, layer, Whole(original), 0, 0, DetectType::CentreOfGravity, kBlueish);
    EXPECT_EQ(none.counts.marked, 0);
    EXPECT_EQ(none.cx, 0.0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_FALSE(IsMarked(layer, x, y));
}

TEST(DetectCentre, WeightedCentreLeansToBrighterPixels) {
    // Grey 30 at column 2 and grey 90 at column 6 (both marked): weights 30 and 90.
    Dib original = Filled(10, 3, 24, 255, 255, 255);
    Set(original, 2, 1, 30, 30, 30);
    Set(original, 6, 1, 90, 90, 90);
    Dib layer(10, 3, 24);
    const CentreResult r = DetectCentre(original, layer, Whole(original), 90, 30, DetectType::CentreOfGravity, kBlueish);
    EXPECT_DOUBLE_EQ(r.cx, (30.0 * 3 + 90.0 * 7) / 120 - 0.5);
    EXPECT_DOUBLE_EQ(r.cy, 1.5);
}

TEST(DetectCentre, MarkIsClippedAndNeverOnColumnZero) {
    struct Case {
        double cx, cy;
        int drawn;  // offsets of the X inside 0 < e < width and 0 < f < height
    } cases[] = {
        {20.5, 20.5, 17},
        {0.4, 0.0, 4},  // at (0, 0): only the offsets (1, 1) .. (4, 4) fall inside
        {1.0, 5.0, 9},  // the right half and the centre column 1
        {39.9, 39.9, 5},  // at (39, 39): only (-4, -4) .. (0, 0)
    };
    for (const Case& c : cases) {
        Dib layer(40, 40, 24);
        DrawCentreMark(layer, c.cx, c.cy);
        int drawn = 0;
        for (int y = 0; y < 40; ++y) {
            EXPECT_FALSE(IsMarked(layer, 0, y)) << c.cx;
            for (int x = 0; x < 40; ++x) drawn += IsMarked(layer, x, y);
        }
        EXPECT_EQ(drawn, c.drawn) << c.cx << "," << c.cy;
    }
}

// Grey image and colours -----------------------------------------------------------------------

TEST(GreyImage, RootMeanSquareInsideTheRegion) {
    for (const int bpp : {24, 32}) {
        const Dib original = Filled(6, 4, bpp, 0, 0, 255);
        Dib layer = Filled(6, 4, bpp, 1, 2, 3);
        GreyImage(original, layer, RegionOfInterest::Rectangle({1, 1}, {2, 2}).spans(6, 4));
        EXPECT_EQ(layer.pixel(1, 1)[0], 147);
        EXPECT_EQ(layer.pixel(2, 2)[1], 147);
        EXPECT_EQ(layer.pixel(2, 2)[2], 147);
        EXPECT_FALSE(IsMarked(layer, 0, 0));
        EXPECT_FALSE(IsMarked(layer, 3, 2));
    }
}

TEST(ColourSums, TextsOfOneColour) {
    struct Case {
        const char* name;
        uint8_t b, g, r;
        const char* ratios[3];
        const char* averages[3];
    } cases[] = {
        {"pure red", 0, 0, 255, {"100.00", "0.00", "0.00"}, {"255.00", "0.00", "0.00"}},
        {"grey", 90, 90, 90, {"33.33", "33.33", "33.33"}, {"90.00", "90.00", "90.00"}},
        {"all black", 0, 0, 0, {"0.00", "0.00", "0.00"}, {"0.00", "0.00", "0.00"}},
    };
    for (const Case& c : cases) {
        const Dib original = Filled(5, 4, 24, c.b, c.g, c.r);
        const ColourTotals t = ColourSums(original, Whole(original));
        EXPECT_EQ(t.count, 20);
        EXPECT_EQ(t.red, 20LL * c.r);
        EXPECT_EQ(t.blue, 20LL * c.b);
        const ColourDistributionTexts texts = FormatColourDistribution(t);
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(texts.ratios[i], c.ratios[i]) << c.name << i;
            EXPECT_EQ(texts.averages[i], c.averages[i]) << c.name << i;
        }
        EXPECT_EQ(texts.totals[0], std::to_string(20 * c.r));
        EXPECT_EQ(texts.area, "20");
    }
}

TEST(ColourSums, EmptyRegionShowsZeros) {
    const Dib original = Filled(5, 4, 24, 10, 20, 30);
    const ColourTotals t = ColourSums(original, RoiSpans());
    EXPECT_EQ(t, ColourTotals{});
    const ColourDistributionTexts texts = FormatColourDistribution(t);
    EXPECT_EQ(texts.averages[0], "0.00");
    EXPECT_EQ(texts.ratios[2], "0.00");
    EXPECT_EQ(texts.area, "0");
    EXPECT_EQ(ColourDistributionCsvLine("/p/a.bmp", t), "/p/a.bmp, 0.00, 0.00, 0.00, 0.0000, 0.0000, 0.0000,\r\n");
}

// A 32-bit sum would overflow: 9 million white pixels sum to 2,295,000,000 per channel.
TEST(ColourSums, NineMegapixelWhiteSumsInSixtyFourBits) {
    Dib original(3000, 3000, 24);
    original.fill(255);
    const ColourTotals t = ColourSums(original, Whole(original));
    EXPECT_EQ(t.count, 9000000);
    EXPECT_EQ(t.red, 2295000000LL);
    EXPECT_EQ(t.green, 2295000000LL);
    EXPECT_EQ(t.sum(), 6885000000LL);
    const ColourDistributionTexts texts = FormatColourDistribution(t);
    EXPECT_EQ(texts.totals[1], "2295000000");
    EXPECT_EQ(texts.averages[2], "255.00");
    EXPECT_EQ(texts.ratios[0], "33.33");
    EXPECT_EQ(ColourDistributionCsvLine("w.bmp", t), "w.bmp, 255.00, 255.00, 255.00, 0.3333, 0.3333, 0.3333,\r\n");
}

TEST(ColourSums, SixteenBitChannels) {
    Dib original(1, 1, 16);
    original.pixel(0, 0)[0] = 0x21;  // red 1, green 1, blue 1 -> 8 each
    original.pixel(0, 0)[1] = 0x04;
    const ColourTotals t = ColourSums(original, Whole(original));
    EXPECT_EQ(t.red, 8);
    EXPECT_EQ(t.green, 8);
    EXPECT_EQ(t.blue, 8);
}

TEST(ColourDisplay, KeepsTheChosenChannels) {
    struct Case {
        bool r, g, b;
        uint8_t expect[3];  // blue, green, red
    } cases[] = {
        {true, false, false, {0, 0, 30}},
        {false, true, true, {10, 20, 0}},
        {true, true, true, {10, 20, 30}},
        {false, false, false, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        const Dib original = Filled(4, 4, 24, 10, 20, 30);
        Dib layer = Filled(4, 4, 24, 7, 7, 7);
        ColourDisplay(original, layer, RegionOfInterest::Rectangle({1, 1}, {2, 2}).spans(4, 4), c.r, c.g, c.b);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(layer.pixel(1, 2)[i], c.expect[i]);
        EXPECT_FALSE(IsMarked(layer, 3, 3));
    }
}

TEST(ColourDistributionCsv, AppendsLinesAndReportsFailure) {
    testsupport::TempDir dir;
    const std::string csv = dir.file(kColourDistributionCsvName);
    const Dib original = Filled(2, 2, 24, 0, 64, 128);
    const std::string line = ColourDistributionCsvLine("/pics/Pic00001.jpg", ColourSums(original, Whole(original)));
    EXPECT_EQ(line, "/pics/Pic00001.jpg, 128.00, 64.00, 0.00, 0.6667, 0.3333, 0.0000,\r\n");
    EXPECT_EQ(AppendColourDistributionLine(csv, line), 0);
    EXPECT_EQ(AppendColourDistributionLine(csv, line), 0);
    std::ifstream in(csv, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    EXPECT_EQ(content.str(), line + line);
    EXPECT_EQ(AppendColourDistributionLine(dir.path().string(), line), -1);  // a folder
}

}  // namespace
