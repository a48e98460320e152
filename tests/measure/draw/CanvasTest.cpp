#include "measure/core/PolygonArea.h"
#include "measure/draw/Canvas.h"
#include "measure/draw/DibImage.h"
#include "measure/draw/ViewFont.h"

#include "DrawTestSupport.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tessmet;
using drawtest::Inverted;
using drawtest::Painted;
using drawtest::Raw;

namespace {

constexpr ColorRef kColor = Rgb(0x33, 0x66, 0xCC);

Stroke Pen(int32_t style, int32_t width, ColorRef color = kColor) { return Stroke::FromPen({style, width, static_cast<int32_t>(color)}, false); }

class CanvasDepthTest : public ::testing::TestWithParam<int> {
protected:
    int depth() const { return GetParam(); }
};

TEST_P(CanvasDepthTest, SolidLineCoversItsPixelsOnly) {
    Dib dib = drawtest::Plain(64, 32, depth());
    const uint32_t background = Raw(dib, 0, 0);
    {
        Canvas canvas(dib);
        ASSERT_TRUE(canvas.isValid());
        canvas.line({5, 10}, {40, 10}, Pen(PenStyle::Solid, 1));
    }
    for (int x = 0; x < 64; ++x) {
        const uint32_t expected = x >= 5 && x <= 40 ? Painted(kColor, depth(), background) : background;
        EXPECT_EQ(Raw(dib, x, 10), expected) << "x " << x;
        EXPECT_EQ(Raw(dib, x, 9), background) << "x " << x;
        EXPECT_EQ(Raw(dib, x, 11), background) << "x " << x;
    }
}

TEST_P(CanvasDepthTest, DashedAndDottedPensOfWidthOne) {
    Dib dib = drawtest::Plain(100, 20, depth());
    const uint32_t background = Raw(dib, 0, 0);
    const uint32_t ink = Painted(kColor, depth(), background);
    {
        Canvas canvas(dib);
        canvas.line({0, 5}, {95, 5}, Pen(PenStyle::Dash, 1));
        canvas.line({0, 10}, {95, 10}, Pen(PenStyle::Dot, 1));
        canvas.line({0, 15}, {95, 15}, Pen(PenStyle::DashDot, 1));
    }
    for (int x = 0; x < 95; ++x) {
        EXPECT_EQ(Raw(dib, x, 5), x % 24 < 18 ? ink : background) << "dash x " << x;
        EXPECT_EQ(Raw(dib, x, 10), x % 6 < 3 ? ink : background) << "dot x " << x;
        const int phase = x % 24;  // 9 on, 6 off, 3 on, 6 off
        EXPECT_EQ(Raw(dib, x, 15), phase < 9 || (phase >= 15 && phase < 18) ? ink : background) << "dash-dot x " << x;
    }
}

TEST_P(CanvasDepthTest, WidePenDrawsSolidWhateverItsStyle) {
    Dib dib = drawtest::Plain(100, 40, depth());
    const uint32_t background = Raw(dib, 0, 0);
    const uint32_t ink = Painted(kColor, depth(), background);
    {
        Canvas canvas(dib);
        canvas.line({10, 20}, {90, 20}, Pen(PenStyle::Dash, 3));
    }
    for (int x = 12; x <= 88; ++x) {
        // No gaps, and three pixels thick.
        int thickness = 0;
        for (int y = 15; y <= 25; ++y) thickness += Raw(dib, x, y) == ink ? 1 : 0;
        EXPECT_EQ(thickness, 3) << "x " << x;
        EXPECT_EQ(Raw(dib, x, 20), ink);
    }
    EXPECT_EQ(Raw(dib, 5, 20), background);
    EXPECT_EQ(Raw(dib, 95, 20), background);
}

TEST_P(CanvasDepthTest, InvertingTwiceRestoresEveryPixel) {
    Dib dib = drawtest::Noise(120, 90, depth());
    const Dib original = dib;
    const std::vector<Point> star = {{60, 5}, {80, 80}, {20, 30}, {100, 30}, {40, 80}};
    const Stroke invert = Stroke::FromPen({PenStyle::Solid, 0, 0}, true);
    const Stroke wideInvert{PenStyle::Solid, 5, Ink::Invert()};
    auto draw = [&]() {
        Canvas canvas(dib);
        canvas.line({3, 3}, {110, 70}, invert);
        canvas.line({3, 70}, {110, 3}, invert);  // crosses the first
        canvas.polyline(star, true, invert);
        canvas.fillPolygon(star, Ink::Invert());
        canvas.ellipse({60, 45}, 40, 25, invert);
        canvas.arc({60, 45}, 45, {100, 45}, {60, 0}, wideInvert);
        canvas.extendedLine({10, 12}, {13, 14}, Stroke{PenStyle::Dot, 1, Ink::Invert()});
    };
    draw();
    int changed = 0;
    for (int y = 0; y < dib.height(); ++y) {
        for (int x = 0; x < dib.width(); ++x) {
            const uint32_t before = Raw(original, x, y);
            const uint32_t now = Raw(dib, x, y);
            if (now == before) continue;
            ++changed;
            ASSERT_EQ(now, Inverted(depth(), before)) << x << "," << y;
        }
    }
    EXPECT_GT(changed, 2000);
    draw();
    EXPECT_EQ(drawtest::Bytes(dib), drawtest::Bytes(original));
}

TEST_P(CanvasDepthTest, FillCoversExactlyTheCountedPixels) {
    Dib dib = drawtest::Plain(70, 50, depth());
    const uint32_t background = Raw(dib, 0, 0);
    const std::vector<Point> star = {{35, -4}, {55, 45}, {2, 14}, {68, 14}, {15, 60}};
    {
        Canvas canvas(dib);
        canvas.fillPolygon(star, Ink::Color(kColor));
    }
    long long painted = 0;
    for (int y = 0; y < dib.height(); ++y) {
        for (int x = 0; x < dib.width(); ++x) {
            const bool inside = PolygonContainsPixel(star, x, y);
            ASSERT_EQ(Raw(dib, x, y) != background, inside) << x << "," << y;
            painted += inside ? 1 : 0;
        }
    }
    EXPECT_EQ(painted, PolygonPixelCount(star, 70, 50));
}

TEST_P(CanvasDepthTest, ExtendedLineCrossesTheWholeImage) {
    Dib dib = drawtest::Plain(64, 48, depth());
    const uint32_t background = Raw(dib, 0, 0);
    {
        Canvas canvas(dib);
        canvas.extendedLine({20, 20}, {21, 21}, Pen(PenStyle::Solid, 1));
        canvas.extendedLine({5, 5}, {5, 5}, Pen(PenStyle::Solid, 1));  // no direction: nothing
    }
    EXPECT_NE(Raw(dib, 0, 0), background);
    EXPECT_NE(Raw(dib, 47, 47), background);
    EXPECT_EQ(Raw(dib, 5, 6), background);
}

TEST_P(CanvasDepthTest, TextLiesRightOfAndBelowItsTopLeftCorner) {
    Dib dib = drawtest::Plain(200, 60, depth());
    const uint32_t background = Raw(dib, 0, 0);
    const uint32_t ink = Painted(kColor, depth(), background);
    const QFont font = ViewFont(FontDescription{});
    {
        Canvas canvas(dib);
        canvas.text({20, 10}, "12.34[pixel]", font, Ink::Color(kColor));
    }
    int inked = 0;
    const int bottom = 10 + QFontMetrics(font).height();
    for (int y = 0; y < dib.height(); ++y) {
        for (int x = 0; x < dib.width(); ++x) {
            const uint32_t v = Raw(dib, x, y);
            if (v == background) continue;
            ASSERT_EQ(v, ink) << "binary glyphs in the pen colour";
            ASSERT_GE(x, 19);
            ASSERT_GE(y, 10);
            ASSERT_LE(y, bottom);
            ++inked;
        }
    }
    EXPECT_GT(inked, 50);
}

INSTANTIATE_TEST_SUITE_P(Depths, CanvasDepthTest, ::testing::Values(16, 24, 32),
                         [](const auto& info) { return std::to_string(info.param) + "bit"; });

TEST(Canvas, SixteenBitColoursKeepTheirTopFiveBits) {
    Dib dib(8, 2, 16);
    {
        Canvas canvas(dib);
        canvas.line({0, 0}, {7, 0}, Pen(PenStyle::Solid, 1, Rgb(255, 128, 7)));
    }
    EXPECT_EQ(Raw(dib, 3, 0), (31u << 10) | (16u << 5) | 0u);
}

TEST(Canvas, OriginShiftsLogicalCoordinates) {
    QImage copy(40, 30, QImage::Format_RGB32);
    copy.fill(Qt::black);
    {
        Canvas canvas(copy, QPoint(100, 50));
        EXPECT_EQ(canvas.area(), QRect(100, 50, 40, 30));
        canvas.line({105, 60}, {110, 60}, Pen(PenStyle::Solid, 1, Rgb(255, 0, 0)));
    }
    EXPECT_EQ(copy.pixel(5, 10), qRgb(255, 0, 0));
    EXPECT_EQ(copy.pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(copy.pixel(11, 10), qRgb(0, 0, 0));
    EXPECT_EQ(copy.pixel(4, 10), qRgb(0, 0, 0));
}

TEST(Canvas, FarAwayCoordinatesAreClipped) {
    Dib dib = drawtest::Plain(50, 50, 24);
    const uint32_t background = Raw(dib, 0, 0);
    {
        Canvas canvas(dib);
        canvas.line({25, 25}, {2147483647, 2147483647}, Pen(PenStyle::Dash, 1));
        canvas.ellipse({25, -2000000000}, 2000000000, 2000000025, Pen(PenStyle::Solid, 1));
    }
    EXPECT_NE(Raw(dib, 25, 25), background);
    EXPECT_NE(Raw(dib, 30, 30), background);
}

TEST(Canvas, UnsupportedFormatsDrawNothing) {
    QImage indexed(10, 10, QImage::Format_Indexed8);
    Canvas canvas(indexed);
    EXPECT_FALSE(canvas.isValid());
    canvas.line({0, 0}, {9, 9}, Pen(PenStyle::Solid, 1));  // no crash, nothing drawn
    Dib odd(4, 4, 8);
    Canvas onDib(odd);
    EXPECT_FALSE(onDib.isValid());
}

TEST(DibImage, SharesTheBitmapsMemory) {
    Dib dib(5, 3, 24);
    QImage image = DibImage(dib);
    ASSERT_EQ(image.format(), QImage::Format_BGR888);
    EXPECT_EQ(image.constBits(), dib.bits());
    dib.pixel(1, 2)[2] = 0xFF;  // red of the pixel at column 1, row 2 from the top
    EXPECT_EQ(image.pixel(1, 2), qRgb(255, 0, 0));
    EXPECT_EQ(DibImage(Dib(5, 3, 16)).format(), QImage::Format_RGB555);
    EXPECT_EQ(DibImage(Dib(5, 3, 32)).format(), QImage::Format_RGB32);
    EXPECT_TRUE(DibImage(Dib()).isNull());
}

TEST(ViewFont, ClassicHeightsAndFaces) {
    FontDescription fixedSys;  // height 18 (cell), width 8, "FixedSys"
    const QFont font = ViewFont(fixedSys);
    EXPECT_NEAR(QFontMetrics(font).height(), 18, 1);
    EXPECT_TRUE(font.fixedPitch());
    EXPECT_EQ(QFontInfo(font).family(), "DejaVu Sans Mono");
    EXPECT_NEAR(QFontMetrics(font).averageCharWidth(), 8, 1);

    FontDescription em;
    em.height = -20;
    em.width = 0;
    em.weight = 700;
    em.italic = 1;
    const QFont bold = ViewFont(em);
    EXPECT_EQ(bold.pixelSize(), 20);
    EXPECT_EQ(bold.weight(), QFont::Bold);
    EXPECT_TRUE(bold.italic());

    FontDescription hostile;
    hostile.height = -2000000000;
    hostile.width = 2000000000;
    EXPECT_EQ(ViewFont(hostile).pixelSize(), kMaxFontPixels);
}

}  // namespace
