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

    // The display as a full composition of the view's sources makes it.
    ImageSet reference() const {
        ImageSet images = view->images();
        ComposeLayers(images, LayerSources{view->store(), view->region(), view->flags(), view->calibration(),
                                           LookOf(host.settings()), false});
        return images;
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
        for (int step = 0; step < steps; ++step) {
            // After a preview the display holds the composition plus the preview's outline.
            std::optional<RegionOfInterest> preview;
            const int operation = run.pick(12);
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
        // The run must have exercised the partial path, not only full compositions.
        QVERIFY(partial > steps / 8);
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
