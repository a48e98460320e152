#include "measure/workspace/LayerComposition.h"

#include "measure/core/MeasureKinds.h"
#include "measure/draw/ViewFont.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <utility>

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

// Copies every pixel of `source` with a non-zero byte over `target` (only looks when `Copy` is
// false), `count` pixels of `Bytes` bytes, and gives the first and last such pixel, or -1 for
// both when there is none. Eight pixels at a time are tested as whole 64-bit words first, so
// the long empty stretches of a processing layer cost little.
template <int Bytes, bool Copy>
std::pair<int, int> OverlayNonZero(uint8_t* target, const uint8_t* source, int count) {
    int first = -1, last = -1;
    const auto one = [&](int i) {
        const uint8_t* p = source + static_cast<ptrdiff_t>(i) * Bytes;
        bool any = false;
        for (int b = 0; b < Bytes; ++b) any |= p[b] != 0;
        if (!any) return;
        if (first < 0) first = i;
        last = i;
        if constexpr (Copy) std::memcpy(target + static_cast<ptrdiff_t>(i) * Bytes, p, Bytes);
    };
    constexpr int kGroup = 8;  // pixels, that is `Bytes` words
    int i = 0;
    for (; i + kGroup <= count; i += kGroup) {
        const uint8_t* group = source + static_cast<ptrdiff_t>(i) * Bytes;
        uint64_t any = 0;
        for (int w = 0; w < Bytes; ++w) {
            uint64_t word;
            std::memcpy(&word, group + 8 * w, sizeof word);
            any |= word;
        }
        if (any == 0) continue;
        for (int k = 0; k < kGroup; ++k) one(i + k);
    }
    for (; i < count; ++i) one(i);
    return {first, last};
}

template <bool Copy>
std::pair<int, int> OverlayNonZero(uint8_t* target, const uint8_t* source, int count, int bytes) {
    switch (bytes) {
        case 2: return OverlayNonZero<2, Copy>(target, source, count);
        case 3: return OverlayNonZero<3, Copy>(target, source, count);
        case 4: return OverlayNonZero<4, Copy>(target, source, count);
        default: break;
    }
    int first = -1, last = -1;
    for (int i = 0; bytes > 0 && i < count; ++i) {
        const uint8_t* p = source + static_cast<ptrdiff_t>(i) * bytes;
        if (!AnyNonZero(p, bytes)) continue;
        if (first < 0) first = i;
        last = i;
        if constexpr (Copy) std::memcpy(target + static_cast<ptrdiff_t>(i) * bytes, p, static_cast<size_t>(bytes));
    }
    return {first, last};
}

}  // namespace

QRect NonZeroBounds(const Dib& dib) {
    QRect bounds;
    for (int y = 0; y < dib.height(); ++y) {
        const auto [first, last] = OverlayNonZero<false>(nullptr, dib.row(y), dib.width(), dib.bytesPerPixel());
        if (first >= 0) bounds |= QRect(QPoint(first, y), QPoint(last, y));
    }
    return bounds;
}

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

void DrawStoredDrawObject(Canvas& canvas, ObjectKind kind, const GraphicRecord& record, const QFont& font) {
    const std::vector<int32_t>& f = record.fields;
    if (static_cast<int>(f.size()) != FieldCount(kind)) return;
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

void DrawStoredDrawObjects(Canvas& canvas, const CGraphicStore& store, const QFont& font) {
    std::array<int, 5> nextOfKind{};  // per draw kind, the index of its next record
    GraphicRecord record;
    for (int i = 0; i < store.Capacity(); ++i) {
        const ObjectKind kind = store.KindAt(i);
        if (kind == 0) break;
        if ((kind & Kind::DrawMask) == 0 || kind > Kind::Text) continue;
        const int n = nextOfKind[static_cast<size_t>(kind)]++;
        if (store.Get(kind, n, record) != 0) continue;
        DrawStoredDrawObject(canvas, kind, record, font);
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

// LayerComposer ------------------------------------------------------------------------------

namespace {

// A partial composition pays for every record that reaches into its rectangle and for the
// rectangle's pixels; beyond this share of the image a full one is as quick.
constexpr double kFullShare = 0.5;

// Everything a record's pixels depend on besides the look: its kind, fields and text and, for a
// measurement, the calibration its result text and construction use, and whether its derived
// point is recomputed. A record whose key changed is composed again where it was and where it
// is now.
std::string KeyOf(ObjectKind kind, const GraphicRecord& record, const LayerSources& sources) {
    std::string key;
    key.reserve(4 + record.fields.size() * 4 + 1 + record.text.size() + 2 + 2 * sizeof(double));
    const auto put = [&key](const auto& v) { key.append(reinterpret_cast<const char*>(&v), sizeof v); };
    put(kind);
    for (int32_t v : record.fields) put(v);
    key.push_back('\0');
    key += record.text;
    if (IsMeasureKind(kind)) {
        const CalibrationValues& c = sources.calibration;
        put(c.unit);
        put(c.hResolution);
        put(c.vResolution);
        // Only these two kinds draw a recomputed point differently.
        const bool recomputed = sources.recompute && (kind == Kind::VerticalDistance || kind == Kind::ThreePointRadius);
        key.push_back(recomputed ? '\1' : '\0');
    }
    return key;
}

// Black or the original picture, then the processing layer, within `rect`. Gives the rectangle
// around the processing pixels it put there (null with the layer off).
QRect ComposeBaseWithin(ImageSet& images, const LayerFlags& flags, const QRect& rect) {
    Dib& display = images.display();
    const Dib& original = images.original();
    const Dib& processing = images.processing();
    const int bytes = display.bytesPerPixel();
    const size_t offset = static_cast<size_t>(rect.left()) * static_cast<size_t>(bytes);
    const size_t length = static_cast<size_t>(rect.width()) * static_cast<size_t>(bytes);
    const bool withProcessing = flags.processingLayer && processing.sameLayout(display);
    QRect shown;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        uint8_t* target = display.row(y) + offset;
        if (flags.originalLayer) {
            std::memcpy(target, original.row(y) + offset, length);
        } else {
            std::memset(target, 0, length);
        }
        if (!withProcessing) continue;
        const auto [first, last] = OverlayNonZero<true>(target, processing.row(y) + offset, rect.width(), bytes);
        if (first >= 0) shown |= QRect(QPoint(rect.left() + first, y), QPoint(rect.left() + last, y));
    }
    return shown;
}

}  // namespace

bool LayerComposer::Look::operator==(const Look& o) const {
    return bits == o.bits && width == o.width && height == o.height && bitsPerPixel == o.bitsPerPixel &&
           originalLayer == o.originalLayer && arrows == o.arrows && fillArea == o.fillArea && font == o.font;
}

LayerComposer::Look LayerComposer::LookOf(const ImageSet& images, const LayerSources& sources) {
    Look look;
    const Dib& display = images.display();
    look.bits = display.isNull() ? nullptr : display.bits();
    look.width = display.width();
    look.height = display.height();
    look.bitsPerPixel = display.bitsPerPixel();
    look.originalLayer = sources.flags.originalLayer;
    look.arrows = sources.look.arrows;
    look.fillArea = sources.look.fillArea;
    look.font = sources.look.font;
    return look;
}

std::vector<LayerComposer::Entry> LayerComposer::entriesOf(const LayerSources& sources) const {
    // The draw objects, then the measurements, each in creation order: the order of ComposeLayers.
    std::vector<Entry> entries;
    const CGraphicStore& store = sources.store;
    if (store.Count() == 0) return entries;
    const auto collect = [&](bool drawObjects) {
        std::array<int, 16> nextOfKind{};
        for (int i = 0; i < store.Capacity(); ++i) {
            const ObjectKind kind = store.KindAt(i);
            if (kind == 0) break;
            const bool isDraw = (kind & Kind::DrawMask) != 0 && kind <= Kind::Text;
            if (drawObjects ? !isDraw : !IsMeasureKind(kind)) continue;
            const size_t slot = static_cast<size_t>(drawObjects ? kind : kind / 16);
            if (slot >= nextOfKind.size()) continue;
            Entry entry;
            entry.kind = kind;
            if (store.Get(kind, nextOfKind[slot]++, entry.record) != 0) continue;
            entry.key = KeyOf(kind, entry.record, sources);
            entries.push_back(std::move(entry));
        }
    };
    if (sources.flags.drawLayer) collect(true);
    if (sources.flags.measureLayer) collect(false);
    return entries;
}

void LayerComposer::drawEntry(Canvas& canvas, const Entry& entry, const LayerSources& sources, const QFont& font) const {
    if (IsMeasureKind(entry.kind)) {
        DrawRecord(canvas, entry.kind, entry.record.fields, sources.calibration, sources.look, sources.recompute);
    } else {
        DrawStoredDrawObject(canvas, entry.kind, entry.record, font);
    }
    canvas.flush();
}

QRegion LayerComposer::composeAll(ImageSet& images, const LayerSources& sources, std::vector<Entry> entries) {
    Dib& display = images.display();
    const QRect whole(0, 0, display.width(), display.height());
    const QRect processingShown = ComposeBaseWithin(images, sources.flags, whole);
    // With its layer on the whole processing bitmap went past: its bounds come for free.
    if (sources.flags.processingLayer) processingBounds_ = processingShown;
    processingShown_ = sources.flags.processingLayer;
    const bool outline = sources.flags.processingLayer && !sources.region.isWholeImage();
    if (!entries.empty() || outline) {
        std::optional<Canvas> drawing;
        if (sources.mask) {
            drawing.emplace(display, *sources.mask);
        } else {
            drawing.emplace(display);
        }
        const QFont font = ViewFont(sources.look.font);
        for (Entry& entry : entries) {
            drawEntry(*drawing, entry, sources, font);
            entry.bounds = drawing->takeTouched();
        }
        if (outline) {
            DrawRegionOutline(*drawing, sources.region);
            drawing->flush();
        }
        outlineBounds_ = outline ? drawing->takeTouched() : QRect();
    } else {
        outlineBounds_ = QRect();
    }
    region_ = sources.region;
    entries_ = std::move(entries);
    valid_ = true;
    lastFull_ = true;
    return whole;
}

void LayerComposer::composeWithin(ImageSet& images, const LayerSources& sources, const QRect& rect) {
    ComposeBaseWithin(images, sources.flags, rect);
    const bool outline = sources.flags.processingLayer && !sources.region.isWholeImage();
    std::optional<Canvas> drawing;
    if (sources.mask) {
        drawing.emplace(images.display(), *sources.mask);
    } else {
        drawing.emplace(images.display());
    }
    drawing->setWriteClip(rect);
    const QFont font = ViewFont(sources.look.font);
    for (const Entry& entry : entries_) {
        if (entry.bounds.intersects(rect)) drawEntry(*drawing, entry, sources, font);
    }
    if (outline) DrawRegionOutline(*drawing, sources.region);
}

QRegion LayerComposer::Update(ImageSet& images, const LayerSources& sources, const QRegion& foreign) {
    if (images.isNull() || !images.display().sameLayout(images.original())) {
        valid_ = false;
        return {};
    }
    Look look = LookOf(images, sources);
    std::vector<Entry> entries = entriesOf(sources);
    if (!valid_ || !(look == look_)) {
        look_ = std::move(look);
        return composeAll(images, sources, std::move(entries));
    }
    Dib& display = images.display();
    const QRect whole(0, 0, display.width(), display.height());
    QRegion rect = foreign & whole;

    // Match the records kept from the last composition; the store only ever appends records and
    // removes some, so what is left of the old order is a common subsequence of both.
    std::vector<size_t> added;
    size_t i = 0, j = 0;
    while (i < entries_.size()) {
        if (j < entries.size() && entries_[i].key == entries[j].key) {
            entries[j++].bounds = entries_[i++].bounds;
            continue;
        }
        // The oldest record dropped while one just like it was added: the next one matches here.
        if (j < entries.size() && i + 1 < entries_.size() && entries_[i + 1].key == entries[j].key) {
            rect |= entries_[i++].bounds;  // removed
            continue;
        }
        size_t k = j;
        while (k < entries.size() && entries[k].key != entries_[i].key) ++k;
        if (k < entries.size()) {
            for (; j < k; ++j) added.push_back(j);
        } else {
            rect |= entries_[i].bounds;  // removed
            ++i;
        }
    }
    for (; j < entries.size(); ++j) added.push_back(j);

    // Beyond this share of the image a full composition is as quick; once what changes is
    // known to reach it, the figures left are not looked at.
    const auto tooLarge = [&] {
        double area = 0.0;
        for (const QRect& r : rect & whole) area += static_cast<double>(r.width()) * r.height();
        return area > kFullShare * whole.width() * whole.height();
    };
    const auto composeEverything = [&] {
        entries_ = std::move(entries);
        return composeAll(images, sources, std::move(entries_));
    };
    if (tooLarge()) return composeEverything();

    // What new figures cover is found by drawing them with nothing written.
    std::optional<Canvas> probe;
    const auto probing = [&]() -> Canvas& {
        if (!probe) {
            if (sources.mask) {
                probe.emplace(display, *sources.mask);
            } else {
                probe.emplace(display);
            }
            probe->setWriteClip(QRect(-2, -2, 1, 1));
        }
        return *probe;
    };
    // The processing layer switched: its pixels appear or go.
    const bool processing = sources.flags.processingLayer;
    const bool outlineWas = processingShown_ && !region_.isWholeImage();
    if (processing != processingShown_) {
        if (!processingBounds_) processingBounds_ = NonZeroBounds(images.processing());
        rect |= *processingBounds_;
        processingShown_ = processing;
    }
    // The region's outline, drawn while the processing layer is on, moved, appears or goes.
    const bool outline = processing && !sources.region.isWholeImage();
    if (!(sources.region == region_) || outline != outlineWas) {
        rect |= outlineBounds_;
        outlineBounds_ = QRect();
        if (outline) {
            Canvas& canvas = probing();
            DrawRegionOutline(canvas, sources.region);
            canvas.flush();
            outlineBounds_ = canvas.takeTouched();
            rect |= outlineBounds_;
        }
        region_ = sources.region;
    }
    if (!added.empty()) {
        const QFont font = ViewFont(sources.look.font);
        for (size_t index : added) {
            Canvas& canvas = probing();
            drawEntry(canvas, entries[index], sources, font);
            entries[index].bounds = canvas.takeTouched();
            rect |= entries[index].bounds;
            if (tooLarge()) {
                probe.reset();
                return composeEverything();
            }
        }
    }
    probe.reset();
    entries_ = std::move(entries);
    lastFull_ = false;
    rect &= whole;
    if (rect.isEmpty()) return {};
    if (tooLarge()) return composeAll(images, sources, std::move(entries_));
    for (const QRect& r : rect) composeWithin(images, sources, r);
    return rect;
}

}  // namespace tessmet
