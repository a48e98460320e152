#pragma once

#include "measure/core/GraphicStore.h"

#include <cstdint>
#include <string_view>

namespace tessmet {

// The eight measurement kinds: how each is chosen, how many points it takes and how the result
// list names it. The kind is the ObjectKind of its stored record; the tool code of the view is
// 16 times that.
struct MeasureKindInfo {
    ObjectKind kind;
    int32_t command;         // menu command id
    int32_t toolMode;        // ToolMode of the view
    int figurePoints;        // points before the label; 0 for the area (3..30 vertices)
    int nameId;              // "2 Point Distance", ...
    int columnId;            // "Distance", "Angle[degree]", ...
    std::string_view cliName;  // two-point-distance, ...
};

// Vertex limits of the area polygon.
constexpr int kMinAreaVertices = 3;
constexpr int kMaxAreaVertices = 30;

// The eight kinds in ObjectKind order.
const MeasureKindInfo (&MeasureKindTable())[8];

// The entry of a measurement kind, or nullptr for any other code.
const MeasureKindInfo* FindMeasureKind(ObjectKind kind);
// The entry whose lower-case dashed name is `name`, or nullptr.
const MeasureKindInfo* FindMeasureKindByName(std::string_view name);

bool IsMeasureKind(ObjectKind kind);

// Points before the label for a polygon of `vertices` vertices or a fixed kind.
int FigurePointCount(ObjectKind kind, int vertices = 0);

}  // namespace tessmet
