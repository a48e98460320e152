#include "measure/core/Measurement.h"

#include "measure/core/CircleCentre.h"
#include "measure/core/LineIntersection.h"
#include "measure/core/MeasureKinds.h"
#include "measure/core/PerpendicularFoot.h"
#include "measure/core/PolygonArea.h"

#include <algorithm>
#include <climits>

namespace tessmet {
namespace {

constexpr int kAreaPairs = 31;
constexpr long long kLargestStoredArea = (INT32_MAX / 100) * 100LL;

std::optional<Point> Derive(ObjectKind kind, const std::vector<Point>& p, double r) {
    switch (kind) {
        case Kind::VerticalDistance: {
            const Foot foot = PerpendicularFoot(p[0], p[1], p[2], r);
            if (!foot.ok()) return std::nullopt;
            return foot.point;
        }
        case Kind::TwoLinesAngle: return LineIntersection(p[0], p[1], p[2], p[3], r);
        case Kind::ThreePointRadius: return CircleCentre(p[0], p[1], p[2], r);
        case Kind::CenterDistance:  // integer division, as the midpoint has always been taken
            return Point{static_cast<int32_t>((static_cast<int64_t>(p[0].x) + p[1].x) / 2),
                         static_cast<int32_t>((static_cast<int64_t>(p[0].y) + p[1].y) / 2)};
        default: return std::nullopt;
    }
}

bool HasDerived(ObjectKind kind) {
    return kind == Kind::VerticalDistance || kind == Kind::TwoLinesAngle || kind == Kind::ThreePointRadius ||
           kind == Kind::CenterDistance;
}

void AppendPoint(std::vector<int32_t>& fields, Point p) {
    fields.push_back(p.x);
    fields.push_back(p.y);
}

Point PointAt(std::span<const int32_t> fields, size_t index) { return {fields[index], fields[index + 1]}; }

}  // namespace

int BuildMeasurement(const MeasureInput& input, double r, Measurement& out) {
    const MeasureKindInfo* info = FindMeasureKind(input.kind);
    if (!info) return MeasureError::UnknownKind;
    const int count = static_cast<int>(input.points.size());
    if (input.kind == Kind::Area) {
        if (count < kMinAreaVertices || count > kMaxAreaVertices) return MeasureError::WrongPointCount;
    } else if (count != info->figurePoints) {
        return MeasureError::WrongPointCount;
    }
    Measurement m;
    m.kind = input.kind;
    m.points.assign(input.points.begin(), input.points.end());
    m.label = input.label;
    m.pen = input.pen;
    if (HasDerived(m.kind)) {
        m.derived = Derive(m.kind, m.points, r);
        if (!m.derived) return MeasureError::NoResult;
    }
    if (m.kind == Kind::Area) {
        m.areaCount = input.areaCount ? *input.areaCount : PolygonPixelCount(m.points, input.imageWidth, input.imageHeight);
    }
    out = std::move(m);
    return 0;
}

std::vector<int32_t> EncodeRecord(const Measurement& m) {
    std::vector<int32_t> fields;
    fields.reserve(static_cast<size_t>(FieldCount(m.kind)));
    const Point derived = m.derived.value_or(Point{});
    switch (m.kind) {
        case Kind::Area: {
            for (int i = 0; i < kAreaPairs; ++i) {
                const int vertices = static_cast<int>(m.points.size());
                AppendPoint(fields, i < vertices ? m.points[static_cast<size_t>(i)] : i == vertices ? m.label : Point{});
            }
            fields.push_back(static_cast<int32_t>(m.points.size() + 1));
            fields.push_back(static_cast<int32_t>(std::clamp(m.areaCount, 0LL, kLargestStoredArea / 100) * 100));
            break;
        }
        case Kind::VerticalDistance:
        case Kind::ThreePointRadius:
        case Kind::TwoLinesAngle:
            for (const Point& p : m.points) AppendPoint(fields, p);
            AppendPoint(fields, derived);
            AppendPoint(fields, m.label);
            break;
        default:  // 16, 64, 96, 128: the points and the label
            for (const Point& p : m.points) AppendPoint(fields, p);
            AppendPoint(fields, m.label);
            break;
    }
    fields.push_back(m.pen.style);
    fields.push_back(m.pen.width);
    fields.push_back(m.pen.color);
    return fields;
}

int DecodeRecord(ObjectKind kind, std::span<const int32_t> fields, Measurement& out) {
    const MeasureKindInfo* info = FindMeasureKind(kind);
    if (!info) return MeasureError::UnknownKind;
    if (static_cast<int>(fields.size()) != FieldCount(kind)) return MeasureError::BadRecord;
    Measurement m;
    m.kind = kind;
    const size_t penAt = fields.size() - 3;
    m.pen = {fields[penAt], fields[penAt + 1], fields[penAt + 2]};
    if (kind == Kind::Area) {
        const int pointCount = fields[2 * kAreaPairs];
        if (pointCount < kMinAreaVertices + 1 || pointCount > kAreaPairs) return MeasureError::BadRecord;
        for (int i = 0; i + 1 < pointCount; ++i) m.points.push_back(PointAt(fields, 2 * static_cast<size_t>(i)));
        m.label = PointAt(fields, 2 * static_cast<size_t>(pointCount - 1));
        m.areaCount = fields[2 * kAreaPairs + 1] / 100;
        out = std::move(m);
        return 0;
    }
    const size_t figure = static_cast<size_t>(info->figurePoints);
    for (size_t i = 0; i < figure; ++i) m.points.push_back(PointAt(fields, 2 * i));
    size_t next = 2 * figure;
    if (kind == Kind::VerticalDistance || kind == Kind::TwoLinesAngle || kind == Kind::ThreePointRadius) {
        m.derived = PointAt(fields, next);
        next += 2;
    } else if (kind == Kind::CenterDistance) {
        m.derived = Derive(kind, m.points, 1.0);
    }
    m.label = PointAt(fields, next);
    out = std::move(m);
    return 0;
}

void RecomputeDerived(Measurement& m, double r) {
    if (m.kind != Kind::VerticalDistance && m.kind != Kind::ThreePointRadius) return;
    if (m.points.size() != 3) return;
    if (const std::optional<Point> p = Derive(m.kind, m.points, r)) m.derived = p;
}

}  // namespace tessmet
