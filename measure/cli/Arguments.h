#pragma once

#include "measure/cli/Commands.h"
#include "measure/core/Calibration.h"
#include "measure/core/MeasureKinds.h"
#include "measure/core/Measurement.h"
#include "measure/core/Point.h"

#include <optional>
#include <string>
#include <vector>

namespace tessmet::cli {

// Argument parsers shared by the subcommands; each throws UsageError with a one-line reason.

// A kind code (16, 32, ..., 128) or its name (two-point-distance, ...).
const MeasureKindInfo& ParseKind(const std::string& text);
// "X,Y" in whole pixels.
Point ParsePoint(const std::string& text);
// A number, whole text; `option` names it in the message.
double ParseNumber(const std::string& option, const std::string& text);
// 0..3 or pixel, mm, um, inch.
UnitType ParseUnit(const std::string& text);
// "A,B,C,..." of whole numbers, exactly `count` of them.
std::vector<int> ParseIntegers(const std::string& option, const std::string& text, size_t count);
// "A,B,..." of numbers, exactly `count` of them.
std::vector<double> ParseNumbers(const std::string& option, const std::string& text, size_t count);

// Completes one measurement from image points in click order (the label last) as the
// measurement tools take them: nothing, or the reason the tool would refuse the clicks.
std::optional<std::string> MeasureFromClicks(const MeasureKindInfo& kind, const std::vector<Point>& points, int width,
                                             int height, const CalibrationValues& calibration, Measurement& m);

// Prints {"error":"reason"} and returns the failure exit.
int Refuse(const std::string& reason);

}  // namespace tessmet::cli
