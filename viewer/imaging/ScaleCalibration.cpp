#include "viewer/imaging/ScaleCalibration.h"

#include "viewer/core/ViewerSettings.h"

#include <cstdio>

namespace lumora {
namespace {

// Millimetres per frame pixel of a 640 x 480 frame at magnification 1.
constexpr double kPixelAtOne = 0.4445;
// The scale's 112 pixels plus the half-pixel the arms' ends take.
constexpr double kScaleSpan = 112 + 0.486;
constexpr int kScalePixels = 112;
// The optical magnification in the measurement program's form, and the lengths written for an
// uncalibrated picture: the scale span over its pixels, in millimetres or micrometres.
constexpr double kOpticalFactor = 2.5093473187623903;
constexpr double kMmSpanPerPixel = 1.0043392857142857;
constexpr double kUmSpanPerPixel = 1004.3392857142858;

QString Format(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return QString::fromLatin1(buffer);
}

QString Text(const std::string& s) { return QString::fromLocal8Bit(s.data(), static_cast<qsizetype>(s.size())); }

AnnotationCalibration Calibrated(const ViewerSettings& s, double pixelLength, bool mm, int decimals) {
    return {pixelLength, AngleUnitText(s), LengthUnitText(s, mm), AreaUnitText(s, mm), decimals};
}

}  // namespace

QString LengthUnitText(const ViewerSettings& s, bool mm) {
    if (s.useAlias != 0) return Text(mm ? s.aliasMm : s.aliasUm);
    return mm ? QStringLiteral("mm") : QStringLiteral("um");
}

QString AreaUnitText(const ViewerSettings& s, bool mm) {
    if (s.useAlias != 0) return Text(mm ? s.aliasMm2 : s.aliasUm2);
    return mm ? QStringLiteral("mm2") : QStringLiteral("um2");
}

QString AngleUnitText(const ViewerSettings& s) {
    return s.useAlias != 0 ? Text(s.aliasDegree) : QStringLiteral("degree");
}

ScaleCalibration MagnificationScale(int m, const ViewerSettings& s) {
    if (s.calibrationApplied != 0) {
        const bool mm = s.calibrationUnit != 0;
        return {Format(mm ? "%.1fmm [CAL]" : "%.1fum [CAL]", s.onePixelSize * kScalePixels),
                Calibrated(s, s.onePixelSize, mm, mm ? 1 : 0)};
    }
    if (m < 5) return {QString(), {1.0, AngleUnitText(s), QString(), QString(), 1}};
    const double p = kPixelAtOne / m;
    const double b = kScaleSpan * p;
    if (m <= 50) return {Format("%.1fmm", b), Calibrated(s, b / kScalePixels, true, 1)};
    return {Format("%.0fum", b * 1000), Calibrated(s, b * 1000 / kScalePixels, false, 0)};
}

ScaleCalibration AppliedCalibrationScale(const ViewerSettings& s) {
    const bool mm = s.calibrationUnit != 0;
    // The dialog's own rule: whole millimetres, micrometres with one decimal.
    return {Format(mm ? "%.1fmm" : "%.1fum", s.onePixelSize * kScalePixels), Calibrated(s, s.onePixelSize, mm, mm ? 0 : 1)};
}

ScaleCalibration FileScale(const QString& unitText, double pixelLength, const ViewerSettings& s) {
    const bool mm = unitText.compare(QStringLiteral("mm"), Qt::CaseInsensitive) == 0;
    return {Format(mm ? "%.1fmm [CAL]" : "%.1fum [CAL]", pixelLength * kScalePixels),
            Calibrated(s, pixelLength, mm, mm ? 1 : 0)};
}

std::string MagnificationFileText(int m, int frameWidth, const ViewerSettings& s) {
    if (m <= 0) return {};
    bool mm = true;
    double length = 0.0;
    if (s.calibrationApplied != 0) {
        mm = s.calibrationUnit != 0;
        length = s.onePixelSize;
    } else {
        const double p = kPixelAtOne / m;
        const double ratio = frameWidth > 0 ? 640.0 / frameWidth : 1.0;
        mm = m <= 50;
        length = ratio * p * (mm ? kMmSpanPerPixel : kUmSpanPerPixel);
    }
    char buffer[1024];
    std::snprintf(buffer, sizeof buffer,
                  "[MAG]\r\nOptical=%.0f\r\nCorrective=%d\r\n\r\n[SENSOR]\r\nWidth=%d\r\nHeight=%d\r\n\r\n"
                  "[CAL]\r\nUnit=%s\r\nOnePixelLen=%f\r\n",
                  m * kOpticalFactor, 100, 713, 537, mm ? "mm" : "um", length);
    return buffer;
}

std::string MagnificationFilePath(const std::string& stem, bool jpeg) { return stem + (jpeg ? "jpg.mag" : "bmp.mag"); }

}  // namespace lumora
