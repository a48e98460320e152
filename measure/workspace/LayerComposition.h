#pragma once

#include "measure/core/Calibration.h"
#include "measure/core/GraphicStore.h"
#include "measure/core/ImageSet.h"
#include "measure/core/RegionOfInterest.h"
#include "measure/draw/Canvas.h"
#include "measure/draw/MeasureDrawing.h"
#include "measure/workspace/LayerFlags.h"

#include <QFont>
#include <QRect>
#include <QRegion>

#include <optional>
#include <string>
#include <vector>

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

// Draws one stored draw object with its own pen (as DrawStoredDrawObjects does).
void DrawStoredDrawObject(Canvas& canvas, ObjectKind kind, const GraphicRecord& record, const QFont& font);

// The rectangle around every pixel of `dib` with a non-zero byte; null when there is none.
QRect NonZeroBounds(const Dib& dib);

// Keeps a display bitmap equal to ComposeLayers of its sources while recomposing as little as
// possible. It remembers what the last composition was made of, the store's records one by one
// with the rectangle of pixels each covered, so that adding or removing records, moving the
// region of interest, switching the draw, measure or processing layer or a new calibration (which
// redraws the measurements) recomposes only the rectangles of the figures and processing pixels
// that change. Any other change (the original layer, the look of measurements or the view font,
// another bitmap) composes everything.
class LayerComposer {
public:
    // The display bitmap as ComposeLayers makes it. Returns the image pixels that may have
    // changed: the whole image after a full composition, else the rectangles of the figures
    // added or removed and `foreign`, pixels someone drew on outside the composition (the result
    // list's blinking, the region preview). Empty when nothing changed.
    QRegion Update(ImageSet& images, const LayerSources& sources, const QRegion& foreign = {});
    // Composes everything on the next Update.
    void Forget() { valid_ = false; }
    // The processing bitmap was written: composes everything on the next Update, and looks for
    // its non-zero pixels again when its layer is next switched.
    void ProcessingChanged() {
        valid_ = false;
        processingBounds_.reset();
    }
    // The processing bitmap holds only zeros (loaded or cleared): composes everything on the next
    // Update, and switching its layer then changes no pixel of it.
    void ProcessingCleared() {
        valid_ = false;
        processingBounds_ = QRect();
    }

    // Whether the last Update composed everything (tests and benchmarks).
    bool lastWasFull() const { return lastFull_; }

private:
    // A record as the composition draws it: its kind, fields and text.
    struct Entry {
        std::string key;
        ObjectKind kind = 0;
        GraphicRecord record;
        QRect bounds;  // image pixels it covered; null when none
    };
    struct Look {
        const uint8_t* bits = nullptr;
        int width = 0;
        int height = 0;
        int bitsPerPixel = 0;
        bool originalLayer = true;
        bool arrows = true;
        bool fillArea = true;
        FontDescription font;
        bool operator==(const Look& other) const;
    };

    static Look LookOf(const ImageSet& images, const LayerSources& sources);
    std::vector<Entry> entriesOf(const LayerSources& sources) const;
    void drawEntry(Canvas& canvas, const Entry& entry, const LayerSources& sources, const QFont& font) const;
    QRegion composeAll(ImageSet& images, const LayerSources& sources, std::vector<Entry> entries);
    void composeWithin(ImageSet& images, const LayerSources& sources, const QRect& rect);

    bool valid_ = false;
    bool lastFull_ = false;
    Look look_;
    std::vector<Entry> entries_;  // in drawing order
    RegionOfInterest region_;
    bool processingShown_ = false;         // the processing layer was composed
    QRect outlineBounds_;                  // of the region's outline, when drawn
    std::optional<QRect> processingBounds_;  // of the processing bitmap's non-zero pixels, once known
};

}  // namespace tessmet
