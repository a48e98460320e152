#pragma once

#include "measure/core/Calibration.h"
#include "measure/core/FontDescription.h"
#include "measure/core/GraphicStore.h"
#include "measure/core/Measurement.h"
#include "measure/core/Pen.h"
#include "measure/core/Point.h"
#include "measure/draw/Canvas.h"
#include "measure/processing/Dib.h"

#include <QFont>

#include <optional>
#include <span>

namespace tessmet {

// The settings that change how finished measurements look.
struct MeasureLook {
    bool arrows = true;     // "MeasArrow": arrowheads on segments longer than 24 pixels
    bool fillArea = true;   // "MeasSquare": area polygons filled, their text in the inverted colour
    FontDescription font;   // the view font
};

// Draws a finished measurement (image coordinates) and its result text, recomputed with the
// calibration given. The main pen is the measurement's own, the guide pen a dotted pen of the
// same width and colour; the all-zero pen draws every figure by inverting (the text is drawn in
// its colour, black). The text goes top-left at the label point in the pen colour, unclipped.
void DrawMeasurement(Canvas& canvas, const Measurement& m, const CalibrationValues& calibration, const MeasureLook& look);
// The same with the view font already made (ViewFont), for drawing many.
void DrawMeasurement(Canvas& canvas, const Measurement& m, const CalibrationValues& calibration, const MeasureLook& look,
                     const QFont& font);

// Draws a stored record again. With `recompute` the foot of kind 32 and the centre of kind 112
// are first recomputed with the current aspect ratio (the record keeps its values). Returns 0,
// or the DecodeRecord code for a record that cannot be read (nothing drawn).
int DrawRecord(Canvas& canvas, ObjectKind kind, std::span<const int32_t> fields, const CalibrationValues& calibration,
               const MeasureLook& look, bool recompute);

// The measure layer: every measurement of the store in creation order (draw objects skipped).
void DrawStoredMeasurements(Canvas& canvas, const CGraphicStore& store, const CalibrationValues& calibration,
                            const MeasureLook& look, bool recompute);

// A finished click sequence of a measurement tool.
struct CompleteRequest {
    ObjectKind kind = 0;
    std::span<const Point> viewPoints;  // the figure's points then the label, in view coordinates
    double zoom = 1.0;
    Pen pen;                            // the measurement pen of the settings
    std::optional<long long> areaCount; // the area: the count taken when the polygon was closed
    CanvasMask* mask = nullptr;         // a drawing mask kept for the display, when given
    QRect* drawn = nullptr;             // receives the rectangle of display pixels drawn, when given
};

// Returned by CompleteMeasurement when the store refuses the record.
constexpr int kStoreRefused = -5;

// Finishes a measurement: converts the points to image coordinates (the display bitmap's size
// clamps them), computes the derived points, appends the record to the store and draws the
// measurement into the display bitmap. Returns 0, or a MeasureError code (WrongPointCount,
// UnknownKind, NoResult: nothing recorded, the tool starts over) or kStoreRefused. `made`
// receives the measurement on success.
int CompleteMeasurement(const CompleteRequest& request, const CalibrationValues& calibration, const MeasureLook& look,
                        Dib& display, CGraphicStore& store, Measurement* made = nullptr);

}  // namespace tessmet
