#pragma once

#include "measure/core/Point.h"

namespace tessmet {

// Direction of O -> P in degrees, in [0, 360), counter-clockwise on screen (the y axis turned
// upwards), with x steps scaled by the aspect ratio r so that both axes have the same physical
// length. r = 0 gives 0, and so does P = O.
double DirectionAngle(Point o, Point p, double r);

// The counter-clockwise sweep on screen from the direction O -> B to the direction O -> A, in
// [0, 360): DirectionAngle(O, A) - DirectionAngle(O, B), plus 360 when negative.
double AngleBetween(Point o, Point a, Point b, double r);

}  // namespace tessmet
