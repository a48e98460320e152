#include "measure/core/MeasureKinds.h"

#include "measure/res/StringTable.h"

namespace tessmet {
namespace {

constexpr MeasureKindInfo kKinds[8] = {
    {Kind::TwoPointDistance, 32801, 256, 2, StringId::KindNameFirst + 0, StringId::ColumnTitleFirst + 0, "two-point-distance"},
    {Kind::VerticalDistance, 32802, 512, 3, StringId::KindNameFirst + 1, StringId::ColumnTitleFirst + 1, "vertical-distance"},
    {Kind::Area, 32803, 768, 0, StringId::KindNameFirst + 2, StringId::ColumnTitleFirst + 2, "area"},
    {Kind::Angle, 32804, 1024, 3, StringId::KindNameFirst + 3, StringId::ColumnTitleFirst + 3, "angle"},
    {Kind::TwoLinesAngle, 32805, 1280, 4, StringId::KindNameFirst + 4, StringId::ColumnTitleFirst + 4, "two-lines-angle"},
    {Kind::TwoPointRadius, 32806, 1536, 2, StringId::KindNameFirst + 5, StringId::ColumnTitleFirst + 5, "two-point-radius"},
    {Kind::ThreePointRadius, 32807, 1792, 3, StringId::KindNameFirst + 6, StringId::ColumnTitleFirst + 6, "three-point-radius"},
    {Kind::CenterDistance, 32808, 2048, 2, StringId::KindNameFirst + 7, StringId::ColumnTitleFirst + 7, "center-distance"},
};

}  // namespace

const MeasureKindInfo (&MeasureKindTable())[8] { return kKinds; }

const MeasureKindInfo* FindMeasureKind(ObjectKind kind) {
    for (const MeasureKindInfo& info : kKinds) {
        if (info.kind == kind) return &info;
    }
    return nullptr;
}

const MeasureKindInfo* FindMeasureKindByName(std::string_view name) {
    for (const MeasureKindInfo& info : kKinds) {
        if (info.cliName == name) return &info;
    }
    return nullptr;
}

bool IsMeasureKind(ObjectKind kind) { return FindMeasureKind(kind) != nullptr; }

int FigurePointCount(ObjectKind kind, int vertices) {
    if (kind == Kind::Area) return vertices;
    const MeasureKindInfo* info = FindMeasureKind(kind);
    return info ? info->figurePoints : 0;
}

}  // namespace tessmet
