// CCaptureDevice over the video4linux backend and a scripted device: stills through the
// conversion layer, a camera held by another program, the unplug/replug cycle.
#include "support/ScriptedVideoDevice.h"
#include "viewer/core/CaptureDevice.h"
#include "viewer/core/V4l2Camera.h"

#include <QSignalSpy>
#include <QTest>

using namespace lumora;
using testsupport::DeviceScript;
using testsupport::FramePattern;
using testsupport::ScriptedFault;
using testsupport::ScriptedFrame;
using testsupport::ScriptedVideoDevice;

namespace {

class FrameCounter : public QObject {
public:
    int frames = 0;

protected:
    bool event(QEvent* e) override {
        if (e->type() != WM_CAPTURE_FRAME) return QObject::event(e);
        ++frames;
        return true;
    }
};

}  // namespace

class tst_V4l2Capture : public QObject {
    Q_OBJECT

    std::shared_ptr<ScriptedVideoDevice> device_;
    std::unique_ptr<CCaptureDevice> camera_;
    std::unique_ptr<FrameCounter> form_;
    std::vector<CaptureMessage> messages_;
    const std::string path_ = "/dev/video0";

    void makeCamera(DeviceScript script) {
        device_ = std::make_shared<ScriptedVideoDevice>(std::vector<DeviceScript>{std::move(script)});
        camera_ = std::make_unique<CCaptureDevice>(std::make_shared<V4l2CameraSystem>(device_));
        form_ = std::make_unique<FrameCounter>();
        messages_.clear();
        camera_->SetMessageHandler([this](CaptureMessage m) { messages_.push_back(m); });
    }

    int open() { return camera_->Open("", form_.get(), 640, 480, 3); }

private slots:
    void cleanup() {
        camera_.reset();
        if (device_) {
            // Whatever a test did, the camera gave everything back.
            QCOMPARE(device_->Mappings(), size_t{0});
            QCOMPARE(device_->OpenHandles(), 0);
            QCOMPARE(device_->OpenEvents(), 0);
        }
        device_.reset();
        form_.reset();
    }

    void stillsThroughTheConversionLayer_data() {
        QTest::addColumn<uint32_t>("native");
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        const std::pair<const char*, uint32_t> formats[] = {{"mjpeg", V4L2_PIX_FMT_MJPEG}, {"yuyv", V4L2_PIX_FMT_YUYV}};
        for (const auto& [name, native] : formats) {
            QTest::addRow("%s 640 (taken at 800x600)", name) << native << 640 << 800 << 600;
            QTest::addRow("%s 800", name) << native << 800 << 800 << 600;
            QTest::addRow("%s 1280", name) << native << 1280 << 1280 << 960;
            QTest::addRow("%s 1600", name) << native << 1600 << 1600 << 1200;
        }
    }
    void stillsThroughTheConversionLayer() {
        QFETCH(uint32_t, native);
        QFETCH(int, asked);
        QFETCH(int, width);
        QFETCH(int, height);
        DeviceScript script;
        script.nativeFormats = {native};
        makeCamera(script);
        QCOMPARE(open(), kCaptureOk);
        QTRY_VERIFY(form_->frames > 0);
        camera_->SetLive(0, asked, asked * 3 / 4);
        QVERIFY(camera_->StillValid());
        QVERIFY(messages_.empty());
        const StillBuffer& still = camera_->Still();
        QCOMPARE(still.width(), width);
        QCOMPARE(still.height(), height);
        // Bottom-up rows of the camera's top-down picture.
        const size_t row = size_t(width) * 3;
        for (uint32_t y : {0u, 1u, uint32_t(height) / 2, uint32_t(height) - 1})
            for (uint32_t x : {0u, 5u, uint32_t(row) - 1})
                QCOMPARE(still.pixels()[(height - 1 - y) * row + x], FramePattern(x, y));
        QCOMPARE(device_->LastFormatAsked().fmt.pix.width, uint32_t(width));
        QCOMPARE(camera_->SetLive(1, 0, 0), 1);
        QCOMPARE(camera_->CurrentSize(), (FrameSize{640, 480}));
    }

    void aSizeTheCameraLacksTakesTheTimeOutPath() {
        DeviceScript script;
        script.sizes = {{640, 480}, {800, 600}, {1280, 960}};
        makeCamera(script);
        QCOMPARE(open(), kCaptureOk);
        camera_->SetStillTimeout(std::chrono::milliseconds(0));
        camera_->SetLive(0, 1600, 1200);
        QVERIFY(!camera_->StillValid());
        QCOMPARE(messages_, std::vector<CaptureMessage>{CaptureMessage::FormatTimeout});
        QCOMPARE(camera_->CurrentSize(), (FrameSize{640, 480}));  // the format the camera kept
    }

    void reconfiguringToTheSameSizeAsksNothing() {
        makeCamera(DeviceScript{});
        QCOMPARE(open(), kCaptureOk);
        const int atOpen = device_->Calls(VIDIOC_S_FMT);
        camera_->SetLive(1, 0, 0);
        QCOMPARE(device_->Calls(VIDIOC_S_FMT), atOpen);
        camera_->SetLive(0, 1280, 960);
        QCOMPARE(device_->Calls(VIDIOC_S_FMT), atOpen + 1);
        camera_->SetLive(0, 1280, 960);
        QCOMPARE(device_->Calls(VIDIOC_S_FMT), atOpen + 1);
        QVERIFY(camera_->StillValid());
    }

    void aCameraHeldElsewhereIsToldOnceThenRetriedQuietly_data() {
        QTest::addColumn<bool>("atFormat");
        QTest::newRow("format refused (EBUSY)") << true;
        QTest::newRow("buffers refused (EBUSY)") << false;
    }
    void aCameraHeldElsewhereIsToldOnceThenRetriedQuietly() {
        QFETCH(bool, atFormat);
        makeCamera(DeviceScript{});
        if (atFormat)
            device_->HoldElsewhere(path_, true);
        else
            device_->AddFault(path_, {VIDIOC_REQBUFS, EBUSY, 0, 5});
        for (int retry = 0; retry < 5; ++retry) {
            QCOMPARE(open(), kCaptureBusy);
            QVERIFY(!camera_->IsOpen());
        }
        QCOMPARE(messages_, std::vector<CaptureMessage>{CaptureMessage::CameraBusy});
        QVERIFY(QString(CaptureMessageText(messages_.front())).contains("in use by another program"));

        device_->HoldElsewhere(path_, false);
        QCOMPARE(open(), kCaptureOk);
        QTRY_VERIFY(form_->frames > 0);
        QCOMPARE(messages_.size(), size_t{1});
        // Held again later: told again, once.
        camera_->Close();
        device_->HoldElsewhere(path_, true);
        QCOMPARE(open(), kCaptureBusy);
        QCOMPARE(open(), kCaptureBusy);
        QCOMPARE(messages_.size(), size_t{2});
    }

    // The message box is modal and the form's retry timer fires while it is open.
    void aRetryWhileTheBusyMessageIsOpenStaysQuiet() {
        makeCamera(DeviceScript{});
        device_->HoldElsewhere(path_, true);
        int retries = 0;
        camera_->SetMessageHandler([this, &retries](CaptureMessage m) {
            messages_.push_back(m);
            for (; retries < 3; ++retries) QCOMPARE(open(), kCaptureBusy);
        });
        QCOMPARE(open(), kCaptureBusy);
        QCOMPARE(retries, 3);
        QCOMPARE(messages_, std::vector<CaptureMessage>{CaptureMessage::CameraBusy});
    }

    void unplugAndReplug() {
        makeCamera(DeviceScript{});
        QSignalSpy lost(camera_.get(), &CCaptureDevice::deviceLost);
        for (int cycle = 0; cycle < 3; ++cycle) {
            QCOMPARE(open(), kCaptureOk);
            QTRY_VERIFY(form_->frames > 0);
            device_->Unplug(path_);
            QVERIFY(lost.wait());
            QCOMPARE(lost.count(), cycle + 1);
            camera_->Close();  // as the form does
            QCOMPARE(device_->Mappings(), size_t{0});
            QCOMPARE(open(), kCaptureNoDevice);  // retried quietly while it is away
            device_->Replug(path_);
            form_->frames = 0;
        }
        QCOMPARE(open(), kCaptureOk);
        QTRY_VERIFY(form_->frames > 0);
        QVERIFY(messages_.empty());
    }

    void damagedFramesDoNotEndTheStream() {
        DeviceScript script;
        ScriptedFrame corrupt;
        corrupt.dequeueError = EIO;
        ScriptedFrame flagged;
        flagged.flags = V4L2_BUF_FLAG_ERROR;
        ScriptedFrame shortFrame;
        shortFrame.bytesUsed = 1000;
        script.frames = {corrupt, corrupt, flagged, shortFrame, corrupt};
        makeCamera(script);
        QSignalSpy lost(camera_.get(), &CCaptureDevice::deviceLost);
        QCOMPARE(open(), kCaptureOk);
        QTRY_VERIFY(form_->frames >= 3);
        QCOMPARE(lost.count(), 0);
        QCOMPARE(device_->FailedCalls(VIDIOC_DQBUF, EIO), 3);
    }
};

QTEST_GUILESS_MAIN(tst_V4l2Capture)
#include "tst_v4l2capture.moc"
