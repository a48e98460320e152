#pragma once

#include "measure/core/Calibration.h"
#include "measure/core/GraphicStore.h"
#include "measure/core/ImageSet.h"
#include "measure/core/RegionOfInterest.h"
#include "measure/draw/Canvas.h"
#include "measure/draw/MeasureDrawing.h"
#include "measure/workspace/LayerFlags.h"

#include <QFont>

namespace tessmet {

// Everything the display bitmap is made of besides the image set's own bitmaps. Nothing drawn
// into the display survives a composition unless it comes from here.
struct LayerSources {
    const CGraphicStore& store;
    const RegionOfInterest& region;
    LayerFlags flags;
    CalibrationValues calibration;
    MeasureLook look;        // arrows, area fill and the view font
    bool recompute = false;  // recompute derived points after a calibration change
    CanvasMask* mask = nullptr;  // kept between compositions of the same bitmap, when given
};

// Recomposes the display bitmap of `images`, in this order: black; the original picture (when
// its layer is on); the processing layer's non-zero pixels (when on); the draw objects and then
// the measurements, each in creation order (when their layers are on); last, while the
// processing layer is on, the outline of the region of interest. This is also what Save writes.
void ComposeLayers(ImageSet& images, const LayerSources& sources);

// Every display pixel for which the processing pixel has any non-zero byte becomes the
// processing pixel (cleared, then the processing bytes added).
void ApplyProcessingLayer(Dib& display, const Dib& processing);

// The draw objects of the store in creation order, each with its own pen, on a transparent
// background: line, rectangle outline through (x1, y1), (x1, y2), (x2, y2), (x2, y1), full
// circle of the stored radius, text top-left at its point in the view font and its colour.
void DrawStoredDrawObjects(Canvas& canvas, const CGraphicStore& store, const QFont& font);

// The outline of a region of interest, drawn twice: solid white, then dotted red, both width 1.
// The rectangle and the ellipse run through their outermost pixels, since the region includes
// its right and bottom edge. Nothing for the whole image.
void DrawRegionOutline(Canvas& canvas, const RegionOfInterest& region);

}  // namespace tessmet
