#include "codec/BmpReader.h"
#include "codec/BmpWriter.h"
#include "codec/JpegReader.h"
#include "viewer/imaging/ImageLayout.h"
#include "viewer/imaging/ImagingLibrary.h"

#include "support/TempDir.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <cstring>

using namespace lumora;

Q_DECLARE_METATYPE(lumora::FitMode)
Q_DECLARE_METATYPE(lumora::ScrollAction)

namespace {

// A picture whose four quadrants have four colours, so where a pixel came from can be told.
QImage Quadrants(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, x < width / 2 ? (y < height / 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255))
                                               : (y < height / 2 ? qRgb(0, 255, 0) : qRgb(255, 255, 0)));
    return image;
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

}  // namespace

class tst_ImagingLibrary : public QObject {
    Q_OBJECT

private slots:
    void fitZoom_data() {
        QTest::addColumn<FitMode>("mode");
        QTest::addColumn<QSize>("source");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<int>("extent");
        QTest::addColumn<int>("zoom");
        QTest::newRow("window, halves on both sides") << FitMode::Window << QSize(800, 600) << QSize(400, 300) << 0 << 50;
        QTest::newRow("window, the tighter side wins") << FitMode::Window << QSize(800, 600) << QSize(400, 600) << 0 << 50;
        QTest::newRow("window, truncated not rounded") << FitMode::Window << QSize(640, 480) << QSize(237, 1000) << 0 << 37;
        QTest::newRow("window, enlarges a small picture") << FitMode::Window << QSize(100, 50) << QSize(400, 400) << 0 << 400;
        QTest::newRow("window, never below 1") << FitMode::Window << QSize(100000, 100) << QSize(10, 10) << 0 << 1;
        QTest::newRow("width, height fits") << FitMode::Width << QSize(800, 600) << QSize(400, 400) << 17 << 50;
        QTest::newRow("width, vertical bar taken off") << FitMode::Width << QSize(800, 600) << QSize(400, 200) << 17 << 47;
        QTest::newRow("height, width fits") << FitMode::Height << QSize(800, 600) << QSize(1000, 300) << 17 << 50;
        QTest::newRow("height, horizontal bar taken off") << FitMode::Height << QSize(800, 600) << QSize(200, 300) << 17 << 47;
        QTest::newRow("actual size") << FitMode::ActualSize << QSize(800, 600) << QSize(10, 10) << 17 << 100;
        QTest::newRow("no picture") << FitMode::Window << QSize() << QSize(400, 300) << 0 << 100;
    }
    void fitZoom() {
        QFETCH(FitMode, mode);
        QFETCH(QSize, source);
        QFETCH(QSize, client);
        QFETCH(int, extent);
        QFETCH(int, zoom);
        QCOMPARE(FitZoomPercent(mode, source, client, extent), zoom);
        if (mode == FitMode::Window && !source.isEmpty() && zoom > 1) {
            const QSize fitted = ZoomedSize(source, zoom);
            QVERIFY(fitted.width() <= client.width() && fitted.height() <= client.height());
        }
    }

    void zoomedSizeAndSteps() {
        QCOMPARE(ZoomedSize(QSize(640, 480), 100), QSize(640, 480));
        QCOMPARE(ZoomedSize(QSize(640, 480), 37), QSize(236, 177));
        QCOMPARE(ZoomedSize(QSize(3, 3), 10), QSize(1, 1));
        QCOMPARE(ZoomedSize(QSize(640, 480), 500), QSize(3200, 2400));
        const struct { int from, in, out; } steps[] = {
            {100, 125, 75}, {75, 100, 50}, {50, 75, 50}, {475, 500, 450}, {500, 500, 475}, {37, 62, 50}, {600, 500, 575},
        };
        for (const auto& s : steps) {
            QCOMPARE(ZoomInPercent(s.from), s.in);
            QCOMPARE(ZoomOutPercent(s.from), s.out);
        }
    }

    void scrolling_data() {
        QTest::addColumn<QSize>("zoomed");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<QSize>("range");
        QTest::newRow("fits") << QSize(400, 300) << QSize(400, 300) << false << false << QSize(0, 0);
        QTest::newRow("wider only") << QSize(500, 200) << QSize(400, 300) << true << false << QSize(100, 0);
        QTest::newRow("wider, the bar makes it taller") << QSize(500, 290) << QSize(400, 300) << true << true
                                                        << QSize(117, 7);
        QTest::newRow("taller, the bar makes it wider") << QSize(395, 400) << QSize(400, 300) << true << true
                                                        << QSize(12, 117);
        QTest::newRow("both") << QSize(1000, 1000) << QSize(400, 300) << true << true << QSize(617, 717);
    }
    void scrolling() {
        QFETCH(QSize, zoomed);
        QFETCH(QSize, client);
        QFETCH(bool, horizontal);
        QFETCH(bool, vertical);
        QFETCH(QSize, range);
        const ScrollLayout layout = LayOutScrolling(zoomed, client, 17);
        QCOMPARE(layout.horizontalBar, horizontal);
        QCOMPARE(layout.verticalBar, vertical);
        QCOMPARE(layout.range, range);
        QCOMPARE(layout.viewport, QSize(client.width() - (vertical ? 17 : 0), client.height() - (horizontal ? 17 : 0)));
    }

    void scrollActions_data() {
        QTest::addColumn<ScrollAction>("action");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("expected");
        QTest::newRow("line forward is a tenth of the page") << ScrollAction::LineForward << 50 << 0 << 80;
        QTest::newRow("line back stops at 0") << ScrollAction::LineBack << 10 << 0 << 0;
        QTest::newRow("page forward") << ScrollAction::PageForward << 50 << 0 << 350;
        QTest::newRow("page forward stops at the end") << ScrollAction::PageForward << 400 << 0 << 500;
        QTest::newRow("page back") << ScrollAction::PageBack << 400 << 0 << 100;
        QTest::newRow("thumb position") << ScrollAction::ToPosition << 0 << 123 << 123;
        QTest::newRow("thumb track clamped") << ScrollAction::Track << 0 << 900 << 500;
        QTest::newRow("to start") << ScrollAction::ToStart << 250 << 0 << 0;
        QTest::newRow("to end") << ScrollAction::ToEnd << 250 << 0 << 500;
        QTest::newRow("end of scrolling keeps it") << ScrollAction::EndScroll << 250 << 7 << 250;
    }
    void scrollActions() {
        QFETCH(ScrollAction, action);
        QFETCH(int, current);
        QFETCH(int, position);
        QFETCH(int, expected);
        QCOMPARE(ScrolledPosition(action, current, position, 300, 500), expected);
    }

    void displayRectAndMagnifierSource() {
        QCOMPARE(DisplayRect(QSize(200, 100), QSize(400, 300), QPoint(), false), QRect(0, 0, 200, 100));
        QCOMPARE(DisplayRect(QSize(200, 100), QSize(400, 300), QPoint(), true), QRect(100, 100, 200, 100));
        QCOMPARE(DisplayRect(QSize(800, 100), QSize(400, 300), QPoint(150, 0), true), QRect(-150, 100, 800, 100));
        // At 100 % the lens of 240 x 180 at factor 3 shows the 80 x 60 pixels around the point.
        QCOMPARE(MagnifierSource(QPoint(100, 100), QSize(240, 180), 3, QRect(0, 0, 640, 480), QRect(0, 0, 640, 480)),
                 QRectF(60, 70, 80, 60));
        // At 200 %, scrolled by (40, 20): window (100, 100) is image (70, 60); half as many pixels.
        QCOMPARE(MagnifierSource(QPoint(100, 100), QSize(240, 180), 3, QRect(-40, -20, 1280, 960), QRect(0, 0, 640, 480)),
                 QRectF(50, 45, 40, 30));
    }

    void loadsFilesThroughTheCodec() {
        testsupport::TempDir dir;
        ImagingLibrary library;
        QVERIFY(library.fromImage(Quadrants(64, 32)));
        QCOMPARE(library.write(dir.file("a.bmp"), ImagingLibrary::FileFormat::Bmp), 0);
        QCOMPARE(library.write(dir.file("a.jpg"), ImagingLibrary::FileFormat::Jpeg), 0);

        codec::Dib back;
        QCOMPARE(codec::ReadBmpFile(dir.file("a.bmp"), back), codec::ReadStatus::Ok);
        QCOMPARE(back.width(), 64);
        QVERIFY(std::memcmp(back.bits(), library.bitmap().bits(), back.sizeBytes()) == 0);
        QCOMPARE(codec::ReadJpegFile(dir.file("a.jpg"), back), codec::ReadStatus::Ok);
        QCOMPARE(back.height(), 32);

        ImagingLibrary loaded;
        QCOMPARE(loaded.load(dir.file("a.jpg")), 0);
        QVERIFY(loaded.isValid());
        QCOMPARE(loaded.imageSize(), QSize(64, 32));
        QCOMPARE(loaded.imageRect(), QRect(0, 0, 64, 32));
        QCOMPARE(loaded.zoomPercent(), 100);

        // A 16-bit bitmap comes in as 24 bits with its channels widened.
        codec::Dib five(2, 1, 16);
        five.row(0)[0] = 0x00;
        five.row(0)[1] = 0x7C;  // pure red
        QCOMPARE(codec::WriteBmpFile(dir.file("five.bmp"), five), codec::BmpWriteResult::Ok);
        QCOMPARE(loaded.load(dir.file("five.bmp")), 0);
        QCOMPARE(loaded.bitmap().bitsPerPixel(), 24);
        QCOMPARE(int(loaded.bitmap().row(0)[2]), 255);

        QCOMPARE(loaded.load(dir.file("missing.bmp")), -1);
        QVERIFY(!loaded.isValid());
        testsupport::WriteText(dir.file("text.jpg"), "not a picture");
        QCOMPARE(loaded.load(dir.file("text.jpg")), -2);
        testsupport::WriteText(dir.file("cut.jpg"), testsupport::ReadText(dir.file("a.jpg")).substr(0, 300));
        QCOMPARE(loaded.load(dir.file("cut.jpg")), -4);
        QVERIFY(!loaded.isValid());
        QCOMPARE(loaded.header(), nullptr);
        QCOMPARE(loaded.pixels(), nullptr);
        QCOMPARE(loaded.write(dir.file("none.bmp"), ImagingLibrary::FileFormat::Bmp), -2);
        QCOMPARE(loaded.write(dir.file("missing/x.bmp"), ImagingLibrary::FileFormat::Bmp), -2);
        QCOMPARE(library.write(dir.file("missing/x.bmp"), ImagingLibrary::FileFormat::Bmp), -1);
    }

    // A still of 800 x 600 in a frame buffer, brought to 640 x 480 and copied back: header and
    // rows as the frame buffer keeps them.
    void frameBufferResampleAndDibAccess() {
        const int w = 800, h = 600;
        std::vector<uint8_t> block(40 + size_t{w} * h * 3, 0);
        uint8_t* header = block.data();
        header[0] = 40;
        std::memcpy(header + 4, &w, 4);
        std::memcpy(header + 8, &h, 4);
        header[12] = 1;
        header[14] = 24;
        // Bottom-up rows: the first stored row is the bottom one; make the bottom half blue.
        for (int row = 0; row < h / 2; ++row)
            for (int x = 0; x < w; ++x) block[40 + (static_cast<size_t>(row) * w + x) * 3] = 255;

        ImagingLibrary library;
        QVERIFY(!library.fromFrameBuffer(block.data(), block.size() - 1));
        QVERIFY(library.fromFrameBuffer(block.data(), block.size()));
        QCOMPARE(library.imageSize(), QSize(800, 600));
        QCOMPARE(library.bitmap().pixel(0, 599)[0], uint8_t(255));  // bottom row blue
        QCOMPARE(library.bitmap().pixel(0, 0)[0], uint8_t(0));

        QVERIFY(library.resample(640, 480));
        QCOMPARE(library.imageSize(), QSize(640, 480));
        const uint8_t* dib = library.header();
        QVERIFY(dib);
        int32_t width = 0, height = 0;
        uint32_t imageSize = 0;
        std::memcpy(&width, dib + 4, 4);
        std::memcpy(&height, dib + 8, 4);
        std::memcpy(&imageSize, dib + 20, 4);
        QCOMPARE(width, 640);
        QCOMPARE(height, 480);
        QCOMPARE(int(dib[14]), 24);
        QCOMPARE(imageSize, 921600u);
        QCOMPARE(library.pixelBytes(), size_t{921600});
        const uint8_t* pixels = library.pixels();
        QCOMPARE(int(pixels[0]), 255);                         // first stored row: bottom, blue
        QCOMPARE(int(pixels[size_t{479} * 640 * 3]), 0);       // last stored row: top, black
        library.free();
        QVERIFY(!library.isValid());
        QVERIFY(library.imageSize().isEmpty());
    }

    void fitsScrollsAndPaintsInAWindow() {
        QWidget window;
        window.resize(400, 300);
        ImagingLibrary library;
        QVERIFY(library.fromImage(Quadrants(800, 600)));
        library.bindWindow(&window);
        library.showAtZoom(100);
        QCOMPARE(library.displayRect(), QRect(0, 0, 800, 600));
        library.scroll(ImagingLibrary::Bar::Horizontal, ScrollAction::ToEnd);
        library.scroll(ImagingLibrary::Bar::Vertical, ScrollAction::PageForward);
        QCOMPARE(library.scrollPosition(), QPoint(400, 300));
        QCOMPARE(library.displayRect(), QRect(-400, -300, 800, 600));

        QImage canvas(400, 300, QImage::Format_RGB32);
        canvas.fill(Qt::black);
        {
            QPainter painter(&canvas);
            library.paint(painter);
        }
        QCOMPARE(canvas.pixel(10, 10), qRgb(255, 255, 0));  // the bottom-right quadrant

        QCOMPARE(library.fit(FitMode::Window), 50);
        QCOMPARE(library.scrollPosition(), QPoint(0, 0));
        QCOMPARE(library.displayRect(), QRect(0, 0, 400, 300));
        {
            QPainter painter(&canvas);
            library.paint(painter);
        }
        QCOMPARE(canvas.pixel(10, 10), qRgb(255, 0, 0));
        QCOMPARE(canvas.pixel(390, 290), qRgb(255, 255, 0));

        // A kept fit follows the window; a zoom set by hand does not.
        window.resize(200, 300);
        QCOMPARE(library.relayout(), 25);
        library.showAtZoom(75);
        window.resize(800, 800);
        QCOMPARE(library.relayout(), 75);
        QCOMPARE(library.fit(FitMode::ActualSize), 100);

        // Centred: a picture smaller than the window sits in the middle.
        library.setCentred(true);
        library.showAtZoom(50);
        QCOMPARE(library.displayRect(), QRect(200, 250, 400, 300));

        // Only part of the picture shown: the source area is what gets zoomed.
        library.setSourceArea(QRect(400, 300, 400, 300));
        library.setCentred(false);
        library.showAtZoom(100);
        QCOMPARE(library.displayRect(), QRect(0, 0, 400, 300));
        {
            QPainter painter(&canvas);
            library.paint(painter);
        }
        QCOMPARE(canvas.pixel(10, 10), qRgb(255, 255, 0));
    }

    void scrollAreaBarsFollowTheDisplay() {
        QScrollArea area;
        area.resize(300, 120);
        area.show();
        ImagingLibrary library;
        QVERIFY(library.fromImage(Quadrants(640, 480)));
        library.bindWindow(&area);
        const int zoom = library.fit(FitMode::Width);
        QCOMPARE(area.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(area.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        // The width fills what the vertical bar leaves, to the percent.
        QTRY_COMPARE(area.viewport()->width(), library.scrollLayout().viewport.width());
        const int fitted = ZoomedSize(QSize(640, 480), zoom).width();
        QVERIFY2(fitted <= area.viewport()->width() && fitted > area.viewport()->width() - 7,
                 qPrintable(QString::number(fitted)));
        QCOMPARE(library.relayout(), zoom);
        QCOMPARE(area.verticalScrollBar()->maximum(), library.scrollLayout().range.height());
        QVERIFY(area.verticalScrollBar()->maximum() > 0);

        QSignalSpy changed(&library, &ImagingLibrary::displayChanged);
        const int lowest = area.verticalScrollBar()->maximum();
        area.verticalScrollBar()->setValue(lowest);
        QCOMPARE(library.scrollPosition().y(), lowest);
        QVERIFY(!changed.isEmpty());
        library.scroll(ImagingLibrary::Bar::Vertical, ScrollAction::ToStart);
        QCOMPARE(area.verticalScrollBar()->value(), 0);
    }

    void pressDragsTheDisplayAndTheMagnifierFollowsTheMouse() {
        QWidget window;
        window.resize(200, 200);
        ImagingLibrary library;
        QVERIFY(library.fromImage(Quadrants(800, 600)));
        library.bindWindow(&window);
        library.scroll(ImagingLibrary::Bar::Horizontal, ScrollAction::ToPosition, 100);
        library.scroll(ImagingLibrary::Bar::Vertical, ScrollAction::ToPosition, 100);

        library.press(QPoint(50, 50));
        SendMouse(&window, QEvent::MouseMove, QPoint(80, 70), Qt::LeftButton);
        QCOMPARE(library.scrollPosition(), QPoint(70, 80));
        SendMouse(&window, QEvent::MouseButtonRelease, QPoint(80, 70), Qt::NoButton);
        SendMouse(&window, QEvent::MouseMove, QPoint(10, 10), Qt::NoButton);
        QCOMPARE(library.scrollPosition(), QPoint(70, 80));

        library.setMagnifierOption(ImagingLibrary::MagnifierOption::LensWidth, 240);
        library.setMagnifierOption(ImagingLibrary::MagnifierOption::LensHeight, 180);
        library.setMagnifierOption(ImagingLibrary::MagnifierOption::Factor, 3);
        library.startMagnifier(QPoint(100, 100));
        QVERIFY(library.lens());
        QCOMPARE(library.lens()->size(), QSize(240, 180));
        QCOMPARE(library.lens()->geometry().center(), QRect(QPoint(100, 100) - QPoint(120, 90), QSize(240, 180)).center());
        SendMouse(&window, QEvent::MouseMove, QPoint(150, 120), Qt::LeftButton);
        QCOMPARE(library.lens()->pos(), QPoint(30, 30));
        QCOMPARE(library.scrollPosition(), QPoint(70, 80));  // the magnifier does not scroll
        const QImage lens = library.lens()->grab().toImage();
        // Window (150, 120) is image (220, 200): the top-left quadrant, red.
        QCOMPARE(lens.pixel(120, 90), qRgb(255, 0, 0));
        SendMouse(&window, QEvent::MouseButtonRelease, QPoint(150, 120), Qt::NoButton);
        QVERIFY(!library.lens());
    }
};

QTEST_MAIN(tst_ImagingLibrary)
#include "tst_imaginglibrary.moc"
