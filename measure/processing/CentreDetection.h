#pragma once

#include "measure/processing/Binarisation.h"

#include <array>

namespace tessmet {

// How the centre of the marked pixels is formed.
namespace DetectType {
constexpr int Centre = 0;           // plain mean of the marked pixels
constexpr int CentreOfGravity = 1;  // weighted by the grey level of the original picture
}  // namespace DetectType

// The X drawn at a detected centre: 17 offsets of radius 4, in drawing order.
struct MarkOffset {
    int dx;
    int dy;
};
inline constexpr std::array<MarkOffset, 17> kCentreMark{{
    {-4, -4}, {4, -4}, {-3, -3}, {3, -3}, {-2, -2}, {2, -2}, {-1, -1}, {1, -1}, {0, 0},
    {-1, 1},  {1, 1},  {-2, 2},  {2, 2},  {-3, 3},  {3, 3},  {-4, 4},  {4, 4},
}};

struct CentreResult {
    BinariseCounts counts;
    // In image pixels, origin at the top-left corner of the top-left pixel: a single marked
    // pixel (x, y) gives (x + 0.5, y + 0.5). (0, 0) when nothing is marked or, weighted, when
    // every marked pixel is black.
    double cx = 0;
    double cy = 0;
};

// Binarises as Binarise does, then finds the centre of the marked pixels and inverts the
// layer under CentreMark around it (marked pixels take the complement of the colour, empty
// ones turn white). The mark sits at (trunc(cx), trunc(cy)) but one row higher, its offsets
// skipped on column 0, row -1 and beyond the image; an exact (0, 0) draws no mark.
CentreResult DetectCentre(const Dib& original, Dib& layer, const RoiSpans& roi, int max, int min, int type,
                          uint32_t colour);

// The mark alone, on a layer of the image's size.
void DrawCentreMark(Dib& layer, double cx, double cy);

}  // namespace tessmet
