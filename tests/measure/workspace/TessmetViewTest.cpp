#include "measure/core/Measurement.h"
#include "measure/core/MeasureText.h"
#include "measure/core/PolygonArea.h"
#include "measure/core/UnitFormat.h"
#include "measure/res/CommandTable.h"
#include "measure/res/StringTable.h"
#include "measure/workspace/CTessmetView.h"
#include "measure/workspace/FakeViewHost.h"
#include "measure/workspace/ViewTestSupport.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace tessmet;
using testsupport::CountInColumn;
using testsupport::CountInRow;
using testsupport::FakeViewHost;
using testsupport::MoveMouse;

namespace {

constexpr uint32_t kCyan = 0x00FFFF;  // the fake host's overlay colour, as 0xRRGGBB

// A view of a generated picture in a window of its own, the host's tool chosen by the test.
struct Bench {
    explicit Bench(Dib picture, QSize client = {400, 300}, bool scrollBars = false) {
        view = std::make_unique<CTessmetView>(host, nullptr);
        if (!scrollBars) {
            view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        }
        view->SetPicture(std::move(picture));
        view->resize(client);
        view->show();
    }
    QWidget* viewport() const { return view->viewport(); }
    void click(QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::mouseClick(viewport(), Qt::LeftButton, m, p); }
    void rightClick(QPoint p) { QTest::mouseClick(viewport(), Qt::RightButton, Qt::NoModifier, p); }
    void doubleClick(QPoint p) {
        // The window system delivers a double click as press, release, double-click press,
        // release. QTest::mouseDClick leaves both releases out, and the releases are what the
        // view acts on, so the sequence is sent as it really arrives.
        QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier, p);
        QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(p), QPointF(viewport()->mapToGlobal(p)), Qt::LeftButton,
                           Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport(), &second);
        QTest::mouseRelease(viewport(), Qt::LeftButton, Qt::NoModifier, p);
    }
    Measurement record(ObjectKind kind, int n = 0) const {
        GraphicRecord r;
        Measurement m;
        if (view->store().Get(kind, n, r) != 0 || DecodeRecord(kind, r.fields, m) != 0) return {};
        return m;
    }

    FakeViewHost host;
    std::unique_ptr<CTessmetView> view;
};

}  // namespace

class tst_CTessmetView : public QObject {
    Q_OBJECT

private slots:
    void clickingTheSamePixelTwiceLeavesOnePoint() {
        Bench b(testsupport::Grey(200, 150));
        b.host.tool = Tool::TwoPointDistance;
        b.click({40, 50});
        b.click({40, 50});
        QCOMPARE(b.view->clicks().count(), 1);
        b.click({140, 50});
        b.click({90, 90});
        QCOMPARE(b.view->store().Count(), 1);
        const Measurement m = b.record(Kind::TwoPointDistance);
        QCOMPARE(m.points, (std::vector<Point>{{40, 50}, {140, 50}}));
        QCOMPARE(m.label, (Point{90, 90}));
        QCOMPARE(m.pen, b.host.settingsValue.measurePen);
        QVERIFY(b.view->flags().measureLayer);
        QVERIFY(b.host.flags.measureLayer);
        QCOMPARE(b.host.measurementChanges, 1);
        // Drawn into the display bitmap in the measurement colour (blue).
        QCOMPARE(testsupport::DisplayRgb(b.view->images().display(), 90, 50), 0x0000FFu);
    }

    void shiftSnapsTheSecondPointButNeverTheLabel() {
        Bench b(testsupport::Grey(400, 300));
        b.host.tool = Tool::TwoPointDistance;
        b.click({100, 100});
        b.click({200, 103}, Qt::ShiftModifier);
        QCOMPARE(b.view->clicks().points().back(), (Point{200, 100}));
        b.click({153, 141}, Qt::ShiftModifier);
        const Measurement m = b.record(Kind::TwoPointDistance);
        QCOMPARE(m.points, (std::vector<Point>{{100, 100}, {200, 100}}));
        QCOMPARE(m.label, (Point{153, 141}));
    }

    void shiftSnapsInViewCoordinatesAtZoomTwo() {
        Bench b(testsupport::Grey(400, 300));
        b.view->SetZoom(2.0);
        b.host.tool = Tool::DrawLine;
        b.click({20, 20});
        // 100 right, 3 down on the screen: snapped to 100 right, i.e. 50 image pixels.
        b.click({120, 23}, Qt::ShiftModifier);
        GraphicRecord r;
        QCOMPARE(b.view->store().Get(Kind::Line, 0, r), 0);
        QCOMPARE(std::vector<int32_t>(r.fields.begin(), r.fields.begin() + 4), (std::vector<int32_t>{10, 10, 60, 10}));
    }

    void areaClosedByADoubleClickAtTheFourthVertex() {
        Bench b(testsupport::Grey(300, 300));
        b.host.tool = Tool::Area;
        b.click({20, 20});
        b.click({120, 20});
        b.click({120, 120});
        b.doubleClick({20, 120});
        QCOMPARE(b.view->clicks().count(), 4);
        QVERIFY(b.view->clicks().WaitingForLabel());
        MoveMouse(b.viewport(), {60, 60});
        QVERIFY2(b.host.status[0].contains(" : Square = 10000.00[pixel*pixel]"), qPrintable(b.host.status[0]));
        b.click({60, 60});
        QCOMPARE(b.view->store().Count(), 1);
        const Measurement m = b.record(Kind::Area);
        QCOMPARE(m.points, (std::vector<Point>{{20, 20}, {120, 20}, {120, 120}, {20, 120}}));
        QCOMPARE(m.label, (Point{60, 60}));
        QCOMPARE(m.areaCount, 10000LL);
        QVERIFY(b.view->clicks().empty());
    }

    void areaStatusAsksForTheDoubleClick() {
        Bench b(testsupport::Grey(300, 300));
        b.host.tool = Tool::Area;
        b.click({20, 20});
        b.click({120, 20});
        MoveMouse(b.viewport(), {100, 100});
        QVERIFY(b.host.status[0].endsWith(QString::fromStdString(LoadString(StringId::DoubleClickEnds))));
        QVERIFY(b.host.status[0].startsWith("[1]:(20, 20) - [2]:(120, 20) - [3]:(100, 100)"));
    }

    void polygonRegionSetByADoubleClick() {
        Bench b(testsupport::Grey(300, 300));
        b.host.tool = Tool::RoiPolygon;
        b.click({20, 20});
        b.click({200, 20});
        b.click({200, 150});
        b.doubleClick({20, 150});
        const RegionOfInterest& region = b.view->region();
        QCOMPARE(region.type(), RoiType::Polygon);
        QCOMPARE(region.points(), (std::vector<Point>{{20, 20}, {200, 20}, {200, 150}, {20, 150}}));
        QVERIFY(b.view->clicks().empty());
        QVERIFY(b.view->flags().processingLayer);
        QVERIFY(b.host.flags.processingLayer);
        QCOMPARE(b.host.regionChanges, 1);
        // The outline lies on the display: white under the dots, red on them.
        const Dib& display = b.view->images().display();
        int white = 0, red = 0;
        for (int x = 30; x < 190; ++x) {
            white += testsupport::DisplayRgb(display, x, 20) == 0xFFFFFFu;
            red += testsupport::DisplayRgb(display, x, 20) == 0xFF0000u;
        }
        QVERIFY(white > 40 && red > 40);
        QCOMPARE(testsupport::DisplayRgb(display, 100, 100), 0x404040u);
    }

    void aNewRegionStartsFromTheWholeImage() {
        Bench b(testsupport::Grey(300, 300));
        b.host.tool = Tool::RoiRectangle;
        b.click({30, 20});
        b.click({10, 40});
        QCOMPARE(b.view->region().type(), RoiType::Rectangle);
        QCOMPARE(b.view->region().points(), (std::vector<Point>{{10, 20}, {30, 40}}));
        QCOMPARE(b.view->region().pixelCount(300, 300), 21LL * 21LL);
        b.click({100, 100});
        QVERIFY(b.view->region().isWholeImage());
        QCOMPARE(b.host.regionChanges, 2);
        b.click({150, 120});
        QCOMPARE(b.view->region().type(), RoiType::Rectangle);
    }

    void rightClickStepsBackOnePoint() {
        Bench b(testsupport::Grey(300, 300));
        b.host.tool = Tool::Angle;
        b.click({100, 100});
        b.click({200, 100});
        b.rightClick({150, 150});
        QCOMPARE(b.view->clicks().count(), 1);
        QCOMPARE(b.view->clicks().points().front(), (Point{100, 100}));
        // The figure goes on from there.
        b.click({100, 20});
        b.click({100, 200});
        b.click({30, 30});
        QCOMPARE(b.view->store().Count(), 1);
        QCOMPARE(b.record(Kind::Angle).points, (std::vector<Point>{{100, 100}, {100, 20}, {100, 200}}));
    }

    void refusedPointsAreNotCounted() {
        Bench b(testsupport::Grey(300, 300));
        b.host.tool = Tool::TwoLinesAngle;
        for (QPoint p : {QPoint(10, 10), QPoint(110, 10), QPoint(10, 60)}) b.click(p);
        b.click({110, 60});  // parallel to the first line
        QCOMPARE(b.view->clicks().count(), 3);
        MoveMouse(b.viewport(), {110, 60});
        QVERIFY(b.host.status[0].endsWith(QString::fromStdString(LoadString(StringId::LinesParallel))));

        b.host.tool = Tool::ThreePointRadius;
        b.view->ForgetPoints();
        b.click({10, 10});
        b.click({10, 50});
        b.click({10, 90});  // all on one column
        QCOMPARE(b.view->clicks().count(), 2);
    }

    void noToolClickScrollsThePointToTheCentre() {
        Bench b(testsupport::Grey(2000, 1500), {400, 300});
        b.click({390, 250});
        QCOMPARE(b.view->scrollPosition(), QPoint(190, 100));
        b.click({390, 250});
        QCOMPARE(b.view->scrollPosition(), QPoint(380, 200));
        QVERIFY(b.host.commands.empty());
    }

    void mouseZoomToolZoomsThroughTheMainWindow() {
        Bench b(testsupport::Grey(2000, 1500), {400, 300});
        b.host.onCommand = [&](int id) {
            const double old = b.view->zoom();
            b.view->SetZoom(id == CommandId::ZoomUp ? old + 0.25 : old - 0.25, old);
        };
        b.host.tool = Tool::MouseZoom;
        b.click({300, 200});
        QCOMPARE(b.host.commands, (std::vector<int>{CommandId::ZoomUp}));
        QCOMPARE(b.view->zoom(), 1.25);
        // The clicked image point (300, 200) stays at the centre of the client area.
        QCOMPARE(b.view->mapping().toImage(b.view->scrollPosition() + QPoint(200, 150)), QPoint(300, 200));
        b.rightClick({200, 150});
        QCOMPARE(b.host.commands.back(), CommandId::ZoomDown);
        QCOMPARE(b.view->zoom(), 1.0);
    }

    void statusShowsThePixelUnderTheCursor() {
        Bench b(testsupport::Picture(100, 100, [](int x, int y) { return uint32_t(x) << 16 | uint32_t(y) << 8 | 7u; }));
        b.view->SetZoom(2.0);
        MoveMouse(b.viewport(), {31, 41});
        QCOMPARE(b.host.status[0], QString("(15, 20)"));
        b.host.colourVisible = true;
        b.host.zoomVisible = true;
        MoveMouse(b.viewport(), {33, 45});
        QCOMPARE(b.host.status[0], QString("(16, 22)  R=16 G=22 B=7"));
        QCOMPARE(b.host.zoomPoints, (std::vector<QPoint>{QPoint(16, 22)}));
        // Beyond the image the read-out stays on its last column and row.
        MoveMouse(b.viewport(), {390, 290});
        QCOMPARE(b.host.status[0], QString("(99, 99)  R=99 G=99 B=7"));
        QCOMPARE(b.host.zoomPoints.back(), QPoint(195, 145));
    }

    void luminanceColumnAtZoomTwo() {
        // Column 50 white, everything else black: the vertical profile of column 50 runs near
        // the right edge, that of any other column on the left edge.
        Bench b(testsupport::Picture(120, 100, [](int x, int) { return x == 50 ? 0xFFFFFFu : 0u; }), {256, 200});
        b.view->SetZoom(2.0);
        LayerFlags flags;
        flags.verticalLuminance = true;
        b.view->SetFlags(flags);
        MoveMouse(b.viewport(), {101, 20});
        QImage frame = b.view->RenderVisible();
        // x = round(255 * 256 / 256 + sx) = 255 for white, 0 for black.
        QVERIFY(CountInColumn(frame, 255, kCyan) >= 150);
        QVERIFY(CountInColumn(frame, 0, kCyan) == 0);
        MoveMouse(b.viewport(), {103, 20});
        frame = b.view->RenderVisible();
        QVERIFY(CountInColumn(frame, 255, kCyan) == 0);
        QVERIFY(CountInColumn(frame, 0, kCyan) >= 150);
        // The cursor line at the cursor's x.
        QVERIFY(CountInColumn(frame, 103, kCyan) >= 150);
    }

    void horizontalLuminanceReadsTheRowUnderTheCursor() {
        Bench b(testsupport::Picture(200, 100, [](int, int y) { return y == 30 ? 0xFFFFFFu : 0u; }), {200, 100});
        LayerFlags flags;
        flags.horizontalLuminance = true;
        b.view->SetFlags(flags);
        MoveMouse(b.viewport(), {50, 30});
        QImage frame = b.view->RenderVisible();
        // y = round(zoom * height - A - v * H / 256) with A = 0: 100 - 99.6 -> 0 for white.
        QVERIFY(CountInRow(frame, 0, kCyan) >= 190);
        MoveMouse(b.viewport(), {50, 31});
        frame = b.view->RenderVisible();
        QCOMPARE(CountInRow(frame, 0, kCyan), 0);
    }

    void gridLinesFollowTheVisibleArea() {
        Bench b(testsupport::Grey(1000, 1000, 0), {120, 80});
        b.view->ScrollTo({37, 11});
        QCOMPARE(b.view->scrollPosition(), QPoint(37, 11));
        LayerFlags flags;
        flags.grid = true;
        b.view->SetFlags(flags);
        const QImage frame = b.view->RenderVisible();
        // Lines at sx + 50 and sx + 100 (client 50 and 100) and one at sy + 50, dotted.
        for (int x : {50, 100}) {
            const int n = CountInColumn(frame, x, kCyan);
            QVERIFY2(n >= 30 && n < 80, qPrintable(QString("column %1: %2").arg(x).arg(n)));
        }
        // Next to them only the dots of the horizontal line.
        for (int x : {49, 51, 99, 101}) QVERIFY(CountInColumn(frame, x, kCyan) <= 1);
        QVERIFY(CountInRow(frame, 50, kCyan) >= 50);
        QVERIFY(CountInRow(frame, 49, kCyan) <= 2);  // only the dots of the two vertical lines
        // Nothing of it reaches the display bitmap.
        QCOMPARE(testsupport::DisplayRgb(b.view->images().display(), 37 + 50, 20), 0u);
    }

    void centreLineAtTheMiddleOfTheVisibleArea() {
        Bench b(testsupport::Grey(1000, 1000, 0), {120, 80});
        b.host.settingsValue.centerLineOffX = 5;
        b.host.settingsValue.centerLineOffY = -3;
        b.view->ScrollTo({200, 100});
        LayerFlags flags;
        flags.centreLine = true;
        b.view->SetFlags(flags);
        const QImage frame = b.view->RenderVisible();
        QCOMPARE(CountInColumn(frame, 65, kCyan), 80);
        QCOMPARE(CountInRow(frame, 37, kCyan), 120);
        QCOMPARE(CountInColumn(frame, 60, kCyan), 1);
    }

    void scaleShowsAFiftyPixelPitch() {
        Bench b(testsupport::Grey(640, 480, 0), {640, 480});
        LayerFlags flags;
        flags.scale = true;
        b.view->SetFlags(flags);
        MoveMouse(b.viewport(), {300, 200});
        QCOMPARE(b.host.status[1], QString("Scale Pitch  Horz: 50  Vert: 50 [pixel/pitch]"));
        const QImage frame = b.view->RenderVisible();
        // Short ticks (4) every 50 pixels, long ones (8) every fifth.
        QCOMPARE(testsupport::Rgb(frame, 350, 196), kCyan);
        QCOMPARE(testsupport::Rgb(frame, 350, 193), 0u);
        QCOMPARE(testsupport::Rgb(frame, 550, 193), kCyan);
        QCOMPARE(testsupport::Rgb(frame, 50, 193), kCyan);
        QCOMPARE(testsupport::Rgb(frame, 325, 196), 0u);
        QCOMPARE(testsupport::Rgb(frame, 304, 250), kCyan);
        // Turning the scale off shows the resolution text again.
        b.view->SetFlags(LayerFlags());
        QCOMPARE(b.host.status[1], QString::fromStdString(ResolutionText(b.view->calibration())));
    }

    void overlaysOnlyWhileTheCursorIsOnTheImage() {
        Bench b(testsupport::Grey(100, 100, 0), {300, 200});
        LayerFlags flags;
        flags.scale = true;
        b.view->SetFlags(flags);
        MoveMouse(b.viewport(), {50, 50});
        QVERIFY(CountInRow(b.view->RenderVisible(), 50, kCyan) > 100);
        MoveMouse(b.viewport(), {150, 50});  // right of the image
        QCOMPARE(CountInRow(b.view->RenderVisible(), 50, kCyan), 0);
        // A tool without points shows no scale either.
        MoveMouse(b.viewport(), {50, 50});
        b.host.tool = Tool::DrawLine;
        QCOMPARE(CountInRow(b.view->RenderVisible(), 50, kCyan), 0);
    }

    void rubberBandAndLiveTextOfADrawTool() {
        Bench b(testsupport::Grey(300, 300, 0));
        b.view->SetZoom(2.0);
        b.host.tool = Tool::DrawRectangle;
        b.click({20, 20});
        MoveMouse(b.viewport(), {120, 70});
        QCOMPARE(b.host.status[0], QString("[1]:(10, 10) - [2]:(60, 35) : Square = 1250"));
        const QImage frame = b.view->RenderVisible();
        QCOMPARE(CountInRow(frame, 20, kCyan), 101);
        QCOMPARE(CountInColumn(frame, 120, kCyan), 51);
        b.host.tool = Tool::DrawCircle;
        b.view->ForgetPoints();
        b.click({20, 20});
        MoveMouse(b.viewport(), {50, 60});
        QCOMPARE(b.host.status[0], QString("[1]:(10, 10) - [2]:(25, 30) : Radius = 25.00"));
    }

    void circleRadiusRoundsTheImageDistance() {
        Bench b(testsupport::Grey(300, 300, 0));
        b.host.tool = Tool::DrawCircle;
        b.click({50, 50});
        b.click({53, 52});  // sqrt(13) = 3.6
        GraphicRecord r;
        QCOMPARE(b.view->store().Get(Kind::Circle, 0, r), 0);
        const Pen& pen = b.host.settingsValue.drawPen;
        QCOMPARE(r.fields, (std::vector<int32_t>{50, 50, 4, pen.style, pen.width, pen.color}));
        QVERIFY(b.view->flags().drawLayer);
        QCOMPARE(testsupport::DisplayRgb(b.view->images().display(), 54, 50), 0xFFFFFFu);
    }

    void textToolAcceptsOnEnter() {
        Bench b(testsupport::Grey(300, 300, 0));
        b.host.tool = Tool::DrawText;
        QLineEdit* seen = nullptr;
        QRect box;
        connect(b.view.get(), &CTessmetView::textEditorOpened, this, [&](QLineEdit* editor) {
            seen = editor;
            box = QRect(editor->mapToGlobal(QPoint(0, 0)), editor->size());
            QCOMPARE(b.host.enabledLog, (std::vector<bool>{false}));
            QTest::keyClicks(editor, "Hi there");
            QTest::keyClick(editor, Qt::Key_Return);
        });
        b.click({120, 40});
        b.click({20, 30});
        QVERIFY(seen);
        QCOMPARE(b.host.enabledLog, (std::vector<bool>{false, true}));
        // Left at the smaller x, top at the first point, one font height tall.
        QCOMPARE(box, QRect(b.viewport()->mapToGlobal(QPoint(20, 40)), QSize(100, 18)));
        GraphicRecord r;
        QCOMPARE(b.view->store().Get(Kind::Text, 0, r), 0);
        QCOMPARE(r.text, std::string("Hi there"));
        QCOMPARE(std::vector<int32_t>(r.fields.begin(), r.fields.begin() + 2), (std::vector<int32_t>{20, 40}));
        QVERIFY(b.view->flags().drawLayer);
    }

    void textToolCancels_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("escape") << 0;
        QTest::newRow("focus lost") << 1;
        QTest::newRow("empty text") << 2;
    }
    void textToolCancels() {
        QFETCH(int, how);
        Bench b(testsupport::Grey(300, 300, 0));
        b.host.tool = Tool::DrawText;
        connect(b.view.get(), &CTessmetView::textEditorOpened, this, [&](QLineEdit* editor) {
            if (how != 2) QTest::keyClicks(editor, "lost");
            if (how == 0) QTest::keyClick(editor, Qt::Key_Escape);
            if (how == 2) QTest::keyClick(editor, Qt::Key_Enter);
            if (how == 1) {
                QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
                QApplication::sendEvent(editor, &out);
            }
        });
        b.click({20, 30});
        b.click({120, 30});
        QCOMPARE(b.view->store().Count(), 0);
        QCOMPARE(b.host.enabledLog, (std::vector<bool>{false, true}));
        QVERIFY(!b.view->flags().drawLayer);
    }

    void calibrationClicksGoToTheMainWindow() {
        Bench b(testsupport::Grey(300, 300, 0));
        b.host.tool = Tool::CalibrationMillimetre;
        b.click({10, 10});
        b.click({110, 10});
        QCOMPARE(b.host.guides.size(), size_t(1));
        QCOMPARE(b.host.guides[0].line1, StringId::SetupSecondObject);
        QCOMPARE(b.host.guides[0].line2, StringId::AttachAngle);
        QCOMPARE(b.host.guides[0].position, QPoint(16, 16));
        b.rightClick({50, 50});
        QCOMPARE(b.host.guides.size(), size_t(2));
        QCOMPARE(b.host.guides[1].line1, StringId::CalibrationPerformed);
        QCOMPARE(b.host.guides[1].position, QPoint(-16, -16));
        b.click({110, 10});
        b.click({20, 100});
        b.click({200, 110});  // nearly parallel to the first object: refused
        QCOMPARE(b.view->clicks().count(), 3);
        MoveMouse(b.viewport(), {200, 110});
        QVERIFY(b.host.status[0].endsWith(QString::fromStdString(LoadString(StringId::AngleTooSmall))));
        b.click({20, 200});
        QCOMPARE(b.host.calibrations.size(), size_t(1));
        QCOMPARE(b.host.calibrations[0], (std::array<Point, 4>{Point{10, 10}, Point{110, 10}, Point{20, 100}, Point{20, 200}}));
        QCOMPARE(b.view->store().Count(), 0);
    }

    void deactivationForgetsThePoints() {
        Bench b(testsupport::Grey(300, 300, 0));
        b.host.tool = Tool::TwoPointDistance;
        b.click({10, 10});
        b.view->OnDeactivate();
        QVERIFY(b.view->clicks().empty());
        QVERIFY(b.host.status[1].isEmpty());
        b.view->OnActivate();
        QCOMPARE(b.host.flags, b.view->flags());
        QCOMPARE(b.host.activated, (std::vector<CTessmetView*>{b.view.get()}));
        // A tool change behind the view's back forgets the points too.
        b.click({10, 10});
        b.host.tool = Tool::Angle;
        b.click({20, 20});
        QCOMPARE(b.view->clicks().count(), 1);
        QCOMPARE(b.view->clicks().tool(), Tool::Angle);
    }

    void zoomKeepsTheCentrePoint() {
        Bench b(testsupport::Grey(2000, 1500), {400, 300}, true);
        b.view->ScrollTo({100, 50});
        const QSize client = b.view->clientSize();
        const QPoint centre = b.view->mapping().toImage(b.view->scrollPosition() + QPoint(client.width() / 2, client.height() / 2));
        b.view->SetZoom(2.0, 1.0);
        QCOMPARE(b.view->horizontalScrollBar()->maximum(), 4000 - client.width());
        const QPoint after = b.view->mapping().toImage(b.view->scrollPosition() + QPoint(client.width() / 2, client.height() / 2));
        QCOMPARE(after, centre);
        b.view->ScrollStep(1, 0);
        QCOMPARE(b.view->scrollPosition().x(), 2 * (100 + client.width() / 2) - client.width() / 2 + 40);
    }

    void paintShowsTheScreenCopy() {
        Bench b(testsupport::Picture(64, 48, [](int x, int y) { return uint32_t(x * 4) << 16 | uint32_t(y * 5); }), {200, 150});
        b.view->SetZoom(3.0);
        const QImage painted = b.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage copy = b.view->RenderVisible();
        QCOMPARE(painted.size(), copy.size());
        QCOMPARE(painted, copy);
        // Image pixel (10, 7) covers view pixels 30..32 x 21..23; beyond the image it is black.
        QCOMPARE(testsupport::Rgb(copy, 32, 23), uint32_t(40) << 16 | 35u);
        QCOMPARE(testsupport::Rgb(copy, 195, 10), 0u);
    }

    void regionTypedInMustLieInsideTheImage_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QPoint>("a");
        QTest::addColumn<QPoint>("b");
        QTest::addColumn<int>("result");
        QTest::newRow("rectangle") << 1 << QPoint(10, 10) << QPoint(99, 79) << 0;
        QTest::newRow("ellipse") << 2 << QPoint(50, 5) << QPoint(0, 60) << 0;
        QTest::newRow("same column") << 1 << QPoint(10, 10) << QPoint(10, 50) << StringId::RoiNotSetup;
        QTest::newRow("same row") << 2 << QPoint(10, 10) << QPoint(50, 10) << StringId::RoiNotSetup;
        QTest::newRow("right of the image") << 1 << QPoint(10, 10) << QPoint(100, 50) << StringId::RoiNotSetup;
        QTest::newRow("negative") << 1 << QPoint(-1, 10) << QPoint(50, 50) << StringId::RoiNotSetup;
        QTest::newRow("polygon type") << 3 << QPoint(10, 10) << QPoint(50, 50) << StringId::RoiNotSetup;
    }
    void regionTypedInMustLieInsideTheImage() {
        QFETCH(int, type);
        QFETCH(QPoint, a);
        QFETCH(QPoint, b);
        QFETCH(int, result);
        Bench bench(testsupport::Grey(100, 80));
        QCOMPARE(bench.view->SetRegion(type, {a.x(), a.y()}, {b.x(), b.y()}), result);
        QCOMPARE(bench.view->region().type(), result == 0 ? type : RoiType::None);
        QCOMPARE(bench.view->flags().processingLayer, result == 0);
    }

    void commandsClearTheirLayers() {
        Bench b(testsupport::Grey(200, 200));
        const int32_t line[] = {0, 10, 199, 10};
        QCOMPARE(b.view->AddDrawObject(Kind::Line, line), 0);
        b.host.tool = Tool::TwoPointDistance;
        for (QPoint p : {QPoint(10, 50), QPoint(150, 50), QPoint(20, 60)}) b.click(p);
        QCOMPARE(b.view->store().Count(), 2);
        b.view->Undo();
        QCOMPARE(b.view->store().Count(), 1);
        QCOMPARE(testsupport::DisplayRgb(b.view->images().display(), 80, 50), 0x404040u);
        QCOMPARE(testsupport::DisplayRgb(b.view->images().display(), 80, 10), 0xFFFFFFu);
        b.view->ClearDrawObjects();
        QCOMPARE(b.view->store().Count(), 0);
        QVERIFY(!b.view->flags().drawLayer);
        QVERIFY(!b.host.flags.drawLayer);
        QCOMPARE(testsupport::DisplayRgb(b.view->images().display(), 80, 10), 0x404040u);
        const int32_t bad[] = {1, 2, 3};
        QCOMPARE(b.view->AddDrawObject(Kind::Line, bad), -1);
        QCOMPARE(b.view->AddDrawObject(Kind::Text, std::span<const int32_t>(line, 2), ""), -1);
    }
};

QTEST_MAIN(tst_CTessmetView)
#include "TessmetViewTest.moc"
