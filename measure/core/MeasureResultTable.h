#pragma once

#include "measure/core/Calibration.h"
#include "measure/core/GraphicStore.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tessmet {

// The result list's view of a store: the eight measurement kinds in list order (index 0..7,
// ObjectKind (index + 1) * 16), their column titles and one row per stored measurement. The
// same rows make the exported CSV, so the list and the file always agree.

constexpr int kResultKindCount = 8;
// The list shows, and the export writes, at most this many measurements of each kind.
constexpr int kMaxResultRows = 64;

constexpr ObjectKind ResultKindAt(int index) { return (index + 1) * 16; }

// "2 Point Distance", "Vertical Distance", ... in the current language.
std::string ResultKindName(int index);

// Column 0 ("Distance[mm]", "Area[pixel*pixel]", "Angle[degree]") then the coordinate names
// ("x1", "y1", ..., "xc", "yc"); the area has 30 vertex pairs. Empty for an index outside 0..7.
std::vector<std::string> ResultColumnTitles(int index, UnitType unit);

struct ResultRow {
    std::string value;                 // the value text without unit, as in column 0
    std::vector<int32_t> coordinates;  // x1, y1, x2, y2, ... then xc, yc where the kind has one
    int points = 0;                    // listed points before the derived one
    bool hasDerived = false;           // the last pair is xc, yc
};

// Row `row` of the kind at `index`: false when the store has no such record or it cannot be
// read back.
bool ResultRowAt(const CGraphicStore& store, int index, int row, const CalibrationValues& calibration, ResultRow& out);

// The rows of one kind, at most kMaxResultRows.
std::vector<ResultRow> ResultRows(const CGraphicStore& store, int index, const CalibrationValues& calibration);

// The export of every measurement: for each kind in list order and each of its rows
// "<name>[<n>], <value>, x1, <x>, y1, <y>, ..., xc, <x>, yc, <y>, " and a lone carriage return.
// No heading and no line feeds; an empty store gives an empty text.
std::string MeasureResultCsv(const CGraphicStore& store, const CalibrationValues& calibration);

}  // namespace tessmet
