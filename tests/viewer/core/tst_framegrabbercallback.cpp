#include "viewer/core/FrameGrabberCallback.h"

#include <QTest>

using namespace lumora;

namespace {

class Counter : public QObject {
public:
    std::vector<size_t> sizes;

protected:
    bool event(QEvent* e) override {
        if (e->type() != WM_CAPTURE_FRAME) return QObject::event(e);
        sizes.push_back(static_cast<CaptureFrameEvent*>(e)->byteCount());
        return true;
    }
};

FramePtr MakeFrame(int w, int h) {
    auto f = std::make_shared<Frame>();
    f->width = w;
    f->height = h;
    f->bytes.assign(static_cast<size_t>(w) * h * 3, 1);
    return f;
}

}  // namespace

class tst_FrameGrabberCallback : public QObject {
    Q_OBJECT
private slots:
    void onlyTheFourStillSizesArePosted_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("posted");
        QTest::newRow("640x480") << 640 << 480 << true;
        QTest::newRow("800x600") << 800 << 600 << true;
        QTest::newRow("1280x960") << 1280 << 960 << true;
        QTest::newRow("1600x1200") << 1600 << 1200 << true;
        QTest::newRow("480x640, same count") << 480 << 640 << true;  // only the byte count is checked
        QTest::newRow("320x240") << 320 << 240 << false;
        QTest::newRow("640x360") << 640 << 360 << false;
        QTest::newRow("1920x1080") << 1920 << 1080 << false;
        QTest::newRow("empty") << 0 << 0 << false;
    }
    void onlyTheFourStillSizesArePosted() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, posted);
        Counter form;
        CFrameGrabberCallback callback;
        callback.SetTarget(&form);
        QCOMPARE(callback.BufferCB(MakeFrame(width, height)), 0);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(form.sizes.size(), size_t(posted ? 1 : 0));
        QCOMPARE(callback.ignoredFrames(), uint64_t(posted ? 0 : 1));
    }

    void noTargetNoEvent() {
        CFrameGrabberCallback callback;
        QCOMPARE(callback.BufferCB(MakeFrame(640, 480)), 0);
        QCOMPARE(callback.BufferCB(nullptr), 0);
        QCOMPARE(callback.postedFrames(), uint64_t{0});
    }

    // The event owns its frame: the producer may let go of it (and reuse nothing) before the
    // user-interface thread gets there.
    void theEventKeepsTheFrameAlive() {
        Counter form;
        CFrameGrabberCallback callback;
        callback.SetTarget(&form);
        FramePtr frame = MakeFrame(640, 480);
        std::weak_ptr<const Frame> watch = frame;
        callback.BufferCB(std::move(frame));
        QVERIFY(!watch.expired());
        QCoreApplication::sendPostedEvents();
        QCOMPARE(form.sizes, std::vector<size_t>{921600});
        QVERIFY(watch.expired());
    }
};

QTEST_GUILESS_MAIN(tst_FrameGrabberCallback)
#include "tst_framegrabbercallback.moc"
