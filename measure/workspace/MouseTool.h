#pragma once

#include "measure/core/Calibration.h"
#include "measure/core/GraphicStore.h"
#include "measure/core/Point.h"
#include "measure/core/RegionOfInterest.h"
#include "measure/draw/Canvas.h"
#include "measure/draw/MeasurePreview.h"
#include "measure/workspace/ClickSequence.h"
#include "measure/workspace/ToolMode.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tessmet {

// What a mouse tool may see and do of the view it works in. The view implements it; the tools
// never touch the widget, so each stays a small object with one job.
class ToolTarget {
public:
    virtual ~ToolTarget() = default;

    virtual double zoom() const = 0;
    virtual QSize imageSize() const = 0;
    virtual QPoint scrollPosition() const = 0;
    virtual CalibrationValues calibration() const = 0;
    virtual OverlayLook overlayLook() const = 0;
    // View (scrolled client) point to image point: trunc(v / zoom), clamped to the image.
    virtual Point toImage(Point view) const = 0;

    // Finishing a figure. Each switches its layer on, tells the main window and recomposes.
    virtual void completeMeasurement(ObjectKind kind, std::span<const Point> viewPoints,
                                     std::optional<long long> areaCount) = 0;
    // Adds a draw object (geometry in image pixels, the draw pen appended).
    virtual void addDrawObject(ObjectKind kind, std::vector<int32_t> geometry, const std::string& text) = 0;
    virtual void setRegion(const RegionOfInterest& region) = 0;
    // Opens the text tool's edit box over the client rectangle and waits for Enter, ESC or the
    // loss of focus: the text on Enter, nothing otherwise.
    virtual std::optional<std::string> editText(const QRect& clientBox) = 0;
    virtual void finishCalibration(const std::array<Point, 4>& imagePoints) = 0;
    // The calibration guide's two lines, moved by `offset` screen pixels from its usual place.
    virtual void showCalibrationGuide(int line1, int line2, QPoint offset) = 0;
};

// One mouse tool: which clicks it accepts, what the completed clicks become, and the rubber
// band and status text while its points are being placed. The clicks themselves (snapping,
// duplicates, counting) are the view's, the same for every tool.
class MouseTool {
public:
    virtual ~MouseTool() = default;

    // Whether `next` may follow the points placed (duplicates are already refused).
    virtual bool accepts(std::span<const Point> placed, Point next, const ToolTarget& target) const;
    // After a point was placed or taken back (the calibration run moves its guide).
    virtual void pointPlaced(const ClickSequence& clicks, ToolTarget& target);
    virtual void pointTakenBack(const ClickSequence& clicks, ToolTarget& target);
    // The clicks completed the figure.
    virtual void complete(const ClickSequence& clicks, ToolTarget& target) = 0;

    // Status pane 0 with the cursor at `cursor` (view coordinates).
    virtual std::string statusText(const ClickSequence& clicks, Point cursor, const ToolTarget& target) const = 0;
    // The rubber band on the screen copy (view coordinates), with the overlay pen.
    virtual void drawRubberBand(Canvas& canvas, const ClickSequence& clicks, Point cursor,
                                const ToolTarget& target) const = 0;
};

// The tool object of a tool code: measurements, draw objects, regions of interest and the
// calibration run. Nothing for no tool and the mouse zoom, whose clicks only scroll and zoom.
std::unique_ptr<MouseTool> MakeMouseTool(ToolMode tool);

// The pixel count of the area polygon whose vertices are given in view coordinates, taken on
// the image as the measurement counts it.
long long AreaPixelCount(std::span<const Point> viewPoints, const ToolTarget& target);

}  // namespace tessmet
