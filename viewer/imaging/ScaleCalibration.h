#pragma once

#include <QString>

#include <string>

namespace lumora {

struct ViewerSettings;

// The annotation calibration a pane hands its annotation set: the length of one pixel, the
// unit texts by shape and the decimals of the value texts.
struct AnnotationCalibration {
    double pixelLength = 1.0;
    QString angleText;
    QString lengthText;  // lines and the arms of angles
    QString areaText;    // rectangles, ellipses and polygons
    int decimals = 1;
};

// What a magnification or the user's calibration makes of the scale label and of the
// annotation texts.
struct ScaleCalibration {
    QString scaleText;
    AnnotationCalibration annotation;
};

// The unit texts of millimetres or micrometres: the DRAWING_OPTIONS aliases when USE_ALIAS is
// non-zero, else "mm", "mm2" or "um", "um2"; and the angle text ("degree" or its alias).
QString LengthUnitText(const ViewerSettings& settings, bool millimetres);
QString AreaUnitText(const ViewerSettings& settings, bool millimetres);
QString AngleUnitText(const ViewerSettings& settings);

// The scale for the optical magnification m of a live or still picture. With the user's
// calibration applied the label is "%.1fmm [CAL]" (or um) of 112 pixels. Otherwise a frame
// pixel is 0.4445 / m millimetres: up to 50 the label is in millimetres with one decimal, above
// it in micrometres without; below 5 there is no label and annotations read in pixels without
// a unit.
ScaleCalibration MagnificationScale(int magnification, const ViewerSettings& settings);

// The scale right after the calibration dialog accepted a calibration: the label without the
// "[CAL]" mark. Only meaningful while the calibration is applied.
ScaleCalibration AppliedCalibrationScale(const ViewerSettings& settings);

// The scale of a gallery file shown with its own unit text and one-pixel length.
ScaleCalibration FileScale(const QString& unitText, double pixelLength, const ViewerSettings& settings);

// The magnification sidecar written next to a capture (CR LF lines): [MAG] with the optical
// magnification in the form the measurement program reads, [SENSOR] with the sensor size in
// hundredths of a millimetre, [CAL] with the unit and one-pixel length of this picture, whose
// frame is `frameWidth` pixels wide. Empty for a magnification of 0 or less.
std::string MagnificationFileText(int magnification, int frameWidth, const ViewerSettings& settings);

// The sidecar of a capture written as `stem` + ".jpg" or ".bmp": stem + "jpg.mag" or "bmp.mag".
std::string MagnificationFilePath(const std::string& stem, bool jpeg);

}  // namespace lumora
