#include "measure/workspace/LayerComposition.h"

#include "measure/draw/ViewFont.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace tessmet {
namespace {

constexpr ColorRef kOutlineWhite = 0xFFFFFFu;
constexpr ColorRef kOutlineRed = 0x0000FFu;

bool AnyNonZero(const uint8_t* p, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        if (p[i] != 0) return true;
    }
    return false;
}

void DrawRegionShape(Canvas& canvas, const RegionOfInterest& region, const Stroke& stroke) {
    const std::vector<Point>& p = region.points();
    switch (region.type()) {
        case RoiType::Rectangle: {
            if (p.size() != 2) return;
            const Point corners[] = {p[0], {p[0].x, p[1].y}, p[1], {p[1].x, p[0].y}};
            canvas.polyline(corners, true, stroke);
            return;
        }
        case RoiType::Ellipse: {
            if (p.size() != 2) return;
            const QPointF centre((static_cast<double>(p[0].x) + p[1].x) / 2.0, (static_cast<double>(p[0].y) + p[1].y) / 2.0);
            const double rx = (static_cast<double>(p[1].x) - p[0].x) / 2.0;
            const double ry = (static_cast<double>(p[1].y) - p[0].y) / 2.0;
            if (rx == 0.0 || ry == 0.0) {
                canvas.line(p[0], p[1], stroke);  // a one-pixel-thin box is its own outline
            } else {
                canvas.ellipse(centre, rx, ry, stroke);
            }
            return;
        }
        case RoiType::Polygon: canvas.polyline(p, true, stroke); return;
        default: return;
    }
}

}  // namespace

void ApplyProcessingLayer(Dib& display, const Dib& processing) {
    if (!display.sameLayout(processing)) return;
    const int bytes = display.bytesPerPixel();
    const int rowBytes = display.width() * bytes;
    for (int y = 0; y < display.height(); ++y) {
        const uint8_t* source = processing.row(y);
        uint8_t* target = display.row(y);
        for (int offset = 0; offset < rowBytes; offset += bytes) {
            if (AnyNonZero(source + offset, bytes)) std::memcpy(target + offset, source + offset, static_cast<size_t>(bytes));
        }
    }
}

void DrawStoredDrawObjects(Canvas& canvas, const CGraphicStore& store, const QFont& font) {
    std::array<int, 5> nextOfKind{};  // per draw kind, the index of its next record
    GraphicRecord record;
    for (int i = 0; i < store.Capacity(); ++i) {
        const ObjectKind kind = store.KindAt(i);
        if (kind == 0) break;
        if ((kind & Kind::DrawMask) == 0 || kind > Kind::Text) continue;
        const int n = nextOfKind[static_cast<size_t>(kind)]++;
        if (store.Get(kind, n, record) != 0) continue;
        const std::vector<int32_t>& f = record.fields;
        if (static_cast<int>(f.size()) != FieldCount(kind)) continue;
        // The pen is the last three fields of every kind.
        const size_t penAt = f.size() - 3;
        const Pen pen{f[penAt], f[penAt + 1], f[penAt + 2]};
        const Stroke stroke = Stroke::FromPen(pen, false);
        switch (kind) {
            case Kind::Line: canvas.line({f[0], f[1]}, {f[2], f[3]}, stroke); break;
            case Kind::Rectangle: {
                const Point corners[] = {{f[0], f[1]}, {f[0], f[3]}, {f[2], f[3]}, {f[2], f[1]}};
                canvas.polyline(corners, true, stroke);
                break;
            }
            case Kind::Circle: canvas.ellipse(Point{f[0], f[1]}, f[2], f[2], stroke); break;
            case Kind::Text:
                canvas.text({f[0], f[1]}, record.text, font, Ink::Color(static_cast<ColorRef>(pen.color) & 0xFFFFFFu));
                break;
            default: break;
        }
    }
    canvas.flush();
}

void DrawRegionOutline(Canvas& canvas, const RegionOfInterest& region) {
    if (region.isWholeImage()) return;
    DrawRegionShape(canvas, region, Stroke{PenStyle::Solid, 1, Ink::Color(kOutlineWhite)});
    DrawRegionShape(canvas, region, Stroke{PenStyle::Dot, 1, Ink::Color(kOutlineRed)});
}

void ComposeLayers(ImageSet& images, const LayerSources& sources) {
    if (images.isNull()) return;
    Dib& display = images.display();
    const Dib& original = images.original();
    if (!display.sameLayout(original)) return;
    const LayerFlags& flags = sources.flags;

    // Black, or the original picture over it: one pass either way.
    if (flags.originalLayer) {
        std::memcpy(display.bits(), original.bits(), original.sizeBytes());
    } else {
        display.fill(0);
    }
    if (flags.processingLayer) ApplyProcessingLayer(display, images.processing());

    const bool drawObjects = flags.drawLayer && sources.store.Count() > 0;
    const bool measurements = flags.measureLayer && sources.store.Count() > 0;
    const bool outline = flags.processingLayer && !sources.region.isWholeImage();
    if (!drawObjects && !measurements && !outline) return;

    std::optional<Canvas> drawing;
    if (sources.mask) {
        drawing.emplace(display, *sources.mask);
    } else {
        drawing.emplace(display);
    }
    Canvas& canvas = *drawing;
    const QFont font = ViewFont(sources.look.font);
    if (drawObjects) DrawStoredDrawObjects(canvas, sources.store, font);
    if (measurements) DrawStoredMeasurements(canvas, sources.store, sources.calibration, sources.look, sources.recompute);
    if (outline) DrawRegionOutline(canvas, sources.region);
}

}  // namespace tessmet
