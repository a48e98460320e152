#pragma once

#include "measure/core/Calibration.h"

#include <QLine>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace tessmet {

// Geometry of the live overlays, in scrolled view coordinates. `visible` is the visible part
// of the view: top-left = scroll position (sx, sy), size = client size (W, H).

// A vertical line through the middle of the visible area (+ offset x) and a horizontal line
// through its middle (+ offset y). The centre is that of the visible area, not of the image.
std::vector<QLine> CentreLines(QRect visible, int offsetX, int offsetY);

// Lines every `spacing` screen pixels from the visible area's top-left corner, across the
// whole visible area: vertical ones first, then horizontal ones.
std::vector<QLine> GridLines(QRect visible, int spacing);

struct ScaleOverlay {
    std::vector<QLine> lines;  // the two axes, then the ticks
    QString horizontalPitch;   // pitch texts in the display unit ("" when not calibrated)
    QString verticalPitch;
    int horizontalPixels = 0;  // tick distances on the screen
    int verticalPixels = 0;
};

// The ruler cross centred on the cursor: ticks every pitch (long every fifth), axes twice the
// visible size. Pitches from FormatPitch with 200 screen pixels in 6 divisions.
ScaleOverlay ScaleRuler(const CalibrationValues& calibration, double zoom, QSize image, QRect visible,
                        QPoint cursor);

// Status pane 1 while the scale is shown: "Scale Pitch  Horz: <h>  Vert: <v> <unit/pitch>",
// or "Resolution has not setup" when neither pitch exists.
std::string ScalePitchText(const CalibrationValues& calibration, const ScaleOverlay& scale);

// Luminance along the image row under the cursor: one vertex per image column, grey 0 on the
// bottom edge of the visible area and 255 near its top; then the horizontal line at the
// cursor. `grey(i)` gives the grey level of column i of that row.
struct Profile {
    std::vector<QPoint> curve;
    QLine cursorLine;
    int imageLine = 0;  // the row (or column) that was read
};
Profile HorizontalProfile(double zoom, QSize image, QRect visible, QPoint cursor, const std::function<int(int)>& grey);
// The same along the image column under the cursor, grey 0 on the left edge of the visible area.
Profile VerticalProfile(double zoom, QSize image, QRect visible, QPoint cursor, const std::function<int(int)>& grey);

}  // namespace tessmet
