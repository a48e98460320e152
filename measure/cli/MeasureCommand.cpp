// tessmet-cli measure KIND X,Y X,Y ... [--size WxH] [--unit U --h H --v V]
// Completes one measurement from image points in click order (the label point last) as the
// measurement tools do, and prints its result text, its stored record and its derived point.

#include "measure/cli/Commands.h"
#include "measure/cli/Json.h"
#include "measure/core/Calibration.h"
#include "measure/core/MeasureKinds.h"
#include "measure/core/MeasureText.h"
#include "measure/core/Measurement.h"
#include "measure/core/PointRules.h"
#include "measure/workspace/Settings.h"

#include <cstdio>
#include <string>
#include <vector>

namespace tessmet::cli {
namespace {

const MeasureKindInfo& ParseKind(const std::string& text) {
    const MeasureKindInfo* info = FindMeasureKindByName(text);
    if (!info) {
        try {
            size_t used = 0;
            const int code = std::stoi(text, &used);
            if (used == text.size()) info = FindMeasureKind(code);
        } catch (...) {
        }
    }
    if (!info) throw UsageError{"unknown measurement kind '" + text + "'"};
    return *info;
}

Point ParsePoint(const std::string& text) {
    const size_t comma = text.find(',');
    Point p;
    try {
        if (comma == std::string::npos) throw 0;
        size_t used = 0;
        p.x = std::stoi(text.substr(0, comma), &used);
        if (used != comma) throw 0;
        p.y = std::stoi(text.substr(comma + 1), &used);
        if (used != text.size() - comma - 1) throw 0;
    } catch (...) {
        throw UsageError{"bad point '" + text + "', expected X,Y"};
    }
    return p;
}

double ParseResolution(const std::string& option, const std::string& text) {
    try {
        size_t used = 0;
        const double value = std::stod(text, &used);
        if (used == text.size()) return value;
    } catch (...) {
    }
    throw UsageError{"bad value '" + text + "' for " + option};
}

UnitType ParseUnit(const std::string& text) {
    if (text == "pixel") return Unit::Pixel;
    if (text == "mm") return Unit::Millimetre;
    if (text == "um") return Unit::Micrometre;
    if (text == "inch") return Unit::Inch;
    try {
        size_t used = 0;
        const int value = std::stoi(text, &used);
        if (used == text.size()) return value;
    } catch (...) {
    }
    throw UsageError{"bad unit '" + text + "', expected 0..3, pixel, mm, um or inch"};
}

int Refuse(const std::string& reason) {
    std::printf("%s\n", JsonObject().add("error", reason).str().c_str());
    return kExitFailure;
}

std::string IntArray(const std::vector<int32_t>& values) {
    std::string out = "[";
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) out += ",";
        out += std::to_string(values[i]);
    }
    return out + "]";
}

}  // namespace

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
            calibration.hResolution = ParseResolution(arg, value());
        } else if (arg == "--v") {
            calibration.vResolution = ParseResolution(arg, value());
        } else if (arg.size() > 1 && arg[0] == '-' && arg.find(',') == std::string::npos) {
            throw UsageError{"unknown option '" + arg + "'"};
        } else {
            points.push_back(ParsePoint(arg));
        }
    }

    // The clicks the tool would take: figure points, then the label.
    const int figurePoints = kind.kind == Kind::Area ? static_cast<int>(points.size()) - 1 : kind.figurePoints;
    const bool countOk = kind.kind == Kind::Area
                             ? figurePoints >= kMinAreaVertices && figurePoints <= kMaxAreaVertices
                             : static_cast<int>(points.size()) == figurePoints + 1;
    if (!countOk) return Refuse("wrong number of points");
    for (size_t i = 0; i < points.size(); ++i) {
        const Point p = points[i];
        if (p.x < 0 || p.y < 0 || p.x >= width || p.y >= height) return Refuse("point outside the image");
        switch (CheckNextPoint(kind.kind, std::span<const Point>(points).first(i), p)) {
            case PointCheck::Accept: break;
            case PointCheck::Duplicate: return Refuse("duplicate point");
            case PointCheck::Parallel: return Refuse("lines are parallel");
            case PointCheck::OnOneAxis: return Refuse("three points on one vertical or horizontal line");
        }
    }

    MeasureInput input;
    input.kind = kind.kind;
    input.points = std::span<const Point>(points).first(static_cast<size_t>(figurePoints));
    input.label = points.back();
    input.pen = Settings{}.measurePen;
    input.imageWidth = width;
    input.imageHeight = height;
    Measurement m;
    const int code = BuildMeasurement(input, AspectRatio(calibration), m);
    if (code == MeasureError::NoResult) return Refuse("no result");
    if (code != 0) return Refuse("wrong number of points");

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
