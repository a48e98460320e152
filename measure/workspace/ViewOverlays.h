#pragma once

#include "measure/core/Calibration.h"
#include "measure/draw/Canvas.h"
#include "measure/draw/MeasurePreview.h"
#include "measure/processing/Dib.h"
#include "measure/workspace/LayerFlags.h"
#include "measure/workspace/OverlayGeometry.h"

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tessmet {

// What the live overlays of one paint are drawn from. They exist only on the screen copy,
// in scrolled view coordinates, and never reach the display bitmap.
struct OverlayScene {
    LayerFlags flags;
    double zoom = 1.0;
    QSize image;
    QRect visible;              // top-left = scroll position, size = client size
    int gridDistance = 50;      // "GridDistance", screen pixels
    QPoint centreOffset;        // "CenterLineOffX", "CenterLineOffY"
    OverlayLook look;
    CalibrationValues calibration;
};

// The overlay look from the settings.
OverlayLook OverlayLookFrom(int32_t addUseXor, int32_t addColor, int32_t measArrow, const FontDescription& font);

// The centre line and the dotted grid, each when on; they follow the visible area.
void DrawCentreAndGrid(Canvas& canvas, const OverlayScene& scene);

// The scale ruler and the two luminance profiles around the cursor (view coordinates), each
// when on. The profiles read the original picture, one row or column per paint.
void DrawCursorOverlays(Canvas& canvas, const OverlayScene& scene, QPoint cursor, const Dib& original);

}  // namespace tessmet
