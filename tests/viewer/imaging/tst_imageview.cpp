#include "viewer/core/ViewerSettings.h"
#include "viewer/imaging/ImageFormatRecord.h"
#include "viewer/imaging/ImageView.h"

#include "support/TempDir.h"

#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrinter>
#include <QSignalSpy>
#include <QTest>

#include <vector>

using namespace lumora;
using testsupport::ReadText;
using testsupport::TempDir;

namespace {

std::vector<uint8_t> SolidFrame(int width, int height, uint8_t grey) {
    return std::vector<uint8_t>(static_cast<size_t>(width) * static_cast<size_t>(height) * 3, grey);
}

void Mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
           Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QMouseEvent event(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, buttons, mods);
    QCoreApplication::sendEvent(w, &event);
}

void Drag(QWidget* w, QPoint from, QPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    Mouse(w, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, mods);
    Mouse(w, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, mods);
    Mouse(w, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, mods);
}

void Wheel(QWidget* w, int delta, Qt::KeyboardModifiers mods) {
    QWheelEvent event(QPointF(10, 10), w->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &event);
}

// A 300 x 200 picture file.
QString WritePicture(const TempDir& dir, const char* name) {
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(qRgb(10, 120, 200));
    const QString path = QString::fromStdString(dir.file(name));
    image.save(path, "BMP");
    return path;
}

}  // namespace

class tst_ImageView : public QObject {
    Q_OBJECT

private slots:
    void liveArea_data() {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QRect>("area");
        QTest::newRow("400 high keeps its width") << QSize(700, 400) << QRect(0, 0, 700, 400);
        QTest::newRow("taller is narrowed to 4:3") << QSize(900, 600) << QRect(0, 0, 800, 600);
        QTest::newRow("taller is widened to 4:3") << QSize(500, 480) << QRect(0, 0, 640, 480);
        QTest::newRow("401 high") << QSize(10, 401) << QRect(0, 0, 534, 401);
    }
    void liveArea() {
        QFETCH(QSize, client);
        QFETCH(QRect, area);
        ViewerSettings settings;
        CImageView view(settings);
        view.resize(client);
        QCOMPARE(view.LiveArea(), area);
    }

    void paintsEveryOverlayOverTheFrame() {
        ViewerSettings settings;
        CImageView view(settings);
        view.resize(640, 480);
        view.show();
        const auto frame = SolidFrame(640, 480, 0);
        view.ShowFrame(frame.data(), frame.size());
        view.SetDrawingEnabled(true);
        view.SetMagnification(150);
        for (auto show : {&CImageView::ShowGrid, &CImageView::ShowCentreLine, &CImageView::ShowScale,
                          &CImageView::ShowMagBar, &CImageView::ShowMagData})
            (view.*show)(true);
        const QImage shot = view.grab().toImage();
        QCOMPARE(shot.pixel(320, 100), qRgb(255, 0, 0));    // centre line
        QCOMPARE(shot.pixel(100, 80), qRgb(200, 200, 200));  // grid
        QCOMPARE(shot.pixel(600, 470), qRgb(0, 200, 0));     // scale arm
        QCOMPARE(shot.pixel(30, 215), qRgb(180, 180, 0));    // the bar's marker at 150
        QCOMPARE(shot.pixel(0, 240), qRgb(200, 200, 200));   // the pane's frame
        QCOMPARE(shot.pixel(200, 300), qRgb(0, 0, 0));       // the frame's own pixels
        // The overlays went on the screen copy only: the frame buffer still holds the camera's.
        QCOMPARE(int(view.FrameBuffer().Pixels()[(240 * 640 + 320) * 3]), 0);

        // Without drawing the bar and the data box stay away; at magnification 5 the scale too.
        view.SetDrawingEnabled(false);
        view.SetMagnification(5);
        const QImage plain = view.grab().toImage();
        QCOMPARE(plain.pixel(30, 215), qRgb(0, 0, 0));
        QCOMPARE(plain.pixel(600, 470), qRgb(0, 0, 0));
        view.SetSelected(true);
        QCOMPARE(view.grab().toImage().pixel(0, 240), qRgb(0, 128, 255));
    }

    void cameraMessages() {
        struct Host : ImageViewHost {
            bool missing = true;
            bool CameraMissing() const override { return missing; }
        } host;
        ViewerSettings settings;
        CImageView view(settings, &host);
        view.resize(640, 480);
        const auto frame = SolidFrame(640, 480, 0);
        view.ShowFrame(frame.data(), frame.size());
        const QImage shot = view.grab().toImage();
        bool red = false;
        for (int x = 200; x < 440 && !red; ++x)
            for (int y = 230; y < 250 && !red; ++y) red = shot.pixel(x, y) == qRgb(100, 0, 0);
        QVERIFY(red);
    }

    void scaleTextFollowsMagnificationAndCalibration() {
        ViewerSettings settings;
        CImageView view(settings);
        view.SetMagnification(50);
        QCOMPARE(view.ScaleText(), QStringLiteral("1.0mm"));
        view.SetMagnification(100);
        QCOMPARE(view.ScaleText(), QStringLiteral("500um"));
        view.SetMagnification(4);
        QCOMPARE(view.ScaleText(), QString());
        view.SetMagnification(-7);
        QCOMPARE(view.Magnification(), 1);
        settings.calibrationApplied = 1;
        settings.calibrationUnit = 1;
        settings.onePixelSize = 0.01;
        view.SetMagnification(100);
        QCOMPARE(view.ScaleText(), QStringLiteral("1.1mm [CAL]"));
        view.ApplyCalibration();
        QCOMPARE(view.ScaleText(), QStringLiteral("1.1mm"));
        // In the file state the magnification is left alone.
        view.ShowFile(QStringLiteral("/nonexistent/Pic00001.jpg"), QStringLiteral("mm"), 0.01);
        view.SetMagnification(300);
        QCOMPARE(view.Magnification(), 100);
    }

    void scaleDragStopsAtTheFrameEdges() {
        ViewerSettings settings;
        CImageView view(settings);
        view.resize(640, 480);
        view.ShowScale(true);
        Drag(&view, QPoint(600, 460), QPoint(-400, 460));
        QCOMPARE(view.ScaleAnchor(), QPoint(122, 470));
        Drag(&view, QPoint(100, 460), QPoint(1500, 1500));
        QCOMPARE(view.ScaleAnchor(), QPoint(630, 470));
        // A press outside the label box does not move it.
        Drag(&view, QPoint(300, 100), QPoint(10, 10));
        QCOMPARE(view.ScaleAnchor(), QPoint(630, 470));
    }

    void calibrationLineSnapsWithShift_data() {
        QTest::addColumn<QPoint>("end");
        QTest::addColumn<QPoint>("snapped");
        QTest::addColumn<double>("distance");
        QTest::newRow("flat becomes horizontal") << QPoint(200, 110) << QPoint(200, 100) << 100.0;
        QTest::newRow("steep becomes vertical") << QPoint(110, 200) << QPoint(100, 200) << 100.0;
        QTest::newRow("near diagonal becomes diagonal") << QPoint(200, 190) << QPoint(190, 190) << std::sqrt(2.0) * 90;
        QTest::newRow("diagonal upwards") << QPoint(10, 5) << QPoint(10, 10) << std::sqrt(2.0) * 90;
    }
    void calibrationLineSnapsWithShift() {
        QFETCH(QPoint, end);
        QFETCH(QPoint, snapped);
        QFETCH(double, distance);
        ViewerSettings settings;
        CImageView view(settings);
        view.resize(640, 480);
        view.SetDrawingEnabled(true);
        view.SetCalibrationLine(true);
        QSignalSpy spy(&view, &CImageView::calibrationDistance);
        Drag(&view, QPoint(100, 100), end, Qt::ShiftModifier);
        QCOMPARE(view.CalibrationLine(), QLine(QPoint(100, 100), snapped));
        QVERIFY(!spy.isEmpty());
        QCOMPARE(spy.last().at(0).toDouble(), distance);
    }

    void drawsAndDeletesAnnotations() {
        ViewerSettings settings;
        CImageView view(settings);
        view.resize(640, 480);
        view.show();
        view.SetDrawingEnabled(true);
        view.SetDrawMode(true);
        view.SetTool(kToolLine);
        Drag(&view, QPoint(50, 50), QPoint(250, 50));
        QCOMPARE(view.Annotations().Annotations().size(), size_t(1));
        view.SetTool(kToolNone);
        Drag(&view, QPoint(60, 60), QPoint(300, 60));  // no tool: nothing is drawn
        QCOMPARE(view.Annotations().Annotations().size(), size_t(1));
        // Ctrl + right press: everything goes to the deleted stack; Ctrl+Z brings one back.
        Mouse(&view, QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton, Qt::RightButton, Qt::ControlModifier);
        QCOMPARE(view.Annotations().Annotations().size(), size_t(0));
        QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(view.Annotations().Annotations().size(), size_t(1));
    }

    void zoomByWheelAndKeys() {
        TempDir dir;
        ViewerSettings settings;
        CImageView view(settings);
        view.resize(640, 480);
        view.ShowFile(WritePicture(dir, "a.bmp"), QStringLiteral("um"), 2.0);
        QCOMPARE(view.GetPaneState(), int(kPaneFile));
        QCOMPARE(view.ZoomPercent(), 100);
        QCOMPARE(view.ScaleText(), QStringLiteral("224.0um [CAL]"));
        view.SetWheelLines(3);
        Wheel(&view, 120, Qt::ControlModifier);
        QCOMPARE(view.ZoomPercent(), 125);
        Wheel(&view, -120, Qt::ControlModifier);
        QCOMPARE(view.ZoomPercent(), 100);
        view.SetWheelLines(0);
        Wheel(&view, 120, Qt::ControlModifier);  // no lines: every step zooms out
        QCOMPARE(view.ZoomPercent(), 75);
        QTest::keyClick(&view, Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(view.ZoomPercent(), 100);
        for (int i = 0; i < 4; ++i) QTest::keyClick(&view, Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(view.ZoomPercent(), 50);
        view.RunCommand(kCmdActualSize);
        QCOMPARE(view.ZoomPercent(), 100);

        std::unique_ptr<QMenu> menu = view.ContextMenu();
        QVERIFY(menu);
        const QList<QAction*> actions = menu->actions();
        QCOMPARE(actions.last()->text(), QStringLiteral("Image Size = 300x200"));
        QVERIFY(!actions.last()->isEnabled());

        // Back to live: no menu there, and the grey picture.
        view.ResetToLive();
        QCOMPARE(view.GetPaneState(), int(kPaneLive));
        QVERIFY(!view.ContextMenu());
        QCOMPARE(int(view.FrameBuffer().Pixels()[0]), 100);
    }

    void fileThatDoesNotLoad() {
        ViewerSettings settings;
        CImageView view(settings);
        view.resize(640, 480);
        view.ShowFile(QStringLiteral("/nonexistent/x.jpg"), QStringLiteral("mm"), 1.0);
        QCOMPARE(view.GetPaneState(), int(kPaneFile));
        QVERIFY(!view.Library().isValid());
        view.RunCommand(kCmdZoomIn);
        QCOMPARE(view.ZoomPercent(), 100);
        std::unique_ptr<QMenu> menu = view.ContextMenu();
        for (QAction* a : menu->actions()) QVERIFY(!a->text().startsWith(QStringLiteral("Image Size")));
        view.grab();  // paints nothing, does not fail
    }

    void dropShowsTheGalleryFile_data() {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<int>("state");
        QTest::newRow("gallery item") << EncodeImageFormatRecord({"a.bmp", "mm", 0.02}) << true << int(kPaneFile);
        QTest::newRow("missing file") << EncodeImageFormatRecord({"gone.bmp", "mm", 0.02}) << false << int(kPaneFile);
        QTest::newRow("a name leaving the gallery") << EncodeImageFormatRecord({"../a.bmp", "mm", 0.02}) << false << int(kPaneLive);
        QTest::newRow("short record") << QByteArray(100, 'a') << false << int(kPaneLive);
        QByteArray unterminated(280, 'a');
        QTest::newRow("no terminating NUL") << unterminated << false << int(kPaneFile);
    }
    void dropShowsTheGalleryFile() {
        QFETCH(QByteArray, record);
        QFETCH(bool, shown);
        QFETCH(int, state);
        TempDir dir;
        const auto gallery = dir.path() / "gallery";
        std::filesystem::create_directory(gallery);
        WritePicture(dir, "a.bmp");  // outside the gallery
        QImage(300, 200, QImage::Format_RGB32).save(QString::fromStdString((gallery / "a.bmp").string()), "BMP");
        ViewerSettings settings;
        settings.galleryFolder = gallery.string();
        CImageView view(settings);
        view.resize(640, 480);
        QCOMPARE(view.DropImageFormat(record), state == int(kPaneFile));
        QCOMPARE(view.GetPaneState(), state);
        QCOMPARE(view.Library().isValid(), shown);
        if (shown) QCOMPARE(view.ImagePath(), QString::fromStdString((gallery / "a.bmp").string()));
    }

    void sendsTheFileToTheMeasurementProgram() {
        TempDir dir;
        ViewerSettings settings;
        settings.tessmetFolder = dir.path().string();
        CImageView view(settings);
        const QString picture = WritePicture(dir, "my scan.bmp");
        view.ShowFile(picture, QStringLiteral("mm"), 1.0);
        QCOMPARE(view.TessmetArguments(), (QStringList{QStringLiteral("-"), picture}));
        QCOMPARE(view.TessmetProgram(), QStringLiteral("tessmet"));  // none in the folder: from PATH
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", "/nonexistent-4711");
        QSignalSpy messages(&view, &CImageView::message);
        view.RunCommand(kCmdSendToTessmet);
        qputenv("PATH", path);
        QCOMPARE(messages.size(), 1);
    }

    void captureWritesPictureAndSidecar() {
        TempDir dir;
        ViewerSettings settings;
        CImageView view(settings);
        const auto frame = SolidFrame(1600, 1200, 30);
        view.ShowFrame(frame.data(), frame.size());
        view.SetMagnification(100);
        const std::string stem = dir.file("Pic00001");
        const CaptureOutcome first = view.SaveCapture(stem, true, 3);
        QCOMPARE(int(first.result), int(CaptureResult::Written));
        QCOMPARE(QImage(QString::fromStdString(stem + ".jpg")).size(), QSize(1600, 1200));
        QCOMPARE(ReadText(stem + "jpg.mag"),
                 std::string("[MAG]\r\nOptical=251\r\nCorrective=100\r\n\r\n[SENSOR]\r\nWidth=713\r\nHeight=537\r\n\r\n"
                             "[CAL]\r\nUnit=um\r\nOnePixelLen=1.785715\r\n"));
        // Without the main form's agreement the file stays.
        const std::string before = ReadText(stem + ".jpg");
        view.SetMagnification(200);
        QCOMPARE(int(view.SaveCapture(stem, true, 3).result), int(CaptureResult::Refused));
        QCOMPARE(ReadText(stem + ".jpg"), before);
        QVERIFY(ReadText(stem + "jpg.mag").find("Optical=251") != std::string::npos);
    }

    void reduceStillBringsAStillTo640x480() {
        ViewerSettings settings;
        CImageView view(settings);
        const auto frame = SolidFrame(800, 600, 77);
        view.ShowFrame(frame.data(), frame.size());
        QCOMPARE(view.FrameBuffer().Width(), 800);
        view.ReduceStill();
        QCOMPARE(view.FrameBuffer().Width(), 640);
        QCOMPARE(view.FrameBuffer().Height(), 480);
        QCOMPARE(int(view.FrameBuffer().Pixels()[320 * 3 + 240 * 1920]), 77);
    }

    void printsOneLandscapePageToPdf() {
        TempDir dir;
        ViewerSettings settings;
        CImageView view(settings);
        view.resize(640, 480);
        const auto frame = SolidFrame(640, 480, 0);
        view.ShowFrame(frame.data(), frame.size());
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageOrientation(QPageLayout::Landscape);
        const QString out = QString::fromStdString(dir.file("pane.pdf"));
        printer.setOutputFileName(out);
        QVERIFY(view.PrintTo(printer));
        const std::string pdf = ReadText(out.toStdString());
        QVERIFY(pdf.rfind("%PDF", 0) == 0);
        QVERIFY(pdf.find("/Count 1") != std::string::npos);
        QCOMPARE(printer.docName(), QStringLiteral("Lumora"));
        // The page picture: the 1024 x 768 bitmap the pane fills.
        QVERIFY(pdf.find("/Width 1024") != std::string::npos);
        QVERIFY(pdf.find("/Height 768") != std::string::npos);
        // Landscape: the media box is wider than high.
        const size_t box = pdf.find("/MediaBox [");
        QVERIFY(box != std::string::npos);
        double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        QCOMPARE(std::sscanf(pdf.c_str() + box, "/MediaBox [%lf %lf %lf %lf", &x0, &y0, &x1, &y1), 4);
        QVERIFY(x1 - x0 > y1 - y0);
    }
};

QTEST_MAIN(tst_ImageView)
#include "tst_imageview.moc"
