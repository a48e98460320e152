#include "viewer/core/JogControl.h"
#include "viewer/core/JogRegions.h"

#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

using namespace lumora;

namespace {

// Each picture is solid in a colour made from its name, so the one shown can be identified.
QRgb ColourOf(int mode, int region) { return qRgb(40 + mode * 60, 20 + region * 40, 99); }
const QRgb kIdle = qRgb(7, 7, 7);

void Move(CJogControl& jog, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, jog.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&jog, &move);
}

void Release(CJogControl& jog, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QMouseEvent release(QEvent::MouseButtonRelease, at, jog.mapToGlobal(at), button, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&jog, &release);
}

}  // namespace

class tst_CJogControl : public QObject {
    Q_OBJECT

private:
    testsupport::TempDir temp_;
    QString folder_;

private slots:
    void initTestCase() {
        folder_ = QString::fromStdString(temp_.path().string());
        QImage image(kJogWidth, kJogHeight, QImage::Format_RGB32);
        image.fill(kIdle);
        QVERIFY(image.save(QDir(folder_).filePath(QString::fromLatin1(kJogIdleImage)), "BMP"));
        for (int mode = 0; mode < 3; ++mode) {
            for (int region = 0; region < kJogRegionCount; ++region) {
                image.fill(ColourOf(mode, region));
                QVERIFY(image.save(QDir(folder_).filePath(QString::fromStdString(JogRegionImageName(mode, region))), "BMP"));
            }
        }
    }

    // Points checked against the system's own region test (PtInRegion on the same polygons
    // and ellipse), including edges, the fold of the right segment and the overlap where the
    // top segment wins.
    void regionAt_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("region");
        QTest::newRow("top: first vertex is inside") << 83 << 80 << 0;
        QTest::newRow("top: left of the first vertex") << 82 << 80 << -1;
        QTest::newRow("top: middle") << 150 << 60 << 0;
        QTest::newRow("top: vertex on the top edge") << 150 << 53 << -1;
        QTest::newRow("top: right vertex excluded") << 220 << 81 << -1;
        QTest::newRow("top and right overlap: top wins") << 201 << 93 << 0;
        QTest::newRow("right: the folded-in sliver") << 214 << 90 << 1;
        QTest::newRow("right: outer edge excluded") << 243 << 150 << -1;
        QTest::newRow("right: just inside the outer edge") << 242 << 150 << 1;
        QTest::newRow("right: inner part") << 198 << 150 << 1;
        QTest::newRow("right: near the top") << 201 << 103 << 1;
        QTest::newRow("bottom: middle") << 150 << 240 << 2;
        QTest::newRow("bottom: last row") << 150 << 246 << 2;
        QTest::newRow("bottom: bottom edge excluded") << 150 << 247 << -1;
        QTest::newRow("left: middle") << 70 << 150 << 3;
        QTest::newRow("left: leftmost vertex") << 55 << 137 << 3;
        QTest::newRow("left: beyond it") << 54 << 137 << -1;
        QTest::newRow("centre") << 150 << 150 << 4;
        QTest::newRow("centre: left column") << 118 << 150 << 4;
        QTest::newRow("centre: left of it") << 117 << 150 << -1;
        QTest::newRow("centre: right column") << 182 << 150 << 4;
        QTest::newRow("centre: right edge excluded") << 183 << 150 << -1;
        QTest::newRow("centre: top row start") << 145 << 118 << 4;
        QTest::newRow("centre: top row, outside") << 144 << 118 << -1;
        QTest::newRow("centre: top row end") << 155 << 118 << 4;
        QTest::newRow("centre: top row, past end") << 156 << 118 << -1;
        QTest::newRow("centre: bottom edge excluded") << 150 << 183 << -1;
        QTest::newRow("gap between segments") << 110 << 110 << -1;
        QTest::newRow("corner") << 0 << 0 << -1;
    }
    void regionAt() {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, region);
        QCOMPARE(JogRegionAt(x, y, 0), region);
        QCOMPARE(JogRegionAt(x, y, 1), region);
        // In file mode the centre does not count.
        QCOMPARE(JogRegionAt(x, y, 2), region == 4 ? kJogNoRegion : region);
    }

    // Pixel counts of each region over the whole control, from the system's region test.
    void regionPixelCounts_data() {
        QTest::addColumn<int>("region");
        QTest::addColumn<int>("pixels");
        QTest::newRow("top") << 0 << 5728;
        QTest::newRow("right") << 1 << 5332;
        QTest::newRow("bottom") << 2 << 5510;
        QTest::newRow("left") << 3 << 5385;
        QTest::newRow("centre") << 4 << 3305;
    }
    void regionPixelCounts() {
        QFETCH(int, region);
        QFETCH(int, pixels);
        int count = 0;
        for (int y = 0; y < kJogHeight; ++y) {
            for (int x = 0; x < kJogWidth; ++x) count += JogRegionContains(region, x, y) ? 1 : 0;
        }
        QCOMPARE(count, pixels);
    }

    void imageNames_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("hovered");
        QTest::addColumn<QString>("name");
        QTest::newRow("live, nothing hovered: live segment") << 0 << -1 << "btn1_1.bmp";
        QTest::newRow("still, nothing hovered: still segment") << 1 << -1 << "btn2_3.bmp";
        QTest::newRow("file, nothing hovered: idle") << 2 << -1 << "btn0.bmp";
        QTest::newRow("live, centre") << 0 << 4 << "btn1_4.bmp";
        QTest::newRow("still, top") << 1 << 0 << "btn2_0.bmp";
        QTest::newRow("file, bottom") << 2 << 2 << "btn3_2.bmp";
    }
    void imageNames() {
        QFETCH(int, mode);
        QFETCH(int, hovered);
        QFETCH(QString, name);
        QCOMPARE(QString::fromStdString(JogImageName(mode, hovered)), name);
    }

    // Hovering paints the picture of the mode and region; leaving falls back to the mode's.
    void hoverPaintsTheRegionPicture() {
        CJogControl jog(nullptr, 1017);
        jog.loadImagesFrom(folder_);
        QCOMPARE(jog.currentImage().pixel(0, 0), ColourOf(0, 1));
        Move(jog, {150, 60});
        QCOMPARE(jog.hoveredRegion(), 0);
        QCOMPARE(jog.currentImage().pixel(0, 0), ColourOf(0, 0));
        Move(jog, {5, 5});
        QCOMPARE(jog.hoveredRegion(), kJogNoRegion);
        jog.setMode(2);
        QCOMPARE(jog.currentImage().pixel(0, 0), kIdle);
        Move(jog, {150, 150});  // the centre is dead in file mode
        QCOMPARE(jog.hoveredRegion(), kJogNoRegion);
        Move(jog, {70, 150});
        QCOMPARE(jog.currentImage().pixel(0, 0), ColourOf(2, 3));
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&jog, &leave);
        QCOMPARE(jog.hoveredRegion(), kJogNoRegion);
    }

    // Releases: action code per region, live and still switch the mode, the rest keep it.
    void releases_data() {
        QTest::addColumn<int>("startMode");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("endMode");
        QTest::newRow("menu keeps still") << 1 << QPoint(150, 60) << 0 << 1;
        QTest::newRow("live from still") << 1 << QPoint(230, 150) << 1 << 0;
        QTest::newRow("live from file") << 2 << QPoint(230, 150) << 1 << 0;
        QTest::newRow("print keeps file") << 2 << QPoint(150, 240) << 2 << 2;
        QTest::newRow("still from live") << 0 << QPoint(70, 150) << 3 << 1;
        QTest::newRow("capture in live") << 0 << QPoint(150, 150) << 4 << 0;
        QTest::newRow("capture in still") << 1 << QPoint(150, 150) << 4 << 1;
        QTest::newRow("centre in file mode: nothing") << 2 << QPoint(150, 150) << -1 << 2;
        QTest::newRow("outside: nothing") << 0 << QPoint(10, 10) << -1 << 0;
    }
    void releases() {
        QFETCH(int, startMode);
        QFETCH(QPoint, at);
        QFETCH(int, action);
        QFETCH(int, endMode);
        CJogControl jog(nullptr, 1017);
        jog.setMode(startMode);
        QSignalSpy notified(&jog, &CJogControl::notified);
        Release(jog, at);
        if (action < 0) {
            QCOMPARE(notified.count(), 0);
        } else {
            QCOMPARE(notified.count(), 1);
            QCOMPARE(notified.at(0).at(0).toInt(), 1017);
            QCOMPARE(notified.at(0).at(1).toInt(), action);
        }
        QCOMPARE(jog.mode(), endMode);
    }

    void rightButtonDoesNothing() {
        CJogControl jog(nullptr, 1017);
        QSignalSpy notified(&jog, &CJogControl::notified);
        Release(jog, {70, 150}, Qt::RightButton);
        QCOMPARE(notified.count(), 0);
        QCOMPARE(jog.mode(), 0);
    }

    void missingPictureLeavesTheDialBlank() {
        testsupport::TempDir partial;
        const QString folder = QString::fromStdString(partial.path().string());
        QVERIFY(QFile::copy(QDir(folder_).filePath(QStringLiteral("btn1_1.bmp")), QDir(folder).filePath(QStringLiteral("btn1_1.bmp"))));
        CJogControl jog(nullptr, 1017);
        jog.loadImagesFrom(folder);
        QCOMPARE(jog.currentImage().pixel(0, 0), ColourOf(0, 1));
        jog.setMode(1);
        QVERIFY(jog.currentImage().isNull());
        QImage canvas(jog.size(), QImage::Format_RGB32);
        canvas.fill(qRgb(1, 2, 3));
        jog.render(&canvas, QPoint(), QRegion(), QWidget::DrawChildren);
        QCOMPARE(canvas.pixel(150, 150), qRgb(1, 2, 3));
    }
};

QTEST_MAIN(tst_CJogControl)
#include "tst_jogcontrol.moc"
