// The view recomposes only what a change touches and keeps its shrunken picture up to date by
// rectangles. Whatever it does, the display bitmap must stay the one a full composition of the
// same sources gives, and the screen copy the one made afresh from that bitmap: a long random
// run of the operations a user performs checks both after every step.

#include "measure/core/Measurement.h"
#include "measure/draw/MeasureDrawing.h"
#include "measure/workspace/CTessmetView.h"
#include "measure/workspace/DisplayScaler.h"
#include "measure/workspace/FakeViewHost.h"
#include "measure/workspace/LayerComposition.h"
#include "measure/workspace/ViewTestSupport.h"

#include <QtTest>

#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <random>

using namespace tessmet;
using testsupport::FakeViewHost;

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

Dib Noise(int bits) {
    Dib dib(kWidth, kHeight, bits);
    std::mt19937 random(11);
    for (int y = 0; y < kHeight; ++y) {
        uint8_t* row = dib.row(y);
        for (int x = 0; x < dib.bytesPerPixel() * kWidth; ++x) row[x] = static_cast<uint8_t>(random() >> 7);
    }
    return dib;
}

bool SameBytes(const Dib& a, const Dib& b) {
    if (!a.sameLayout(b)) return false;
    for (int y = 0; y < a.height(); ++y) {
        if (std::memcmp(a.row(y), b.row(y), static_cast<size_t>(a.width() * a.bytesPerPixel())) != 0) return false;
    }
    return true;
}

MeasureLook LookOf(const Settings& s) {
    MeasureLook look;
    look.arrows = s.measArrow != 0;
    look.fillArea = s.measSquare != 0;
    look.font = s.font;
    return look;
}

struct Run {
    explicit Run(int bits) : random(20261208u) {
        view = std::make_unique<CTessmetView>(host, nullptr);
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->SetPicture(Noise(bits));
        view->resize(200, 150);
        view->show();
    }

    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random); }
    Point anywhere() { return {pick(kWidth + 40) - 20, pick(kHeight + 40) - 20}; }
    Point inside() { return {pick(kWidth), pick(kHeight)}; }
    QPoint client() { return {pick(view->clientSize().width()), pick(view->clientSize().height())}; }
    Pen pen() {
        static constexpr int32_t kColours[] = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, 0x000000, 0x12ABCD};
        const int32_t colour = kColours[pick(6)];
        // Black, style 0 and width 1 is the inverting pen.
        return {pick(5), pick(4), pick(8) == 0 ? 0 : colour};
    }

    // The display as a full composition of the view's sources makes it; `recompute` after a
    // calibration change.
    ImageSet reference(bool recompute = false) const {
        ImageSet images = view->images();
        ComposeLayers(images, LayerSources{view->store(), view->region(), view->flags(), view->calibration(),
                                           LookOf(host.settings()), recompute});
        return images;
    }

    // A new calibration: pixels, another length unit alone, or one of the two resolutions, which
    // changes the result texts and, through the aspect ratio, the recomputed points of vertical
    // distances and three-point radii.
    void calibrate() {
        Calibration& c = view->document().calibration();
        const int change = pick(4);
        if (change == 0) {
            c.unit = Unit::Pixel;
            c.hResolution = c.vResolution = 0.0;
        } else if (c.unit == Unit::Pixel) {
            c.unit = Unit::Millimetre;
            c.hResolution = c.vResolution = 0.001;
        } else if (change == 1) {
            c.unit = c.unit == Unit::Millimetre ? Unit::Micrometre : Unit::Millimetre;
        } else {
            double& resolution = change == 2 ? c.hResolution : c.vResolution;
            resolution = resolution == 0.001 ? 0.001 * (2 + pick(3)) : 0.001;
        }
        view->Rebuild(true);
    }

    void measureWithTheMouse() {
        static constexpr ToolMode kTools[] = {Tool::TwoPointDistance, Tool::VerticalDistance, Tool::Angle,
                                              Tool::TwoLinesAngle,    Tool::TwoPointRadius,   Tool::ThreePointRadius,
                                              Tool::CenterDistance};
        host.tool = kTools[pick(7)];
        host.settingsValue.measurePen = pen();
        const int before = host.measurementChanges;
        for (int click = 0; click < 8 && host.measurementChanges == before; ++click) {
            QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, client());
        }
        host.tool = Tool::None;
        view->ForgetPoints();
    }

    void drawObject() {
        host.settingsValue.drawPen = pen();
        const Point a = anywhere(), b = anywhere();
        switch (pick(4)) {
            case 0: view->AddDrawObject(Kind::Line, std::vector<int32_t>{a.x, a.y, b.x, b.y}); break;
            case 1: view->AddDrawObject(Kind::Rectangle, std::vector<int32_t>{a.x, a.y, b.x, b.y}); break;
            case 2: view->AddDrawObject(Kind::Circle, std::vector<int32_t>{a.x, a.y, pick(90)}); break;
            default: view->AddDrawObject(Kind::Text, std::vector<int32_t>{a.x, a.y}, "T" + std::to_string(pick(1000))); break;
        }
    }

    // Two clicks of a draw tool (line, rectangle, circle) or a region tool (rectangle, ellipse)
    // at different points complete the figure.
    void clickTwice(ToolMode tool) {
        host.tool = tool;
        const QPoint a = client();
        QPoint b = client();
        if (b == a) b += QPoint(3, 2);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, a);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, b);
        host.tool = Tool::None;
        view->ForgetPoints();
    }

    // A figure completed while its layer is off switches the layer on: the measure layer for a
    // measurement, the draw layer for a draw object, the processing layer for a region. The layer
    // goes off first by its toggle or by its Clear command, and stays on what the user sees
    // between the two. True when the completion did switch the layer on.
    bool completeWithItsLayerOff(const std::function<void()>& check) {
        LayerFlags flags = view->flags();
        const int layer = pick(3);
        const bool byClear = pick(3) == 0;
        switch (layer) {
            case 0:
                flags.measureLayer = false;
                byClear ? view->ClearMeasurements() : view->SetFlags(flags);
                break;
            case 1:
                flags.drawLayer = false;
                byClear ? view->ClearDrawObjects() : view->SetFlags(flags);
                break;
            default:
                flags.processingLayer = false;
                byClear ? view->ClearProcessing() : view->SetFlags(flags);
                break;
        }
        check();
        switch (layer) {
            case 0: measureWithTheMouse(); return view->flags().measureLayer;
            case 1:
                pick(2) == 0 ? drawObject() : clickTwice(Tool::DrawLine + 4096 * pick(3));
                return view->flags().drawLayer;
            default:
                pick(2) == 0 ? view->SetRegion(someRegion()) : clickTwice(Tool::RoiRectangle + pick(2));
                return view->flags().processingLayer;
        }
    }

    // The result list's blink of a selected record: the record drawn again, inverted, straight
    // into the display.
    void blinkRecord() {
        const int count = view->store().CountOf(Kind::TwoPointDistance);
        if (count == 0) return;
        QCOMPARE(view->RedrawRecord(Kind::TwoPointDistance, pick(count), true), 0);
    }

    RegionOfInterest someRegion() {
        Point a = inside(), b = inside();
        if (a.x == b.x) b.x = (a.x + 7) % kWidth;
        if (a.y == b.y) b.y = (a.y + 5) % kHeight;
        return pick(2) == 0 ? RegionOfInterest::Rectangle(a, b) : RegionOfInterest::Ellipse(a, b);
    }

    void writeProcessing() {
        Dib& processing = view->images().processing();
        const Point a = inside();
        const int w = pick(60) + 1, h = pick(60) + 1;
        for (int y = a.y; y < std::min(a.y + h, kHeight); ++y) {
            uint8_t* row = processing.row(y);
            for (int x = a.x; x < std::min(a.x + w, kWidth); ++x) row[x * processing.bytesPerPixel()] = 0xFF;
        }
        view->ProcessingChanged();
    }

    void toggleLayer() {
        LayerFlags flags = view->flags();
        switch (pick(4)) {
            case 0: flags.originalLayer = !flags.originalLayer; break;
            case 1: flags.processingLayer = !flags.processingLayer; break;
            case 2: flags.measureLayer = !flags.measureLayer; break;
            default: flags.drawLayer = !flags.drawLayer; break;
        }
        view->SetFlags(flags);
    }

    FakeViewHost host;
    std::unique_ptr<CTessmetView> view;
    std::mt19937 random;
};

}  // namespace

class tst_IncrementalComposition : public QObject {
    Q_OBJECT

private slots:
    void randomRunStaysAFullComposition_data() {
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("steps");
        QTest::newRow("24 bits") << 24 << 300;
        QTest::newRow("16 bits") << 16 << 100;
        QTest::newRow("32 bits") << 32 << 100;
    }

    void randomRunStaysAFullComposition() {
        QFETCH(int, bits);
        QFETCH(int, steps);
        Run run(bits);
        static constexpr double kZooms[] = {1.0, 0.5, 0.25, 0.3, 2.0};
        int partial = 0;
        int layerSwitches = 0, partialLayerSwitches = 0;
        for (int step = 0; step < steps; ++step) {
            // After a preview the display holds the composition plus the preview's outline.
            std::optional<RegionOfInterest> preview;
            const int operation = run.pick(16);
            const auto check = [&] {
                QVERIFY2(SameBytes(run.view->images().display(), run.reference().display()),
                         qPrintable(QStringLiteral("display differs within step %1").arg(step)));
            };
            switch (operation) {
                case 0:
                case 1:
                case 2: run.measureWithTheMouse(); break;
                case 3:
                case 4: run.drawObject(); break;
                case 5: run.view->Undo(); break;
                case 6: run.pick(3) == 0 ? run.view->ClearRegion() : run.view->SetRegion(run.someRegion()); break;
                case 7:
                    preview = run.someRegion();
                    run.view->PreviewRegion(*preview);
                    break;
                case 8: {
                    // The blink shows at once, and the next composition takes it away.
                    run.blinkRecord();
                    DisplayScaler fresh;
                    QCOMPARE(run.view->RenderVisible(), fresh.Render(run.view->images().display(), run.view->zoom(),
                                                                     run.view->scrollPosition(), run.view->clientSize()));
                    run.view->Rebuild();
                    break;
                }
                case 9: run.pick(4) == 0 ? run.writeProcessing() : run.toggleLayer(); break;
                case 10: run.view->Rebuild(); break;
                case 12:
                case 13: {
                    const bool switchedOn = run.completeWithItsLayerOff(check);
                    if (QTest::currentTestFailed()) return;
                    if (switchedOn) {
                        ++layerSwitches;
                        partialLayerSwitches += run.view->composer().lastWasFull() ? 0 : 1;
                    }
                    break;
                }
                case 15:
                    // The recomputed points show until the next composition draws the stored ones.
                    run.calibrate();
                    QVERIFY2(SameBytes(run.view->images().display(), run.reference(true).display()),
                             qPrintable(QStringLiteral("display differs after the calibration of step %1").arg(step)));
                    run.view->Rebuild();
                    break;
                case 14:
                    switch (run.pick(3)) {
                        case 0: run.view->ClearMeasurements(); break;
                        case 1: run.view->ClearDrawObjects(); break;
                        default: run.view->ClearProcessing(); break;
                    }
                    break;
                default: {
                    run.view->SetZoom(kZooms[run.pick(5)]);
                    run.view->ScrollTo({run.pick(kWidth), run.pick(kHeight)});
                    break;
                }
            }
            ImageSet expected = run.reference();
            if (preview) {
                Canvas canvas(expected.display());
                DrawRegionOutline(canvas, *preview);
            }
            QVERIFY2(SameBytes(run.view->images().display(), expected.display()),
                     qPrintable(QStringLiteral("display differs after step %1 (operation %2)").arg(step).arg(operation)));

            // The screen copy against one made afresh from the expected display.
            DisplayScaler fresh;
            QImage wanted = fresh.Render(expected.display(), run.view->zoom(), run.view->scrollPosition(),
                                         run.view->clientSize()).copy();
            QCOMPARE(run.view->RenderVisible(), wanted);
            if (preview) {
                // The dialog's next outline or its closing composes again: the preview goes.
                run.view->Rebuild();
                QVERIFY(SameBytes(run.view->images().display(), run.reference().display()));
            }
            partial += run.view->composer().lastWasFull() ? 0 : 1;
        }
        // The run must have exercised the partial path, not only full compositions, also for
        // completions that switch their layer on.
        QVERIFY(partial > steps / 8);
        QVERIFY2(partialLayerSwitches > 0 && partialLayerSwitches * 4 >= layerSwitches,
                 qPrintable(QStringLiteral("%1 of %2 partial").arg(partialLayerSwitches).arg(layerSwitches)));
    }

    void addingARecordComposesOnlyItsRectangle() {
        ImageSet images = ImageSet::FromPicture(Noise(24));
        CGraphicStore store(64);
        RegionOfInterest region;
        LayerFlags flags;
        flags.drawLayer = true;
        LayerComposer composer;
        const auto sources = [&] { return LayerSources{store, region, flags, CalibrationValues{}, MeasureLook{}, false}; };
        QCOMPARE(composer.Update(images, sources()), QRegion(0, 0, kWidth, kHeight));
        QVERIFY(composer.lastWasFull());
        QVERIFY(composer.Update(images, sources()).isEmpty());  // nothing changed

        store.Add(Kind::Line, std::vector<int32_t>{10, 20, 50, 30, 0, 1, 0x0000FF});
        QCOMPARE(composer.Update(images, sources()), QRegion(QRect(QPoint(10, 20), QPoint(50, 30))));
        QVERIFY(!composer.lastWasFull());
        store.Undo();
        QCOMPARE(composer.Update(images, sources()), QRegion(QRect(QPoint(10, 20), QPoint(50, 30))));

        // A rectangle drawn into by someone else is composed again, clipped to the image.
        QCOMPARE(composer.Update(images, sources(), QRect(300, 200, 100, 100)), QRegion(300, 200, 20, 40));
        // Another source: everything.
        flags.originalLayer = false;
        QCOMPARE(composer.Update(images, sources()), QRegion(0, 0, kWidth, kHeight));
        QVERIFY(composer.lastWasFull());
    }

    // A full store drops its oldest record for a new one; when the two are alike, the records
    // in between are still the same ones and stay where they are.
    void droppingTheOldestForItsTwinComposesOnlyItsRectangle() {
        ImageSet images = ImageSet::FromPicture(Noise(24));
        CGraphicStore store(3);
        RegionOfInterest region;
        LayerFlags flags;
        flags.drawLayer = true;
        LayerComposer composer;
        const auto sources = [&] { return LayerSources{store, region, flags, CalibrationValues{}, MeasureLook{}, false}; };
        const std::vector<int32_t> first{10, 20, 50, 30, 0, 1, 0x0000FF};
        store.Add(Kind::Line, first);
        store.Add(Kind::Line, std::vector<int32_t>{200, 100, 300, 110, 0, 1, 0x00FF00});
        store.Add(Kind::Line, std::vector<int32_t>{100, 150, 120, 160, 0, 1, 0xFF0000});
        composer.Update(images, sources());
        QCOMPARE(store.Add(Kind::Line, first), 0);
        QCOMPARE(store.Count(), 3);
        QCOMPARE(composer.Update(images, sources()), QRegion(QRect(QPoint(10, 20), QPoint(50, 30))));
        QVERIFY(!composer.lastWasFull());
        ImageSet expected = images;
        ComposeLayers(expected, sources());
        QVERIFY(SameBytes(images.display(), expected.display()));
    }

    // A layer switched on or off recomposes only what it holds; checked against a full
    // composition each time.
    void switchingALayerComposesOnlyWhatItHolds() {
        ImageSet images = ImageSet::FromPicture(Noise(24));
        CGraphicStore store(64);
        RegionOfInterest region;
        LayerFlags flags;
        CalibrationValues calibration;
        LayerComposer composer;
        composer.ProcessingCleared();
        const auto sources = [&] { return LayerSources{store, region, flags, calibration, MeasureLook{}, false}; };
        const auto same = [&] {
            ImageSet expected = images;
            ComposeLayers(expected, sources());
            return SameBytes(images.display(), expected.display());
        };
        composer.Update(images, sources());
        const QRect line(QPoint(10, 20), QPoint(50, 30));

        // The first draw object switches its layer on: only the object.
        store.Add(Kind::Line, std::vector<int32_t>{10, 20, 50, 30, 0, 1, 0x0000FF});
        flags.drawLayer = true;
        QCOMPARE(composer.Update(images, sources()), QRegion(line));
        QVERIFY(same());
        // Off: every object of the layer goes; on again with one more: they all come back.
        const QRegion two = QRegion(QRect(QPoint(200, 100), QPoint(300, 110))) | QRect(QPoint(100, 150), QPoint(120, 160));
        store.Add(Kind::Line, std::vector<int32_t>{200, 100, 300, 110, 0, 1, 0x00FF00});
        QCOMPARE(composer.Update(images, sources()), QRegion(QRect(QPoint(200, 100), QPoint(300, 110))));
        flags.drawLayer = false;
        QCOMPARE(composer.Update(images, sources()), QRegion(line) | QRect(QPoint(200, 100), QPoint(300, 110)));
        QVERIFY(same());
        store.Add(Kind::Rectangle, std::vector<int32_t>{100, 150, 120, 160, 0, 1, 0xFF0000});
        flags.drawLayer = true;
        QCOMPARE(composer.Update(images, sources()), QRegion(line) | two);
        QVERIFY(same());
        // A measurement on its layer switched off stays out of the display.
        const Point ends[] = {{20, 200}, {80, 220}};
        MeasureInput input;
        input.kind = Kind::TwoPointDistance;
        input.points = ends;
        input.label = {30, 180};
        input.pen = {0, 1, 0xFF0000};
        input.imageWidth = kWidth;
        input.imageHeight = kHeight;
        Measurement m;
        QCOMPARE(BuildMeasurement(input, 1.0, m), 0);
        QCOMPARE(store.Add(m.kind, EncodeRecord(m)), 0);
        QVERIFY(composer.Update(images, sources()).isEmpty());
        // A new calibration redraws the measurement where its result text was and is now.
        flags.measureLayer = true;
        const QRegion drawn = composer.Update(images, sources());
        QVERIFY(!composer.lastWasFull());
        QVERIFY(drawn.contains(QPoint(20, 200)) && drawn.contains(QPoint(80, 220)));
        QVERIFY(!drawn.intersects(two));
        // Each part of the calibration alone changes the text.
        static constexpr CalibrationValues kCalibrations[] = {
            {Unit::Millimetre, 0.001, 0.001}, {Unit::Micrometre, 0.001, 0.001}, {Unit::Micrometre, 0.002, 0.001},
            {Unit::Micrometre, 0.002, 0.003}};
        QRegion relabelled;
        for (const CalibrationValues& c : kCalibrations) {
            calibration = c;
            relabelled = composer.Update(images, sources());
            QVERIFY(!composer.lastWasFull());
            QVERIFY(relabelled.intersects(drawn));
            QVERIFY(!relabelled.intersects(two));
            QVERIFY(same());
        }

        flags.measureLayer = false;
        store.Undo();
        store.Undo();
        store.Undo();
        // The measurement, now drawn with its millimetre text, goes with the two draw objects.
        const QRegion gone = composer.Update(images, sources());
        QCOMPARE(gone & two, two);
        QVERIFY(gone.intersects(drawn));
        QVERIFY((gone - two - relabelled).isEmpty());
        QVERIFY(same());

        // A region with a blank processing layer: switching the layer on adds only its outline.
        region = RegionOfInterest::Rectangle({100, 50}, {150, 80});
        QVERIFY(composer.Update(images, sources()).isEmpty());  // the outline shows with the layer only
        flags.processingLayer = true;
        QCOMPARE(composer.Update(images, sources()), QRegion(QRect(QPoint(100, 50), QPoint(150, 80))));
        QVERIFY(!composer.lastWasFull());
        QVERIFY(same());

        // Processed pixels, found once the layer is switched: the outline and the pixels go
        // together, and come back together.
        for (int y = 200; y < 210; ++y) images.processing().pixel(5, y)[1] = 0x80;
        composer.ProcessingChanged();
        flags.processingLayer = false;
        QCOMPARE(composer.Update(images, sources()), QRegion(0, 0, kWidth, kHeight));  // written under it
        flags.processingLayer = true;
        QCOMPARE(composer.Update(images, sources()),
                 QRegion(QRect(5, 200, 1, 10)) | QRect(QPoint(100, 50), QPoint(150, 80)));
        QVERIFY(!composer.lastWasFull());
        QVERIFY(same());
        flags.processingLayer = false;
        QCOMPARE(composer.Update(images, sources()),
                 QRegion(QRect(5, 200, 1, 10)) | QRect(QPoint(100, 50), QPoint(150, 80)));
        QVERIFY(same());

        // The overlays are drawn on the screen copy only: switching them composes nothing.
        flags.grid = flags.scale = flags.centreLine = true;
        QVERIFY(composer.Update(images, sources()).isEmpty());
        QVERIFY(!composer.lastWasFull());
    }

    void nonZeroBoundsFindsTheOutermostPixels_data() {
        QTest::addColumn<int>("bits");
        QTest::addColumn<QList<QPoint>>("pixels");
        QTest::addColumn<QRect>("bounds");
        // Single bytes set at both ends of an eight-pixel group and in the tail past the last group.
        QTest::newRow("blank") << 24 << QList<QPoint>{} << QRect();
        QTest::newRow("one pixel, 24 bits") << 24 << QList<QPoint>{{7, 3}} << QRect(7, 3, 1, 1);
        QTest::newRow("corners, 16 bits") << 16 << QList<QPoint>{{0, 0}, {36, 9}} << QRect(0, 0, 37, 10);
        QTest::newRow("tail and group start, 32 bits") << 32 << QList<QPoint>{{32, 2}, {36, 5}} << QRect(32, 2, 5, 4);
        QTest::newRow("last byte of a pixel, 24 bits") << 24 << QList<QPoint>{{15, 1}, {16, 8}} << QRect(15, 1, 2, 8);
    }

    void nonZeroBoundsFindsTheOutermostPixels() {
        QFETCH(int, bits);
        QFETCH(QList<QPoint>, pixels);
        QFETCH(QRect, bounds);
        Dib dib(37, 10, bits);  // 37 pixels: four groups of eight and a tail of five
        for (const QPoint& p : pixels) dib.pixel(p.x(), p.y())[dib.bytesPerPixel() - 1] = 1;
        QCOMPARE(NonZeroBounds(dib), bounds);
    }

    void writeClipKeepsOtherPixelsAndTouchedCoversTheFigure() {
        Dib dib(40, 30, 24);
        Canvas canvas(dib);
        canvas.setWriteClip(QRect(0, 0, 20, 30));
        canvas.line({5, 10}, {35, 10}, Stroke{PenStyle::Solid, 1, Ink::Color(0xFFFFFF)});
        canvas.flush();
        QCOMPARE(canvas.takeTouched(), QRect(QPoint(5, 10), QPoint(35, 10)));
        QCOMPARE(canvas.takeTouched(), QRect());
        QCOMPARE(testsupport::DisplayRgb(dib, 19, 10), 0xFFFFFFu);
        QCOMPARE(testsupport::DisplayRgb(dib, 20, 10), 0u);
    }
};

QTEST_MAIN(tst_IncrementalComposition)
#include "IncrementalCompositionTest.moc"
