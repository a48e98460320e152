#include "measure/draw/LineClip.h"

#include <cmath>
#include <limits>

namespace tessmet {
namespace {

// Liang-Barsky on the parameter range [t0, t1] of p + t d.
bool ClipRange(const QPointF& p, const QPointF& d, const QRectF& rect, double& t0, double& t1) {
    const double edges[4][2] = {
        {-d.x(), p.x() - rect.left()},
        {d.x(), rect.right() - p.x()},
        {-d.y(), p.y() - rect.top()},
        {d.y(), rect.bottom() - p.y()},
    };
    for (const auto& e : edges) {
        const double q = e[0];
        const double s = e[1];
        if (q == 0.0) {
            if (s < 0.0) return false;
            continue;
        }
        const double t = s / q;
        if (q < 0.0) {
            if (t > t1) return false;
            if (t > t0) t0 = t;
        } else {
            if (t < t0) return false;
            if (t < t1) t1 = t;
        }
    }
    return t0 <= t1;
}

}  // namespace

std::optional<ClippedLine> ClipSegment(const QLineF& segment, const QRectF& rect) {
    const QPointF p = segment.p1();
    const QPointF d = segment.p2() - segment.p1();
    double t0 = 0.0;
    double t1 = 1.0;
    if (!ClipRange(p, d, rect, t0, t1)) return std::nullopt;
    const double length = std::hypot(d.x(), d.y());
    return ClippedLine{QLineF(p + t0 * d, p + t1 * d), t0 * length};
}

std::optional<ClippedLine> ClipInfiniteLine(const QLineF& through, const QRectF& rect) {
    const QPointF p = through.p1();
    const QPointF d = through.p2() - through.p1();
    if (d.x() == 0.0 && d.y() == 0.0) return std::nullopt;
    double t0 = -std::numeric_limits<double>::infinity();
    double t1 = std::numeric_limits<double>::infinity();
    if (!ClipRange(p, d, rect, t0, t1)) return std::nullopt;
    const double length = std::hypot(d.x(), d.y());
    return ClippedLine{QLineF(p + t0 * d, p + t1 * d), t0 * length};
}

}  // namespace tessmet
