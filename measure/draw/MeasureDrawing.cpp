#include "measure/draw/MeasureDrawing.h"

#include "measure/core/MeasureKinds.h"
#include "measure/core/MeasureText.h"
#include "measure/core/ViewMapping.h"
#include "measure/draw/FigurePainter.h"
#include "measure/draw/ViewFont.h"

#include <array>
#include <vector>

namespace tessmet {

void DrawMeasurement(Canvas& canvas, const Measurement& m, const CalibrationValues& calibration, const MeasureLook& look) {
    DrawMeasurement(canvas, m, calibration, look, ViewFont(look.font));
}

void DrawMeasurement(Canvas& canvas, const Measurement& m, const CalibrationValues& calibration, const MeasureLook& look,
                     const QFont& font) {
    const std::vector<Point>& p = m.points;
    const int figurePoints = m.kind == Kind::Area ? static_cast<int>(p.size()) : FigurePointCount(m.kind);
    if (figurePoints == 0 || static_cast<int>(p.size()) != figurePoints) return;

    const bool invert = m.pen.isInverting();
    const Stroke main = Stroke::FromPen(m.pen, invert);
    const Stroke guide = Stroke::FromPen({PenStyle::Dot, m.pen.width, m.pen.color}, invert);
    const double r = AspectRatio(calibration);
    ColorRef textColor = static_cast<ColorRef>(m.pen.color) & 0xFFFFFFu;
    FigurePainter figure(canvas, look.arrows);

    switch (m.kind) {
        case Kind::TwoPointDistance: figure.arrowSegment(p[0], p[1], main); break;
        case Kind::VerticalDistance:
            figure.segment(p[0], p[1], guide);
            if (m.derived) figure.arrowSegment(*m.derived, p[2], main);
            break;
        case Kind::Area:
            if (look.fillArea) {
                canvas.fillPolygon(p, main.ink);
                textColor ^= 0xFFFFFFu;
            }
            canvas.polyline(p, true, main);
            break;
        case Kind::Angle:
            figure.segment(p[0], p[1], guide);
            figure.segment(p[0], p[2], guide);
            figure.angleArc(p[0], p[1], p[2], main);
            break;
        case Kind::TwoLinesAngle:
            figure.extendedLine(p[0], p[1], guide);
            figure.extendedLine(p[2], p[3], guide);
            for (const Point& q : p) figure.marker(q, main);
            if (m.derived) {
                figure.marker(*m.derived, main);
                figure.angleArc(*m.derived, p[0], p[2], main);
            }
            break;
        case Kind::TwoPointRadius:
            figure.circleThrough(p[0], p[1], r, guide);
            figure.arrowSegment(p[0], p[1], main);
            break;
        case Kind::ThreePointRadius:
            if (m.derived) figure.circleThrough(*m.derived, p[2], r, guide);
            for (const Point& q : p) figure.marker(q, main);
            if (m.derived) {
                figure.marker(*m.derived, main);
                figure.arrowSegment(*m.derived, p[2], main);
            }
            break;
        case Kind::CenterDistance:
            figure.segment(p[0], p[1], guide);
            figure.marker(p[0], main);
            figure.marker(p[1], main);
            if (m.derived) figure.marker(*m.derived, main);
            break;
        default: return;
    }
    canvas.flush();
    canvas.text(m.label, ResultText(m, calibration), font, Ink::Color(textColor));
}

int DrawRecord(Canvas& canvas, ObjectKind kind, std::span<const int32_t> fields, const CalibrationValues& calibration,
               const MeasureLook& look, bool recompute) {
    Measurement m;
    const int code = DecodeRecord(kind, fields, m);
    if (code != 0) return code;
    if (recompute) RecomputeDerived(m, AspectRatio(calibration));
    DrawMeasurement(canvas, m, calibration, look);
    return 0;
}

void DrawStoredMeasurements(Canvas& canvas, const CGraphicStore& store, const CalibrationValues& calibration,
                            const MeasureLook& look, bool recompute) {
    const QFont font = ViewFont(look.font);
    const double r = AspectRatio(calibration);
    std::array<int, 9> nextOfKind{};  // per measurement kind, the index of its next record
    GraphicRecord record;
    for (int i = 0; i < store.Capacity(); ++i) {
        const ObjectKind kind = store.KindAt(i);
        if (kind == 0) break;
        if (!IsMeasureKind(kind)) continue;
        const int n = nextOfKind[static_cast<size_t>(kind / 16)]++;
        if (store.Get(kind, n, record) != 0) continue;
        Measurement m;
        if (DecodeRecord(kind, record.fields, m) != 0) continue;
        if (recompute) RecomputeDerived(m, r);
        DrawMeasurement(canvas, m, calibration, look, font);
    }
}

int CompleteMeasurement(const CompleteRequest& request, const CalibrationValues& calibration, const MeasureLook& look,
                        Dib& display, CGraphicStore& store, Measurement* made) {
    if (!IsMeasureKind(request.kind)) return MeasureError::UnknownKind;
    if (request.viewPoints.size() < 2) return MeasureError::WrongPointCount;
    std::vector<Point> image;
    image.reserve(request.viewPoints.size());
    for (const Point& v : request.viewPoints) image.push_back(ToImage(v, request.zoom, display.width(), display.height()));

    MeasureInput input;
    input.kind = request.kind;
    input.points = std::span<const Point>(image).first(image.size() - 1);
    input.label = image.back();
    input.pen = request.pen;
    input.imageWidth = display.width();
    input.imageHeight = display.height();
    input.areaCount = request.areaCount;
    Measurement m;
    const int code = BuildMeasurement(input, AspectRatio(calibration), m);
    if (code != 0) return code;
    if (store.Add(m.kind, EncodeRecord(m)) != 0) return kStoreRefused;
    {
        std::optional<Canvas> drawing;
        if (request.mask) {
            drawing.emplace(display, *request.mask);
        } else {
            drawing.emplace(display);
        }
        DrawMeasurement(*drawing, m, calibration, look);
        drawing->flush();
        if (request.drawn) *request.drawn = drawing->takeTouched();
    }
    if (made) *made = std::move(m);
    return 0;
}

}  // namespace tessmet
