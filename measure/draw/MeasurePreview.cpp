#include "measure/draw/MeasurePreview.h"

#include "measure/core/CircleCentre.h"
#include "measure/core/LineIntersection.h"
#include "measure/core/MeasureKinds.h"
#include "measure/core/PerpendicularFoot.h"
#include "measure/core/ViewMapping.h"
#include "measure/draw/FigurePainter.h"
#include "measure/draw/ViewFont.h"

#include <vector>

namespace tessmet {

Stroke OverlayStroke(const OverlayLook& look) {
    Stroke stroke;
    stroke.style = PenStyle::Solid;
    stroke.width = 1;
    stroke.ink = look.useXor ? Ink::Invert() : Ink::Color(look.addColor & 0xFFFFFFu);
    return stroke;
}

ColorRef OverlayTextColor(const OverlayLook& look) { return look.useXor ? 0xAAAAAAu : (look.addColor & 0xFFFFFFu); }

LiveText PreviewText(const PreviewRequest& request, const CalibrationValues& calibration) {
    std::vector<Point> placed;
    placed.reserve(request.placed.size());
    for (const Point& v : request.placed) placed.push_back(ToImage(v, request.zoom, request.imageWidth, request.imageHeight));
    LivePoints live;
    live.kind = request.kind;
    live.placed = placed;
    live.cursor = ToImage(request.cursor, request.zoom, request.imageWidth, request.imageHeight);
    live.polygonClosed = request.polygonClosed;
    live.areaCount = request.areaCount;
    return MeasureLiveText(live, calibration);
}

std::string PreviewMeasurement(Canvas& canvas, const PreviewRequest& request, const CalibrationValues& calibration,
                               const OverlayLook& look) {
    const LiveText text = PreviewText(request, calibration);
    if (request.placed.empty() || !IsMeasureKind(request.kind)) return text.status;

    LivePoints state;
    state.kind = request.kind;
    state.placed = request.placed;
    state.polygonClosed = request.polygonClosed;
    const bool labelStage = AtLabelStage(state);
    const size_t placedCount = request.placed.size();

    // The figure as it stands, in view coordinates: the cursor is the next point until the
    // label is due.
    std::vector<Point> p(request.placed.begin(), request.placed.end());
    const size_t figurePoints =
        request.kind == Kind::Area ? placedCount : static_cast<size_t>(FigurePointCount(request.kind));
    if (p.size() > figurePoints) p.resize(figurePoints);
    if (!labelStage) p.push_back(request.cursor);
    const Point q = p.back();  // the newest point of the figure

    const Stroke stroke = OverlayStroke(look);
    const double r = AspectRatio(calibration);
    FigurePainter figure(canvas, look.arrows);

    switch (request.kind) {
        case Kind::TwoPointDistance: figure.arrowSegment(p[0], q, stroke); break;
        case Kind::VerticalDistance:
            if (p.size() == 2) {
                figure.segment(p[0], q, stroke);
            } else {
                figure.segment(p[0], p[1], stroke);
                const Foot foot = PerpendicularFoot(p[0], p[1], q, r);
                if (foot.ok()) figure.arrowSegment(q, foot.point, stroke);
            }
            break;
        case Kind::Area: canvas.polyline(p, true, stroke); break;
        case Kind::Angle:
            if (p.size() == 2) {
                figure.segment(p[0], q, stroke);
            } else {
                figure.segment(p[0], p[1], stroke);
                figure.segment(p[0], q, stroke);
                figure.angleArc(p[0], p[1], q, stroke);
            }
            break;
        case Kind::TwoLinesAngle:
            if (p.size() == 2) {
                figure.extendedLine(p[0], q, stroke);
                figure.marker(p[0], stroke);
            } else {
                figure.extendedLine(p[0], p[1], stroke);
                figure.marker(p[0], stroke);
                figure.marker(p[1], stroke);
                if (p.size() == 4) {
                    figure.extendedLine(p[2], q, stroke);
                    figure.marker(p[2], stroke);
                    if (labelStage) figure.marker(p[3], stroke);
                    if (const std::optional<Point> c = LineIntersection(p[0], p[1], p[2], q, r)) {
                        figure.marker(*c, stroke);
                        figure.angleArc(*c, p[0], p[2], stroke);
                    }
                }
            }
            break;
        case Kind::TwoPointRadius:
            figure.arrowSegment(p[0], q, stroke);
            figure.circleThrough(p[0], q, r, stroke);
            break;
        case Kind::ThreePointRadius:
            for (size_t i = 0; i < placedCount && i < figurePoints; ++i) figure.marker(p[i], stroke);
            if (p.size() == 3) {
                if (const std::optional<Point> c = CircleCentre(p[0], p[1], q, r)) {
                    figure.marker(*c, stroke);
                    figure.circleThrough(*c, q, r, stroke);
                    figure.arrowSegment(q, *c, stroke);
                }
            }
            break;
        case Kind::CenterDistance: {
            figure.segment(p[0], q, stroke);
            const Point middle{static_cast<int32_t>((static_cast<int64_t>(p[0].x) + q.x) / 2),
                               static_cast<int32_t>((static_cast<int64_t>(p[0].y) + q.y) / 2)};
            figure.marker(middle, stroke);
            break;
        }
        default: break;
    }
    canvas.flush();
    if (labelStage && !text.label.empty()) {
        canvas.text(request.cursor, text.label, ViewFont(look.font), Ink::Color(OverlayTextColor(look)));
    }
    return text.status;
}

}  // namespace tessmet
