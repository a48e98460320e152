#include "measure/core/MeasureKinds.h"
#include "measure/core/MeasureText.h"
#include "measure/core/NumberText.h"
#include "measure/core/PointRules.h"
#include "measure/core/PolygonArea.h"
#include "measure/draw/ViewFont.h"
#include "measure/res/StringTable.h"
#include "measure/workspace/CalibrationLines.h"
#include "measure/workspace/DrawToolText.h"
#include "measure/workspace/MouseTool.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tessmet {
namespace {

std::vector<Point> ToImagePoints(std::span<const Point> view, const ToolTarget& target) {
    std::vector<Point> image;
    image.reserve(view.size());
    for (const Point& p : view) image.push_back(target.toImage(p));
    return image;
}

// The status prefix of every tool: the placed points and the cursor in image coordinates.
std::string PointList(const ClickSequence& clicks, Point cursor, const ToolTarget& target) {
    return LivePointList(ToImagePoints(clicks.points(), target), target.toImage(cursor));
}

void BoxOutline(Canvas& canvas, Point a, Point b, const Stroke& stroke) {
    const Point corners[] = {a, {a.x, b.y}, b, {b.x, a.y}};
    canvas.polyline(corners, true, stroke);
}

// Height of the text tool's box and edit field: the view font's height in pixels, whichever
// sign it is stored with.
int TextBoxHeight(const FontDescription& font) {
    if (font.height != 0) return std::min(std::abs(font.height), kMaxFontPixels);
    return QFontMetrics(ViewFont(font)).height();
}

class MeasureMouseTool final : public MouseTool {
public:
    explicit MeasureMouseTool(ObjectKind kind) : kind_(kind) {}

    bool accepts(std::span<const Point> placed, Point next, const ToolTarget&) const override {
        return CheckNextPoint(kind_, placed, next) == PointCheck::Accept;
    }

    void complete(const ClickSequence& clicks, ToolTarget& target) override {
        target.completeMeasurement(kind_, clicks.points(), clicks.areaCount());
    }

    std::string statusText(const ClickSequence& clicks, Point cursor, const ToolTarget& target) const override {
        return PreviewText(request(clicks, cursor, target), target.calibration()).status;
    }

    void drawRubberBand(Canvas& canvas, const ClickSequence& clicks, Point cursor, const ToolTarget& target) const override {
        PreviewMeasurement(canvas, request(clicks, cursor, target), target.calibration(), target.overlayLook());
    }

private:
    PreviewRequest request(const ClickSequence& clicks, Point cursor, const ToolTarget& target) const {
        PreviewRequest r;
        r.kind = kind_;
        r.placed = clicks.points();
        r.cursor = cursor;
        r.polygonClosed = clicks.areaCount().has_value();
        r.areaCount = clicks.areaCount().value_or(0);
        r.zoom = target.zoom();
        r.imageWidth = target.imageSize().width();
        r.imageHeight = target.imageSize().height();
        return r;
    }

    ObjectKind kind_;
};

class RegionMouseTool final : public MouseTool {
public:
    explicit RegionMouseTool(ToolMode tool) : tool_(tool) {}

    void complete(const ClickSequence& clicks, ToolTarget& target) override {
        const std::vector<Point> p = ToImagePoints(clicks.points(), target);
        switch (tool_) {
            case Tool::RoiRectangle: target.setRegion(RegionOfInterest::Rectangle(p[0], p[1])); break;
            case Tool::RoiEllipse: target.setRegion(RegionOfInterest::Ellipse(p[0], p[1])); break;
            default: target.setRegion(RegionOfInterest::Polygon(p)); break;
        }
    }

    std::string statusText(const ClickSequence& clicks, Point cursor, const ToolTarget& target) const override {
        std::string text = PointList(clicks, cursor, target);
        if (tool_ == Tool::RoiPolygon && clicks.count() >= 2) text += LoadString(StringId::DoubleClickEnds);
        return text;
    }

    void drawRubberBand(Canvas& canvas, const ClickSequence& clicks, Point cursor, const ToolTarget& target) const override {
        const Stroke stroke = OverlayStroke(target.overlayLook());
        const Point first = clicks.points().front();
        switch (tool_) {
            case Tool::RoiRectangle: BoxOutline(canvas, first, cursor, stroke); break;
            case Tool::RoiEllipse:
                canvas.ellipse(QPointF((static_cast<double>(first.x) + cursor.x) / 2.0, (static_cast<double>(first.y) + cursor.y) / 2.0),
                               (static_cast<double>(cursor.x) - first.x) / 2.0, (static_cast<double>(cursor.y) - first.y) / 2.0,
                               stroke);
                break;
            default: {
                std::vector<Point> outline(clicks.points().begin(), clicks.points().end());
                outline.push_back(cursor);
                canvas.polyline(outline, true, stroke);
                break;
            }
        }
        canvas.flush();
    }

private:
    ToolMode tool_;
};

class DrawMouseTool final : public MouseTool {
public:
    explicit DrawMouseTool(ToolMode tool) : tool_(tool) {}

    void complete(const ClickSequence& clicks, ToolTarget& target) override {
        const Point p0 = clicks.points()[0], p1 = clicks.points()[1];
        const Point a = target.toImage(p0), b = target.toImage(p1);
        switch (tool_) {
            case Tool::DrawLine: target.addDrawObject(Kind::Line, {a.x, a.y, b.x, b.y}, {}); break;
            case Tool::DrawRectangle: target.addDrawObject(Kind::Rectangle, {a.x, a.y, b.x, b.y}, {}); break;
            case Tool::DrawCircle: {
                const double d = std::hypot(static_cast<double>(b.x) - a.x, static_cast<double>(b.y) - a.y);
                target.addDrawObject(Kind::Circle, {a.x, a.y, RoundHalfUp(d)}, {});
                break;
            }
            case Tool::DrawText: {
                // The box runs between the two x positions, one font height down from the first point.
                const int x1 = std::min(p0.x, p1.x), x2 = std::max(p0.x, p1.x);
                const QPoint scroll = target.scrollPosition();
                const QRect box(x1 - scroll.x(), p0.y - scroll.y(), x2 - x1, TextBoxHeight(target.overlayLook().font));
                const std::optional<std::string> text = target.editText(box);
                if (!text || text->empty()) return;
                const Point at = target.toImage({x1, p0.y});
                target.addDrawObject(Kind::Text, {at.x, at.y}, *text);
                break;
            }
            default: break;
        }
    }

    std::string statusText(const ClickSequence& clicks, Point cursor, const ToolTarget& target) const override {
        return PointList(clicks, cursor, target) + DrawToolSuffix(tool_, clicks.points()[0], cursor, target.zoom());
    }

    void drawRubberBand(Canvas& canvas, const ClickSequence& clicks, Point cursor, const ToolTarget& target) const override {
        const Stroke stroke = OverlayStroke(target.overlayLook());
        const Point first = clicks.points().front();
        switch (tool_) {
            case Tool::DrawLine: canvas.line(first, cursor, stroke); break;
            case Tool::DrawRectangle: BoxOutline(canvas, first, cursor, stroke); break;
            case Tool::DrawCircle: {
                const int r = RoundHalfUp(std::hypot(static_cast<double>(cursor.x) - first.x, static_cast<double>(cursor.y) - first.y));
                canvas.ellipse(first, r, r, stroke);
                break;
            }
            case Tool::DrawText:
                BoxOutline(canvas, first, {cursor.x, first.y + TextBoxHeight(target.overlayLook().font)}, stroke);
                break;
            default: break;
        }
        canvas.flush();
    }

private:
    ToolMode tool_;
};

class CalibrationMouseTool final : public MouseTool {
public:
    bool accepts(std::span<const Point> placed, Point next, const ToolTarget& target) const override {
        return CalibrationPointAccepted(placed, next, AspectRatio(target.calibration()));
    }

    void pointPlaced(const ClickSequence& clicks, ToolTarget& target) override {
        if (clicks.count() == 2) {
            target.showCalibrationGuide(StringId::SetupSecondObject, StringId::AttachAngle, QPoint(16, 16));
        }
    }

    void pointTakenBack(const ClickSequence& clicks, ToolTarget& target) override {
        if (clicks.count() == 1) {
            target.showCalibrationGuide(StringId::CalibrationPerformed, StringId::SetupFirstObject, QPoint(-16, -16));
        }
    }

    void complete(const ClickSequence& clicks, ToolTarget& target) override {
        const std::vector<Point> p = ToImagePoints(clicks.points(), target);
        if (p.size() != 4) return;
        target.finishCalibration({p[0], p[1], p[2], p[3]});
    }

    std::string statusText(const ClickSequence& clicks, Point cursor, const ToolTarget& target) const override {
        std::string text = PointList(clicks, cursor, target);
        if (clicks.count() == 3 && !accepts(clicks.points(), cursor, target)) text += LoadString(StringId::AngleTooSmall);
        return text;
    }

    void drawRubberBand(Canvas& canvas, const ClickSequence& clicks, Point cursor, const ToolTarget& target) const override {
        const Stroke stroke = OverlayStroke(target.overlayLook());
        const std::span<const Point> p = clicks.points();
        canvas.line(p[0], p.size() >= 2 ? p[1] : cursor, stroke);
        if (p.size() == 3) canvas.line(p[2], cursor, stroke);
        canvas.flush();
    }
};

}  // namespace

bool MouseTool::accepts(std::span<const Point>, Point, const ToolTarget&) const { return true; }
void MouseTool::pointPlaced(const ClickSequence&, ToolTarget&) {}
void MouseTool::pointTakenBack(const ClickSequence&, ToolTarget&) {}

std::unique_ptr<MouseTool> MakeMouseTool(ToolMode tool) {
    if (IsMeasureTool(tool)) return std::make_unique<MeasureMouseTool>(MeasureKindOf(tool));
    if (IsRegionTool(tool)) return std::make_unique<RegionMouseTool>(tool);
    if (IsDrawTool(tool)) return std::make_unique<DrawMouseTool>(tool);
    if (IsCalibrationTool(tool)) return std::make_unique<CalibrationMouseTool>();
    return nullptr;
}

long long AreaPixelCount(std::span<const Point> viewPoints, const ToolTarget& target) {
    const std::vector<Point> image = ToImagePoints(viewPoints, target);
    return PolygonPixelCount(image, target.imageSize().width(), target.imageSize().height());
}

}  // namespace tessmet
