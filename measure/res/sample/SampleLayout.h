#pragma once

namespace tessmet::sample {

// The sample picture: a stage micrometer as the camera sees it, 1280 x 960 pixels, with a
// horizontal and a vertical scale of 0.01 mm divisions and two round particles. Its
// magnification sidecar makes the divisions measure 0.01 mm in Tessmet.
inline constexpr const char* kPictureName = "StageMicrometer.jpg";
inline constexpr const char* kSidecarName = "StageMicrometerjpg.mag";

inline constexpr int kWidth = 1280;
inline constexpr int kHeight = 960;
inline constexpr double kDivisionMm = 0.01;

// Horizontal scale: the base line at this row, divisions from kHorizontalStartX to the right,
// ticks rising above the line (minor ones kMinorTick pixels long).
inline constexpr int kHorizontalBaseY = 600;
inline constexpr int kHorizontalStartX = 100;
inline constexpr int kHorizontalDivisions = 22;
// Vertical scale: the base line at this column, divisions from kVerticalStartY downwards,
// ticks reaching left of the line.
inline constexpr int kVerticalBaseX = 1200;
inline constexpr int kVerticalStartY = 100;
inline constexpr int kVerticalDivisions = 20;

// Two round particles: centre in pixels and diameter on the slide.
inline constexpr int kLargeParticleX = 470;
inline constexpr int kLargeParticleY = 260;
inline constexpr double kLargeParticleMm = 0.05;
inline constexpr int kSmallParticleX = 760;
inline constexpr int kSmallParticleY = 300;
inline constexpr double kSmallParticleMm = 0.02;

inline constexpr int kMinorTick = 70;
inline constexpr int kMiddleTick = 110;
inline constexpr int kMajorTick = 150;

}  // namespace tessmet::sample
