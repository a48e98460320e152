#include "viewer/core/CaptureDevice.h"
#include "viewer/core/SimulatedCamera.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <numeric>

using namespace lumora;

Q_DECLARE_METATYPE(lumora::StartResult)

namespace {

// Stands in for the main form: records every WM_CAPTURE_FRAME it is given.
class FrameReceiver : public QObject {
public:
    struct Seen {
        int width, height;
        size_t bytes;
        bool onGuiThread;
        uint64_t firstByteSum;
    };
    std::vector<Seen> seen;

protected:
    bool event(QEvent* e) override {
        if (e->type() != WM_CAPTURE_FRAME) return QObject::event(e);
        const auto* frame = static_cast<CaptureFrameEvent*>(e);
        const uint8_t* b = frame->bytes();
        seen.push_back({frame->frame()->width, frame->frame()->height, frame->byteCount(),
                        QThread::currentThread() == QCoreApplication::instance()->thread(),
                        std::accumulate(b, b + frame->byteCount(), uint64_t{0})});
        return true;
    }
};

double StillMean(const StillBuffer& still) {
    const uint8_t* p = still.pixels();
    const size_t n = still.stillBytes() - StillBuffer::kHeaderBytes;
    return std::accumulate(p, p + n, 0.0) / static_cast<double>(n);
}

}  // namespace

class tst_CaptureDevice : public QObject {
    Q_OBJECT

    std::shared_ptr<SimulatedCameraSystem> system_;
    std::unique_ptr<CCaptureDevice> camera_;
    std::unique_ptr<FrameReceiver> form_;
    std::vector<CaptureMessage> messages_;

    void openCamera() {
        QCOMPARE(camera_->Open("", form_.get(), 640, 480, 3), kCaptureOk);
    }

private slots:
    void init() {
        SimulatedCameraSystem::Options options;
        options.answersAnyName = false;
        options.framesPerSecond = 100;
        system_ = std::make_shared<SimulatedCameraSystem>(options);
        camera_ = std::make_unique<CCaptureDevice>(system_);
        form_ = std::make_unique<FrameReceiver>();
        messages_.clear();
        camera_->SetMessageHandler([this](CaptureMessage m) { messages_.push_back(m); });
    }

    void cleanup() {
        camera_.reset();
        form_.reset();
        system_.reset();
    }

    void liveFramesArriveOnTheGuiThreadAt640x480() {
        openCamera();
        QTRY_VERIFY(form_->seen.size() >= 5);
        for (const auto& s : form_->seen) {
            QCOMPARE(s.width, 640);
            QCOMPARE(s.height, 480);
            QCOMPARE(s.bytes, size_t{921600});
            QVERIFY(s.onGuiThread);
            QVERIFY(s.firstByteSum > 0);  // a picture, not an empty buffer
        }
        QCOMPARE(camera_->CurrentSize(), (FrameSize{640, 480}));
    }

    void openFindsTheCameraByNameWithoutRegardToCase_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("result");
        QTest::newRow("empty: the first camera") << "" << kCaptureOk;
        QTest::newRow("exact") << "Simulated Camera" << kCaptureOk;
        QTest::newRow("other case") << "SIMULATED camera" << kCaptureOk;
        QTest::newRow("another camera") << "USB Microscope" << kCaptureNoDevice;
    }
    void openFindsTheCameraByNameWithoutRegardToCase() {
        QFETCH(QString, name);
        QFETCH(int, result);
        QCOMPARE(camera_->Open(name.toStdString(), form_.get(), 640, 480, 3), result);
        QCOMPARE(camera_->IsOpen(), result == kCaptureOk);
        QVERIFY(messages_.empty());  // a missing camera is not a message
    }

    void aStreamThatCannotStartIsReported_data() {
        QTest::addColumn<StartResult>("failure");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("no capture machinery") << StartResult::SetupFailed << kCaptureNoInterface
                                              << "Cannot create video interface";
        QTest::newRow("stream refused") << StartResult::StreamRefused << kCaptureStreamFailed << "RenderStream Failed";
    }
    void aStreamThatCannotStartIsReported() {
        QFETCH(StartResult, failure);
        QFETCH(int, result);
        QFETCH(QString, message);
        system_->FailStarts(failure);
        QCOMPARE(camera_->Open("", form_.get(), 640, 480, 3), result);
        QCOMPARE(messages_.size(), size_t{1});
        QCOMPARE(QString(CaptureMessageText(messages_.front())), message);
        // The form's retry succeeds once the camera streams again.
        camera_->Close();
        messages_.clear();
        system_->FailStarts(StartResult::Started);
        openCamera();
        QTRY_VERIFY(!form_->seen.empty());
        QVERIFY(messages_.empty());
    }

    void nothingHappensBeforeTheCameraIsOpen() {
        QCOMPARE(camera_->SetLive(0, 800, 600), 0);
        QCOMPARE(camera_->GetZoom(), -1);
        CameraProperties values;
        QCOMPARE(camera_->GetProperties(values), -1);
        QCOMPARE(camera_->SetProperties(values), -1);
        QCOMPARE(camera_->Open("", form_.get(), 640, 480, 4), kCaptureBadArgument);
        openCamera();
        camera_->SetLive(0, 1920, 1080);  // beyond the still buffer
        QVERIFY(!camera_->StillValid());
        QCOMPARE(camera_->Still().width(), 0);
        QVERIFY(messages_.empty());
    }

    void stillAt640x480IsGrabbedAt800x600() {
        openCamera();
        QTRY_VERIFY(!form_->seen.empty());
        QCOMPARE(camera_->SetLive(0, 640, 480), 0);
        QVERIFY(camera_->StillValid());
        const StillBuffer& still = camera_->Still();
        QCOMPARE(still.width(), 800);
        QCOMPARE(still.height(), 600);
        QCOMPARE(still.bitCount(), 24);
        QCOMPARE(still.imageSizeField(), uint32_t{800 * 600 * 3 + 40});
        QVERIFY(StillMean(still) > 50);
        QCOMPARE(camera_->Running(), 0);
        QVERIFY(messages_.empty());

        // While the still is shown no frames are posted; back to live they flow at 640 x 480.
        QCoreApplication::sendPostedEvents();
        const size_t before = form_->seen.size();
        QCOMPARE(camera_->SetLive(1, 0, 0), 1);
        QTRY_VERIFY(form_->seen.size() >= before + 3);
        for (size_t i = before; i < form_->seen.size(); ++i) QCOMPARE(form_->seen[i].width, 640);
    }

    void stillsAtTheOtherSizes_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("800x600") << 800 << 600;
        QTest::newRow("1280x960") << 1280 << 960;
        QTest::newRow("1600x1200") << 1600 << 1200;
    }
    void stillsAtTheOtherSizes() {
        QFETCH(int, width);
        QFETCH(int, height);
        openCamera();
        camera_->SetLive(0, width, height);
        QVERIFY(camera_->StillValid());
        QCOMPARE(camera_->Still().width(), width);
        QCOMPARE(camera_->Still().height(), height);
        QCOMPARE(camera_->Still().stillBytes(), size_t(width) * height * 3 + 40);
        QCOMPARE(camera_->CurrentSize(), (FrameSize{width, height}));
    }

    void framesOfOtherSizesAreIgnored() {
        openCamera();
        QTRY_VERIFY(!form_->seen.empty());
        system_->InjectFrames({320, 240}, 2);
        system_->InjectFrames({641, 480}, 1);
        QTRY_COMPARE(camera_->Callback().ignoredFrames(), uint64_t{3});
        const size_t total = form_->seen.size();
        QTRY_VERIFY(form_->seen.size() > total);  // the stream goes on
        for (const auto& s : form_->seen) QCOMPARE(s.bytes, size_t{921600});
    }

    void reconfiguringToTheSameSizeChangesNothing() {
        openCamera();
        const int atOpen = system_->FormatChanges();
        camera_->SetLive(1, 0, 0);  // live is already 640 x 480
        QCOMPARE(system_->FormatChanges(), atOpen);
        camera_->SetLive(0, 1280, 960);
        QCOMPARE(system_->FormatChanges(), atOpen + 1);
        camera_->SetLive(0, 1280, 960);  // the same still size again
        QCOMPARE(system_->FormatChanges(), atOpen + 1);
        QVERIFY(camera_->StillValid());
        camera_->SetLive(1, 0, 0);
        QCOMPARE(system_->FormatChanges(), atOpen + 2);
    }

    void stillTimesOutWhenTheCameraRefusesTheSize() {
        openCamera();
        camera_->SetLive(0, 800, 600);
        QVERIFY(camera_->StillValid());
        system_->RefuseSizes({{1280, 960}});
        camera_->SetStillTimeout(std::chrono::milliseconds(0));
        camera_->SetLive(0, 1280, 960);
        QVERIFY(!camera_->StillValid());
        QCOMPARE(messages_, std::vector<CaptureMessage>{CaptureMessage::FormatTimeout});
        QCOMPARE(QString(CaptureMessageText(messages_.front())), QString("VIDEOINFOHEADER Check...Time out 12 sec"));
        // The buffer keeps the previous still for the form to copy.
        QCOMPARE(camera_->Still().width(), 800);
        QCOMPARE(camera_->CurrentSize(), (FrameSize{800, 600}));
    }

    void stillTimesOutWhenNoFrameOfTheSizeArrives() {
        openCamera();
        camera_->SetStillTimeout(std::chrono::milliseconds(0));  // no frame has come after the switch yet
        camera_->SetLive(0, 1600, 1200);
        QVERIFY(!camera_->StillValid());
        QCOMPARE(messages_, std::vector<CaptureMessage>{CaptureMessage::BufferTimeout});
        QCOMPARE(QString(CaptureMessageText(messages_.front())), QString("GetCurrentBuffer Check...Time out 12 sec"));
    }

    void zoomAndProcessingValues() {
        openCamera();
        QCOMPARE(camera_->GetZoom(), 100);
        QVERIFY(camera_->SetZoom(250));
        QCOMPARE(camera_->GetZoom(), 250);
        CameraProperties values;
        values[CameraProperty::Brightness] = 20;
        values[CameraProperty::Gamma] = 150;
        values[CameraProperty::WhiteBalance] = 50000;  // beyond the camera's range
        QCOMPARE(camera_->SetProperties(values), 0);
        CameraProperties read;
        QCOMPARE(camera_->GetProperties(read), 0);
        QCOMPARE(read[CameraProperty::Brightness], 20);
        QCOMPARE(read[CameraProperty::Gamma], 150);
        QCOMPARE(read[CameraProperty::WhiteBalance], 12000);
        QCOMPARE(read[CameraProperty::Contrast], 50);
    }

    void brightnessShowsInTheStill() {
        openCamera();
        CameraProperties values;
        values[CameraProperty::Brightness] = -60;
        camera_->SetProperties(values);
        camera_->SetLive(0, 800, 600);
        const double dark = StillMean(camera_->Still());
        values[CameraProperty::Brightness] = 60;
        camera_->SetProperties(values);
        camera_->SetLive(0, 800, 600);
        QVERIFY2(StillMean(camera_->Still()) > dark + 40, "brightness did not reach the picture");
    }

    void unplugAndReplugAreSurvived() {
        openCamera();
        QTRY_VERIFY(!form_->seen.empty());
        QSignalSpy lost(camera_.get(), &CCaptureDevice::deviceLost);
        system_->Unplug();
        QVERIFY(lost.wait());
        QCOMPARE(lost.count(), 1);
        QCOMPARE(camera_->GetZoom(), -1);
        camera_->SetStillTimeout(std::chrono::milliseconds(0));
        camera_->SetLive(0, 800, 600);  // the form may still ask; nothing breaks
        QVERIFY(!camera_->StillValid());
        camera_->SetStillTimeout(std::chrono::milliseconds(12000));
        camera_->Close();
        QCOMPARE(camera_->Open("", form_.get(), 640, 480, 3), kCaptureNoDevice);  // the retry while unplugged

        system_->Replug();
        QCoreApplication::sendPostedEvents();
        const size_t before = form_->seen.size();
        openCamera();
        QTRY_VERIFY(form_->seen.size() >= before + 3);
        camera_->SetLive(0, 1280, 960);
        QVERIFY(camera_->StillValid());
    }

    void closeWhileStreamingIsClean() {
        openCamera();
        QTRY_VERIFY(camera_->Callback().postedFrames() >= 3);
        camera_->Close();
        const uint64_t posted = camera_->Callback().postedFrames();
        QVERIFY(!camera_->IsOpen());
        // Frames already on their way stay valid after the camera is gone.
        camera_.reset();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(form_->seen.size(), size_t(posted));
        for (const auto& s : form_->seen) QVERIFY(s.firstByteSum > 0);
    }

    void targetDestroyedWhileStreaming() {
        openCamera();
        QTRY_VERIFY(!form_->seen.empty());
        form_.reset();  // the window goes first; the stream keeps running for a moment
        const uint64_t posted = camera_->Callback().postedFrames();
        const uint64_t produced = system_->FramesProduced();
        QTRY_VERIFY(system_->FramesProduced() > produced + 2);
        QCOMPARE(camera_->Callback().postedFrames(), posted);
        QCoreApplication::sendPostedEvents();
    }

    void destroyingTheDeviceWhileStreamingStopsTheStream() {
        openCamera();
        QTRY_VERIFY(!form_->seen.empty());
        camera_.reset();
        const uint64_t produced = system_->FramesProduced();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(system_->FramesProduced(), produced);
    }
};

QTEST_GUILESS_MAIN(tst_CaptureDevice)
#include "tst_capturedevice.moc"
