#include "measure/core/MeasureText.h"

#include "measure/core/DirectionAngle.h"
#include "measure/core/LineIntersection.h"
#include "measure/core/MeasureKinds.h"
#include "measure/core/NumberText.h"
#include "measure/core/UnitFormat.h"
#include "measure/res/StringTable.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace tessmet {
namespace {

int Difference(int32_t a, int32_t b) {
    // Derived points saturate at the int range far outside the image; keep the difference there.
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(a) - b, INT_MIN, INT_MAX));
}

std::string Length(const CalibrationValues& c, Point from, Point to, bool withUnit) {
    return FormatLength(c, Difference(from.x, to.x), Difference(from.y, to.y), withUnit).text;
}

std::string PointText(Point p) { return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")"; }

}  // namespace

std::string AngleText(double degrees, bool withUnit) { return FixedText(degrees, 2) + (withUnit ? "[degree]" : ""); }

std::string ResultText(const Measurement& m, const CalibrationValues& c, bool withUnit) {
    const std::vector<Point>& p = m.points;
    const double r = AspectRatio(c);
    switch (m.kind) {
        case Kind::TwoPointDistance:
            if (p.size() == 2) return Length(c, p[0], p[1], withUnit);
            break;
        case Kind::VerticalDistance:
            if (p.size() == 3 && m.derived) return Length(c, p[2], *m.derived, withUnit);
            break;
        case Kind::Area: return FormatArea(c, m.areaCount, withUnit).text;
        case Kind::Angle:
            if (p.size() == 3) return AngleText(AngleBetween(p[0], p[1], p[2], r), withUnit);
            break;
        case Kind::TwoLinesAngle:
            if (p.size() == 4 && m.derived) return AngleText(AngleBetween(*m.derived, p[0], p[2], r), withUnit);
            break;
        case Kind::TwoPointRadius:
            if (p.size() == 2) return Length(c, p[0], p[1], withUnit);
            break;
        case Kind::ThreePointRadius:
            if (p.size() == 3 && m.derived) return Length(c, p[2], *m.derived, withUnit);
            break;
        case Kind::CenterDistance:
            if (p.size() == 2 && m.derived) return Length(c, *m.derived, p[0], withUnit);
            break;
        default: break;
    }
    return {};
}

bool AtLabelStage(const LivePoints& live) {
    if (live.kind == Kind::Area) return live.polygonClosed;
    return static_cast<int>(live.placed.size()) >= FigurePointCount(live.kind);
}

std::string LivePointList(std::span<const Point> placed, Point cursor) {
    std::vector<Point> all(placed.begin(), placed.end());
    all.push_back(cursor);
    const size_t first = all.size() > 4 ? all.size() - 4 : 0;
    std::string text;
    for (size_t i = first; i < all.size(); ++i) {
        if (i > first) text += " - ";
        text += "[" + std::to_string(i + 1) + "]:" + PointText(all[i]);
    }
    return text;
}

LiveText MeasureLiveText(const LivePoints& live, const CalibrationValues& c) {
    LiveText out;
    out.status = LivePointList(live.placed, live.cursor);

    const bool labelStage = AtLabelStage(live);
    const size_t placed = live.placed.size();
    if (live.kind == Kind::Area && !labelStage) {
        if (placed >= 2) out.status += LoadString(StringId::DoubleClickEnds);
        return out;
    }

    // The figure as it stands: the placed points, with the cursor as the next one until the
    // label is due.
    std::vector<Point> figure(live.placed.begin(), live.placed.end());
    const int figurePoints = live.kind == Kind::Area ? static_cast<int>(placed) : FigurePointCount(live.kind);
    if (!labelStage) figure.push_back(live.cursor);
    if (static_cast<int>(figure.size()) > figurePoints) figure.resize(static_cast<size_t>(figurePoints));
    if (static_cast<int>(figure.size()) < figurePoints) return out;  // too early for a result

    if (live.kind == Kind::TwoLinesAngle && LinesParallel(figure[0], figure[1], figure[2], figure[3])) {
        out.status += LoadString(StringId::LinesParallel);
        return out;
    }
    Measurement m;
    MeasureInput input;
    input.kind = live.kind;
    input.points = figure;
    input.label = live.cursor;
    input.areaCount = live.areaCount;
    if (BuildMeasurement(input, AspectRatio(c), m) != 0) return out;  // no foot, no centre
    const std::string result = ResultText(m, c);

    switch (live.kind) {
        case Kind::TwoPointDistance: out.status += " : Distance = " + result; break;
        case Kind::VerticalDistance: out.status += " - [C]" + PointText(*m.derived) + " : Distance = " + result; break;
        case Kind::Area: out.status += " : Square = " + result; break;
        case Kind::Angle: out.status += " : Angle = " + result; break;
        case Kind::TwoLinesAngle: out.status += " - [C]:" + PointText(*m.derived) + " : Angle = " + result; break;
        case Kind::TwoPointRadius: out.status += " : Radius = " + result; break;
        case Kind::ThreePointRadius: out.status += " - [C]:" + PointText(*m.derived) + " : Radius = " + result; break;
        case Kind::CenterDistance: out.status += " : Center = " + result; break;
        default: break;
    }
    if (labelStage) out.label = result;
    return out;
}

}  // namespace tessmet
