#pragma once

#include "measure/core/Calibration.h"
#include "measure/core/GraphicStore.h"
#include "measure/core/Pen.h"
#include "measure/core/Point.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tessmet {

// Failure codes of the measurement engine.
namespace MeasureError {
constexpr int UnknownKind = -1;      // not one of the eight measurement kinds
constexpr int WrongPointCount = -2;  // too few or too many points for the kind
constexpr int NoResult = -3;         // the construction has no result (parallel lines, no centre, ratio 0)
constexpr int BadRecord = -4;        // a stored record that cannot be read back
}  // namespace MeasureError

// One measurement in image coordinates, as it is drawn and stored.
struct Measurement {
    ObjectKind kind = 0;
    std::vector<Point> points;     // in click order without the label; the vertices for the area
    Point label;                   // top-left corner of the result text
    std::optional<Point> derived;  // foot F (32), intersection C (80), centre C (112), midpoint M (128)
    long long areaCount = 0;       // the area: pixels inside the polygon
    Pen pen;                       // the measurement pen when it was made

    bool operator==(const Measurement&) const = default;
};

// What a finished measurement is built from: its points in image coordinates, the label
// point, the pen, and for the area the image size (the count covers the image only) or the
// count already taken when the polygon was closed.
struct MeasureInput {
    ObjectKind kind = 0;
    std::span<const Point> points;  // without the label
    Point label;
    Pen pen;
    int imageWidth = 0;
    int imageHeight = 0;
    std::optional<long long> areaCount;
};

// Computes the derived point (and the area count when not given) with the aspect ratio r.
// Returns 0, UnknownKind, WrongPointCount (a fixed kind with another point count, an area
// outside 3..30 vertices) or NoResult (the foot, the intersection or the centre cannot be
// constructed; nothing should then be recorded).
int BuildMeasurement(const MeasureInput& input, double r, Measurement& out);

// The record fields in the stored order (9, 13, 67, 11, 15, 9, 13 or 9 integers). The area is
// stored as the count times 100; a count too large for that saturates at the largest multiple
// of 100 a 32-bit field holds.
std::vector<int32_t> EncodeRecord(const Measurement& m);

// A stored record back into a measurement: the stored derived point for kinds 32, 80 and 112,
// the midpoint for 128, the area count as the stored value / 100. Returns 0, UnknownKind or
// BadRecord (wrong field count, an area point count outside 4..31).
int DecodeRecord(ObjectKind kind, std::span<const int32_t> fields, Measurement& out);

// Recomputes the foot of kind 32 and the centre of kind 112 from the stored points with the
// current aspect ratio, as a redraw after a calibration change does. When the construction has
// no result under the new ratio the stored point stays.
void RecomputeDerived(Measurement& m, double r);

}  // namespace tessmet
