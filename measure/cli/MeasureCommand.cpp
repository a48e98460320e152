// tessmet-cli measure KIND X,Y X,Y ... [--size WxH] [--unit U --h H --v V]
// Completes one measurement from image points in click order (the label point last) as the
// measurement tools do, and prints its result text, its stored record and its derived point.

#include "measure/cli/Arguments.h"
#include "measure/cli/Commands.h"
#include "measure/cli/Json.h"
#include "measure/core/Calibration.h"
#include "measure/core/MeasureKinds.h"
#include "measure/core/MeasureText.h"
#include "measure/core/Measurement.h"
#include "measure/core/PointRules.h"
#include "measure/workspace/Settings.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace tessmet::cli {
namespace {

std::string IntArray(const std::vector<int32_t>& values) {
    std::string out = "[";
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) out += ",";
        out += std::to_string(values[i]);
    }
    return out + "]";
}

}  // namespace

std::optional<std::string> MeasureFromClicks(const MeasureKindInfo& kind, const std::vector<Point>& points, int width,
                                             int height, const CalibrationValues& calibration, Measurement& m) {
    // The clicks the tool would take: figure points, then the label.
    const int figurePoints = kind.kind == Kind::Area ? static_cast<int>(points.size()) - 1 : kind.figurePoints;
    const bool countOk = kind.kind == Kind::Area
                             ? figurePoints >= kMinAreaVertices && figurePoints <= kMaxAreaVertices
                             : static_cast<int>(points.size()) == figurePoints + 1;
    if (!countOk) return std::string("wrong number of points");
    for (size_t i = 0; i < points.size(); ++i) {
        const Point p = points[i];
        if (p.x < 0 || p.y < 0 || p.x >= width || p.y >= height) return std::string("point outside the image");
        switch (CheckNextPoint(kind.kind, std::span<const Point>(points).first(i), p)) {
            case PointCheck::Accept: break;
            case PointCheck::Duplicate: return std::string("duplicate point");
            case PointCheck::Parallel: return std::string("lines are parallel");
            case PointCheck::OnOneAxis: return std::string("three points on one vertical or horizontal line");
        }
    }

    MeasureInput input;
    input.kind = kind.kind;
    input.points = std::span<const Point>(points).first(static_cast<size_t>(figurePoints));
    input.label = points.back();
    input.pen = Settings{}.measurePen;
    input.imageWidth = width;
    input.imageHeight = height;
    const int code = BuildMeasurement(input, AspectRatio(calibration), m);
    if (code == MeasureError::NoResult) return std::string("no result");
    if (code != 0) return std::string("wrong number of points");

    return std::nullopt;
}

int RunMeasure(const Args& args) {
    if (args.empty()) throw UsageError{"no measurement kind given"};
    const MeasureKindInfo& kind = ParseKind(args[0]);
    std::vector<Point> points;
    int width = 640;
    int height = 480;
    CalibrationValues calibration{Unit::Pixel, 1.0, 1.0};
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw UsageError{arg + " needs a value"};
            return args[++i];
        };
        if (arg == "--size") {
            ParseSize(value(), width, height);
        } else if (arg == "--unit") {
            calibration.unit = ParseUnit(value());
        } else if (arg == "--h") {
            calibration.hResolution = ParseNumber(arg, value());
        } else if (arg == "--v") {
            calibration.vResolution = ParseNumber(arg, value());
        } else if (arg.size() > 1 && arg[0] == '-' && arg.find(',') == std::string::npos) {
            throw UsageError{"unknown option '" + arg + "'"};
        } else {
            points.push_back(ParsePoint(arg));
        }
    }

    Measurement m;
    if (const std::optional<std::string> refusal = MeasureFromClicks(kind, points, width, height, calibration, m))
        return Refuse(*refusal);

    JsonObject json;
    json.add("text", ResultText(m, calibration)).addRaw("record", IntArray(EncodeRecord(m)));
    if (m.derived) {
        json.addRaw("derived", IntArray({m.derived->x, m.derived->y}));
    } else {
        json.addNull("derived");
    }
    std::printf("%s\n", json.str().c_str());
    return kExitOk;
}

}  // namespace tessmet::cli
