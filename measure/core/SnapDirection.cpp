#include "measure/core/SnapDirection.h"

#include "measure/core/NumberText.h"

#include <algorithm>
#include <cmath>

namespace tessmet {
namespace {

struct Direction {
    double cos;
    double sin;
    double bandLow;   // excluded
    double bandHigh;  // included
};

// 15 k degrees for k = 1..23, with the cosines of 15 k -/+ 7.5 degrees as the band.
constexpr Direction kDirections[] = {
    {0.9659, 0.2588, 0.9239, 0.9914},    {0.866, 0.5, 0.7934, 0.9239},        {0.7071, 0.7071, 0.6088, 0.7934},
    {0.5, 0.866, 0.3827, 0.6088},        {0.2588, 0.9659, 0.1305, 0.3827},    {0.0, 1.0, -0.1305, 0.1305},
    {-0.2588, 0.9659, -0.3827, -0.1305}, {-0.5, 0.866, -0.6088, -0.3827},     {-0.7071, 0.7071, -0.7934, -0.6088},
    {-0.866, 0.5, -0.9239, -0.7934},     {-0.9659, 0.2588, -0.9914, -0.9239}, {-1.0, 0.0, -0.9914, -0.9914},
    {-0.9659, -0.2588, -0.9914, -0.9239}, {-0.866, -0.5, -0.9239, -0.7934},   {-0.7071, -0.7071, -0.7934, -0.6088},
    {-0.5, -0.866, -0.6088, -0.3827},    {-0.2588, -0.9659, -0.3827, -0.1305}, {0.0, -1.0, -0.1305, 0.1305},
    {0.2588, -0.9659, 0.1305, 0.3827},   {0.5, -0.866, 0.3827, 0.6088},       {0.7071, -0.7071, 0.6088, 0.7934},
    {0.866, -0.5, 0.7934, 0.9239},       {0.9659, -0.2588, 0.9239, 0.9914},
};

constexpr double kHorizontal = 0.9914;

}  // namespace

Point SnapDirection(Point v) {
    const double vx = v.x;
    const double vy = v.y;
    const double c = std::sqrt(vx * vx + vy * vy);
    if (c == 0.0) return v;
    const double cx = vx / c;
    const double cy = vy / c;
    if (cx >= kHorizontal) return {RoundCoordinate(c), 0};
    if (cx <= -kHorizontal) return {-RoundCoordinate(c), 0};
    for (const Direction& d : kDirections) {
        if (cx > d.bandLow && cx <= d.bandHigh && cy * d.sin >= 0.0) {
            return {RoundCoordinate(c * d.cos), RoundCoordinate(c * d.sin)};
        }
    }
    return v;
}

}  // namespace tessmet
