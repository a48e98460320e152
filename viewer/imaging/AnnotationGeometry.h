#pragma once

#include <QLine>
#include <QPoint>
#include <QRect>
#include <QString>

#include <array>
#include <cstdint>

namespace lumora {

// The numbers and texts of the annotations, free of any drawing. Points are whole pixels
// (window pixels over a live or still picture, image pixels over a file); halves such as
// (x1 + x2) / 2 are integer divisions truncating towards zero.

// (-1000, -1000) marks a point that is not set.
inline constexpr int kUnsetCoordinate = -1000;
inline constexpr QPoint kUnsetPoint{kUnsetCoordinate, kUnsetCoordinate};

// Colours are 0x00BBGGRR values; this one, given for the fill, means "no fill".
inline constexpr uint32_t kNoFillColour = 0xFF000000u;

// Distance of the angle's label from its vertex: the arc radius plus 20.
inline constexpr int kAngleArcRadius = 30;
inline constexpr int kAngleLabelDistance = kAngleArcRadius + 20;

// The midpoint of two points, each coordinate halved towards zero.
QPoint Midpoint(QPoint a, QPoint b);

// How a drawn point reaches the window over a file: x := trunc(x * factorX + offsetX),
// likewise y.
struct PointMapping {
    double offsetX = 0.0;
    double offsetY = 0.0;
    double factorX = 1.0;
    double factorY = 1.0;
};
QPoint MapPoint(QPoint p, const PointMapping& mapping);

// The box a rectangle or ellipse with corners a and b is drawn in: with its pen it covers
// columns min x .. max x - 1 and rows min y .. max y - 1, as the platform draws shapes.
QRect OutlineBox(QPoint a, QPoint b);

// A point drawn at factor f: both coordinates multiplied and truncated.
QPoint ScalePoint(QPoint p, double factor);

// The value text: the value with `decimals` digits after the point, a space and the unit
// ("%.1f mm" for one decimal). Negative decimals read as none.
QString FormatAnnotationValue(double value, int decimals, const QString& unit);

// Length of a line in whole pixels: the Euclidean length truncated.
double LinePixelLength(QPoint p1, QPoint p2);

// Pixels of the rectangle spanned by two corners: |x1 - x2| * |y1 - y2|.
double RectanglePixelArea(QPoint p1, QPoint p2);

// A pixel count shown as an area: one-pixel length * (pixels * one-pixel length).
inline double AreaValue(double pixels, double pixelLength) { return pixelLength * (pixels * pixelLength); }

// The end of a line drawn with Shift held: nearly horizontal or vertical lines become exactly
// so, lines between (ratio of |dx| to |dy| strictly between 0.8 and 1.2) become diagonal.
// Lines with dx or dy zero stay as they are.
QPoint SnapLineEnd(QPoint start, QPoint end);

// The moving corner of a rectangle or ellipse drawn with Shift held: the shape becomes a square
// (a circle) of side min(|dx|, |dy|).
QPoint SnapSquareCorner(QPoint start, QPoint corner);

// Direction of an angle's arm from `vertex` to `arm`, in radians counter-clockwise from the
// x axis with y pointing down: acos(dx / length), negated when the arm points below the vertex;
// 0 for an arm of length 0.
double ArmDirection(QPoint vertex, QPoint arm);

// The opening between two arm directions, in radians, 0 .. pi.
double OpeningAngle(double theta1, double theta3);

// The angle's text: the opening in whole degrees ("%.0f") and the unit.
QString FormatAngle(double theta1, double theta3, const QString& unit);

// Where the angle's label goes: kAngleLabelDistance from the vertex along the bisector of the
// two directions, on the side of the measured opening; truncated.
QPoint AngleLabelPosition(QPoint vertex, double theta1, double theta3);

// The arc runs counter-clockwise; it starts at the third point (and ends at the first) when
// that way round it spans the measured opening.
bool ArcStartsAtThirdPoint(double theta1, double theta3);

// The arc from `start` to `end` about `vertex` as a start angle and a counter-clockwise span,
// both in degrees, as a painter draws arcs.
struct ArcAngles {
    double startDegrees = 0.0;
    double spanDegrees = 0.0;
};
ArcAngles CounterClockwiseArc(QPoint vertex, QPoint start, QPoint end);

// The strokes that an arrow style adds to the line from p1 to p2: style 1 two arrowheads of
// length 10 pointing outwards, style 2 a bar of +-10 pixels across each end; any other style
// none (count 0). Each offset is truncated before it is added.
struct ArrowStrokes {
    std::array<QLine, 4> strokes;
    int count = 0;
};
ArrowStrokes ArrowStrokesFor(QPoint p1, QPoint p2, int arrowStyle);

}  // namespace lumora
