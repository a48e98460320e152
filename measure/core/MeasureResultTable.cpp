#include "measure/core/MeasureResultTable.h"

#include "measure/core/MeasureText.h"
#include "measure/core/Measurement.h"
#include "measure/core/UnitFormat.h"
#include "measure/res/StringTable.h"

#include <algorithm>

namespace tessmet {
namespace {

// Fixed kinds list this many points; the area lists its vertices.
int ListedPoints(ObjectKind kind, const Measurement& m) {
    switch (kind) {
        case Kind::TwoPointDistance:
        case Kind::TwoPointRadius:
        case Kind::CenterDistance: return 2;
        case Kind::VerticalDistance:
        case Kind::Angle:
        case Kind::ThreePointRadius: return 3;
        case Kind::TwoLinesAngle: return 4;
        default: return static_cast<int>(m.points.size());
    }
}

// The kinds whose stored derived point is listed as xc, yc. The midpoint of the centre distance
// is not stored and not listed.
bool ListsDerived(ObjectKind kind) {
    return kind == Kind::VerticalDistance || kind == Kind::TwoLinesAngle || kind == Kind::ThreePointRadius;
}

}  // namespace

std::string ResultKindName(int index) { return LoadString(StringId::KindNameFirst + index); }

std::vector<std::string> ResultColumnTitles(int index, UnitType unit) {
    if (index < 0 || index >= kResultKindCount) return {};
    const ObjectKind kind = ResultKindAt(index);
    std::string title = LoadString(StringId::ColumnTitleFirst + index);
    if (kind == Kind::Area) {
        title += UnitSuffix(unit, SuffixKind::Area);
    } else if (kind != Kind::Angle && kind != Kind::TwoLinesAngle) {
        title += UnitSuffix(unit, SuffixKind::Length);
    }
    std::vector<std::string> titles{title};
    int points = 2;
    switch (kind) {
        case Kind::VerticalDistance:
        case Kind::Angle:
        case Kind::ThreePointRadius: points = 3; break;
        case Kind::TwoLinesAngle: points = 4; break;
        case Kind::Area: points = 30; break;
        default: break;
    }
    for (int j = 1; j <= points; ++j) {
        titles.push_back("x" + std::to_string(j));
        titles.push_back("y" + std::to_string(j));
    }
    if (ListsDerived(kind)) {
        titles.emplace_back("xc");
        titles.emplace_back("yc");
    }
    return titles;
}

bool ResultRowAt(const CGraphicStore& store, int index, int row, const CalibrationValues& calibration, ResultRow& out) {
    if (index < 0 || index >= kResultKindCount || row < 0) return false;
    const ObjectKind kind = ResultKindAt(index);
    GraphicRecord record;
    if (store.Get(kind, row, record) != 0) return false;
    Measurement m;
    if (DecodeRecord(kind, record.fields, m) != 0) return false;
    out = ResultRow{};
    out.value = ResultText(m, calibration, false);
    out.points = std::min(ListedPoints(kind, m), static_cast<int>(m.points.size()));
    for (int j = 0; j < out.points; ++j) {
        out.coordinates.push_back(m.points[static_cast<size_t>(j)].x);
        out.coordinates.push_back(m.points[static_cast<size_t>(j)].y);
    }
    if (ListsDerived(kind) && m.derived) {
        out.hasDerived = true;
        out.coordinates.push_back(m.derived->x);
        out.coordinates.push_back(m.derived->y);
    }
    return true;
}

std::vector<ResultRow> ResultRows(const CGraphicStore& store, int index, const CalibrationValues& calibration) {
    std::vector<ResultRow> rows;
    ResultRow row;
    for (int i = 0; i < kMaxResultRows && ResultRowAt(store, index, i, calibration, row); ++i) rows.push_back(row);
    return rows;
}

std::string MeasureResultCsv(const CGraphicStore& store, const CalibrationValues& calibration) {
    constexpr const char* kSeparator = ", ";
    std::string csv;
    for (int index = 0; index < kResultKindCount; ++index) {
        const std::string name = ResultKindName(index);
        const std::vector<ResultRow> rows = ResultRows(store, index, calibration);
        for (size_t i = 0; i < rows.size(); ++i) {
            const ResultRow& row = rows[i];
            csv += name + "[" + std::to_string(i + 1) + "]" + kSeparator;
            csv += row.value + kSeparator;
            for (int j = 0; j < row.points; ++j) {
                const std::string n = std::to_string(j + 1);
                csv += "x" + n + kSeparator + std::to_string(row.coordinates[2 * static_cast<size_t>(j)]) + kSeparator;
                csv += "y" + n + kSeparator + std::to_string(row.coordinates[2 * static_cast<size_t>(j) + 1]) + kSeparator;
            }
            if (row.hasDerived) {
                const size_t c = 2 * static_cast<size_t>(row.points);
                csv += std::string("xc") + kSeparator + std::to_string(row.coordinates[c]) + kSeparator;
                csv += std::string("yc") + kSeparator + std::to_string(row.coordinates[c + 1]) + kSeparator;
            }
            csv += '\r';
        }
    }
    return csv;
}

}  // namespace tessmet
