#pragma once

#include <cstdint>

namespace tessmet {

// The current mouse tool, held by the main window; 0 means none.
using ToolMode = int32_t;
namespace Tool {
constexpr ToolMode None = 0;
constexpr ToolMode RoiRectangle = 1;
constexpr ToolMode RoiEllipse = 2;
constexpr ToolMode RoiPolygon = 3;
constexpr ToolMode TwoPointDistance = 256;
constexpr ToolMode VerticalDistance = 512;
constexpr ToolMode Area = 768;
constexpr ToolMode Angle = 1024;
constexpr ToolMode TwoLinesAngle = 1280;
constexpr ToolMode TwoPointRadius = 1536;
constexpr ToolMode ThreePointRadius = 1792;
constexpr ToolMode CenterDistance = 2048;
constexpr ToolMode DrawLine = 4096;
constexpr ToolMode DrawRectangle = 8192;
constexpr ToolMode DrawCircle = 12288;
constexpr ToolMode DrawText = 16384;
constexpr ToolMode CalibrationMillimetre = 0x1000000;
constexpr ToolMode CalibrationMicrometre = 0x2000000;
constexpr ToolMode CalibrationInch = 0x3000000;
constexpr ToolMode MouseZoom = 0x10000000;
}  // namespace Tool

// A polygon (region or area) takes at most this many clicks before it closes by itself.
constexpr int kPolygonClickLimit = 31;

constexpr bool IsRegionTool(ToolMode t) { return t >= Tool::RoiRectangle && t <= Tool::RoiPolygon; }
constexpr bool IsMeasureTool(ToolMode t) { return t >= 256 && t <= 2048 && t % 256 == 0; }
constexpr bool IsDrawTool(ToolMode t) { return t >= 4096 && t <= 16384 && t % 4096 == 0; }
// Any value in bits 24..27 means a calibration run is in progress; the value is the unit.
constexpr bool IsCalibrationTool(ToolMode t) { return (t & 0x0F000000) != 0; }
constexpr int CalibrationUnitOf(ToolMode t) { return (t >> 24) & 0x0F; }
constexpr ToolMode CalibrationToolFor(int unit) { return static_cast<ToolMode>(unit) << 24; }
constexpr bool IsPolygonTool(ToolMode t) { return t == Tool::RoiPolygon || t == Tool::Area; }

// The stored kind of a measurement tool's records (the tool divided by 16).
constexpr int32_t MeasureKindOf(ToolMode t) { return t / 16; }

// Clicks that complete a figure, label click included; polygons close on their limit instead.
constexpr int PointsToComplete(ToolMode t) {
    switch (t) {
        case Tool::RoiRectangle:
        case Tool::RoiEllipse:
        case Tool::DrawLine:
        case Tool::DrawRectangle:
        case Tool::DrawCircle:
        case Tool::DrawText: return 2;
        case Tool::TwoPointDistance:
        case Tool::TwoPointRadius:
        case Tool::CenterDistance: return 3;
        case Tool::VerticalDistance:
        case Tool::Angle:
        case Tool::ThreePointRadius: return 4;
        case Tool::TwoLinesAngle: return 5;
        default: return IsCalibrationTool(t) ? 4 : 0;
    }
}

}  // namespace tessmet
