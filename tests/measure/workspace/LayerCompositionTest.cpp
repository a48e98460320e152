#include "measure/core/Measurement.h"
#include "measure/workspace/DisplayScaler.h"
#include "measure/workspace/LayerComposition.h"
#include "measure/workspace/ViewTestSupport.h"

#include <QtTest>

#include <random>

using namespace tessmet;
using testsupport::DisplayRgb;

namespace {

constexpr int32_t kBluePen = 0xFF0000;  // 0x00BBGGRR
constexpr int32_t kYellowPen = 0x00FFFF;

std::vector<int32_t> LineFields(Point a, Point b, int32_t colour) { return {a.x, a.y, b.x, b.y, 0, 1, colour}; }

std::vector<int32_t> DistanceFields(Point a, Point b, Point label, int32_t colour) {
    Measurement m;
    m.kind = Kind::TwoPointDistance;
    m.points = {a, b};
    m.label = label;
    m.pen = {0, 1, colour};
    return EncodeRecord(m);
}

struct Layers {
    explicit Layers(Dib picture) : images(ImageSet::FromPicture(std::move(picture))) {}
    void compose(LayerFlags flags) {
        MeasureLook look;
        look.arrows = false;
        ComposeLayers(images, LayerSources{store, region, flags, CalibrationValues{}, look, false});
    }
    ImageSet images;
    CGraphicStore store{64};
    RegionOfInterest region;
};

LayerFlags AllOn() {
    LayerFlags f;
    f.processingLayer = f.measureLayer = f.drawLayer = true;
    return f;
}

// The slow definition of the shrunken image: the average of each pixel's block.
uint32_t BlockAverage(const Dib& dib, double zoom, int u, int v) {
    const auto start = [zoom](int t) { return t <= 0 ? 0 : static_cast<int>(t / zoom); };
    uint64_t r = 0, g = 0, b = 0, n = 0;
    for (int y = start(v); y < std::min(start(v + 1), dib.height()); ++y) {
        for (int x = start(u); x < std::min(start(u + 1), dib.width()); ++x) {
            const uint32_t c = DisplayRgb(dib, x, y);
            r += c >> 16;
            g += (c >> 8) & 0xFF;
            b += c & 0xFF;
            ++n;
        }
    }
    if (n == 0) return 0;
    return uint32_t(r / n) << 16 | uint32_t(g / n) << 8 | uint32_t(b / n);
}

Dib Noise(int w, int h, int bits, unsigned seed) {
    Dib dib(w, h, bits);
    std::mt19937 random(seed);
    for (size_t i = 0; i < dib.sizeBytes(); ++i) dib.bits()[i] = static_cast<uint8_t>(random());
    if (bits == 16) {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) dib.pixel(x, y)[1] &= 0x7F;
        }
    }
    return dib;
}

}  // namespace

class tst_LayerComposition : public QObject {
    Q_OBJECT

private slots:
    void withEveryLayerOffTheImageIsBlack() {
        Layers l(testsupport::Grey(40, 30, 0xC0));
        l.store.Add(Kind::Line, LineFields({0, 5}, {39, 5}, kYellowPen));
        LayerFlags off;
        off.originalLayer = false;
        l.compose(off);
        const Dib& d = l.images.display();
        QVERIFY(std::all_of(d.bits(), d.bits() + d.sizeBytes(), [](uint8_t b) { return b == 0; }));
        LayerFlags original;
        l.compose(original);
        QCOMPARE(DisplayRgb(d, 10, 5), 0xC0C0C0u);
    }

    void processingPixelsReplaceTheImageWhereNotZero_data() {
        QTest::addColumn<int>("bits");
        QTest::newRow("16") << 16;
        QTest::newRow("24") << 24;
        QTest::newRow("32") << 32;
    }
    void processingPixelsReplaceTheImageWhereNotZero() {
        QFETCH(int, bits);
        Dib white(8, 8, bits);
        white.fill(0xFF);
        if (bits == 16) {
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; ++x) white.pixel(x, y)[1] = 0x7F;
            }
        }
        Layers l(std::move(white));
        Dib& processing = l.images.processing();
        WritePixel(processing.pixel(2, 3), 0, 255, 0, bits);
        processing.pixel(5, 5)[bits / 8 - 1] = 0x01;  // one non-zero byte is enough
        LayerFlags flags;
        flags.processingLayer = true;
        l.compose(flags);
        const Dib& d = l.images.display();
        QCOMPARE(DisplayRgb(d, 2, 3), 0x00FF00u);
        QVERIFY(std::equal(d.pixel(5, 5), d.pixel(5, 5) + d.bytesPerPixel(), processing.pixel(5, 5)));
        QCOMPARE(DisplayRgb(d, 4, 4), 0xFFFFFFu);
        l.compose(LayerFlags());
        QCOMPARE(DisplayRgb(d, 2, 3), 0xFFFFFFu);
    }

    void measurementsLieOverDrawObjectsWhateverTheirAge() {
        Layers l(testsupport::Grey(100, 60, 0));
        // The measurement is older, yet the measure layer comes after the draw layer.
        l.store.Add(Kind::TwoPointDistance, DistanceFields({50, 0}, {50, 59}, {60, 40}, kBluePen));
        l.store.Add(Kind::Line, LineFields({0, 20}, {99, 20}, kYellowPen));
        l.compose(AllOn());
        const Dib& d = l.images.display();
        QCOMPARE(DisplayRgb(d, 50, 20), 0x0000FFu);
        QCOMPARE(DisplayRgb(d, 30, 20), 0xFFFF00u);
        LayerFlags noMeasures = AllOn();
        noMeasures.measureLayer = false;
        l.compose(noMeasures);
        QCOMPARE(DisplayRgb(d, 50, 20), 0xFFFF00u);
        QCOMPARE(DisplayRgb(d, 50, 40), 0u);
    }

    void regionOutlineLiesOnTopWhileTheProcessingLayerIsOn() {
        Layers l(testsupport::Grey(100, 60, 0));
        l.store.Add(Kind::TwoPointDistance, DistanceFields({0, 10}, {99, 10}, {60, 40}, kBluePen));
        l.region = RegionOfInterest::Rectangle({10, 10}, {80, 50});
        l.compose(AllOn());
        const Dib& d = l.images.display();
        int white = 0, red = 0;
        for (int x = 11; x < 80; ++x) {
            const uint32_t c = DisplayRgb(d, x, 10);
            white += c == 0xFFFFFFu;
            red += c == 0xFF0000u;
        }
        QVERIFY(white > 20 && red > 20 && white + red == 69);
        // The right and bottom edges belong to the region: the outline runs through them.
        QVERIFY(DisplayRgb(d, 80, 30) == 0xFFFFFFu || DisplayRgb(d, 80, 30) == 0xFF0000u);
        QVERIFY(DisplayRgb(d, 40, 50) == 0xFFFFFFu || DisplayRgb(d, 40, 50) == 0xFF0000u);
        QCOMPARE(DisplayRgb(d, 81, 30), 0u);
        LayerFlags noProcessing = AllOn();
        noProcessing.processingLayer = false;
        l.compose(noProcessing);
        QCOMPARE(DisplayRgb(d, 40, 50), 0u);
        QCOMPARE(DisplayRgb(d, 40, 10), 0x0000FFu);
    }

    void drawObjectsKeepTheirOwnPens() {
        Layers l(testsupport::Grey(100, 100, 0));
        l.store.Add(Kind::Rectangle, std::vector<int32_t>{10, 10, 40, 30, 0, 1, kYellowPen});
        l.store.Add(Kind::Circle, std::vector<int32_t>{70, 70, 20, 0, 3, kBluePen});
        l.store.Add(Kind::Text, std::vector<int32_t>{5, 60, 0, 1, 0x0000FF}, "Tx");
        l.compose(AllOn());
        const Dib& d = l.images.display();
        for (Point p : {Point{10, 10}, Point{10, 30}, Point{40, 30}, Point{40, 10}, Point{25, 30}}) {
            QCOMPARE(DisplayRgb(d, p.x, p.y), 0xFFFF00u);
        }
        QCOMPARE(DisplayRgb(d, 25, 20), 0u);
        QCOMPARE(DisplayRgb(d, 90, 70), 0x0000FFu);  // radius 20, width 3
        QCOMPARE(DisplayRgb(d, 89, 70), 0x0000FFu);
        QCOMPARE(DisplayRgb(d, 70, 70), 0u);
        int red = 0;
        for (int y = 60; y < 80; ++y) {
            for (int x = 5; x < 30; ++x) red += DisplayRgb(d, x, y) == 0xFF0000u;
        }
        QVERIFY(red > 10);
    }

    void shrinkingAveragesEachBlock_data() {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("bits");
        QTest::newRow("0.25 24-bit") << 0.25 << 24;
        QTest::newRow("0.5 32-bit") << 0.5 << 32;
        QTest::newRow("0.75 16-bit") << 0.75 << 16;
        QTest::newRow("0.3 24-bit") << 0.3 << 24;
    }
    void shrinkingAveragesEachBlock() {
        QFETCH(double, zoom);
        QFETCH(int, bits);
        const Dib dib = Noise(37, 29, bits, 11);
        QImage shrunk(ZoomedLength(37, zoom), ZoomedLength(29, zoom), QImage::Format_RGB32);
        QCOMPARE(shrunk.width(), static_cast<int>(std::ceil(37 * zoom - 1e-9)));
        ShrinkAveraged(dib, zoom, shrunk, shrunk.rect());
        for (int v = 0; v < shrunk.height(); ++v) {
            for (int u = 0; u < shrunk.width(); ++u) {
                QCOMPARE(shrunk.pixel(u, v) & 0xFFFFFFu, BlockAverage(dib, zoom, u, v));
            }
        }
    }

    void theShrunkenImageIsKeptUntilTheDisplayChanges() {
        Dib dib = testsupport::Grey(400, 300, 0x20);
        DisplayScaler scaler;
        QImage frame = scaler.Render(dib, 0.5, {10, 20}, {100, 80});
        QVERIFY(scaler.holdsShrunkImage(0.5));
        QCOMPARE(frame.pixel(0, 0) & 0xFFFFFFu, 0x202020u);
        // Image pixels (40..41, 60..61) make view pixel (20, 30), client (10, 10).
        for (int y = 60; y < 62; ++y) {
            for (int x = 40; x < 42; ++x) WritePixel(dib.pixel(x, y), 0xFF, 0xFF, 0xFF, 24);
        }
        frame = scaler.Render(dib, 0.5, {10, 20}, {100, 80});
        QCOMPARE(frame.pixel(10, 10) & 0xFFFFFFu, 0x202020u);  // not read again
        scaler.Invalidate(QRect(40, 60, 2, 2));
        frame = scaler.Render(dib, 0.5, {10, 20}, {100, 80});
        QCOMPARE(frame.pixel(10, 10) & 0xFFFFFFu, 0xFFFFFFu);
        QCOMPARE(frame.pixel(11, 10) & 0xFFFFFFu, 0x202020u);
        // Another zoom makes a new one; beyond the image the copy is black.
        frame = scaler.Render(dib, 0.25, {0, 0}, {120, 90});
        QVERIFY(scaler.holdsShrunkImage(0.25));
        QCOMPARE(frame.pixel(99, 74) & 0xFFFFFFu, 0x202020u);
        QCOMPARE(frame.pixel(100, 10) & 0xFFFFFFu, 0u);
        QCOMPARE(frame.pixel(10, 75) & 0xFFFFFFu, 0u);
    }

    void enlargingShowsPixelBlocksWhereAClickLands_data() {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("bits");
        QTest::addColumn<QPoint>("scroll");
        QTest::newRow("2.5 24-bit") << 2.5 << 24 << QPoint(7, 3);
        QTest::newRow("1 24-bit") << 1.0 << 24 << QPoint(3, 1);
        QTest::newRow("1 32-bit") << 1.0 << 32 << QPoint(0, 0);
        QTest::newRow("1 16-bit") << 1.0 << 16 << QPoint(2, 2);
        QTest::newRow("3 16-bit") << 3.0 << 16 << QPoint(1, 4);
        QTest::newRow("1.25 32-bit") << 1.25 << 32 << QPoint(5, 0);
    }
    void enlargingShowsPixelBlocksWhereAClickLands() {
        QFETCH(double, zoom);
        QFETCH(int, bits);
        QFETCH(QPoint, scroll);
        const Dib dib = Noise(23, 10, bits, 5);
        QImage frame(50, 30, QImage::Format_RGB32);
        StretchVisible(dib, zoom, scroll, frame);
        for (int y = 0; y < frame.height(); ++y) {
            for (int x = 0; x < frame.width(); ++x) {
                const int ix = static_cast<int>((x + scroll.x()) / zoom), iy = static_cast<int>((y + scroll.y()) / zoom);
                const uint32_t expected = ix < 23 && iy < 10 ? DisplayRgb(dib, ix, iy) : 0u;
                QCOMPARE(frame.pixel(x, y) & 0xFFFFFFu, expected);
            }
        }
    }
};

QTEST_MAIN(tst_LayerComposition)
#include "LayerCompositionTest.moc"
