#include "measure/draw/Canvas.h"

#include "measure/core/PolygonArea.h"
#include "measure/draw/DibImage.h"
#include "measure/draw/LineClip.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace tessmet {
namespace {

constexpr double kPi = 3.141592653589793;

// Dash patterns of the pen styles for width 1, in pixels on and off.
QList<qreal> DashPattern(int32_t style) {
    switch (style) {
        case PenStyle::Dash: return {18, 6};
        case PenStyle::Dot: return {3, 3};
        case PenStyle::DashDot: return {9, 6, 3, 6};
        case PenStyle::DashDotDot: return {9, 3, 3, 3, 3, 3};
        default: return {};
    }
}

int MaskWidth(const Stroke& stroke) { return std::clamp(stroke.width, 1, kMaxPenWidth); }

QPen MaskPen(const Stroke& stroke, double dashOffset) {
    QPen pen(Qt::white);
    const int width = MaskWidth(stroke);
    if (width == 1) {
        pen.setWidth(1);
        pen.setCosmetic(true);
        const QList<qreal> pattern = stroke.width == 1 ? DashPattern(stroke.style) : QList<qreal>{};
        if (!pattern.isEmpty()) {
            pen.setDashPattern(pattern);
            qreal period = 0;
            for (qreal v : pattern) period += v;
            pen.setDashOffset(std::fmod(std::max(dashOffset, 0.0), period));
        }
    } else {
        pen.setWidth(width);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    return pen;
}

// Vertex count that keeps a polygon within an eighth of a pixel of a circle of radius r.
int SegmentsForRadius(double radius, double sweep) {
    const double full = kPi * std::sqrt(4.0 * std::max(radius, 1.0));
    const double n = std::ceil(std::max(full, 32.0) * sweep / (2.0 * kPi));
    return static_cast<int>(std::clamp(n, 4.0, 1.0e6));
}

}  // namespace

Stroke Stroke::FromPen(const Pen& pen, bool invert) {
    Stroke stroke;
    stroke.style = pen.effectiveStyle();
    stroke.width = pen.width;
    stroke.ink = invert ? Ink::Invert() : Ink::Color(static_cast<ColorRef>(pen.color));
    return stroke;
}

Canvas::Canvas(QImage& target, QPoint origin) : target_(&target), origin_(origin) {
    if (target.isNull()) return;
    switch (target.format()) {
        case QImage::Format_RGB555: layout_ = Layout::Rgb555; break;
        case QImage::Format_BGR888: layout_ = Layout::Bgr888; break;
        case QImage::Format_RGB888: layout_ = Layout::Rgb888; break;
        case QImage::Format_RGB32:
        case QImage::Format_ARGB32:
        case QImage::Format_ARGB32_Premultiplied: layout_ = Layout::Xrgb32; break;
        default: layout_ = Layout::None; break;
    }
}

Canvas::Canvas(Dib& dib, CanvasMask& mask) : Canvas(dib) { maskSource_ = &mask; }

Canvas::Canvas(Dib& dib) : own_(DibImage(dib)) {
    target_ = &own_;
    if (own_.isNull()) return;
    layout_ = dib.bitsPerPixel() == 16 ? Layout::Rgb555 : dib.bitsPerPixel() == 24 ? Layout::Bgr888 : Layout::Xrgb32;
}

Canvas::~Canvas() { flush(); }

QRect Canvas::area() const {
    if (!isValid()) return {};
    return QRect(origin_, target_->size());
}

QImage* CanvasMask::For(QSize size) {
    if (!image_.isNull() && image_.size() == size) return &image_;
    image_ = QImage();
    // 32 bits per pixel: QPainter strokes lines into this format directly, where a one-byte
    // format goes through its generic path, many times slower for long lines.
    const qsizetype stride = static_cast<qsizetype>(size.width()) * 4;
    bits_.reset(static_cast<uint8_t*>(std::calloc(static_cast<size_t>(stride) * static_cast<size_t>(size.height()), 1)));
    if (!bits_) return nullptr;
    image_ = QImage(bits_.get(), size.width(), size.height(), stride, QImage::Format_ARGB32_Premultiplied);
    return image_.isNull() ? nullptr : &image_;
}

bool Canvas::prepareMask() {
    if (!isValid()) return false;
    if (!mask_) {
        mask_ = maskSource_->For(target_->size());
        if (!mask_) return false;
        figure_.Reset(mask_->height());
        pending_.Reset(mask_->height());
    }
    return true;
}

void Canvas::line(Point a, Point b, const Stroke& stroke) {
    strokeLines({QLineF(a.x, a.y, b.x, b.y)}, stroke);
}

void Canvas::polyline(std::span<const Point> points, bool closed, const Stroke& stroke) {
    std::vector<QLineF> lines;
    for (size_t i = 1; i < points.size(); ++i) {
        lines.emplace_back(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
    }
    if (closed && points.size() > 2) lines.emplace_back(points.back().x, points.back().y, points[0].x, points[0].y);
    if (points.size() == 1) lines.emplace_back(points[0].x, points[0].y, points[0].x, points[0].y);
    strokeLines(lines, stroke);
}

void Canvas::extendedLine(Point a, Point b, const Stroke& stroke) {
    if (!isValid() || a == b) return;
    const double margin = MaskWidth(stroke) + 2.0;
    const QRectF bounds = QRectF(area()).adjusted(-margin, -margin, margin, margin);
    const std::optional<ClippedLine> visible = ClipInfiniteLine(QLineF(a.x, a.y, b.x, b.y), bounds);
    if (!visible) return;
    const QPointF shift(origin_);
    strokeClipped({visible->line.translated(-shift)}, {visible->startDistance}, stroke);
}

void Canvas::ellipse(Point centre, int radiusX, int radiusY, const Stroke& stroke) {
    ellipse(QPointF(centre.x, centre.y), static_cast<double>(radiusX), static_cast<double>(radiusY), stroke);
}

void Canvas::ellipse(QPointF centre, double radiusX, double radiusY, const Stroke& stroke) {
    const double rx = std::abs(radiusX);
    const double ry = std::abs(radiusY);
    if (rx == 0.0 && ry == 0.0) return;
    const int n = SegmentsForRadius(std::max(rx, ry), 2.0 * kPi);
    std::vector<QLineF> lines;
    lines.reserve(static_cast<size_t>(n));
    QPointF previous(centre.x() + rx, centre.y());
    for (int k = 1; k <= n; ++k) {
        const double t = 2.0 * kPi * k / n;
        const QPointF next(centre.x() + rx * std::cos(t), centre.y() - ry * std::sin(t));
        lines.emplace_back(previous, next);
        previous = next;
    }
    strokeLines(lines, stroke);
}

void Canvas::arc(Point centre, int radius, Point start, Point end, const Stroke& stroke) {
    const double r = std::abs(static_cast<double>(radius));
    if (r == 0.0) return;
    // Angles counter-clockwise on screen, so with the y axis turned upwards.
    const double from = std::atan2(-(static_cast<double>(start.y) - centre.y), static_cast<double>(start.x) - centre.x);
    const double to = std::atan2(-(static_cast<double>(end.y) - centre.y), static_cast<double>(end.x) - centre.x);
    double sweep = std::fmod(to - from, 2.0 * kPi);
    if (sweep <= 0.0) sweep += 2.0 * kPi;
    const int n = SegmentsForRadius(r, sweep);
    std::vector<QLineF> lines;
    lines.reserve(static_cast<size_t>(n));
    QPointF previous(centre.x + r * std::cos(from), centre.y - r * std::sin(from));
    for (int k = 1; k <= n; ++k) {
        const double t = from + sweep * k / n;
        const QPointF next(centre.x + r * std::cos(t), centre.y - r * std::sin(t));
        lines.emplace_back(previous, next);
        previous = next;
    }
    strokeLines(lines, stroke);
}

void Canvas::strokeLines(const std::vector<QLineF>& lines, const Stroke& stroke) {
    if (!isValid() || lines.empty()) return;
    const double margin = MaskWidth(stroke) + 2.0;
    const QRectF bounds = QRectF(area()).adjusted(-margin, -margin, margin, margin);
    const QPointF shift(origin_);
    std::vector<QLineF> visible;
    std::vector<double> offsets;
    double travelled = 0.0;
    for (const QLineF& line : lines) {
        if (const std::optional<ClippedLine> part = ClipSegment(line, bounds)) {
            visible.push_back(part->line.translated(-shift));
            offsets.push_back(travelled + part->startDistance);
        }
        travelled += line.length();
    }
    strokeClipped(visible, offsets, stroke);
}

void Canvas::strokeClipped(const std::vector<QLineF>& pixelLines, const std::vector<double>& offsets,
                           const Stroke& stroke) {
    if (pixelLines.empty() || !prepareMask()) return;
    if (!stroke.ink.invert) flush();
    const double margin = MaskWidth(stroke) / 2.0 + 2.0;
    for (const QLineF& line : pixelLines) figure_.AddLine(line, margin);
    const QRect dirty = figure_.bounds() & mask_->rect();
    if (dirty.isEmpty()) {
        figure_.Clear();
        return;
    }
    {
        QPainter painter(mask_);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setClipRect(dirty);
        for (size_t i = 0; i < pixelLines.size(); ++i) {
            painter.setPen(MaskPen(stroke, offsets[i]));
            painter.drawLine(pixelLines[i]);
        }
    }
    finishFigure(stroke.ink);
}

void Canvas::fillPolygon(std::span<const Point> vertices, const Ink& ink) {
    if (!prepareMask()) return;
    if (!ink.invert) flush();
    const QRect logical = area();
    ForEachPolygonSpan(vertices, {logical.left(), logical.top(), logical.right() + 1, logical.bottom() + 1},
                       [&](int y, int xBegin, int xEnd) {
                           const int row = y - origin_.y();
                           const int column = xBegin - origin_.x();
                           std::memset(mask_->scanLine(row) + 4 * static_cast<size_t>(column), 0xFF, 4 * static_cast<size_t>(xEnd - xBegin));
                           figure_.Add(row, column, xEnd - origin_.x() - 1);
                       });
    if (!figure_.empty()) finishFigure(ink);
}

void Canvas::text(Point topLeft, const std::string& text, const QFont& font, const Ink& ink) {
    if (text.empty() || !prepareMask()) return;
    if (!ink.invert) flush();
    const QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFontMetrics metrics(font);
    const QPoint at = QPoint(topLeft.x, topLeft.y) - origin_;
    const int baseline = at.y() + metrics.ascent();
    // Generous bounds: ink may stick out of the advance box (italics, overhangs).
    QRect box(at.x(), at.y(), metrics.horizontalAdvance(qtext), metrics.height());
    box |= metrics.boundingRect(qtext).translated(at.x(), baseline);
    const int slack = metrics.height();
    const QRect dirty = box.adjusted(-slack, -2, slack, 2) & mask_->rect();
    if (dirty.isEmpty()) return;
    {
        QPainter painter(mask_);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setClipRect(dirty);
        QFont binary(font);
        binary.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(binary);
        painter.setPen(Qt::white);
        painter.drawText(QPointF(at.x(), baseline), qtext);
    }
    figure_.Add(dirty);
    finishFigure(ink);
}

void Canvas::finishFigure(const Ink& ink) {
    if (ink.invert) {
        pending_.Merge(figure_);
    } else {
        applyMask(figure_, ink);
    }
    figure_.Clear();
}

void Canvas::flush() {
    if (pending_.empty() || !mask_) return;
    applyMask(pending_, Ink::Invert());
    pending_.Clear();
}

void Canvas::applyMask(const RowSpans& spans, const Ink& ink) {
    const uint8_t red = RedOf(ink.color);
    const uint8_t green = GreenOf(ink.color);
    const uint8_t blue = BlueOf(ink.color);
    const uint16_t word = static_cast<uint16_t>(((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3));
    const int width = mask_->width();
    // The write clip in target pixels.
    const QRect clip = writeClip_.isNull() ? mask_->rect() : writeClip_.translated(-origin_) & mask_->rect();
    int touchedLeft = INT_MAX, touchedRight = INT_MIN, touchedTop = INT_MAX, touchedBottom = INT_MIN;
    spans.ForEach([&](int y, int spanLeft, int spanRight) {
        const int left = std::max(spanLeft, 0);
        const int right = std::min(spanRight, width - 1);
        uint32_t* mask = reinterpret_cast<uint32_t*>(mask_->scanLine(y));
        uint8_t* row = target_->scanLine(y);
        const bool rowWritable = y >= clip.top() && y <= clip.bottom();
        for (int x = left; x <= right; ++x) {
            // Skip the empty mask four pixels at a time.
            while (x + 4 <= right + 1 && (mask[x] | mask[x + 1] | mask[x + 2] | mask[x + 3]) == 0) x += 4;
            if (x > right) break;
            if (mask[x] == 0) continue;
            mask[x] = 0;
            touchedLeft = std::min(touchedLeft, x);
            touchedRight = std::max(touchedRight, x);
            touchedTop = std::min(touchedTop, y);
            touchedBottom = std::max(touchedBottom, y);
            if (!rowWritable || x < clip.left() || x > clip.right()) continue;
            switch (layout_) {
                case Layout::Rgb555: {
                    uint8_t* p = row + 2 * x;
                    uint16_t value = static_cast<uint16_t>(p[0] | (p[1] << 8));
                    value = ink.invert ? static_cast<uint16_t>(value ^ 0x7FFF)
                                       : static_cast<uint16_t>((value & 0x8000) | word);
                    p[0] = static_cast<uint8_t>(value & 0xFF);
                    p[1] = static_cast<uint8_t>(value >> 8);
                    break;
                }
                case Layout::Bgr888:
                case Layout::Xrgb32: {
                    uint8_t* p = row + (layout_ == Layout::Bgr888 ? 3 : 4) * x;
                    if (ink.invert) {
                        p[0] ^= 0xFF;
                        p[1] ^= 0xFF;
                        p[2] ^= 0xFF;
                    } else {
                        p[0] = blue;
                        p[1] = green;
                        p[2] = red;
                    }
                    break;
                }
                case Layout::Rgb888: {
                    uint8_t* p = row + 3 * x;
                    if (ink.invert) {
                        p[0] ^= 0xFF;
                        p[1] ^= 0xFF;
                        p[2] ^= 0xFF;
                    } else {
                        p[0] = red;
                        p[1] = green;
                        p[2] = blue;
                    }
                    break;
                }
                case Layout::None: break;
            }
        }
    });
    if (touchedLeft <= touchedRight) {
        touched_ |= QRect(QPoint(touchedLeft, touchedTop), QPoint(touchedRight, touchedBottom)).translated(origin_);
    }
}

QRect Canvas::takeTouched() {
    const QRect touched = touched_;
    touched_ = QRect();
    return touched;
}

}  // namespace tessmet
