#pragma once

#include "measure/core/Calibration.h"
#include "measure/core/Measurement.h"
#include "measure/core/Point.h"

#include <span>
#include <string>

namespace tessmet {

// The result text of a measurement as it is drawn on the image and shown in the status bar,
// recomputed from its points with the calibration given, so a calibration change relabels
// every measurement: "12.04[pixel]", "0.1000[mm]", "270.00[degree]", "1234.00[pixel*pixel]".
// Without the unit ("12.04", "270.00") for the result list, whose column titles carry it.
// Empty when the measurement lacks the derived point its text needs.
std::string ResultText(const Measurement& m, const CalibrationValues& calibration, bool withUnit = true);

// "%.2f[degree]", or "%.2f" without the unit.
std::string AngleText(double degrees, bool withUnit = true);

// The state of a measurement tool while points are being placed, in image coordinates.
struct LivePoints {
    ObjectKind kind = 0;
    std::span<const Point> placed;  // in click order
    Point cursor;                   // stands in for the next point
    bool polygonClosed = false;     // area: the polygon is closed and the cursor is the label
    long long areaCount = 0;        // area: the count taken when the polygon was closed
};

// True when every point of the figure is placed and the next click is the label.
bool AtLabelStage(const LivePoints& live);

// The status prefix of every tool while points are placed: the last four of the placed points
// and the cursor as "[n]:(x, y)" with their 1-based click numbers, joined by " - ".
std::string LivePointList(std::span<const Point> placed, Point cursor);

struct LiveText {
    std::string status;  // status bar pane 0
    std::string label;   // at the label stage: the result text drawn at the cursor; else empty
};

// The live texts of a measurement tool, rebuilt on every mouse move: the last four of the
// placed points and the cursor as "[n]:(x, y)" joined by " - ", then the kind's running
// result (" : Distance = 12.04[pixel]", " - [C]:(5, 7) : Angle = 45.00[degree]", ...).
LiveText MeasureLiveText(const LivePoints& live, const CalibrationValues& calibration);

}  // namespace tessmet
