#pragma once

#include "measure/core/Pen.h"
#include "measure/core/Point.h"
#include "measure/draw/RowSpans.h"
#include "measure/processing/Dib.h"

#include <QFont>
#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QRect>

#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace tessmet {

// What a figure does to the pixels it covers: paint them in a colour, or invert them (the
// NOT-XOR raster operation with a black pen). Inverting is exact, so drawing the same figure
// twice restores every pixel.
struct Ink {
    bool invert = false;
    ColorRef color = 0;

    static Ink Invert() { return {true, 0}; }
    static Ink Color(ColorRef c) { return {false, c}; }
    bool operator==(const Ink&) const = default;
};

// A pen as the canvas draws it. Styles 1-4 (dash 18-6, dot 3-3, dash-dot 9-6-3-6,
// dash-dot-dot 9-3-3-3-3-3 pixels) apply to width 1 only: any other width draws solid, width 0
// and below as one pixel, wider pens with round ends. Unknown styles draw solid.
struct Stroke {
    int32_t style = PenStyle::Solid;
    int32_t width = 1;
    Ink ink;

    // The stored pen; `invert` draws it by inverting instead of in its colour.
    static Stroke FromPen(const Pen& pen, bool invert);
    bool operator==(const Stroke&) const = default;
};

// Pens wider than this draw at this width; a settings file can hold any number.
constexpr int kMaxPenWidth = 256;

// The scratch mask a canvas rasterises its figures into: one 32-bit word per pixel of the target,
// zero outside the figure being drawn. Zero-allocated, so the pages far from every figure are
// never touched, and left zeroed by every canvas, so a caller that draws into the same large
// bitmap again and again (the view recomposing its layers) can keep one instead of allocating
// and clearing one each time.
class CanvasMask {
public:
    CanvasMask() = default;
    CanvasMask(const CanvasMask&) = delete;
    CanvasMask& operator=(const CanvasMask&) = delete;

    // The mask for a target of `size`, made anew (zeroed) when the size differs. Null when it
    // cannot be allocated.
    QImage* For(QSize size);

private:
    struct FreeBits {
        void operator()(void* p) const { std::free(p); }
    };
    std::unique_ptr<uint8_t, FreeBits> bits_;
    QImage image_;
};

// Draws figures into a bitmap of 16 (RGB555), 24 (BGR888) or 32 bits (RGB32, also ARGB32 and
// its premultiplied form) per pixel, either the display bitmap (Dib) or a QImage such as the
// view's off-screen copy.
//
// QPainter only rasterises each figure into a private mask; the canvas then writes the pen
// colour into, or inverts, the masked pixels itself. That keeps inversion exact on every format
// (the raster operations of QPainter do not cover them all) and leaves the fourth byte of
// 32-bit pixels and the spare top bit of 16-bit pixels as they were. Colours reach 16-bit
// pixels by their top five bits per channel.
//
// Inverting figures are collected and applied together by flush() (called before any coloured
// figure, and by the destructor), so pixels covered by several strokes of one figure, such as
// the crossing of an X marker, are inverted once.
//
// Coordinates are logical: `origin` is the logical position of the image's top-left pixel
// (the view passes its scroll position to draw in view coordinates). Figures are clipped to the
// image; coordinates far outside it are fine.
class Canvas {
public:
    explicit Canvas(QImage& target, QPoint origin = {});
    explicit Canvas(Dib& dib);
    // The same with a mask kept by the caller (see CanvasMask).
    Canvas(Dib& dib, CanvasMask& mask);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // False for an unsupported format or an empty image: every call then draws nothing.
    bool isValid() const { return layout_ != Layout::None; }
    // The logical rectangle the image covers.
    QRect area() const;

    void line(Point a, Point b, const Stroke& stroke);
    // Through the points in order; `closed` adds the segment back to the first.
    void polyline(std::span<const Point> points, bool closed, const Stroke& stroke);
    // The infinite line through a and b, across the whole image. Nothing when a equals b.
    void extendedLine(Point a, Point b, const Stroke& stroke);
    // Axis-parallel ellipse around the centre (a circle when the radii agree).
    void ellipse(Point centre, int radiusX, int radiusY, const Stroke& stroke);
    // The same around a centre that may lie between pixels, with fractional radii: the ellipse
    // through the outermost pixels of a box whose sides have an even number of pixels.
    void ellipse(QPointF centre, double radiusX, double radiusY, const Stroke& stroke);
    // Arc of the circle around the centre, counter-clockwise on screen from the direction of
    // `start` to that of `end`; a full circle when the two directions agree.
    void arc(Point centre, int radius, Point start, Point end, const Stroke& stroke);
    // The polygon's inside by the winding rule, right and bottom edges excluded: exactly the
    // pixels PolygonPixelCount counts.
    void fillPolygon(std::span<const Point> vertices, const Ink& ink);
    // One line of text with its top-left corner at `topLeft`, transparent background.
    void text(Point topLeft, const std::string& text, const QFont& font, const Ink& ink);

    // Applies the inverting figures drawn since the last flush.
    void flush();

    // Pixels outside `logical` keep their value; figures are still rasterised whole, so what
    // lands inside is exactly what an unclipped canvas writes there. Null: no limit.
    void setWriteClip(const QRect& logical) { writeClip_ = logical; }
    // The logical rectangle around every pixel the figures covered since the last call, inside
    // the image, whether or not the write clip let it through; pending inverting figures count
    // once flushed.
    QRect takeTouched();

private:
    enum class Layout { None, Rgb555, Bgr888, Rgb888, Xrgb32 };

    void strokeLines(const std::vector<QLineF>& lines, const Stroke& stroke);
    void strokeClipped(const std::vector<QLineF>& pixelLines, const std::vector<double>& offsets, const Stroke& stroke);
    bool prepareMask();
    void finishFigure(const Ink& ink);
    void applyMask(const RowSpans& spans, const Ink& ink);

    QImage own_;               // the Dib's pixels, when constructed on a Dib
    QImage* target_ = nullptr;
    QPoint origin_;
    Layout layout_ = Layout::None;
    CanvasMask ownMask_;
    CanvasMask* maskSource_ = &ownMask_;
    QImage* mask_ = nullptr;   // from maskSource_, once the first figure needs it
    RowSpans figure_;          // what the figure being drawn may cover
    RowSpans pending_;         // pixels of inverting figures waiting for flush()
    QRect writeClip_;          // logical; null when every pixel may be written
    QRect touched_;            // target pixels covered since takeTouched()
};

}  // namespace tessmet
