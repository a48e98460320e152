#include "viewer/core/ViewerSettings.h"
#include "viewer/imaging/Overlays.h"
#include "viewer/imaging/ScaleCalibration.h"

#include "support/QtPrinters.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace lumora;

namespace {

// --- Grid -----------------------------------------------------------------------------------

struct GridCase {
    const char* name;
    GridStyle grid;
    int index;
    std::vector<int> horizontal;  // y of the horizontal lines, in order
    std::vector<int> vertical;    // x of the vertical lines
};

GridStyle Grid(int h, int v, bool hPixels = true, bool vPixels = true, bool square = false) {
    GridStyle g;
    g.horizontalPitch = h;
    g.verticalPitch = v;
    g.horizontalInPixels = hPixels;
    g.verticalInPixels = vPixels;
    g.square = square;
    return g;
}

TEST(OverlayGrid, RunsEndAfterTheFirstLineBeyondTheFrame) {
    const GridCase cases[] = {
        {"pitch 80 at 640x480", Grid(80, 80), 0, {80, 160, 240, 320, 400, 480, 560}, {80, 160, 240, 320, 400, 480, 560, 640, 720}},
        {"pitch 160 at 1600x1200", Grid(160, 160), 3,
         {160, 320, 480, 640, 800, 960, 1120, 1280}, {160, 320, 480, 640, 800, 960, 1120, 1280, 1440, 1600, 1760}},
        {"index outside 0..3 draws a 640x480 grid", Grid(200, 300), 7, {200, 400, 600}, {300, 600, 900}},
        {"divisions truncate each position", Grid(7, 3, false, false), 0,
         {68, 137, 205, 274, 342, 411, 480, 548}, {213, 426, 640, 853}},
        {"zero divisions draw nothing", Grid(0, 0, false, false), 0, {}, {}},
    };
    for (const GridCase& c : cases) {
        std::vector<int> horizontal, vertical;
        const QSize frame = ResolutionFrameSize(c.index);
        for (const QLine& line : GridLines(c.grid, c.index)) {
            if (line.y1() == line.y2()) {
                EXPECT_EQ(line.x1(), 0) << c.name;
                EXPECT_EQ(line.x2(), frame.width()) << c.name;
                horizontal.push_back(line.y1());
            } else {
                EXPECT_EQ(line.y2(), frame.height()) << c.name;
                vertical.push_back(line.x1());
            }
        }
        EXPECT_EQ(horizontal, c.horizontal) << c.name;
        EXPECT_EQ(vertical, c.vertical) << c.name;
    }
}

TEST(OverlayGrid, SquareGridStepsBothWaysByTheHorizontalPitchUpToTheWidth) {
    const std::vector<QLine> lines = GridLines(Grid(250, 10, true, true, true), 0);
    // 250, 500, 750: the run goes by the width (640), the lines cross the whole frame.
    const std::vector<QLine> expected = {QLine(0, 250, 640, 250), QLine(250, 0, 250, 480), QLine(0, 500, 640, 500),
                                         QLine(500, 0, 500, 480), QLine(0, 750, 640, 750), QLine(750, 0, 750, 480)};
    EXPECT_EQ(lines, expected);
}

// --- Centre line, scale -------------------------------------------------------------------

TEST(OverlayCentreLine, ScalesWithTheFactor) {
    const struct {
        double factor;
        QLine vertical, horizontal;
    } cases[] = {
        {1.0, QLine(320, 0, 320, 480), QLine(0, 240, 640, 240)},
        {1.25, QLine(400, 0, 400, 600), QLine(0, 300, 800, 300)},
        {2.5, QLine(800, 0, 800, 1200), QLine(0, 600, 1600, 600)},
    };
    for (const auto& c : cases) {
        const auto lines = CentreLines(c.factor);
        EXPECT_EQ(lines[0], c.vertical) << c.factor;
        EXPECT_EQ(lines[1], c.horizontal) << c.factor;
    }
}

TEST(OverlayScale, ArmsTicksAndLabelPerResolution) {
    const struct {
        int index;
        std::array<QLine, 4> lines;
        QRect label;
    } cases[] = {
        {-1, {QLine(630, 470, 518, 470), QLine(630, 470, 630, 358), QLine(518, 475, 518, 465), QLine(625, 358, 635, 358)},
         WinRect(518, 440, 630, 470)},
        {0, {QLine(630, 470, 518, 470), QLine(630, 470, 630, 358), QLine(518, 475, 518, 465), QLine(625, 358, 635, 358)},
         WinRect(518, 440, 630, 470)},
        // Index 2 doubles every coordinate: the ticks reach 10 pixels either side.
        {2, {QLine(1260, 940, 1036, 940), QLine(1260, 940, 1260, 716), QLine(1036, 950, 1036, 930), QLine(1250, 716, 1270, 716)},
         WinRect(1036, 880, 1260, 940)},
        {1, {QLine(787, 587, 647, 587), QLine(787, 587, 787, 447), QLine(647, 593, 647, 581), QLine(781, 447, 793, 447)},
         WinRect(647, 550, 787, 587)},
    };
    for (const auto& c : cases) {
        const auto shape = ScaleGeometry({630, 470}, 112, c.index);
        ASSERT_TRUE(shape.has_value()) << c.index;
        EXPECT_EQ(shape->lines, c.lines) << c.index;
        EXPECT_EQ(shape->label, c.label) << c.index;
    }
    EXPECT_FALSE(ScaleGeometry({630, 470}, 112, 4).has_value());
    EXPECT_FALSE(ScaleGeometry({630, 470}, 112, -2).has_value());
}

TEST(OverlayScale, DraggedAnchorStaysInsideTheFrame) {
    const struct {
        QPoint in, out;
    } cases[] = {
        {{-500, 300}, {122, 300}},  // far left stops at L + 10
        {{900, 900}, {630, 470}},   // bottom right
        {{300, 0}, {300, 122}},
        {{400, 300}, {400, 300}},
    };
    for (const auto& c : cases) EXPECT_EQ(ClampScaleAnchor(c.in, 112), c.out) << c.in.x() << "," << c.in.y();
    EXPECT_EQ(ScaleLabelBox({630, 470}, 112), WinRect(518, 440, 630, 470));
}

// --- Magnification bar and data -------------------------------------------------------------

TEST(OverlayMagBar, MarkerFollowsTheBandsOfTheBar) {
    const struct {
        int m;
        double y;
    } cases[] = {
        {1, 387.5}, {20, 340}, {35, 315}, {50, 290}, {100, 240}, {150, 215},
        {200, 190}, {250, 165}, {400, 90}, {500, 40}, {501, 0}, {5000, 0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(MagBarMarkerY(c.m), c.y) << c.m;
}

TEST(OverlayMagBar, MarkerRectangleAtFactorOneAndTwoAndAHalf) {
    const MagBarShape at150 = MagBarGeometry(1.0, 150);
    ASSERT_TRUE(at150.marker.has_value());
    EXPECT_EQ(*at150.marker, WinRect(25, 207, 40, 224));
    EXPECT_EQ(at150.outline, WinRect(25, 40, 40, 390));
    EXPECT_EQ(at150.labels[0].box, WinRect(45, 30, 80, 50));
    EXPECT_EQ(at150.labels[6].text, QStringLiteral("20"));
    EXPECT_EQ(at150.labels[6].box, WinRect(45, 330, 80, 350));
    EXPECT_EQ(at150.circles[1], WinRect(53, 386, 61, 394));

    const MagBarShape large = MagBarGeometry(2.5, 150);
    EXPECT_EQ(*large.marker, WinRect(62, 517, 100, 560));
    // The two circles keep their 8 pixels at every factor.
    EXPECT_EQ(large.circles[0], WinRect(112, 965, 120, 973));
    EXPECT_FALSE(MagBarGeometry(1.0, 0).marker.has_value());
}

TEST(OverlayMagData, NumberCirclesOrEmptyFrameByMagnification) {
    const auto big = MagDataGeometry(0, 40);
    ASSERT_TRUE(big.has_value());
    ASSERT_TRUE(big->number.has_value());
    EXPECT_EQ(big->number->text, QStringLiteral("40"));
    EXPECT_EQ(big->number->box, WinRect(50, 420, 85, 440));
    EXPECT_FALSE(big->circles.has_value());

    const auto small = MagDataGeometry(3, 4);
    ASSERT_TRUE(small.has_value());
    EXPECT_FALSE(small->number.has_value());
    ASSERT_TRUE(small->circles.has_value());
    EXPECT_EQ((*small->circles)[1], WinRect(170, 1065, 190, 1085));
    EXPECT_EQ(small->frame, WinRect(125, 1050, 225, 1100));

    const auto none = MagDataGeometry(1, 0);
    ASSERT_TRUE(none.has_value());
    EXPECT_FALSE(none->number.has_value());
    EXPECT_FALSE(none->circles.has_value());
    EXPECT_EQ(none->cross.box, WinRect(37, 525, 100, 550));
    EXPECT_FALSE(MagDataGeometry(4, 100).has_value());
}

TEST(OverlayDrawing, DrawsInTheSettingsColoursAndLeavesTheRestAlone) {
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(Qt::black);
    ViewerSettings settings;
    settings.gridSpaceIndex = "0";             // 160 pixels
    settings.centerLineColor = "65280";        // green
    settings.scaleLineColor = "16711680";      // blue
    const OverlayStyle style = StyleFromSettings(settings, OverlayStyle{});
    EXPECT_EQ(style.grid.horizontalPitch, 160);
    QPainter painter(&image);
    DrawGrid(painter, style.grid, 0);
    DrawCentreLine(painter, style.centreLine, 1.0);
    DrawScale(painter, style.scale, 112, 0);
    painter.end();
    EXPECT_EQ(image.pixel(100, 160), qRgb(200, 200, 200));  // grid
    EXPECT_EQ(image.pixel(320, 100), qRgb(0, 255, 0));       // centre line
    EXPECT_EQ(image.pixel(600, 470), qRgb(0, 0, 255));       // scale arm
    EXPECT_EQ(image.pixel(100, 100), qRgb(0, 0, 0));
}

// --- Scale text and annotation calibration -----------------------------------------------

TEST(ScaleText, FromMagnificationAndCalibration) {
    ViewerSettings plain;
    plain.useAlias = 0;
    ViewerSettings calibrated = plain;
    calibrated.calibrationApplied = 1;
    calibrated.calibrationUnit = 1;
    calibrated.onePixelSize = 0.01;
    ViewerSettings calibratedUm = calibrated;
    calibratedUm.calibrationUnit = 0;
    calibratedUm.onePixelSize = 2.5;
    const struct {
        const char* name;
        int m;
        const ViewerSettings& settings;
        const char* text;
        double pixelLength;
        const char* length;
        const char* area;
        int decimals;
    } cases[] = {
        {"50 reads in millimetres", 50, plain, "1.0mm", 112.486 * 0.4445 / 50 / 112, "mm", "mm2", 1},
        {"5 is the first with a scale", 5, plain, "10.0mm", 112.486 * 0.4445 / 5 / 112, "mm", "mm2", 1},
        {"51 switches to micrometres", 51, plain, "980um", 112.486 * 0.4445 / 51 * 1000 / 112, "um", "um2", 0},
        {"100 gives 500um", 100, plain, "500um", 112.486 * 0.4445 / 100 * 1000 / 112, "um", "um2", 0},
        {"4 has no scale and no unit", 4, plain, "", 1.0, "", "", 1},
        {"0 has no scale", 0, plain, "", 1.0, "", "", 1},
        {"calibration applied in mm", 100, calibrated, "1.1mm [CAL]", 0.01, "mm", "mm2", 1},
        {"calibration applied in um", 3, calibratedUm, "280.0um [CAL]", 2.5, "um", "um2", 0},
    };
    for (const auto& c : cases) {
        const ScaleCalibration s = MagnificationScale(c.m, c.settings);
        EXPECT_EQ(s.scaleText, QString::fromLatin1(c.text)) << c.name;
        EXPECT_DOUBLE_EQ(s.annotation.pixelLength, c.pixelLength) << c.name;
        EXPECT_EQ(s.annotation.lengthText, QString::fromLatin1(c.length)) << c.name;
        EXPECT_EQ(s.annotation.areaText, QString::fromLatin1(c.area)) << c.name;
        EXPECT_EQ(s.annotation.angleText, QStringLiteral("degree")) << c.name;
        EXPECT_EQ(s.annotation.decimals, c.decimals) << c.name;
    }
    // After the calibration dialog: no [CAL] mark, and its own decimals.
    const ScaleCalibration applied = AppliedCalibrationScale(calibrated);
    EXPECT_EQ(applied.scaleText, QStringLiteral("1.1mm"));
    EXPECT_EQ(applied.annotation.decimals, 0);
    EXPECT_EQ(AppliedCalibrationScale(calibratedUm).scaleText, QStringLiteral("280.0um"));
    EXPECT_EQ(AppliedCalibrationScale(calibratedUm).annotation.decimals, 1);
}

TEST(ScaleText, AliasesAndFileUnits) {
    ViewerSettings aliased;
    aliased.useAlias = 1;
    aliased.aliasMm = "MM";
    aliased.aliasUm2 = "square um";
    aliased.aliasDegree = "deg";
    const ScaleCalibration s = MagnificationScale(20, aliased);
    EXPECT_EQ(s.annotation.lengthText, QStringLiteral("MM"));
    EXPECT_EQ(s.annotation.angleText, QStringLiteral("deg"));
    const ScaleCalibration file = FileScale(QStringLiteral("MM"), 0.02, aliased);
    EXPECT_EQ(file.scaleText, QStringLiteral("2.2mm [CAL]"));
    EXPECT_EQ(file.annotation.decimals, 1);
    const ScaleCalibration fileUm = FileScale(QStringLiteral("pixel"), 3.0, aliased);
    EXPECT_EQ(fileUm.scaleText, QStringLiteral("336.0um [CAL]"));
    EXPECT_EQ(fileUm.annotation.areaText, QStringLiteral("square um"));
    EXPECT_EQ(fileUm.annotation.decimals, 0);
}

// --- The sidecar, byte for byte ---------------------------------------------------------

TEST(MagnificationFile, GoldenSidecars) {
    ViewerSettings plain;
    ViewerSettings calibrated;
    calibrated.calibrationApplied = 1;
    calibrated.calibrationUnit = 1;
    calibrated.onePixelSize = 0.01;
    const struct {
        const char* name;
        int m;
        int width;
        const ViewerSettings& settings;
        std::string expected;
    } cases[] = {
        {"magnification 100, 640 wide", 100, 640, plain,
         "[MAG]\r\nOptical=251\r\nCorrective=100\r\n\r\n[SENSOR]\r\nWidth=713\r\nHeight=537\r\n\r\n"
         "[CAL]\r\nUnit=um\r\nOnePixelLen=4.464288\r\n"},
        {"magnification 200", 200, 640, plain,
         "[MAG]\r\nOptical=502\r\nCorrective=100\r\n\r\n[SENSOR]\r\nWidth=713\r\nHeight=537\r\n\r\n"
         "[CAL]\r\nUnit=um\r\nOnePixelLen=2.232144\r\n"},
        {"magnification 50 stays in millimetres", 50, 640, plain,
         "[MAG]\r\nOptical=125\r\nCorrective=100\r\n\r\n[SENSOR]\r\nWidth=713\r\nHeight=537\r\n\r\n"
         "[CAL]\r\nUnit=mm\r\nOnePixelLen=0.008929\r\n"},
        {"a 1600-wide still has smaller pixels", 100, 1600, plain,
         "[MAG]\r\nOptical=251\r\nCorrective=100\r\n\r\n[SENSOR]\r\nWidth=713\r\nHeight=537\r\n\r\n"
         "[CAL]\r\nUnit=um\r\nOnePixelLen=1.785715\r\n"},
        {"calibration applied", 100, 1600, calibrated,
         "[MAG]\r\nOptical=251\r\nCorrective=100\r\n\r\n[SENSOR]\r\nWidth=713\r\nHeight=537\r\n\r\n"
         "[CAL]\r\nUnit=mm\r\nOnePixelLen=0.010000\r\n"},
        {"magnification 0 gives an empty file", 0, 640, plain, ""},
        {"a negative magnification too", -3, 640, calibrated, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(MagnificationFileText(c.m, c.width, c.settings), c.expected) << c.name;
    EXPECT_EQ(MagnificationFilePath("/g/Pic00001", true), "/g/Pic00001jpg.mag");
    EXPECT_EQ(MagnificationFilePath("/g/Pic00001", false), "/g/Pic00001bmp.mag");
}

}  // namespace
