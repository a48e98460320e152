#pragma once

#include "measure/core/Calibration.h"
#include "measure/core/FontDescription.h"
#include "measure/core/MeasureText.h"
#include "measure/core/Pen.h"
#include "measure/core/Point.h"
#include "measure/draw/Canvas.h"

#include <span>
#include <string>

namespace tessmet {

// How the live overlays are drawn.
struct OverlayLook {
    bool useXor = true;                    // "Add-UseXOR": invert what lies below
    ColorRef addColor = Rgb(0, 255, 255);  // "Add-Color", when not inverting
    bool arrows = true;                    // "MeasArrow"
    FontDescription font;                  // the view font, for the result text at the label stage
};

// Overlay pen: width 1, solid; inverting when XOR is on, else in "Add-Color".
Stroke OverlayStroke(const OverlayLook& look);
// Colour of the live result text: grey 0xAAAAAA while inverting, else "Add-Color".
ColorRef OverlayTextColor(const OverlayLook& look);

// A measurement tool with points placed, as the view holds it.
struct PreviewRequest {
    ObjectKind kind = 0;
    std::span<const Point> placed;  // view coordinates, in click order
    Point cursor;                   // view coordinates
    bool polygonClosed = false;     // the area: closed by the double click; the cursor is the label
    long long areaCount = 0;        // the area: the count taken when the polygon was closed
    double zoom = 1.0;              // for the image coordinates of the status text
    int imageWidth = 0;
    int imageHeight = 0;
};

// The live texts (status bar pane 0 and, at the label stage, the result text) in image
// coordinates, without drawing.
LiveText PreviewText(const PreviewRequest& request, const CalibrationValues& calibration);

// Draws the rubber band of the tool in view coordinates on the canvas (normally over the
// view's off-screen copy, with the scroll position as its origin) and, at the label stage, the
// result text at the cursor. Returns the status text. While inverting, drawing the same rubber
// band twice restores the copy, the result text aside.
std::string PreviewMeasurement(Canvas& canvas, const PreviewRequest& request, const CalibrationValues& calibration,
                               const OverlayLook& look);

}  // namespace tessmet
